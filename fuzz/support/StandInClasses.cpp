// Stand-in classes for the native fuzz targets.
#include "fuzz/support/StandInClasses.h"

#include <deque>

#include "framework/core/TypeInfo.h"
#include "tests/streaming/SampleComponents.h"

namespace fuzz_support {
namespace {

// The classes of the page layout, the resource-form test layout and the designer's palette.
constexpr const char* kProgramClasses[] = {
    "TMainForm1", "TResourceForm", "TDsnRegister", "TDsnMlRegister", "TDsnStage", "TDsnSwitch", "TDsnPanel", "TDsnButton",
    "TGradBox",   "TdxfLabel",     "TImage",       "TMemo",     "TEdit",      "TPanel",    "TShape",
    "TLabel",     "TSpeedButton",  "TShineSpeedButton", "THistoryComboBox", "TComboBox", "TStringGrid",
    "TSavePictureDialog", "TPopupMenu", "TMenuItem", "TTimer", "TPatch"};

TComponent* CreateSampleForm(TComponent* owner) { return new TSampleForm(owner); }

}  // namespace

void RegisterStandInClasses() {
  static const bool registered = [] {
    RegisterSampleClasses();
    static std::deque<TClassInfo> standIns;
    for (const char* name : kProgramClasses) {
      RegisterClass(standIns.emplace_back(name, &TSampleForm::StaticClassInfo(), CreateSampleForm, nullptr));
    }
    return true;
  }();
  (void)registered;
}

void ForgetRecordedLoads() { LoadedLog().clear(); }

}  // namespace fuzz_support
