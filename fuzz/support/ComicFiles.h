// The smallest JPEG file header that carries a comic's segments: start of image, the segments
// that hold `stream`, end of image. For the comic target's round trip and its seeds.
#pragma once

#include <cstdint>
#include <vector>

#include "app/comic/ComicSegments.h"

namespace fuzz_support {

inline std::vector<std::uint8_t> HeaderWithSegments(const std::vector<std::uint8_t>& stream) {
  std::vector<std::uint8_t> file{0xFF, 0xD8};
  for (const std::vector<std::uint8_t>& payload : comic::SplitIntoSegments(stream)) {
    const std::size_t length = payload.size() + 2;
    file.insert(file.end(), {0xFF, static_cast<std::uint8_t>(comic::kSegmentMarker),
                             static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length & 0xFF)});
    file.insert(file.end(), payload.begin(), payload.end());
  }
  file.insert(file.end(), {0xFF, 0xD9});
  return file;
}

}  // namespace fuzz_support
