// Starts the minimal designer example (argv[1]) and works it with real input as a user would:
// layout mode on with its switch, the panel "Drag me" dragged across the stage. Exit code 0 when
// the inspector opened and the panel moved by the drag; what failed goes to stderr.
#include "ProbeSupport.h"

using namespace probe;

namespace {

std::string Drive(TExample& example, HWND& form) {
  HWND panel = nullptr;
  if (!WaitFor([&] {
        form = VisibleWindow(example.Thread(), L"Minimal designer");
        panel = FindWindowExW(FindWindowExW(form, nullptr, L"TDsnStage", nullptr), nullptr, nullptr, L"Drag me");
        return panel != nullptr;
      }))
    return "The example's form with the panel \"Drag me\" on its stage never showed";
  if (std::string failure = example.LayoutModeOn(form, {68, 17}); !failure.empty()) return failure;

  const POINT before = Origin(panel);
  const POINT grip = OnScreen(panel, {20, 20});
  if (WindowFromPoint(grip) != panel) return "Another window covers the panel";
  example.Drag(grip, {grip.x + 40, grip.y + 24});
  POINT now{};
  if (WaitFor([&] { now = Origin(panel); return now.x == before.x + 40 && now.y == before.y + 24; })) return {};
  return Failure("The panel dragged by (40, 24) went from (%ld, %ld) to (%ld, %ld)", before.x, before.y, now.x, now.y);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: sdk_minimal_probe <example.exe>\n"), 2;
  TExample example(argv[1]);
  if (!example.Started()) return Report(Failure("The example did not start (%lu)", GetLastError()));
  HWND form = nullptr;
  std::string failure = Drive(example, form);
  if (form && !example.Close(form) && failure.empty()) failure = "The example did not end when its form closed";
  return Report(failure);
}
