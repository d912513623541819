// Pictures: the graphic class chosen by extension, failed loads that change nothing, emptying,
// change notification, safe saving over a file, and the stream's "Data" (class name, then the
// graphic's data) in both directions, damaged data included.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "BmpFiles.h"
#include "GraphicsTestSupport.h"
#include "JpegFiles.h"
#include "tests/support/ChangeCounter.h"
#include "tests/support/Pixels.h"
#include "tests/support/StreamWriters.h"
#include "tests/support/TempFiles.h"

namespace {

using graphics_test::RecordingFiler;
using test_support::FileBytes;
using test_support::StreamBytes;
using test_support::TChangeCounter;
using test_support::TTempFolder;
using test_support::WriteFileBytes;

TEST(Picture, LoadFromFileChoosesTheGraphicByExtension) {
  TTempFolder folder;
  const String jpegName = folder.File("写真.Jpeg");
  const String bmpName = folder.File("frame.BMP");
  WriteFileBytes(jpegName, test_images::MakeJpeg(48, 32, test_images::JpegKind::Colour));
  WriteFileBytes(bmpName, test_images::Indexed(4));

  TPicture picture;
  TChangeCounter changes(picture);
  picture.LoadFromFile(jpegName);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 48);
  picture.LoadFromFile(bmpName);
  EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Height(), test_images::kHeight);
  EXPECT_EQ(changes.count, 2);

  WriteFileBytes(folder.File("photo.png"), test_images::Indexed(4));
  try {
    picture.LoadFromFile(folder.File("photo.png"));
    FAIL() << "loaded a .png";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "Unknown picture file extension (.png)");
  }
  EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
}

TEST(Picture, AFailedLoadLeavesThePictureAsItWas) {
  TTempFolder folder;
  WriteFileBytes(folder.File("good.jpg"), test_images::MakeJpeg(16, 16, test_images::JpegKind::Colour));
  std::vector<std::uint8_t> damaged = test_images::MakeJpeg(320, 240, test_images::JpegKind::Colour);
  damaged.resize(damaged.size() / 2);
  WriteFileBytes(folder.File("damaged.jpg"), damaged);
  WriteFileBytes(folder.File("damaged.bmp"), {'B', 'M', 1, 2, 3});

  TPicture picture;
  picture.LoadFromFile(folder.File("good.jpg"));
  TGraphic* before = picture.Graphic();
  TChangeCounter changes(picture);
  EXPECT_THROW(picture.LoadFromFile(folder.File("damaged.jpg")), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(folder.File("damaged.bmp")), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(folder.File("missing.jpg")), EFOpenError);
  EXPECT_EQ(picture.Graphic(), before);
  EXPECT_EQ(picture.Width(), 16);
  EXPECT_EQ(changes.count, 0);
}

TEST(Picture, AssignNullEmptiesAndCopiesAreIndependent) {
  TPicture picture;
  picture.Bitmap()->SetSize(3, 3);
  TChangeCounter changes(picture);
  picture.Bitmap()->Canvas()->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(changes.count, 1) << "changes of the graphic reach the picture's listeners";

  TPicture copy;
  copy.Assign(&picture);
  ASSERT_NE(copy.Graphic(), picture.Graphic());
  EXPECT_EQ(copy.Width(), 3);

  picture.Assign(nullptr);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(changes.count, 2);
  EXPECT_EQ(copy.Width(), 3);

  TBitmap target;
  target.Assign(&copy);  // a picture assigns its graphic into a graphic
  EXPECT_EQ(target.Width(), 3);
}

TEST(Picture, BitmapReplacesAnotherKindOfGraphic) {
  TPicture picture;
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(test_images::MakeJpeg(8, 8, test_images::JpegKind::Grey));
  picture.SetGraphic(&jpeg);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  TBitmap* bitmap = picture.Bitmap();
  EXPECT_EQ(picture.Graphic(), bitmap);
  EXPECT_TRUE(bitmap->Empty());
}

