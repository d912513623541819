// The designer's clipboard block, checked against its real size.
#include "streaming/ClipboardBlock.h"

#include <cstring>

#include "framework/core/Exception.h"

namespace clipboard_block {

std::span<const std::uint8_t> StreamOf(std::span<const std::uint8_t> block) {
  std::int32_t length = -1;
  if (block.size() >= kHeaderSize) std::memcpy(&length, block.data(), kHeaderSize);
  if (length < 0 || static_cast<std::size_t>(length) > block.size() - kHeaderSize) {
    throw EReadError("The clipboard holds no valid designer data");
  }
  return block.subspan(kHeaderSize, static_cast<std::size_t>(length));
}

}  // namespace clipboard_block
