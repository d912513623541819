// The BMP reader and writer: every common variant decodes to the same pixels, and damaged or
// hostile files are refused with a clear message.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GraphicErrors.h"
#include "BmpFiles.h"
#include "tests/support/Raised.h"

namespace {

using bmp::Decoder;
using test_images::BmpFile;
using test_images::ColorAt;
using test_images::ReferenceAt;
using test_images::Rgb;

// A decoded image and its pixels, resolved to RGB.
struct Decoded {
  bmp::DibFormat format;
  std::vector<std::uint8_t> bits;
  Rgb At(int x, int y) const { return ColorAt(format, bits.data(), x, y); }
};

Decoded DecodeFile(const std::vector<std::uint8_t>& file) {
  Decoder decoder(file);
  Decoded result{decoder.Format(), std::vector<std::uint8_t>(decoder.Format().ImageBytes())};
  decoder.ReadPixels(result.bits.data());
  return result;
}

void ExpectPixels(const Decoded& image, Rgb (*expected)(int x, int y)) {
  ASSERT_EQ(image.format.width, test_images::kWidth);
  ASSERT_EQ(image.format.height, test_images::kHeight);
  for (int y = 0; y < test_images::kHeight; ++y)
    for (int x = 0; x < test_images::kWidth; ++x)
      EXPECT_EQ(image.At(x, y), expected(x, y)) << "pixel " << x << "," << y;
}

std::string RefusalOf(const std::vector<std::uint8_t>& file) {
  return test_support::MessageRaised<EInvalidGraphic>([&] { DecodeFile(file); }, "accepted");
}

TEST(BmpDecoder, EveryCommonVariantGivesTheSamePixels) {
  struct Variant {
    const char* name;
    std::vector<std::uint8_t> file;
    int bitCount;
    Rgb (*expected)(int x, int y) = ReferenceAt;
  };
  const Variant variants[] = {
      {"1 bit", test_images::OneBit(), 1, test_images::OneBitAt},
      {"4 bits", test_images::Indexed(4), 4},
      {"8 bits", test_images::Indexed(8), 8},
      {"8 bits, short palette", test_images::Indexed(8, /*colorsUsed=*/8), 8},
      {"8 bits, top-down", test_images::Indexed(8, 0, /*topDown=*/true), 8},
      {"16 bits 5-5-5", test_images::Direct16(false), 24},
      {"16 bits 5-6-5 bit fields", test_images::Direct16(true), 24},
      {"24 bits", test_images::Direct24(false), 24},
      {"24 bits, top-down", test_images::Direct24(true), 24},
      {"32 bits", test_images::Direct32(test_images::Masks::None), 32},
      {"32 bits, bit fields after the header", test_images::Direct32(test_images::Masks::AfterHeader), 32},
      {"32 bits, bit fields in a V5 header", test_images::Direct32(test_images::Masks::InV5Header), 32},
      {"RLE8", test_images::Rle8(), 8},
      {"RLE4", test_images::Rle4(), 4},
      {"OS/2 core header", test_images::Core8(), 8},
  };
  for (const Variant& variant : variants) {
    SCOPED_TRACE(variant.name);
    Decoded image = DecodeFile(variant.file);
    EXPECT_EQ(image.format.bitCount, variant.bitCount);
    ExpectPixels(image, variant.expected);
  }
}

TEST(BmpDecoder, RunLengthDeltaSkipsPixelsAsIndexZero) {
  // 4 x 2: row 0 "1 _ _ 2" through a delta, row 1 a literal run of three and one pixel dropped.
  std::vector<std::uint8_t> rle = {1, 1, 0, 2, 2, 0, 1, 2, 0, 0, 0, 3, 3, 4, 5, 0, 2, 6, 0, 1};
  BmpFile file(4, 2, 8);
  file.compression = BI_RLE8;
  file.palette = test_images::Greys(8);
  Decoded image = DecodeFile(file.Build(rle));
  const std::uint8_t expected[2][4] = {{1, 0, 0, 2}, {3, 4, 5, 6}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.bits[image.format.Stride() * y + x], expected[y][x]);
}

TEST(BmpDecoder, PaletteIndicesPastAShortPaletteShowBlack) {
  BmpFile file(2, 1, 8);
  file.palette = {bmp::PaletteEntry{255, 255, 255, 0}};  // one entry; the second pixel uses index 200
  Decoded image = DecodeFile(file.Build({0, 200, 0, 0}));
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 0, 0}));
}

TEST(BmpEncoder, WritesThe4BitLayoutOfThePageFrames) {
  bmp::DibFormat format{200, 150, 4, test_images::Greys(4)};
  std::vector<std::uint8_t> bits(format.ImageBytes());
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = std::uint8_t(i * 7);
  std::vector<std::uint8_t> file = bmp::Encode(format, bits.data());

  ASSERT_EQ(file.size(), 15118u);
  std::uint32_t offBits;
  std::memcpy(&offBits, file.data() + 10, 4);
  EXPECT_EQ(offBits, 118u);
  Decoded back = DecodeFile(file);
  EXPECT_EQ(back.format.bitCount, 4);
  EXPECT_EQ(back.bits, bits);
  ASSERT_EQ(back.format.palette.size(), 16u);
  EXPECT_EQ(std::memcmp(back.format.palette.data(), format.palette.data(), 16 * sizeof(bmp::PaletteEntry)), 0);
}

TEST(BmpEncoder, RoundTripsDirectColourFormats) {
  for (int bitCount : {24, 32}) {
    bmp::DibFormat format{7, 3, bitCount, {}};
    std::vector<std::uint8_t> bits(format.ImageBytes());
    for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = std::uint8_t(i * 13 + 1);
    Decoded back = DecodeFile(bmp::Encode(format, bits.data()));
    EXPECT_EQ(back.format.bitCount, bitCount);
    EXPECT_EQ(back.bits, bits);
  }
}

TEST(BmpDecoder, RefusesEveryTruncationOfAValidFile) {
  for (const std::vector<std::uint8_t>& valid : {test_images::Indexed(4), test_images::Rle8(), test_images::Rle4()}) {
    for (std::size_t size = 0; size < valid.size(); ++size) {
      std::vector<std::uint8_t> part(valid.begin(), valid.begin() + size);
      EXPECT_NE(RefusalOf(part), "accepted") << "accepted the first " << size << " bytes";
    }
  }
}

}  // namespace
