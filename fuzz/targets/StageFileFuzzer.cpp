// Fuzz target: a stage file or stage stream loaded onto a stage, checked whole first and read
// with the stage's hooks (bad properties skipped, unknown handlers left empty, names made free).
#include "fuzz/support/StageStandIn.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz_support::TStageStandIn stage;
  stage.Read({data, size}, true, true);
  return 0;
}
