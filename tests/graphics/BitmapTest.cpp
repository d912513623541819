// Bitmaps: size changes, pixel formats and handle types keep the picture, rows are reachable
// directly, copies are independent, BMP files and the stream's "Data" round-trip, and a bad file
// changes nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicErrors.h"
#include "BmpFiles.h"
#include "GraphicsTestSupport.h"
#include "tests/support/ChangeCounter.h"
#include "tests/support/Pixels.h"

namespace {

using test_support::CountColor;
using test_support::MakeBitmap;
using test_support::PixelOf;
using test_support::TChangeCounter;

// The page frames' format: 200 x 150, 4 bits, 16-colour palette.
std::vector<std::uint8_t> FrameFile() {
  bmp::DibFormat format{200, 150, 4, test_images::Greys(4)};
  std::vector<std::uint8_t> bits(format.ImageBytes());
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = std::uint8_t(i % 251);
  return bmp::Encode(format, bits.data());
}

TEST(Bitmap, NewBitmapsAreEmptyThenWhite24BitDibs) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Handle(), nullptr);
  TChangeCounter changes(bitmap);
  bitmap.SetSize(5, 3);
  EXPECT_FALSE(bitmap.Empty());
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(bitmap.HandleType(), bmDIB);
  EXPECT_EQ(CountColor(bitmap, clWhite, Rect(0, 0, 5, 3)), 15);
  EXPECT_EQ(changes.count, 1);
  bitmap.SetWidth(0);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Height(), 3);
}

TEST(Bitmap, ResizingKeepsTheTopLeftPixelsAndWhitensTheRest) {
  auto bitmap = MakeBitmap(4, 4, clRed);
  bitmap->SetSize(6, 2);
  EXPECT_EQ(CountColor(*bitmap, clRed, Rect(0, 0, 4, 2)), 8);
  EXPECT_EQ(CountColor(*bitmap, clWhite, Rect(4, 0, 6, 2)), 4);
}

TEST(Bitmap, ScanLineZeroIsTheTopRow) {
  auto bitmap = MakeBitmap(3, 2, clWhite);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  bitmap->SetPixelFormat(pf32bit);
  auto* top = static_cast<std::uint32_t*>(bitmap->ScanLine(0));
  EXPECT_EQ(top[0] & 0xFFFFFF, 0xFF0000u) << "0x00RRGGBB";
  EXPECT_EQ(top[1] & 0xFFFFFF, 0xFFFFFFu);
  static_cast<std::uint32_t*>(bitmap->ScanLine(1))[2] = 0x0000FF;  // blue, bottom right
  EXPECT_EQ(PixelOf(*bitmap, 2, 1), clBlue);
  EXPECT_THROW(bitmap->ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, PixelFormatsAndHandleTypesKeepThePicture) {
  auto bitmap = MakeBitmap(4, 4, clWhite);
  bitmap->Canvas()->SetPixels(1, 1, clBlack);
  bitmap->Canvas()->SetPixels(2, 2, clRed);

  bitmap->SetPixelFormat(pf4bit);
  EXPECT_EQ(PixelOf(*bitmap, 2, 2), clRed);
  bitmap->SetPixelFormat(pf32bit);
  EXPECT_EQ(PixelOf(*bitmap, 2, 2), clRed);

  bitmap->SetHandleType(bmDDB);
  EXPECT_EQ(bitmap->PixelFormat(), pfDevice);
  EXPECT_EQ(PixelOf(*bitmap, 2, 2), clRed);
  bitmap->ScanLine(0);  // a device-dependent bitmap becomes a DIB for row access
  EXPECT_EQ(bitmap->HandleType(), bmDIB);
  EXPECT_EQ(PixelOf(*bitmap, 2, 2), clRed);

  bitmap->SetMonochrome(true);
  EXPECT_EQ(bitmap->PixelFormat(), pf1bit);
  EXPECT_EQ(PixelOf(*bitmap, 1, 1), clBlack);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), clWhite);
  auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(1));
  EXPECT_EQ(row[0] & 0x40, 0) << "the black pixel is bit 0";
  EXPECT_EQ(row[0] & 0x80, 0x80);
}

TEST(Bitmap, MonochromeDeviceBitmapsKeepBlackAndWhite) {
  auto bitmap = MakeBitmap(4, 4, clWhite);
  bitmap->Canvas()->SetPixels(3, 0, clBlack);
  bitmap->SetHandleType(bmDDB);
  bitmap->SetMonochrome(true);
  EXPECT_TRUE(bitmap->Monochrome());
  EXPECT_EQ(bitmap->HandleType(), bmDDB);
  EXPECT_EQ(PixelOf(*bitmap, 3, 0), clBlack);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), clWhite);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUnlessSet) {
  auto bitmap = MakeBitmap(3, 3, clWhite);
  bitmap->Canvas()->SetPixels(0, 2, clFuchsia);
  EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
  bitmap->SetHandleType(bmDDB);
  EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
  bitmap->SetTransparentColor(clBlue);
  EXPECT_EQ(bitmap->TransparentColor(), clBlue);
  bitmap->SetTransparentColor(clDefault);
  EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
}

