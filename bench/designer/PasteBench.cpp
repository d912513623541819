// Pasting many controls: 500 copied controls pasted onto a stage that already holds 1,000 controls
// of the same class, in layout mode and through the system clipboard, for windowless shapes and
// for windowed memos (which are intercepted as they arrive). Every pasted control needs a free
// name, and the candidates Shape1 ... Shape1000 are all taken. Beside each paste: making the same
// controls (and their windows) on the stage without the designer, so that the designer's own share
// shows. Then selecting 500 of the 1,000 at once with an area of the multi-select controller, and
// the same selection made straight through the target list.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchLoop.h"
#include "BenchStage.h"
#include "bench/BenchTable.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/RedrawLock.h"

namespace {

constexpr int kOnStage = 1000;
constexpr int kPasted = 500;
constexpr int kRuns = 5;
constexpr int kColumns = 50;  // 20 rows: the first 500 controls are the upper 10

using bench::Now;
using bench::Pump;
using bench::TTimes;

void Report(const char* controls, const char* step, const TTimes& samples) {
  std::printf("%-7s %-34s %8.1f ms fastest %8.1f ms median (%6.1f us per control)\n", controls, step,
              samples.Fastest() * 1e3, samples.Median() * 1e3, samples.Fastest() * 1e6 / kPasted);
}

// A shown form whose stage holds kOnStage controls of one class in rows of kColumns, designed by a
// controller of class Controller.
template <class Control, class Controller>
struct TBenchStage {
  TBenchStage() {
    stage = bench::PlaceStage(form, 900, 700);
    for (int i = 0; i < kOnStage; ++i) controls.push_back(Place(new Control(&form), i, IntToStr(i + 1)));
    controller = new Controller(&form);
    controller->SetDsnStage(stage);
    form.Show();
    Pump();
    controller->SetDesigning(true);
    Pump();
  }
  TControl* Place(TControl* control, int i, const String& number) {
    control->SetName(control->ClassName().substr(1) + number);
    control->SetParent(stage);
    control->SetBounds((i % kColumns) * 17, (i / kColumns) * 34, 15, 30);
    return control;
  }
  void Select(int count) {
    TTargetList* targets = controller->NewTargetList();
    for (int i = 0; i < count; ++i) targets->Add(controls[static_cast<std::size_t>(i)]);
    targets->SetPosition();
  }

  TForm form{nullptr};
  TDsnStage* stage = nullptr;
  Controller* controller = nullptr;
  std::vector<TControl*> controls;
};

template <class Control>
void MeasurePaste(const char* what, const char* measure, const char* target) {
  TBenchStage<Control, TDsnRegister> bench;
  TTimes paste, painted, removed, bare;
  for (int run = 0; run < kRuns; ++run) {
    bench.Select(kPasted);
    bench.controller->Copy();
    bench.controller->SelectByInspect(bench.stage);
    Pump();
    double start = Now();
    bench.controller->Paste();
    paste.Add(Now() - start);
    UpdateWindow(bench.form.Handle());  // the pasted controls and their handles drawn
    painted.Add(Now() - start);
    if (bench.controller->TargetList()->GetCount() != kPasted)
      std::printf("pasted %d!\n", bench.controller->TargetList()->GetCount());
    const double deleting = Now();
    bench.controller->Delete();
    UpdateWindow(bench.form.Handle());
    removed.Add(Now() - deleting);
    Pump();

    // The same controls made without the designer, under the same redraw lock as a paste.
    std::vector<TControl*> made;
    start = Now();
    {
      TRedrawLock redraw(bench.stage);
      for (int i = 0; i < kPasted; ++i) {
        TControl* control = bench.Place(new Control(&bench.form), i, "Bare" + IntToStr(i));
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->Handle();
        made.push_back(control);
      }
    }
    UpdateWindow(bench.form.Handle());
    bare.Add(Now() - start);
    {
      TRedrawLock redraw(bench.stage);
      for (TControl* control : made) delete control;
    }
    Pump();
  }
  Report(what, "paste", paste);
  Report(what, "paste and paint", painted);
  Report(what, "making them bare, painted", bare);
  Report(what, "delete and paint", removed);
  bench::TableRow(measure, painted.Median() * 1e3, "making them bare, painted", bare.Median() * 1e3, "ms", target);
  bench::TableRow("  the designer's own share of it", (painted.Median() - bare.Median()) * 1e3, "the whole paste",
                  painted.Median() * 1e3, "ms", "-");
}

// An area drawn with Ctrl held from the stage's corner over the upper kPasted controls.
void MeasureAreaSelection() {
  TBenchStage<TShape, TDsnMlRegister> bench;
  const TPoint end{bench.stage->ClientWidth() - 1, kPasted / kColumns * 34 - 1};
  TTimes area, direct;
  for (int run = 0; run < kRuns; ++run) {
    bench.controller->ClearSelect();
    Pump();
    double began = Now();
    bench.controller->MouseDown(bench.stage, bench.stage, TShiftState{ssCtrl, ssLeft}, {0, 0});
    bench.controller->MoseMove(bench.stage, end, TShiftState{ssCtrl, ssLeft});
    bench.controller->MoseUp(bench.stage, end, TShiftState{ssCtrl});
    UpdateWindow(bench.form.Handle());
    area.Add(Now() - began);
    const int selected = bench.controller->TargetList()->GetCount();
    if (selected != kPasted) std::printf("area selected %d!\n", selected);

    bench.controller->ClearSelect();
    Pump();
    began = Now();
    bench.Select(selected);
    UpdateWindow(bench.form.Handle());
    direct.Add(Now() - began);
  }
  Report("shapes", "area selection and paint", area);
  Report("shapes", "the same through the list, painted", direct);
  bench::TableRow("area-selecting 500 of 1,000 shapes (median)", area.Median() * 1e3,
                  "the same selection through the list", direct.Median() * 1e3, "ms", "< 500 ms");
}

}  // namespace

int main() {
  RegisterStdControls();
  RegisterDsnUnitClasses();
  Application->Initialize();
  MeasurePaste<TShape>("shapes", "pasting 500 shapes onto 1,000, painted (median)", "< 1000 ms");
  MeasurePaste<TMemo>("memos", "pasting 500 memos onto 1,000, painted (median)", "< 2000 ms");
  MeasureAreaSelection();
  return 0;
}
