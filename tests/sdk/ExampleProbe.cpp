// Starts the minimal designer example (argv[1]) and works it as a user would: layout mode on with
// its switch, the panel "Drag me" dragged across the stage. Exit code 0 when the inspector opened
// and the panel moved by the drag; what failed goes to stderr.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct TExample {
  DWORD Thread;
  HWND Form = nullptr;
};

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

// The window Windows routes a mouse message at `screen` to: the capture's holder, otherwise the
// deepest visible child under the point that does not answer HTTRANSPARENT.
HWND Target(const TExample& example, POINT screen) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(example.Thread, &info) && info.hwndCapture) return info.hwndCapture;
  HWND window = example.Form;
  for (;;) {
    POINT local = screen;
    ScreenToClient(window, &local);
    HWND child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE);
    if (!child || child == window) break;
    window = child;
  }
  while (window != example.Form && SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT)
    window = GetParent(window);
  return window;
}

void Mouse(const TExample& example, UINT msg, POINT screen, WPARAM keys) {
  SetCursorPos(screen.x, screen.y);
  HWND target = Target(example, screen);
  POINT local = screen;
  ScreenToClient(target, &local);
  PostMessageW(target, msg, keys, MAKELPARAM(local.x, local.y));
  Sleep(100);
}

POINT Origin(HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  POINT origin{bounds.left, bounds.top};
  ScreenToClient(GetParent(control), &origin);
  return origin;
}

const char* Drive(TExample& example) {
  if (!WaitFor([&] { return (example.Form = VisibleWindow(example.Thread, L"Minimal designer")) != nullptr; }))
    return "The example's form never showed";
  HWND panel = nullptr;
  EnumChildWindows(example.Form, [](HWND window, LPARAM found) -> BOOL {
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    if (std::wstring(text) == L"Drag me") *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&panel));
  if (!panel) return "No panel \"Drag me\" on the stage";

  POINT toggle{68, 17};  // the layout-mode switch, a drawn control of the form
  ClientToScreen(example.Form, &toggle);
  Mouse(example, WM_LBUTTONDOWN, toggle, MK_LBUTTON);
  Mouse(example, WM_LBUTTONUP, toggle, 0);
  if (!WaitFor([&] { return VisibleWindow(example.Thread, L"Object Inspector") != nullptr; }))
    return "Layout mode on opened no inspector";

  const POINT before = Origin(panel);
  POINT grip{20, 20};
  ClientToScreen(panel, &grip);
  Mouse(example, WM_LBUTTONDOWN, grip, MK_LBUTTON);
  for (int step = 1; step <= 4; ++step)
    Mouse(example, WM_MOUSEMOVE, {grip.x + 10 * step, grip.y + 6 * step}, MK_LBUTTON);
  Mouse(example, WM_LBUTTONUP, {grip.x + 40, grip.y + 24}, 0);
  if (!WaitFor([&] { POINT now = Origin(panel); return now.x == before.x + 40 && now.y == before.y + 24; }))
    return "The dragged panel did not move by the drag";
  return nullptr;
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
  TExample example{process.dwThreadId};
  const char* failure = Drive(example);
  if (example.Form) PostMessageW(example.Form, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    if (!failure) failure = "The example did not end when its form closed";
  }
  if (failure) std::fprintf(stderr, "%s\n", failure);
  return failure ? 1 : 0;
}
