#include "tests/workbench/WorkbenchFixture.h"

#include <functional>

#include "controls/HistoryComboBox.h"
#include "designer/DsnList.h"
#include "designer/DsnUnit.h"
#include "designer/Dsnhandle.h"
#include "framework/stdctrls/Menus.h"
#include "framework/windows/Application.h"
#include "workbench/WorkbenchClasses.h"

namespace {

void EachControl(TWinControl* parent, const std::function<void(TControl*)>& visit) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    visit(control);
    if (auto* container = dynamic_cast<TWinControl*>(control)) EachControl(container, visit);
  }
}

}  // namespace

void WorkbenchTest::SetUpTestSuite() {
  static const bool registered = [] {
    RegisterWorkbenchClasses();
    Application->Initialize();
    return true;
  }();
  (void)registered;
}

void WorkbenchTest::SetUp() {
  dialogScope_ = std::make_unique<TDialogServiceScope>(dialogs);
  fileDialogScope_ = std::make_unique<TFileDialogServiceScope>(fileDialogs);
  choiceDialogScope_ = std::make_unique<TChoiceDialogServiceScope>(choiceDialogs);
  bench = new TWorkbenchForm(nullptr);
  bench->RecentStages->Items()->Clear();
  bench->RecentStages->SetSaveFileName(temp.File("recent.ini"));
  bench->Show();
  bench->Update();
  mouse = std::make_unique<TMouseDriver>(bench);
  Pump(TPumpMode::DispatchWithoutRealInput);
}

void WorkbenchTest::TearDown() {
  mouse.reset();
  delete bench;
  bench = nullptr;
}

void WorkbenchTest::ClickSwitch() { Click(bench->DsnSwitch1, 20, 10); }

void WorkbenchTest::Choose(TMenuItem* item) {
  SendMessageW(bench->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
  Pump(TPumpMode::DispatchWithoutRealInput);
}

void WorkbenchTest::Click(TControl* control, int x, int y, TShiftState shift) {
  const TPoint at = ScreenOf(control, {x, y});
  mouse->MoveTo(at, shift);
  mouse->Press(at, shift);
  mouse->Release(at, shift);
  Pump(TPumpMode::DispatchWithoutRealInput);
}

void WorkbenchTest::Drag(TPoint from, TPoint to, TShiftState shift) {
  mouse->Press(from, shift);
  mouse->MoveTo({(from.X + to.X) / 2, (from.Y + to.Y) / 2}, shift);
  mouse->MoveTo(to, shift);
  mouse->Release(to, shift);
  Pump(TPumpMode::DispatchWithoutRealInput);
}

std::vector<TControl*> WorkbenchTest::Selection() const {
  std::vector<TControl*> items;
  TTargetList* targets = bench->DsnRegister1->TargetList();
  for (int i = 0; targets && i < targets->GetCount(); ++i) items.push_back(targets->GetItems(i));
  return items;
}

int WorkbenchTest::HandlesOnStage() const {
  int count = 0;
  EachControl(bench->DsnStage1, [&](TControl* control) { count += dynamic_cast<TSmallRect*>(control) != nullptr; });
  return count;
}

std::vector<String> WorkbenchTest::StageNames() const {
  std::vector<String> names;
  EachControl(bench->DsnStage1, [&](TControl* control) { names.push_back(control->Name()); });
  return names;
}
