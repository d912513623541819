// What the probes of the SDK examples share: the example started as a program of its own, its
// windows found from outside, and real input (the pointer, its button, typed keys) as a user gives
// it. A probe's steps return what failed; empty when they did what they should.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace probe {

// The example is another process: there is no message of ours to wait on.
template <class Done>
bool WaitFor(Done done) {
  for (int tries = 0; tries < 300; ++tries, Sleep(50))
    if (done()) return true;
  return false;
}

template <class... Args>
std::string Failure(const char* format, Args... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

inline bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// The visible top-level window of `thread` whose caption (or, with `byClass`, class) is `name`.
inline HWND VisibleWindow(DWORD thread, const std::wstring& name, bool byClass = false) {
  struct Search {
    const std::wstring& name;
    bool byClass;
    HWND found;
  } search{name, byClass, nullptr};
  EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
    auto* s = reinterpret_cast<Search*>(data);
    wchar_t text[64] = {};
    s->byClass ? GetClassNameW(window, text, 64) : GetWindowTextW(window, text, 64);
    if (IsWindowVisible(window) && s->name == text) s->found = window;
    return !s->found;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline POINT OnScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

// A control's bounds in its parent's client area.
inline RECT Bounds(HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

inline POINT Origin(HWND control) {
  const RECT bounds = Bounds(control);
  return {bounds.left, bounds.top};
}

// The example as a program of its own, driven with real input; ended by force when the probe is
// done with it and it still runs. Each input waits for the example to take it.
class TExample {
 public:
  explicit TExample(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + program + L"\"";
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_);
  }
  ~TExample() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  TExample(const TExample&) = delete;
  TExample& operator=(const TExample&) = delete;

  bool Started() const { return started_; }
  DWORD Thread() const { return info_.dwThreadId; }
  // Closes `form` as its close box would; false when the program did not end.
  bool Close(HWND form) {
    PostMessageW(form, WM_CLOSE, 0, 0);
    return WaitForSingleObject(info_.hProcess, 15000) == WAIT_OBJECT_0;
  }

  // ---- Input ----
  void Click(POINT screen) { Drag(screen, screen, 0); }
  // Pressed at `from`, moved to `to` in `steps` straight steps and released there.
  void Drag(POINT from, POINT to, int steps = 4) {
    // Under Wine a press from SendInput on a window that is not the foreground one may only
    // activate it and be lost, unlike a click from the screen: the window is activated first, as
    // a user's click would.
    HWND top = GetAncestor(WindowFromPoint(from), GA_ROOT);
    if (top && SetForegroundWindow(top)) WaitFor([top] { return GetForegroundWindow() == top; });
    MoveTo(from);
    Send(MouseInput(MOUSEEVENTF_LEFTDOWN));
    for (int step = 1; step < steps; ++step)
      MoveTo({from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    MoveTo(to);
    Send(MouseInput(MOUSEEVENTF_LEFTUP));
  }
  // Each character typed as it is, whatever the keyboard layout.
  void Type(const std::wstring& text) {
    for (wchar_t c : text) {
      Send(KeyInput(0, c, KEYEVENTF_UNICODE));
      Send(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
  }
  void Key(WORD key) {
    Send(KeyInput(key, 0, 0));
    Send(KeyInput(key, 0, KEYEVENTF_KEYUP));
  }

  // ---- Steps every example takes ----
  // Layout mode switched on by a click on the switch at `toggle` in the form's client area; the
  // inspector it opens is moved beside the form, since where it opens is a setting and may cover
  // the stage.
  std::string LayoutModeOn(HWND form, POINT toggle) {
    Click(OnScreen(form, toggle));
    HWND inspector = nullptr;
    if (!WaitFor([&] { return (inspector = VisibleWindow(Thread(), L"Object Inspector")) != nullptr; }))
      return "Layout mode on opened no inspector";
    RECT bounds;
    GetWindowRect(form, &bounds);
    SetWindowPos(inspector, nullptr, bounds.right + 8, bounds.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return {};
  }
  // The file dialog the example shows answered: the name typed into its file name box (which has
  // the focus when it opens), then Enter. Done when the dialog has gone.
  std::string AnswerFileDialog(const std::wstring& fileName) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = VisibleWindow(Thread(), L"#32770", true)) != nullptr; }))
      return "No file dialog opened";
    Type(fileName);
    Key(VK_RETURN);
    return WaitFor([&] { return !IsWindow(dialog); }) ? std::string() : "The file dialog stayed open";
  }

 private:
  static INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
  }
  static INPUT KeyInput(WORD key, wchar_t character, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = character;
    input.ki.dwFlags = flags;
    return input;
  }
  void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
    Handled();
  }
  // Pointer events of earlier moves may still be on their way and carry the pointer back when
  // they are handled: the move is repeated until the pointer stays.
  void MoveTo(POINT screen) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      SetCursorPos(screen.x, screen.y);
      Handled();
      POINT now;
      if (GetCursorPos(&now) && now == screen) return;
    }
  }
  // The example answers a message sent to it only between its other messages, so the input sent
  // before has reached its queue by then; the pause lets it handle what came.
  void Handled() {
    HWND window = nullptr;
    EnumThreadWindows(Thread(), [](HWND found, LPARAM data) -> BOOL {
      *reinterpret_cast<HWND*>(data) = found;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&window));
    DWORD_PTR ignored = 0;
    if (window) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    Sleep(50);
  }

  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

// The probe's exit code, with what failed on stderr.
inline int Report(const std::string& failure) {
  if (failure.empty()) return 0;
  std::fprintf(stderr, "%s\n", failure.c_str());
  return 1;
}

}  // namespace probe
