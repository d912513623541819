// Fuzz target: a JPEG file opened as a comic, its editable page taken from the program's segments
// in the file's header. A stream the reader gives back, cut into segments again and put into a
// header of its own, must come back the same.
#include <vector>

#include "app/comic/ComicSegments.h"
#include "fuzz/support/ComicFiles.h"
#include "fuzz/support/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> stream;
  try {
    stream = comic::ExtractStream({data, size});
  } catch (const comic::EComicSegments&) {
    return 0;
  }
  const std::vector<std::uint8_t> again = comic::ExtractStream(fuzz_support::HeaderWithSegments(stream));
  fuzz_support::Require(again == stream, "a comic's page cut into segments again reads back the same");
  return 0;
}
