// JPEG images: loaded bytes are kept and saved unchanged, pixels are decoded only as large as they
// are drawn, an assigned bitmap is compressed at CompressionQuality, and damaged data is refused
// at load time without changing the image.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/JpegImage.h"
#include "tests/support/Pixels.h"
#include "JpegFiles.h"

namespace {

using test_images::JpegKind;
using test_images::MakeJpeg;
using test_support::MakeBitmap;
using test_support::PixelOf;

bool Near(TColor actual, TColor expected) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(((actual >> shift) & 0xFF) - ((expected >> shift) & 0xFF)) > 16) return false;
  return true;
}

TEST(JpegImage, SavesTheLoadedBytesUnchanged) {
  const std::vector<std::uint8_t> file = MakeJpeg(64, 48, JpegKind::Progressive);
  TJPEGImage image;
  image.LoadFromBytes(file);
  EXPECT_EQ(image.Width(), 64);
  EXPECT_EQ(image.Height(), 48);
  image.SetCompressionQuality(20);
  EXPECT_EQ(image.SaveToBytes(), file);
  TJPEGImage copy;
  copy.Assign(&image);
  EXPECT_EQ(copy.SaveToBytes(), file);
  EXPECT_EQ(copy.DecodedSize(), image.DecodedSize()) << "a copy keeps the decoded pixels";
}

TEST(JpegImage, DecodesOnlyAsLargeAsItIsDrawn) {
  TJPEGImage image;
  image.LoadFromBytes(MakeJpeg(1600, 1200, JpegKind::Colour, 75));
  EXPECT_EQ(image.DecodedSize(), (TSize{200, 150})) << "loading decodes at 1/8 only";

  auto frame = MakeBitmap(200, 150);
  frame->Canvas()->StretchDraw(Rect(0, 0, 200, 150), &image);
  EXPECT_EQ(image.DecodedSize(), (TSize{200, 150}));
  EXPECT_TRUE(Near(PixelOf(*frame, 100, 10), clRed));
  EXPECT_TRUE(Near(PixelOf(*frame, 100, 140), clBlue));

  auto larger = MakeBitmap(500, 300);
  larger->Canvas()->StretchDraw(Rect(0, 0, 500, 300), &image);
  EXPECT_EQ(image.DecodedSize(), (TSize{600, 450})) << "3/8 covers 500 x 300";
  frame->Canvas()->StretchDraw(Rect(0, 0, 200, 150), &image);
  EXPECT_EQ(image.DecodedSize(), (TSize{600, 450})) << "no new decode to draw smaller";
  EXPECT_TRUE(Near(PixelOf(*frame, 100, 10), clRed));
}

TEST(JpegImage, AFirstDrawSizeIsDecodedForAtLoadAndDrawnWithoutAnotherDecode) {
  TJPEGImage image;
  image.SetFirstDrawSize({400, 600});
  image.LoadFromBytes(MakeJpeg(1600, 1200, JpegKind::Progressive, 75));
  EXPECT_EQ(image.DecodedSize(), (TSize{800, 600})) << "4/8 covers 400 x 600";
  auto page = MakeBitmap(400, 600);
  page->Canvas()->StretchDraw(Rect(0, 0, 400, 600), &image);
  EXPECT_EQ(image.DecodedSize(), (TSize{800, 600}));
  EXPECT_TRUE(Near(PixelOf(*page, 200, 20), clRed));
  EXPECT_TRUE(Near(PixelOf(*page, 200, 580), clBlue));

  // Damage is still found at load, whatever the scale: the image keeps what it had.
  std::vector<std::uint8_t> damaged = MakeJpeg(1600, 1200, JpegKind::Progressive, 75);
  damaged.resize(damaged.size() / 2);
  EXPECT_THROW(image.LoadFromBytes(damaged), EInvalidGraphic);
  EXPECT_EQ(image.DecodedSize(), (TSize{800, 600}));
  EXPECT_EQ(image.Width(), 1600);
}

