// The libjpeg wrapper: every kind of stream decodes upright in the right colours at every DCT
// scale, encoding round-trips, and damaged streams raise instead of ending the process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GraphicErrors.h"
#include "framework/graphics/JpegCodec.h"
#include "JpegFiles.h"
#include "tests/support/Raised.h"

namespace {

using test_images::JpegKind;
using test_images::JpegPicture;
using test_images::MakeJpeg;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;  // bottom-up BGR

  // Blue, green, red at (x, y), y from the top.
  const std::uint8_t* At(int x, int y) const {
    return bits.data() + bmp::DibStride(width, 24) * std::size_t(height - 1 - y) + 3 * x;
  }
};

Image Decode(const std::vector<std::uint8_t>& file, int eighths, jpeg::Header* header = nullptr) {
  Image image;
  jpeg::Header read = jpeg::Decode(file, eighths, [&image](int width, int height) {
    image.width = width;
    image.height = height;
    image.bits.resize(bmp::DibStride(width, 24) * height);
    return image.bits.data();
  });
  if (header) *header = read;
  return image;
}

void ExpectNear(const std::uint8_t* bgr, int r, int g, int b, const char* where) {
  EXPECT_NEAR(bgr[2], r, 12) << where;
  EXPECT_NEAR(bgr[1], g, 12) << where;
  EXPECT_NEAR(bgr[0], b, 12) << where;
}

// MakeJpeg's picture: red top, blue bottom, white left column (grey: light top, dark bottom).
void ExpectTestPicture(const Image& image, JpegKind kind) {
  const int middle = image.width / 2;
  if (kind == JpegKind::Grey) {
    ExpectNear(image.At(middle, 1), 200, 200, 200, "top");
    ExpectNear(image.At(middle, image.height - 2), 40, 40, 40, "bottom");
    return;
  }
  ExpectNear(image.At(middle, 1), 255, 0, 0, "top");
  ExpectNear(image.At(middle, image.height - 2), 0, 0, 255, "bottom");
}

std::string RefusalOf(const std::vector<std::uint8_t>& file) {
  return test_support::MessageRaised<EInvalidGraphic>([&] { Decode(file, 8); }, "accepted");
}

TEST(JpegDecode, EveryKindDecodesUprightInItsColours) {
  const struct {
    const char* name;
    JpegKind kind;
  } kinds[] = {{"baseline", JpegKind::Colour}, {"progressive", JpegKind::Progressive}, {"grey", JpegKind::Grey},
               {"CMYK", JpegKind::Cmyk}, {"YCCK", JpegKind::Ycck}};
  for (const auto& entry : kinds) {
    SCOPED_TRACE(entry.name);
    std::vector<std::uint8_t> file = MakeJpeg(64, 48, entry.kind);
    jpeg::Header header;
    Image image = Decode(file, 8, &header);
    EXPECT_EQ(header.width, 64);
    EXPECT_EQ(header.height, 48);
    const bool fourChannels = entry.kind == JpegKind::Cmyk || entry.kind == JpegKind::Ycck;
    EXPECT_EQ(header.components, entry.kind == JpegKind::Grey ? 1 : fourChannels ? 4 : 3);
    EXPECT_EQ(header.progressive, entry.kind == JpegKind::Progressive);
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 48);
    ExpectTestPicture(image, entry.kind);
  }
}

TEST(JpegDecode, DctScalingGivesTheScaledSizesAndTheSamePicture) {
  std::vector<std::uint8_t> file = MakeJpeg(100, 60, JpegKind::Colour);
  for (int eighths = 1; eighths <= 8; ++eighths) {
    SCOPED_TRACE(eighths);
    Image image = Decode(file, eighths);
    EXPECT_EQ(image.width, (100 * eighths + 7) / 8);
    EXPECT_EQ(image.height, (60 * eighths + 7) / 8);
    ExpectTestPicture(image, JpegKind::Colour);
  }
}

// A scaled decode of a multi-scan stream keeps only the coefficients the scaled transform reads:
// at every scale it must still give exactly the pixels of the same picture sent in one scan.
TEST(JpegDecode, MultiScanStreamsDecodeAsTheSequentialOneAtEveryScale) {
  constexpr int kWidth = 100, kHeight = 70, kQuality = 90, kSlowScriptBits = 3;
  const std::vector<std::uint8_t> sequential =
      MakeJpeg(kWidth, kHeight, JpegKind::Colour, kQuality, kSlowScriptBits, JpegPicture::Detailed);
  const struct {
    JpegKind kind;
    const char* name;
  } kinds[] = {{JpegKind::Progressive, "progressive"},
               {JpegKind::ManyScans, "a scan per coefficient and bit"},
               {JpegKind::ComponentScans, "sequential, a scan per component"}};
  for (const auto& [kind, name] : kinds) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> multiScan =
        MakeJpeg(kWidth, kHeight, kind, kQuality, kSlowScriptBits, JpegPicture::Detailed);
    for (int eighths = 1; eighths <= 8; ++eighths) {
      SCOPED_TRACE(eighths);
      EXPECT_EQ(Decode(multiScan, eighths).bits, Decode(sequential, eighths).bits);
    }
  }
}

