// What a fuzz target asserts beyond the sanitizers: a broken promise of a reader stops the run
// with the promise that was broken, so libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz_support {

inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

}  // namespace fuzz_support
