// Records a page must refuse however well-formed they are: what someone may put into a comic, a
// stage file or a clipboard block to reach beyond the page. Plain bytes, no Windows: the fuzz
// targets' seeds are made from them too.
#pragma once

#include <vector>

#include "tests/support/StreamWriters.h"

namespace test_support {

struct THostileDocument {
  String why;                  // words the refusal's message holds
  std::vector<Bytes> records;  // each a signature and a record, to go onto the page's stage
};

// The hostile documents for the page, those that name a store naming `registryKey` and `iniFile`.
std::vector<THostileDocument> HostileDocuments(const String& registryKey, const String& iniFile);

// A run-length BMP of width x height pixels in 60 bytes: the bitmap ends at once.
Bytes RunLengthBmp(std::uint32_t width, std::uint32_t height);

// `records` as a stage stream: one after the other, then the list's end.
Bytes StageStream(const std::vector<Bytes>& records);

}  // namespace test_support
