// Starts the minimal designer example (argv[1]) and works it with real input as a user would:
// layout mode on with its switch, the panel "Drag me" dragged across the stage. Exit code 0 when
// the inspector opened and the panel moved by the drag; what failed goes to stderr.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

template <class Done>
bool WaitFor(Done done) {
  for (int tries = 0; tries < 200; ++tries, Sleep(50))
    if (done()) return true;
  return false;
}

// The visible top-level window of the example's thread with this caption.
HWND VisibleWindow(DWORD thread, const wchar_t* caption) {
  std::pair<const wchar_t*, HWND> search{caption, nullptr};
  EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
    auto* found = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(data);
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    if (IsWindowVisible(window) && std::wstring(text) == found->first) found->second = window;
    return !found->second;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// Real input: the pointer moved to `screen`, then the button event `button` (none: a move).
void Mouse(POINT screen, DWORD button = 0) {
  SetCursorPos(screen.x, screen.y);
  if (button) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = button;
    SendInput(1, &input, sizeof input);
  }
  Sleep(100);
}

POINT Origin(HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  POINT origin{bounds.left, bounds.top};
  ScreenToClient(GetParent(control), &origin);
  return origin;
}

const char* Drive(DWORD thread, HWND& form) {
  HWND panel = nullptr;
  if (!WaitFor([&] {
        form = VisibleWindow(thread, L"Minimal designer");
        panel = FindWindowExW(FindWindowExW(form, nullptr, L"TDsnStage", nullptr), nullptr, nullptr, L"Drag me");
        return panel != nullptr;
      }))
    return "The example's form with the panel \"Drag me\" on its stage never showed";

  POINT toggle{68, 17};  // the layout-mode switch, a drawn control of the form
  ClientToScreen(form, &toggle);
  Mouse(toggle, MOUSEEVENTF_LEFTDOWN);
  Mouse(toggle, MOUSEEVENTF_LEFTUP);
  HWND inspector = nullptr;
  if (!WaitFor([&] { return (inspector = VisibleWindow(thread, L"Object Inspector")) != nullptr; }))
    return "Layout mode on opened no inspector";
  // Where the inspector opens is a kept setting; beside the form it covers nothing of the stage.
  RECT bounds;
  GetWindowRect(form, &bounds);
  SetWindowPos(inspector, nullptr, bounds.right + 8, bounds.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  const POINT before = Origin(panel);
  POINT grip{20, 20};
  ClientToScreen(panel, &grip);
  if (WindowFromPoint(grip) != panel) return "Another window covers the panel";
  Mouse(grip, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 4; ++step) Mouse({grip.x + 10 * step, grip.y + 6 * step});
  Mouse({grip.x + 40, grip.y + 24}, MOUSEEVENTF_LEFTUP);
  POINT now{};
  if (WaitFor([&] { now = Origin(panel); return now.x == before.x + 40 && now.y == before.y + 24; })) return nullptr;
  static char failure[96];
  std::snprintf(failure, sizeof failure, "The panel dragged by (40, 24) went from (%ld, %ld) to (%ld, %ld)", before.x,
                before.y, now.x, now.y);
  return failure;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: sdk_example_probe <example.exe>\n"), 2;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return std::fprintf(stderr, "The example did not start (%lu)\n", GetLastError()), 1;
  HWND form = nullptr;
  const char* failure = Drive(process.dwThreadId, form);
  if (form) PostMessageW(form, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    if (!failure) failure = "The example did not end when its form closed";
  }
  if (failure) std::fprintf(stderr, "%s\n", failure);
  return failure ? 1 : 0;
}
