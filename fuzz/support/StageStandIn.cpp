// A form with a stage for the stage-file and clipboard-block fuzz targets.
#include "fuzz/support/StageStandIn.h"

#include "framework/core/Stream.h"
#include "fuzz/support/FuzzChecks.h"
#include "fuzz/support/StandInClasses.h"

namespace fuzz_support {

namespace {

// The classes a page lets a document make, as stand-ins.
constexpr const char* kPageClasses[] = {"TShape", "TImage", "TMemo", "TLabel", "TPanel", "TGradBox", "TdxfLabel"};
constexpr int kMaxWidth = 16 * 400;

}  // namespace

TStageStandIn::TStageStandIn() : form_(nullptr), stage_(new TSampleControl(&form_)) {
  RegisterStandInClasses();
  form_.SetName("MainForm1");
  stage_->SetName("DsnStage1");
  stage_->SetParent(&form_);
  // As the page's rules: its classes, one handler of the form, no control too wide.
  for (const char* name : kPageClasses) rules_.Allow(*GetClass(name), {{"OnClick", {"ButtonClick"}}});
  rules_.CheckComponent = [](const TComponent& component) {
    const auto* control = dynamic_cast<const TSampleControl*>(&component);
    if (!control || control->Width > kMaxWidth) throw EDocumentRefused("no control, or too wide");
  };
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
  reader.ReadAsDocument(rules_);
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
    for (int i = before; i < form_.ComponentCount(); ++i) {
      const TComponent* made = form_.Components(i);
      Require(made->ComponentState().Contains(csFromDocument), "what a document made is marked");
      const auto* control = dynamic_cast<const TSampleControl*>(made);
      Require(control->Width <= kMaxWidth, "no control beyond the bound");
      if (control->OnClick) Require(control->OnClick.Data() == &form_, "handlers bind to the form alone");
    }
  } catch (const Exception&) {
    Require(form_.ComponentCount() == before, "a failed read creates nothing");
    Require(stream.Position() == 0, "a failed read leaves the stream where it was");
  }
  // Whatever was read goes again, so each read starts from the same stage.
  while (form_.ComponentCount() > before) delete form_.Components(form_.ComponentCount() - 1);
  ForgetRecordedLoads();
}

}  // namespace fuzz_support