TEST(Bitmap, AssignMakesAnIndependentCopy) {
  auto original = MakeBitmap(3, 3, clRed);
  original->SetPixelFormat(pf8bit);
  original->SetTransparent(true);
  original->SetTransparentColor(clRed);
  TBitmap copy;
  copy.Assign(original.get());
  EXPECT_EQ(copy.PixelFormat(), pf8bit);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentColor(), clRed);
  copy.Canvas()->SetPixels(0, 0, clBlue);
  EXPECT_EQ(PixelOf(copy, 0, 0), clBlue);
  EXPECT_EQ(PixelOf(*original, 0, 0), clRed);

  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(Bitmap, SharedPixelsPartWhenEitherBitmapChanges) {
  auto original = MakeBitmap(3, 3, clRed);
  TBitmap copy;
  copy.Assign(original.get());
  original->Canvas()->SetPixels(0, 0, clBlue);  // the original's canvas had the pixels selected
  EXPECT_EQ(PixelOf(copy, 0, 0), clRed);

  TBitmap third;
  third.Assign(&copy);
  std::memset(third.ScanLine(0), 0, 3);  // row access writes too: the top-left pixel turns black
  third.SetSize(4, 4);
  EXPECT_EQ(PixelOf(copy, 0, 0), clRed);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(PixelOf(third, 0, 0), clBlack);
  EXPECT_EQ(PixelOf(*original, 0, 0), clBlue);
}

TEST(Bitmap, DrawingOnItsCanvasReportsAChange) {
  auto bitmap = MakeBitmap(4, 4);
  TChangeCounter changes(*bitmap);
  bitmap->Canvas()->FillRect(Rect(0, 0, 1, 1));
  bitmap->Canvas()->Rectangle(0, 0, 2, 2);
  EXPECT_EQ(changes.count, 2);
}

TEST(Bitmap, Keeps4BitFramesAsTheyAreStored) {
  const std::vector<std::uint8_t> file = FrameFile();
  TBitmap bitmap;
  bitmap.LoadFromBytes(file);
  EXPECT_EQ(bitmap.Width(), 200);
  EXPECT_EQ(bitmap.Height(), 150);
  EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
  EXPECT_EQ(bitmap.SaveToBytes(), file);

  // As "Data" (a glyph's or, after the class name, a picture's): a byte count, then the file.
  graphics_test::RecordingFiler filer;
  bitmap.DefineProperties(filer);
  EXPECT_EQ(filer.name, "Data");
  EXPECT_TRUE(filer.hasData);
  TMemoryStream data;
  filer.write(data);
  ASSERT_EQ(data.Size(), 4 + 15118);
  std::uint32_t count;
  std::memcpy(&count, data.Memory(), 4);
  EXPECT_EQ(count, 15118u);
  EXPECT_EQ(std::memcmp(data.Memory() + 4, "BM", 2), 0);
  TBitmap back;
  graphics_test::RecordingFiler reader;
  back.DefineProperties(reader);
  EXPECT_FALSE(reader.hasData) << "an empty glyph writes no data";
  data.SetPosition(0);
  reader.read(data);
  EXPECT_EQ(back.SaveToBytes(), file);
}

TEST(Bitmap, DeviceDependentBitmapsSaveAsDibs) {
  auto bitmap = MakeBitmap(3, 2, clBlue);
  bitmap->SetHandleType(bmDDB);
  TBitmap back;
  back.LoadFromBytes(bitmap->SaveToBytes());
  EXPECT_EQ(back.HandleType(), bmDIB);
  EXPECT_EQ(CountColor(back, clBlue, Rect(0, 0, 3, 2)), 6);
  TBitmap empty;
  EXPECT_THROW(empty.SaveToBytes(), EInvalidGraphicOperation);
}

TEST(Bitmap, BadFilesAndDataChangeNothing) {
  auto bitmap = MakeBitmap(2, 2, clRed);
  TChangeCounter changes(*bitmap);
  std::vector<std::uint8_t> file = FrameFile();
  file.resize(file.size() - 10);
  EXPECT_THROW(bitmap->LoadFromBytes(file), EInvalidGraphic);

  TMemoryStream data;
  const std::uint8_t claim[] = {0xFF, 0xFF, 0xFF, 0x7F, 'B', 'M'};  // 2 GB claimed, 2 bytes there
  data.WriteBuffer(claim, sizeof claim);
  data.SetPosition(0);
  EXPECT_THROW(bitmap->ReadData(data), EInvalidGraphic);
  TMemoryStream shortData;
  shortData.WriteBuffer(claim, 3);
  shortData.SetPosition(0);
  EXPECT_THROW(bitmap->ReadData(shortData), EInvalidGraphic);

  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(bitmap->Width(), 2);
  EXPECT_EQ(CountColor(*bitmap, clRed, Rect(0, 0, 2, 2)), 4);
}

TEST(Bitmap, HugeSizesAreRefusedClearly) {
  TBitmap bitmap;
  EXPECT_THROW(bitmap.SetSize(60000, 60000), EInvalidGraphicOperation);
  EXPECT_TRUE(bitmap.Empty());
}

}  // namespace
