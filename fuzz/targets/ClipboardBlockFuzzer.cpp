// Fuzz target: a clipboard block of the designer's format, as any program may have set it,
// pasted onto a stage (no error hook: a bad property ends the paste).
#include "framework/core/Exception.h"
#include "fuzz/support/StageStandIn.h"
#include "streaming/ClipboardBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz_support::TStageStandIn stage;
  std::span<const std::uint8_t> stream;
  try {
    stream = clipboard_block::StreamOf({data, size});
  } catch (const EReadError&) {
    return 0;
  }
  stage.Read(stream, false, false);
  return 0;
}
