// A form with a stage for the stage-file and clipboard-block fuzz targets.
#include "fuzz/support/StageStandIn.h"

#include "framework/core/Stream.h"
#include "fuzz/support/FuzzChecks.h"
#include "fuzz/support/StandInClasses.h"

namespace fuzz_support {

TStageStandIn::TStageStandIn() : form_(nullptr), stage_(new TSampleControl(&form_)) {
  RegisterStandInClasses();
  form_.SetName("MainForm1");
  stage_->SetName("DsnStage1");
  stage_->SetParent(&form_);
}

// A taken name becomes the class name without its first letter and the first free number.
void TStageStandIn::MakeNameFree(TComponent* component, String& name) {
  const String base = component->ClassName().substr(1);
  for (int n = 1; !name.empty() && form_.FindComponent(name); ++n) name = base + IntToStr(n);
}

void TStageStandIn::Read(std::span<const std::uint8_t> bytes, bool checkFirst, bool skipErrors) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  TComponentReader reader(stream);
  reader.OnSetName = [this](TReader*, TComponent* component, String& name) { MakeNameFree(component, name); };
  if (skipErrors) {
    reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };
    reader.OnFindMethod = [](TReader*, const String&, const TMethodCode*& code, bool& error) {
      if (!error) return;
      code = nullptr;
      error = false;
    };
  }
  const int before = form_.ComponentCount();
  try {
    if (checkFirst) reader.CheckComponents();
    reader.ReadComponents(&form_, stage_);
  } catch (const Exception&) {
    Require(form_.ComponentCount() == before, "a failed read creates nothing");
    Require(stream.Position() == 0, "a failed read leaves the stream where it was");
  }
  // Whatever was read goes again, so each read starts from the same stage.
  while (form_.ComponentCount() > before) delete form_.Components(form_.ComponentCount() - 1);
  ForgetRecordedLoads();
}

}  // namespace fuzz_support
