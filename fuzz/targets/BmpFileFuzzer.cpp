// Fuzz target: a BMP file dropped on a frame or held in a layout's picture data. A file the
// decoder takes must encode and decode again to the same pixels.
#include <cstring>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/graphics/BmpCodec.h"
#include "fuzz/support/FuzzChecks.h"

namespace {

// A few kilobytes of run-length data may describe an image of hundreds of megabytes, which the
// program takes (up to bmp::kMaxPixelBytes). Clearing, encoding and decoding that much per input
// spends the time budget on memset; larger images are checked, not decoded.
constexpr std::size_t kFuzzMaxPixelBytes = std::size_t(16) << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> pixels;
  bmp::DibFormat format;
  try {
    const bmp::Decoder decoder({data, size});
    format = decoder.Format();
    if (format.ImageBytes() > kFuzzMaxPixelBytes) return 0;
    pixels.resize(format.ImageBytes());
    decoder.ReadPixels(pixels.data());
  } catch (const Exception&) {
    return 0;
  }
  const std::vector<std::uint8_t> file = bmp::Encode(format, pixels.data());
  const bmp::Decoder again(file);
  std::vector<std::uint8_t> back(again.Format().ImageBytes());
  again.ReadPixels(back.data());
  fuzz_support::Require(back == pixels, "a decoded BMP file encodes to the same pixels");
  return 0;
}
