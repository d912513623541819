// Pasting many controls: 500 copied controls pasted onto a stage that already holds 1,000 controls
// of the same class, in layout mode and through the system clipboard, for windowless shapes and
// for windowed memos (which are intercepted as they arrive). Every pasted control needs a free
// name, and the candidates Shape1 ... Shape1000 are all taken.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchLoop.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

namespace {

constexpr int kOnStage = 1000;
constexpr int kPasted = 500;
constexpr int kRuns = 5;

using bench::Now;
using bench::Pump;

void Report(const char* controls, const char* step, std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  std::printf("%-7s %-17s %d onto %d: %8.1f ms fastest %8.1f ms median (%6.1f us per control)\n", controls, step,
              kPasted, kOnStage, seconds.front() * 1e3, seconds[seconds.size() / 2] * 1e3,
              seconds.front() * 1e6 / kPasted);
}

template <class Control>
void Measure(const char* what) {
  TForm form(nullptr);
  form.SetName("BenchForm");
  form.SetBounds(0, 0, 900, 700);
  auto* stage = new TDsnStage(&form);
  stage->SetName("DsnStage1");
  stage->SetParent(&form);
  stage->SetBounds(0, 0, 880, 680);
  std::vector<TControl*> copied;
  for (int i = 0; i < kOnStage; ++i) {
    auto* control = new Control(&form);
    control->SetName(control->ClassName().substr(1) + IntToStr(i + 1));
    control->SetParent(stage);
    control->SetBounds((i % 40) * 22, (i / 40) * 26, 20, 24);
    if (i < kPasted) copied.push_back(control);
  }
  auto* controller = new TDsnRegister(&form);
  controller->SetDsnStage(stage);
  form.Show();
  Pump();
  controller->SetDesigning(true);
  Pump();

  std::vector<double> paste, painted, removed;
  for (int run = 0; run < kRuns; ++run) {
    TTargetList* targets = controller->NewTargetList();
    for (TControl* control : copied) targets->Add(control);
    controller->Copy();
    controller->SelectByInspect(stage);
    Pump();
    const double start = Now();
    controller->Paste();
    paste.push_back(Now() - start);
    UpdateWindow(form.Handle());  // the pasted controls and their handles drawn
    painted.push_back(Now() - start);
    if (controller->TargetList()->GetCount() != kPasted) std::printf("pasted %d!\n", controller->TargetList()->GetCount());
    const double deleting = Now();
    controller->Delete();
    UpdateWindow(form.Handle());
    removed.push_back(Now() - deleting);
    Pump();
  }
  Report(what, "paste", paste);
  Report(what, "paste and paint", painted);
  Report(what, "delete and paint", removed);
}

}  // namespace

int main() {
  RegisterStdControls();
  RegisterDsnUnitClasses();
  Application->Initialize();
  Measure<TShape>("shapes");
  Measure<TMemo>("memos");
  return 0;
}
