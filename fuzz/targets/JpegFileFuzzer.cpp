// Fuzz target: a JPEG file dropped on a frame, decoded as loading does (at one eighth) and as a
// frame draws it (the scale that covers 200 x 150).
#include <vector>

#include "framework/core/Exception.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/JpegCodec.h"

namespace {

// The program takes pictures up to bmp::kMaxPixelBytes; decoding that much garbage per input
// would spend the fuzzer's time on memset instead of on the decoder's paths.
constexpr std::size_t kFuzzMaxPixelBytes = std::size_t(16) << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> rows;
  const jpeg::RowsAllocator allocate = [&rows](int width, int height) {
    const std::size_t bytes = bmp::DibStride(width, 24) * std::size_t(height);
    if (bytes > kFuzzMaxPixelBytes) throw Exception("larger than the fuzzer decodes");
    rows.assign(bytes, 0);
    return rows.data();
  };
  try {
    const jpeg::Header header = jpeg::Decode({data, size}, 1, allocate);
    const int eighths = jpeg::ScaleToCover(header, 200, 150);
    if (eighths > 1) jpeg::Decode({data, size}, eighths, allocate);
  } catch (const Exception&) {
  }
  return 0;
}
