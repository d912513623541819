/// @file
/// Decoding and encoding JPEG data in memory through libjpeg; its failures become EInvalidGraphic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

/// The JPEG codec under TJPEGImage (which most programs use instead): libjpeg over memory buffers.
namespace jpeg {

/// What the frame header of a JPEG stream says.
struct Header {
  int width = 0;   ///< Full size in pixels.
  int height = 0;  ///< Full size in pixels.
  int components = 0;  ///< 1 grey, 3 colour, 4 CMYK or YCCK
  bool progressive = false;  ///< Multi-scan (progressive) rather than baseline or sequential.
};

/// What the stream's frame header says; EInvalidGraphic when it cannot be read.
Header ReadHeader(std::span<const std::uint8_t> data);

/// The smallest DCT scale, in eighths (1..8), whose decoded image covers width x height; 8 when
/// even the full size does not.
int ScaleToCover(const Header& header, int width, int height);

/// The size of the image decoded at scale eighths.
int ScaledSize(int size, int eighths);

/// Where decoded pixels go: called once with the output size, it returns bottom-up 24-bit BGR rows
/// of DibStride(width, 24) bytes each. It may throw; nothing is decoded then.
using RowsAllocator = std::function<std::uint8_t*(int width, int height)>;

/// Decodes the whole stream at scale eighths (baseline, progressive, grey, RGB, CMYK, YCCK). A
/// truncated stream or corrupt data is an error, not a grey remainder.
Header Decode(std::span<const std::uint8_t> data, int eighths, const RowsAllocator& allocate);

/// Pixels to compress: rows of 24-bit BGR or 32-bit BGRX.
struct Pixels {
  const std::uint8_t* bits = nullptr;  ///< First row in memory; not owned.
  int width = 0;   ///< Pixels a row, 1..65500.
  int height = 0;  ///< Rows, 1..65500.
  int bitCount = 24;  ///< 24 or 32
  std::size_t stride = 0;  ///< Bytes from one row to the next in memory.
  bool bottomUp = true;    ///< The first row in memory is the bottom one (as in a DIB).
};

/// An application segment (marker 0xE0..0xEF) and its payload of at most 65,533 bytes.
struct AppSegment {
  int marker = 0;  ///< JPEG_APP0 (0xE0) .. 0xEF; Encode raises EInvalidGraphic for others.
  std::vector<std::uint8_t> payload;  ///< The bytes after the segment's length field.
};

/// A baseline JPEG file of the pixels at quality 1..100, otherwise libjpeg's default parameters;
/// `segments` follow the JFIF header in their order.
std::vector<std::uint8_t> Encode(const Pixels& pixels, int quality, std::span<const AppSegment> segments = {});

}  // namespace jpeg