TEST(JpegImage, EveryKindDrawsInItsColours) {
  const struct {
    const char* name;
    JpegKind kind;
    TColor top;
  } kinds[] = {{"baseline", JpegKind::Colour, clRed}, {"progressive", JpegKind::Progressive, clRed},
               {"grey", JpegKind::Grey, 0xC8C8C8}, {"CMYK", JpegKind::Cmyk, clRed}, {"YCCK", JpegKind::Ycck, clRed}};
  for (const auto& entry : kinds) {
    SCOPED_TRACE(entry.name);
    TJPEGImage image;
    image.LoadFromBytes(MakeJpeg(80, 60, entry.kind));
    auto target = MakeBitmap(80, 60);
    target->Canvas()->Draw(0, 0, &image);
    EXPECT_TRUE(Near(PixelOf(*target, 40, 5), entry.top)) << std::hex << PixelOf(*target, 40, 5);
    EXPECT_EQ(image.DecodedSize(), (TSize{80, 60}));
  }
}

TEST(JpegImage, CompressesAnAssignedBitmapAtItsQuality) {
  auto page = MakeBitmap(40, 60, clWhite);
  page->Canvas()->Brush()->SetColor(clGreen);
  page->Canvas()->FillRect(Rect(0, 30, 40, 60));
  for (int i = 0; i < 40; ++i) page->Canvas()->SetPixels(i, i, TColor(i * 0x060403));

  TJPEGImage image;
  EXPECT_EQ(image.CompressionQuality(), 75);
  image.Assign(page.get());
  EXPECT_EQ(image.Width(), 40);
  page->Canvas()->FillRect(Rect(0, 0, 40, 60));  // the image took a copy
  const std::vector<std::uint8_t> usual = image.SaveToBytes();
  image.SetCompressionQuality(100);
  const std::vector<std::uint8_t> best = image.SaveToBytes();
  EXPECT_GT(best.size(), usual.size());

  TJPEGImage back;
  back.LoadFromBytes(best);
  auto target = MakeBitmap(40, 60);
  target->Canvas()->Draw(0, 0, &back);
  EXPECT_TRUE(Near(PixelOf(*target, 30, 5), clWhite));
  EXPECT_TRUE(Near(PixelOf(*target, 20, 50), clGreen));
}

TEST(JpegImage, DamagedDataIsRefusedAtLoadAndChangesNothing) {
  const std::vector<std::uint8_t> good = MakeJpeg(32, 32, JpegKind::Colour);
  TJPEGImage image;
  image.LoadFromBytes(good);
  std::vector<std::uint8_t> cut = MakeJpeg(640, 480, JpegKind::Colour);
  cut.resize(cut.size() * 3 / 4);  // headers intact: only decoding finds the damage
  EXPECT_THROW(image.LoadFromBytes(cut), EInvalidGraphic);
  EXPECT_THROW(image.LoadFromBytes(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF}), EInvalidGraphic);
  EXPECT_EQ(image.Width(), 32);
  EXPECT_EQ(image.SaveToBytes(), good);
}

TEST(JpegImage, EmptyImagesRefuseToSaveAndSizeIsFixed) {
  TJPEGImage image;
  EXPECT_TRUE(image.Empty());
  EXPECT_THROW(image.SaveToBytes(), EInvalidGraphicOperation);
  EXPECT_THROW(image.SetWidth(10), EInvalidGraphicOperation);
  image.LoadFromBytes(MakeJpeg(8, 8, JpegKind::Grey));
  TBitmap none;
  image.Assign(&none);  // nothing to compress: empty again
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
}

TEST(JpegImage, BitmapAssignedFromItHasItsFullSize) {
  TJPEGImage image;
  image.LoadFromBytes(MakeJpeg(96, 64, JpegKind::Colour));
  TBitmap bitmap;
  bitmap.Assign(&image);
  EXPECT_EQ(bitmap.Width(), 96);
  EXPECT_EQ(bitmap.Height(), 64);
  EXPECT_TRUE(Near(PixelOf(bitmap, 48, 60), clBlue));
}

}  // namespace
