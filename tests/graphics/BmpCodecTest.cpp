// The BMP reader and writer: every common variant decodes to the same pixels, and damaged or
// hostile files are refused with a clear message.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GraphicErrors.h"
#include "BmpFiles.h"

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
  try {
    DecodeFile(file);
  } catch (const EInvalidGraphic& error) {
    return error.what();
  }
  return "accepted";
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
  file.palette = {RGBQUAD{255, 255, 255, 0}};  // one entry; the second pixel uses index 200
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
  EXPECT_EQ(std::memcmp(back.format.palette.data(), format.palette.data(), 16 * sizeof(RGBQUAD)), 0);
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

// The corpus of damaged and hostile files: each is refused with a message that names the fault.
TEST(BmpDecoder, RefusesDamagedAndHostileFiles) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> file;
    const char* message;
  };
  auto with = [](auto change) {
    BmpFile file(test_images::kWidth, test_images::kHeight, 24);
    change(file);
    return file.Build(test_images::Rows24(file));
  };
  auto rle8 = [](std::vector<std::uint8_t> data) {
    BmpFile file(4, 2, 8);
    file.compression = BI_RLE8;
    file.palette = test_images::Greys(8);
    return file.Build(data);
  };
  std::vector<std::uint8_t> valid = test_images::Direct24(false);
  auto truncated = [&](std::size_t size) { return std::vector<std::uint8_t>(valid.begin(), valid.begin() + size); };
  auto patched32 = [&](std::size_t at, std::uint32_t value) {
    std::vector<std::uint8_t> file = valid;
    std::memcpy(file.data() + at, &value, 4);
    return file;
  };

  const Case cases[] = {
      {"empty", {}, "too short"},
      {"signature only", {'B', 'M'}, "too short"},
      {"not a bitmap", patched32(0, 0x474E5089), "does not start with \"BM\""},
      {"header size 0", patched32(14, 0), "unknown header size 0"},
      {"header size past the file", patched32(14, 1000), "truncated inside its header"},
      {"zero width", with([](BmpFile& f) { f.width = 0; }), "no pixels"},
      {"negative width", with([](BmpFile& f) { f.width = -5; }), "no pixels"},
      {"zero height", with([](BmpFile& f) { f.height = 0; }), "no pixels"},
      {"height INT_MIN", with([](BmpFile& f) { f.height = INT32_MIN; }), "height is out of range"},
      {"gigapixel claim", with([](BmpFile& f) { f.width = 60000, f.height = 60000; }), "too large"},
      {"width past the limit", with([](BmpFile& f) { f.width = 70000, f.height = 1; }), "too large"},
      {"two planes", with([](BmpFile& f) { f.planes = 2; }), "plane count"},
      {"7 bits per pixel", with([](BmpFile& f) { f.bitCount = 7; }), "not valid"},
      {"embedded JPEG", with([](BmpFile& f) { f.compression = BI_JPEG; }), "unsupported compression 4"},
      {"RLE8 with 4 bits", with([](BmpFile& f) { f.bitCount = 4, f.compression = BI_RLE8; }), "not valid"},
      {"top-down RLE", with([](BmpFile& f) { f.bitCount = 8, f.compression = BI_RLE8, f.height = -2; }),
       "cannot be top-down"},
      {"pixel offset past the end", patched32(10, 0x7FFFFFF0), "past the end of the file"},
      {"pixel offset into the headers", patched32(10, 20), "points into the headers"},
      {"pixel data cut short", truncated(valid.size() - 1), "pixel data is truncated"},
      {"file cut inside the header", truncated(30), "truncated"},
      {"palette past the end", test_images::PaletteOverrun(), "palette runs past the end"},
      {"mask with a gap", test_images::Direct32(test_images::Masks::WithGap), "not one run of bits"},
      {"all masks empty", test_images::Direct32(test_images::Masks::Empty), "all colour masks are empty"},
      {"RLE without an end mark", rle8({2, 1, 0, 0, 2, 1}), "without an end-of-bitmap mark"},
      {"RLE delta outside", rle8({0, 2, 200, 0, 0, 1}), "delta moves outside"},
      {"RLE past the last row", rle8({0, 0, 0, 0, 1, 1, 0, 1}), "past the last row"},
      {"RLE literal cut short", rle8({0, 9, 1, 2}), "without an end-of-bitmap mark"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::string refusal = RefusalOf(test.file);
    EXPECT_NE(refusal.find("Invalid BMP image: "), std::string::npos) << refusal;
    EXPECT_NE(refusal.find(test.message), std::string::npos) << refusal;
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
