// Fuzz target: one component stream (a stored layout) read into a new component, strictly and
// again with every property error skipped; what was read is written back, so a writer whose cost
// the input can drive up is caught by the time budget as well as a reader.
#include <cstdio>
#include <memory>

#include "framework/core/Stream.h"
#include "fuzz/support/FuzzChecks.h"
#include "fuzz/support/StandInClasses.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_support::RegisterStandInClasses();
  for (const bool skipErrors : {false, true}) {
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TComponentReader reader(stream);
    if (skipErrors) reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };
    std::unique_ptr<TComponent> component;
    try {
      component.reset(reader.ReadComponent(nullptr, nullptr));
    } catch (const Exception&) {
      fuzz_support::Require(stream.Position() == 0, "a failed read leaves the stream where it was");
    }
    if (component) {
      TMemoryStream written;
      {
        TComponentWriter writer(written, component.get());
        writer.WriteSignature();
        writer.WriteComponent(component.get());
      }
      written.SetPosition(0);
      TComponentReader again(written);
      try {
        std::unique_ptr<TComponent> copy(again.ReadComponent(nullptr, nullptr));
      } catch (const Exception& error) {
        std::fprintf(stderr, "%s\n", error.Message().c_str());
        fuzz_support::Require(false, "what the writer wrote reads back");
      }
    }
    fuzz_support::ForgetRecordedLoads();
  }
  return 0;
}
