/// @file
/// The designer's clipboard block: the stream's length as 32 bits, then the component stream. The
/// block comes from whichever program last set the designer's clipboard format.
#pragma once

#include <cstdint>
#include <span>

namespace clipboard_block {

constexpr std::size_t kHeaderSize = sizeof(std::int32_t);  ///< the length field before the stream, in bytes

/// The stream a block holds; EReadError when its stored length does not fit the block.
std::span<const std::uint8_t> StreamOf(std::span<const std::uint8_t> block);

}  // namespace clipboard_block
