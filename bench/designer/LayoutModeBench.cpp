// Layout mode on a crowded stage: the cost per control of switching design mode on and off,
// compared with merely replacing and restoring the window procedures of the same windows in the
// same run, and the cost per control of one drag step (and of the press and release around it)
// with 100 selected controls. Switching is timed with the mouse away from the stage, as after a
// click on a switch beside it, and again with the mouse over a control of the stage, where the
// changed cursor is shown at once (a fixed cost per switch). Timed apart as well: what switching
// adds to the replacement, asking Windows for the child windows of every window (windows of
// others can arrive unannounced, so the framework's own list is not enough), and what it avoids,
// refreshing the cursor control by control.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "BenchLoop.h"
#include "bench/BenchTable.h"
#include "designer/DsnUnit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

namespace {

constexpr int kControls = 500;
constexpr int kSelected = 100;
constexpr int kRuns = 15;

using bench::Now;
using bench::Pump;
using bench::TTimes;

void Print(const char* what, const TTimes& times, int perCount) {
  std::printf("%-46s %9.2f us fastest  %9.2f us median  per control\n", what, times.Fastest() * 1e6 / perCount,
              times.Median() * 1e6 / perCount);
}

// Puts the real pointer at `screen` and handles the mouse messages that follow until the framework
// sees the mouse over `expected` (null: over none of its controls); false after two seconds.
bool PutPointer(const TPoint& screen, TControl* expected) {
  const double deadline = Now() + 2;
  SetCursorPos(screen.X, screen.Y);
  while (Now() < deadline) {
    Pump();
    POINT now;
    if (GetCursorPos(&now) && now.x == screen.X && now.y == screen.Y && Application->MouseControl() == expected)
      return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return false;
}

// The bare replacement: a procedure that passes every message on to the one it replaced.
std::unordered_map<HWND, WNDPROC>& Replaced() {
  static std::unordered_map<HWND, WNDPROC> procedures;
  return procedures;
}

LRESULT CALLBACK PassOn(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(Replaced()[window], window, msg, wParam, lParam);
}

}  // namespace

int main() {
  auto* form = new TForm(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 1000, 720);
  auto* stage = new TDsnStage(form);
  stage->SetParent(form);
  stage->SetBounds(0, 0, 1000, 720);
  stage->Rubberband()->SetMoveWidth(4);
  stage->Rubberband()->SetMoveHeight(4);
  std::vector<TWinControl*> controls;
  for (int i = 0; i < kControls; ++i) {
    TWinControl* control = i % 2 ? static_cast<TWinControl*>(new TMemo(form)) : new TPanel(form);
    control->SetParent(stage);
    control->SetBounds(8 + (i % 25) * 39, 8 + (i / 25) * 35, 36, 30);
    controls.push_back(control);
  }
  auto* controller = new TDsnRegister(form);
  controller->SetDsnStage(stage);
  form->Show();
  Pump();

  std::vector<HWND> windows{stage->Handle()};
  for (TWinControl* control : controls) windows.push_back(control->Handle());
  const TPoint beside = form->ClientToScreen({form->Width() + 100, 100});
  if (!PutPointer(beside, nullptr)) std::printf("(the pointer could not be put beside the stage)\n");

  TTimes replace, restore, on, off, children, cursors;
  for (int run = 0; run < kRuns; ++run) {
    double start = Now();
    for (HWND window : windows) GetWindow(window, GW_CHILD);
    for (HWND child = GetWindow(windows[0], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    }
    children.Add(Now() - start);
    start = Now();
    for (TWinControl* control : controls) control->SetCursor(crArrow);
    for (TWinControl* control : controls) control->SetCursor(crDefault);
    cursors.Add(Now() - start);

    start = Now();
    for (HWND window : windows)
      Replaced()[window] = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn)));
    replace.Add(Now() - start);
    start = Now();
    for (HWND window : windows) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Replaced()[window]));
      Replaced().erase(window);
    }
    restore.Add(Now() - start);
    Pump();

    start = Now();
    controller->SetDesigning(true);
    on.Add(Now() - start);
    Pump();
    start = Now();
    controller->SetDesigning(false);
    off.Add(Now() - start);
    Pump();
  }

  // The mouse over a memo of the stage: switching shows its new cursor at once.
  TWinControl* underMouse = controls[kControls / 2 + 1];
  const bool pointerOnStage = PutPointer(underMouse->ClientToScreen({10, 10}), underMouse);
  TTimes onUnderMouse, offUnderMouse;
  for (int run = 0; pointerOnStage && run < kRuns; ++run) {
    double start = Now();
    controller->SetDesigning(true);
    onUnderMouse.Add(Now() - start);
    Pump();
    start = Now();
    controller->SetDesigning(false);
    offUnderMouse.Add(Now() - start);
    Pump();
  }
  PutPointer(beside, nullptr);

  // One drag step: 100 selected memos and panels on the stage, pressed on the first of them.
  controller->SetDesigning(true);
  TTargetList* targets = controller->NewTargetList();
  for (int i = 0; i < kSelected; ++i) targets->Add(controls[i]);
  targets->SetPosition();
  Pump();
  HWND pressed = controls[0]->Handle();
  TTimes press, step, release;
  for (int run = 0; run < kRuns; ++run) {
    double start = Now();
    SendMessageW(pressed, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    press.Add(Now() - start);
    for (int i = 1; i <= 4; ++i) {
      start = Now();
      SendMessageW(pressed, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10 + 8 * i, 10 + 4 * (i % 2)));
      step.Add(Now() - start);
    }
    // Back where it started: the controls stay in place from run to run.
    start = Now();
    SendMessageW(pressed, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    release.Add(Now() - start);
    Pump();
  }
  controller->SetDesigning(false);

  std::printf("Layout mode: %d windowed controls on a stage (%zu windows), %d runs\n", kControls, windows.size(), kRuns);
  Print("replacing the window procedures", replace, kControls);
  Print("restoring the window procedures", restore, kControls);
  Print("switching design mode on", on, kControls);
  Print("switching design mode off", off, kControls);
  std::printf("%-46s %9.2f fastest     %9.2f median\n", "switching on / replacing and restoring",
              on.Fastest() / (replace.Fastest() + restore.Fastest()), on.Median() / (replace.Median() + restore.Median()));
  bench::TableRow("switching layout mode on, 500 controls (median)", on.Median() * 1e3,
                  "bare procedure replacement and back", (replace.Median() + restore.Median()) * 1e3, "ms", "-");
  bench::TableRow("  asking Windows for every window's children", children.Median() * 1e3, "the switch on",
                  on.Median() * 1e3, "ms", "-");
  std::printf("%-46s %9.2f fastest     %9.2f median\n", "switching on and off / replacing and restoring",
              (on.Fastest() + off.Fastest()) / (replace.Fastest() + restore.Fastest()),
              (on.Median() + off.Median()) / (replace.Median() + restore.Median()));
  if (pointerOnStage) {
    std::printf("With the mouse over a memo of the stage\n");
    Print("switching design mode on", onUnderMouse, kControls);
    Print("switching design mode off", offUnderMouse, kControls);
    std::printf("%-46s %9.2f us fastest  %9.2f us median  per switch\n", "more than with the mouse beside the stage",
                (onUnderMouse.Fastest() - on.Fastest()) * 1e6, (onUnderMouse.Median() - on.Median()) * 1e6);
  } else {
    std::printf("(the pointer could not be put on the stage)\n");
  }
  std::printf("What switching adds to the replacement\n");
  Print("asking Windows for the child windows", children, kControls);
  std::printf("What switching avoids\n");
  Print("cursor changed there and back, one at a time", cursors, kControls);
  std::printf("Dragging %d selected controls\n", kSelected);
  Print("press (outlines made and drawn)", press, kSelected);
  Print("one drag step (outlines erased and redrawn)", step, kSelected);
  Print("release (outlines erased, controls moved)", release, kSelected);
  delete form;
  return 0;
}
