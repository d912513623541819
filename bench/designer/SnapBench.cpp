// Snap lines at scale: one panel dragged over a stage of 1,000 panels, the time of a mouse move
// with snap lines on against the same moves with them off, in one run.
#include <windows.h>

#include <cstdio>

#include "BenchLoop.h"
#include "BenchStage.h"
#include "bench/BenchTable.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"

namespace {

constexpr int kOnStage = 1000;
constexpr int kColumns = 50;
constexpr int kMoves = 40;
constexpr int kRuns = 15;

using bench::Now;
using bench::Pump;
using bench::TTimes;

// The seconds of one mouse move of a drag of the first panel (pressed on its window).
double MoveTime(TDsnRegister& controller, HWND pressed, bool snap) {
  controller.SetSnapLines(snap);
  SendMessageW(pressed, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  const double start = Now();
  for (int i = 1; i <= kMoves; ++i) SendMessageW(pressed, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5 + i * 3, 5 + i * 5));
  const double seconds = (Now() - start) / kMoves;
  // Back where it started.
  SendMessageW(pressed, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  return seconds;
}

}  // namespace

int main() {
  RegisterStdControls();
  RegisterDsnUnitClasses();
  Application->Initialize();
  TForm form(nullptr);
  TDsnStage* stage = bench::PlaceStage(form, 900, 700);
  TPanel* first = nullptr;
  for (int i = 0; i < kOnStage; ++i) {
    auto* panel = new TPanel(&form);
    panel->SetName("Panel" + IntToStr(i + 1));
    panel->SetParent(stage);
    panel->SetBounds((i % kColumns) * 17, (i / kColumns) * 34, 15, 30);
    if (!first) first = panel;
  }
  auto* controller = new TDsnRegister(&form);
  controller->SetDsnStage(stage);
  form.Show();
  Pump();
  controller->SetDesigning(true);
  Pump();
  // Off and on in turn, so that both see the machine alike.
  TTimes offTimes, onTimes;
  for (int run = 0; run < kRuns; ++run) {
    offTimes.Add(MoveTime(*controller, first->Handle(), false));
    onTimes.Add(MoveTime(*controller, first->Handle(), true));
  }
  const double off = offTimes.Median(), on = onTimes.Median();
  // The drags were drags: one more, left pressed, shows its outline and its lines.
  SendMessageW(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(first->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(22, 5));
  std::printf("a drag shows %s outline and %zu snap lines\n", controller->Shape() ? "an" : "no",
              controller->SnapLinesShown().size());
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  controller->SetDesigning(false);
  std::printf("Dragging one panel over %d: %.3f ms a mouse move without snap lines, %.3f ms with them\n", kOnStage,
              off * 1e3, on * 1e3);
  bench::TableRow("snap lines over 1,000 controls, added per mouse move", (on - off) * 1e3, "a mouse move without",
                  off * 1e3, "ms", "< 1 ms");
  return 0;
}
