// The editable page a saved comic carries inside its JPEG file: a component stream cut into
// application segments behind the program's signature, and put back together. Depends on the
// framework's core alone (no windows.h), so it also builds natively for fuzzing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/core/Exception.h"

namespace comic {

// APP10: no common reader gives it a meaning, so every other program skips it.
inline constexpr int kSegmentMarker = 0xEA;
inline constexpr std::uint8_t kVersion = 1;
// The signature, version, index, count, stream length and CRC-32 in front of each chunk.
inline constexpr std::size_t kSegmentHeaderSize = 21;
// A JPEG segment holds at most 65,533 bytes after its length field.
inline constexpr std::size_t kMaxSegmentPayload = 65533;
inline constexpr std::size_t kMaxChunk = kMaxSegmentPayload - kSegmentHeaderSize;
// Far beyond a page of reduced photos; a larger claim is damage, not a comic.
inline constexpr std::size_t kMaxStreamSize = 64u << 20;

enum class TSegmentFault {
  NotJpeg,       // the file is no JPEG at all
  Missing,       // a JPEG without the program's segments (foreign ones are skipped)
  NewerVersion,  // written by a later version of the program
  Damaged,       // segments missing, repeated, out of order, cut short or not matching their checksum
};

class EComicSegments : public EReadError {
 public:
  EComicSegments(TSegmentFault fault, const String& reason) : EReadError(reason), fault_(fault) {}
  TSegmentFault Fault() const { return fault_; }

 private:
  TSegmentFault fault_;
};

// The payloads (everything after the length field) of the segments that carry `stream`, in
// order; each fits one segment. EComicSegments (Damaged) when the stream is too large.
std::vector<std::vector<std::uint8_t>> SplitIntoSegments(std::span<const std::uint8_t> stream);

// The stream carried by the comic segments in the header of a whole JPEG file. Every segment is
// checked against the others and the stream against its checksum before anything is returned;
// any fault raises EComicSegments.
std::vector<std::uint8_t> ExtractStream(std::span<const std::uint8_t> jpegFile);

}  // namespace comic