TEST(Picture, StreamsTheClassNameAndThenTheGraphicsData) {
  bmp::DibFormat format{5, 3, 4, test_images::Greys(4)};
  const std::vector<std::uint8_t> pixels(format.ImageBytes(), 0x3C);
  const std::vector<std::uint8_t> frame = bmp::Encode(format, pixels.data());
  TPicture picture;
  picture.Bitmap()->LoadFromBytes(frame);
  RecordingFiler filer;
  picture.DefineProperties(filer);
  EXPECT_EQ(filer.name, "Data");
  ASSERT_TRUE(filer.hasData);
  TMemoryStream data;
  filer.write(data);

  std::vector<std::uint8_t> expected = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  const auto size = std::uint32_t(frame.size());
  expected.insert(expected.end(), {std::uint8_t(size), std::uint8_t(size >> 8), 0, 0});
  expected.insert(expected.end(), frame.begin(), frame.end());
  EXPECT_EQ(StreamBytes(data), expected);

  TPicture back;
  RecordingFiler reader;
  back.DefineProperties(reader);
  EXPECT_FALSE(reader.hasData) << "an empty picture writes no data";
  TMemoryStream none;
  EXPECT_THROW(back.WriteData(none), EInvalidGraphicOperation);
  EXPECT_EQ(none.Size(), 0);
  data.SetPosition(0);
  reader.read(data);
  ASSERT_NE(dynamic_cast<TBitmap*>(back.Graphic()), nullptr);
  EXPECT_EQ(back.Graphic()->SaveToBytes(), frame);
}

TEST(Picture, StreamsAJpegImageWithItsOwnBytes) {
  const std::vector<std::uint8_t> photo = test_images::MakeJpeg(24, 24, test_images::JpegKind::Colour);
  TJPEGImage image;
  image.LoadFromBytes(photo);
  TPicture picture;
  picture.SetGraphic(&image);
  TMemoryStream data;
  picture.WriteData(data);
  const std::vector<std::uint8_t> written = StreamBytes(data);
  ASSERT_EQ(written.size(), 1 + 10 + 4 + photo.size());
  EXPECT_EQ(std::memcmp(written.data(), "\x0ATJPEGImage", 11), 0);
  EXPECT_TRUE(std::equal(photo.begin(), photo.end(), written.begin() + 15));

  TPicture back;
  data.SetPosition(0);
  back.ReadData(data);
  EXPECT_EQ(back.Graphic()->SaveToBytes(), photo);
}

TEST(Picture, DamagedStreamDataChangesNothing) {
  auto bytes = [](std::initializer_list<std::uint8_t> values) { return std::vector<std::uint8_t>(values); };
  std::vector<std::uint8_t> lying = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 0x10, 0, 0, 0, 'B', 'M'};
  std::vector<std::uint8_t> badBmp = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 4, 0, 0, 0, 'B', 'M', 0, 0};
  const struct {
    const char* name;
    std::vector<std::uint8_t> data;
    const char* message;
  } cases[] = {
      {"nothing", {}, "truncated"},
      {"class name cut short", bytes({7, 'T', 'B', 'i'}), "truncated"},
      {"an icon", bytes({5, 'T', 'I', 'c', 'o', 'n', 0, 0, 0, 0}), "Unsupported picture format TIcon"},
      {"count larger than the data", lying, "claims 16 bytes but holds 2"},
      {"no count", bytes({7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 1}), "truncated"},
      {"not a bitmap", badBmp, "Invalid BMP image"},
  };
  TPicture picture;
  picture.Bitmap()->SetSize(2, 2);
  TGraphic* before = picture.Graphic();
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TMemoryStream data;
    if (!test.data.empty()) data.WriteBuffer(test.data.data(), std::int64_t(test.data.size()));
    data.SetPosition(0);
    try {
      picture.ReadData(data);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& error) {
      EXPECT_NE(String(error.what()).find(test.message), String::npos) << error.what();
    }
    EXPECT_EQ(picture.Graphic(), before);
  }
}

TEST(Picture, SavingOverAFileReplacesItOnlyWhenTheNewOneIsComplete) {
  TTempFolder folder;
  const String target = folder.File("ページ.jpg");
  WriteFileBytes(target, {1, 2, 3});

  TPicture empty;
  empty.Bitmap();
  EXPECT_THROW(empty.SaveToFile(target), EInvalidGraphicOperation);
  TJPEGImage nothing;
  EXPECT_THROW(nothing.SaveToFile(target), EInvalidGraphicOperation);
  EXPECT_EQ(FileBytes(target), (std::vector<std::uint8_t>{1, 2, 3}));

  auto page = test_support::MakeBitmap(40, 60, clBlue);
  TJPEGImage jpeg;
  jpeg.Assign(page.get());
  jpeg.SetCompressionQuality(100);
  jpeg.SaveToFile(target);
  const std::vector<std::uint8_t> saved = FileBytes(target);
  ASSERT_GT(saved.size(), 100u);
  EXPECT_EQ(saved[0], 0xFF);
  EXPECT_EQ(saved[1], 0xD8);
  TPicture back;
  back.LoadFromFile(target);
  EXPECT_EQ(back.Width(), 40);

  TTempFolder unused;
  EXPECT_THROW(jpeg.SaveToFile(unused.File("no-such-folder\\page.jpg")), EFCreateError);
}

}  // namespace
