// Comic segments: the header of each chunk, the walk over a JPEG file's segments up to its image
// data, and the checks that make reassembly all or nothing.
#include "app/comic/ComicSegments.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace comic {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature{'T', 'a', 'v', 'e', 'l', 'k', 'o', 0};

// Offsets in a segment's payload.
constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kIndexAt = 9;
constexpr std::size_t kCountAt = 11;
constexpr std::size_t kLengthAt = 13;
constexpr std::size_t kChecksumAt = 17;

constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutBE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(std::uint8_t(value >> (8 * i)));
}

std::uint32_t GetBE(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[at + std::size_t(i)];
  return value;
}

[[noreturn]] void Fail(TSegmentFault fault, const char* reason) { throw EComicSegments(fault, reason); }

// One of our segments, as its header says.
struct TChunk {
  std::uint16_t index;
  std::uint16_t count;
  std::uint32_t length;
  std::uint32_t checksum;
  std::span<const std::uint8_t> data;
};

bool IsOurs(std::span<const std::uint8_t> payload) {
  return payload.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), payload.begin());
}

TChunk ReadChunk(std::span<const std::uint8_t> payload) {
  if (payload.size() < kSegmentHeaderSize) Fail(TSegmentFault::Damaged, "a comic segment is shorter than its header");
  const std::uint8_t version = payload[kVersionAt];
  if (version > kVersion) Fail(TSegmentFault::NewerVersion, "the comic was saved by a newer version");
  if (version != kVersion) Fail(TSegmentFault::Damaged, "a comic segment has no valid version");
  return TChunk{std::uint16_t(GetBE(payload, kIndexAt, 2)), std::uint16_t(GetBE(payload, kCountAt, 2)),
                GetBE(payload, kLengthAt, 4), GetBE(payload, kChecksumAt, 4), payload.subspan(kSegmentHeaderSize)};
}

// The payloads of our segments in file order, up to the image data.
std::vector<std::span<const std::uint8_t>> OurSegments(std::span<const std::uint8_t> file) {
  if (file.size() < 2 || file[0] != 0xFF || file[1] != kStartOfImage)
    Fail(TSegmentFault::NotJpeg, "the file is not a JPEG image");
  std::vector<std::span<const std::uint8_t>> ours;
  std::size_t at = 2;
  for (;;) {
    if (at >= file.size() || file[at] != 0xFF) Fail(TSegmentFault::Damaged, "the JPEG header is cut short or damaged");
    while (at < file.size() && file[at] == 0xFF) ++at;  // fill bytes
    if (at >= file.size()) Fail(TSegmentFault::Damaged, "the JPEG header is cut short");
    const std::uint8_t marker = file[at++];
    if (marker == kStartOfScan || marker == kEndOfImage) return ours;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // markers without a length
    if (file.size() - at < 2) Fail(TSegmentFault::Damaged, "the JPEG header is cut short");
    const std::size_t length = GetBE(file, at, 2);
    if (length < 2 || length > file.size() - at) Fail(TSegmentFault::Damaged, "a JPEG segment claims more data than the file holds");
    const std::span<const std::uint8_t> payload = file.subspan(at + 2, length - 2);
    if (marker == kSegmentMarker && IsOurs(payload)) ours.push_back(payload);
    at += length;
  }
}

}  // namespace

std::vector<std::vector<std::uint8_t>> SplitIntoSegments(std::span<const std::uint8_t> stream) {
  if (stream.size() > kMaxStreamSize) Fail(TSegmentFault::Damaged, "the page is too large to be saved with the comic");
  const std::size_t count = std::max<std::size_t>(1, (stream.size() + kMaxChunk - 1) / kMaxChunk);
  const std::uint32_t checksum = Crc32(stream);
  std::vector<std::vector<std::uint8_t>> segments;
  segments.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::span<const std::uint8_t> chunk = stream.subspan(i * kMaxChunk, std::min(kMaxChunk, stream.size() - i * kMaxChunk));
    std::vector<std::uint8_t> payload(kSignature.begin(), kSignature.end());
    payload.push_back(kVersion);
    PutBE(payload, std::uint32_t(i), 2);
    PutBE(payload, std::uint32_t(count), 2);
    PutBE(payload, std::uint32_t(stream.size()), 4);
    PutBE(payload, checksum, 4);
    payload.insert(payload.end(), chunk.begin(), chunk.end());
    segments.push_back(std::move(payload));
  }
  return segments;
}

std::vector<std::uint8_t> ExtractStream(std::span<const std::uint8_t> jpegFile) {
  const std::vector<std::span<const std::uint8_t>> segments = OurSegments(jpegFile);
  if (segments.empty()) Fail(TSegmentFault::Missing, "the JPEG file holds no editable comic");
  const TChunk first = ReadChunk(segments.front());
  if (first.count != segments.size()) Fail(TSegmentFault::Damaged, "comic segments are missing or repeated");
  const std::size_t fullChunks = std::size_t(first.count) - 1;  // every chunk but the last is full
  if (first.length > kMaxStreamSize || first.length > std::size_t(first.count) * kMaxChunk ||
      (fullChunks > 0 && first.length <= fullChunks * kMaxChunk))
    Fail(TSegmentFault::Damaged, "the comic segments claim a length they cannot hold");
  std::vector<std::uint8_t> stream;
  stream.reserve(first.length);
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const TChunk chunk = ReadChunk(segments[i]);
    if (chunk.index != i) Fail(TSegmentFault::Damaged, "the comic segments are out of order");
    if (chunk.count != first.count || chunk.length != first.length || chunk.checksum != first.checksum)
      Fail(TSegmentFault::Damaged, "the comic segments do not belong together");
    const std::size_t expected = std::min(kMaxChunk, std::size_t(first.length) - i * kMaxChunk);
    if (chunk.data.size() != expected) Fail(TSegmentFault::Damaged, "a comic segment holds more or less data than it claims");
    stream.insert(stream.end(), chunk.data.begin(), chunk.data.end());
  }
  if (Crc32(stream) != first.checksum) Fail(TSegmentFault::Damaged, "the comic data does not match its checksum");
  return stream;
}

}  // namespace comic
