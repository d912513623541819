// Damaged copies of a saved comic for the tests of its reader: each one cut, flipped, miscounted
// or reordered in the segments that carry the editable page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Text.h"

namespace comic_corpus {

using Bytes = std::vector<std::uint8_t>;

// Where one of the comic's segments lies in the file: its marker's offset and its whole size
// (marker, length field and payload).
struct TSegmentSpan {
  std::size_t offset;
  std::size_t size;
};

// The program's segments of a JPEG file, in file order.
std::vector<TSegmentSpan> ComicSegmentSpans(const Bytes& file);

struct TDamaged {
  String what;
  Bytes file;
};

// The file cut at every segment boundary, each header byte and a spread of data bytes flipped,
// counts and indices changed, segments swapped, dropped or repeated, and a segment claiming more
// data than it holds.
std::vector<TDamaged> DamagedCopies(const Bytes& file);

}  // namespace comic_corpus
