// The inspector on a selection of 100 shapes with 20 shown properties each: selecting them through
// the controller (the property model, the grab handles and the grid), with the inspector's own
// parts measured alone (folding the controls into the model, merging the values, filling the
// grid); and writing one value to all of them with the refill that follows, before and after the
// stage re-places the grab handles.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchLoop.h"
#include "BenchStage.h"
#include "bench/BenchTable.h"
#include "designer/DsnSpctr.h"
#include "designer/DsnUnit.h"
#include "designer/InspectorFm.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

namespace {

constexpr int kSelected = 100;
constexpr int kShown = 20;
constexpr int kRuns = 15;

using bench::Now;
using bench::Pump;

void Report(const char* step, std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  std::printf("%-34s fastest %7.2f ms  median %7.2f ms  slowest %7.2f ms  (%d runs)\n", step, seconds.front() * 1e3,
              seconds[seconds.size() / 2] * 1e3, seconds.back() * 1e3, kRuns);
}

}  // namespace

int main() {
  RegisterStdControls();
  RegisterDsnUnitClasses();
  Application->Initialize();

  TForm form(nullptr);
  TDsnStage* stage = bench::PlaceStage(form, 900, 700);
  std::vector<TControl*> shapes;
  for (int i = 0; i < kSelected; ++i) {
    auto* shape = new TShape(&form);
    shape->SetName("Shape" + IntToStr(i + 1));
    shape->SetParent(stage);
    shape->SetBounds((i % 10) * 80, (i / 10) * 60, 60 + i % 3, 40);
    shapes.push_back(shape);
  }
  // The first 20 published properties of the shapes, events included; not Name, which a
  // multiple selection withholds.
  auto* inspector = new TDsnInspector(&form);
  for (const TPropInfo* property : TShape::StaticClassInfo().Properties()) {
    if (inspector->SelfProps()->Count() == kShown) break;
    if (property->Name != "Name") inspector->SelfProps()->Add(property->Name);
  }
  std::printf("shown: %s\n", inspector->SelfProps()->CommaText().c_str());
  inspector->Position()->SetLeft(920);
  auto* controller = new TDsnRegister(&form);
  controller->SetDsnStage(stage);
  controller->SetDsnInspector(inspector);
  form.Show();
  Pump();
  controller->SetDesigning(true);
  Pump();

  // The property model alone, as the inspector configures it, without the grab handles.
  TMultiProps model;
  {
    TStringList names, captions;
    inspector->GetPropLists(&names, &captions);
    model.SetInspectList(&names);
    model.SetCaptionList(&captions);
    model.SetOutList(inspector->GetOutProps());
  }

  std::vector<double> select, fold, values, fill, write, placed;
  for (int run = 0; run < kRuns; ++run) {
    double start = Now();
    TTargetList* targets = controller->NewTargetList();
    for (TControl* shape : shapes) targets->Add(shape);
    targets->SetPosition();
    select.push_back(Now() - start);
    if (inspector->FormGrid()->RowCount() != kShown + 1)
      std::printf("rows %d!\n", inspector->FormGrid()->RowCount());

    start = Now();
    model.Clear();
    for (TControl* shape : shapes) model.Add(shape);
    fold.push_back(Now() - start);

    start = Now();
    controller->Props()->GetValues();
    values.push_back(Now() - start);
    start = Now();
    inspector->SetPosition();
    UpdateWindow(inspector->Form()->Handle());
    fill.push_back(Now() - start);

    Pump();
    start = Now();
    inspector->SetProperty("Width", IntToStr(50 + run));
    inspector->SetPosition();
    UpdateWindow(inspector->Form()->Handle());
    write.push_back(Now() - start);
    Pump();  // the stage re-places the 100 controls' grab handles and the grid is filled again
    UpdateWindow(form.Handle());
    placed.push_back(Now() - start);
    if (shapes.back()->Width() != 50 + run) std::printf("width %d!\n", shapes.back()->Width());
  }
  Report("select 100 (model, handles, grid)", select);
  Report("  the model folding 100 in", fold);
  Report("  their 20 values merged", values);
  Report("  the grid filled and painted", fill);
  Report("write Width to 100, refill, paint", write);
  Report("  and the stage's handles re-placed", placed);
  std::sort(select.begin(), select.end());
  std::sort(fill.begin(), fill.end());
  bench::TableRow("selecting 100 shapes with the inspector (median)", select[kRuns / 2] * 1e3,
                  "of which the grid filled and painted", fill[kRuns / 2] * 1e3, "ms", "-");
  controller->SetDesigning(false);
  return 0;
}
