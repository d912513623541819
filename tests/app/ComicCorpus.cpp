// Damaged comics, made from a good one by cutting and changing bytes where the segments lie.
#include "tests/app/ComicCorpus.h"

#include <algorithm>

#include "app/comic/ComicSegments.h"

namespace comic_corpus {
namespace {

// Offsets in a segment: the marker (2 bytes), the length (2), then the payload's header.
constexpr std::size_t kPayloadAt = 4;
constexpr std::size_t kCountAt = kPayloadAt + 11;
constexpr std::size_t kIndexAt = kPayloadAt + 9;
constexpr std::size_t kLengthAt = kPayloadAt + 13;
constexpr std::size_t kDataAt = kPayloadAt + comic::kSegmentHeaderSize;

Bytes Without(const Bytes& file, TSegmentSpan span) {
  Bytes out(file.begin(), file.begin() + std::ptrdiff_t(span.offset));
  out.insert(out.end(), file.begin() + std::ptrdiff_t(span.offset + span.size), file.end());
  return out;
}

Bytes Slice(const Bytes& file, TSegmentSpan span) {
  return Bytes(file.begin() + std::ptrdiff_t(span.offset), file.begin() + std::ptrdiff_t(span.offset + span.size));
}

}  // namespace

std::vector<TSegmentSpan> ComicSegmentSpans(const Bytes& file) {
  std::vector<TSegmentSpan> spans;
  for (std::size_t at = 2; at + 4 <= file.size() && file[at] == 0xFF && file[at + 1] != 0xDA;) {
    const std::size_t size = 2 + ((std::size_t(file[at + 2]) << 8) | file[at + 3]);
    if (file[at + 1] == comic::kSegmentMarker && size > kPayloadAt + 7 && file[at + kPayloadAt] == 'T')
      spans.push_back({at, size});
    at += size;
  }
  return spans;
}

std::vector<TDamaged> DamagedCopies(const Bytes& file) {
  const std::vector<TSegmentSpan> spans = ComicSegmentSpans(file);
  std::vector<TDamaged> copies;
  for (std::size_t s = 0; s < spans.size(); ++s) {
    const TSegmentSpan span = spans[s];
    const String which = "segment " + IntToStr(int(s));
    for (std::size_t cut : {span.offset, span.offset + 2, span.offset + kDataAt, span.offset + span.size - 1})
      copies.push_back({which + " cut at " + IntToStr(int(cut)), Bytes(file.begin(), file.begin() + std::ptrdiff_t(cut))});
    for (std::size_t i = kPayloadAt; i < span.size; i += i < kDataAt ? 1 : std::max<std::size_t>(1, span.size / 40)) {
      Bytes flipped = file;
      flipped[span.offset + i] ^= 0x5A;
      copies.push_back({which + " byte " + IntToStr(int(i)) + " flipped", flipped});
    }
    Bytes recounted = file;
    recounted[span.offset + kCountAt + 1] += 1;
    copies.push_back({which + " counts one segment more", recounted});
    Bytes reindexed = file;
    reindexed[span.offset + kIndexAt + 1] ^= 1;
    copies.push_back({which + " has another index", reindexed});
    copies.push_back({which + " missing", Without(file, span)});
    Bytes repeated = file;
    const Bytes copy = Slice(file, span);
    repeated.insert(repeated.begin() + std::ptrdiff_t(span.offset), copy.begin(), copy.end());
    copies.push_back({which + " repeated", repeated});
    // The stream length claims more than the segments hold.
    Bytes overclaimed = file;
    overclaimed[span.offset + kLengthAt + 3] += 1;
    copies.push_back({which + " claims more data than it holds", overclaimed});
    // The segment's length field claims more: the file reads on into what follows.
    if (span.size + 16 <= 0xFFFF) {
      Bytes overlong = file;
      overlong[span.offset + 2] = std::uint8_t((span.size + 14) >> 8);
      overlong[span.offset + 3] = std::uint8_t(span.size + 14);
      copies.push_back({which + " reaches into what follows", overlong});
    }
  }
  if (spans.size() >= 2) {
    Bytes swapped(file.begin(), file.begin() + std::ptrdiff_t(spans[0].offset));
    const Bytes first = Slice(file, spans[0]), second = Slice(file, spans[1]);
    swapped.insert(swapped.end(), second.begin(), second.end());
    swapped.insert(swapped.end(), first.begin(), first.end());
    swapped.insert(swapped.end(), file.begin() + std::ptrdiff_t(spans[1].offset + spans[1].size), file.end());
    copies.push_back({"first two segments swapped", swapped});
  }
  return copies;
}

}  // namespace comic_corpus