TEST(JpegDecode, ScaleToCoverPicksTheSmallestScaleThatFills) {
  EXPECT_EQ(jpeg::ScaleToCover({6000, 4000, 3, false}, 200, 150), 1);  // 750 x 500
  EXPECT_EQ(jpeg::ScaleToCover({400, 600, 3, false}, 200, 150), 4);    // 200 x 300
  EXPECT_EQ(jpeg::ScaleToCover({401, 600, 3, false}, 201, 150), 4);    // 4/8 rounds 200.5 up to 201
  EXPECT_EQ(jpeg::ScaleToCover({401, 600, 3, false}, 202, 150), 5);
  EXPECT_EQ(jpeg::ScaleToCover({1600, 1200, 3, false}, 200, 151), 2);  // height decides
  EXPECT_EQ(jpeg::ScaleToCover({100, 100, 3, false}, 400, 400), 8);    // never above full size
  EXPECT_EQ(jpeg::ScaledSize(401, 4), 201);
}

TEST(JpegEncode, RoundTripsBottomUpAndTopDownRowsOfBothWidths) {
  const int width = 40, height = 30;
  for (int bitCount : {24, 32}) {
    for (bool bottomUp : {true, false}) {
      SCOPED_TRACE(std::to_string(bitCount) + (bottomUp ? " bottom-up" : " top-down"));
      const std::size_t stride = bmp::DibStride(width, bitCount);
      std::vector<std::uint8_t> bits(stride * height);
      for (int y = 0; y < height; ++y) {  // y from the top: green above, red below
        int stored = bottomUp ? height - 1 - y : y;
        for (int x = 0; x < width; ++x) {
          std::uint8_t* pixel = bits.data() + stride * stored + x * (bitCount / 8);
          pixel[0] = 0, pixel[1] = y < height / 2 ? 255 : 0, pixel[2] = y < height / 2 ? 0 : 255;
        }
      }
      std::vector<std::uint8_t> file = jpeg::Encode({bits.data(), width, height, bitCount, stride, bottomUp}, 100);
      Image image = Decode(file, 8);
      ASSERT_EQ(image.width, width);
      ExpectNear(image.At(20, 2), 0, 255, 0, "top");
      ExpectNear(image.At(20, height - 3), 255, 0, 0, "bottom");
    }
  }
}

TEST(JpegEncode, QualityChangesTheSize) {
  std::vector<std::uint8_t> bits(bmp::DibStride(64, 24) * 64);
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = std::uint8_t((i * 2654435761u) >> 13);
  jpeg::Pixels pixels{bits.data(), 64, 64, 24, bmp::DibStride(64, 24), true};
  EXPECT_GT(jpeg::Encode(pixels, 100).size(), jpeg::Encode(pixels, 50).size() * 3 / 2);
}

TEST(JpegEncode, RefusesAnImpossibleSize) {
  std::uint8_t pixel[4] = {};
  EXPECT_THROW(jpeg::Encode({pixel, 0, 1, 24, 4, true}, 75), EInvalidGraphic);
  EXPECT_THROW(jpeg::Encode({pixel, 70000, 1, 24, 4, true}, 75), EInvalidGraphic);
}

TEST(JpegDecode, RefusesEveryTruncation) {
  const std::vector<std::uint8_t> valid = MakeJpeg(32, 16, JpegKind::Colour, 75);
  for (std::size_t size = 0; size + 2 < valid.size(); size += 7) {
    std::vector<std::uint8_t> part(valid.begin(), valid.begin() + size);
    EXPECT_NE(RefusalOf(part), "accepted") << "accepted the first " << size << " of " << valid.size() << " bytes";
  }
}

TEST(JpegDecode, RefusesStreamsOfMoreScansThanAnyEncoderWrites) {
  Image fine = Decode(MakeJpeg(16, 16, JpegKind::ManyScans, 95, 4), 8);  // 950 scans
  ExpectTestPicture(fine, JpegKind::Colour);
  EXPECT_EQ(RefusalOf(MakeJpeg(16, 16, JpegKind::ManyScans, 95, 5)),  // 1140 scans
            "Invalid JPEG image: more than 1000 scans");
}

TEST(JpegDecode, RefusesAHugeImageBeforeAllocatingIt) {
  std::vector<std::uint8_t> file = MakeJpeg(16, 16, JpegKind::Colour);
  std::size_t sof = 0;
  while (!(file[sof] == 0xFF && file[sof + 1] == 0xC0)) ++sof;
  file[sof + 5] = 0xFF, file[sof + 6] = 0xDC;  // 65500 high
  file[sof + 7] = 0xFF, file[sof + 8] = 0xDC;  // 65500 wide
  bool allocated = false;
  try {
    jpeg::Decode(file, 8, [&allocated](int, int) -> std::uint8_t* {
      allocated = true;
      throw std::bad_alloc();
    });
    FAIL() << "decoded a 65500 x 65500 image";
  } catch (const EInvalidGraphic& error) {
    EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(allocated);
}

}  // namespace
