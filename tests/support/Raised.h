// The message of the exception a piece of code raises, for tests that compare it with the text
// they expect. Header-only: the native build of the core's tests uses it too.
#pragma once

#include <string>

namespace test_support {

// The message of the `Error` that `run` raises; `ranThrough` when it raises none. Any other
// exception passes on and fails the test.
template <class Error, class Run>
std::string MessageRaised(Run run, const std::string& ranThrough) {
  try {
    run();
  } catch (const Error& error) {
    return error.what();
  }
  return ranThrough;
}

}  // namespace test_support
