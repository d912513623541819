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

// The visible top-level window of `thread` with this caption, or (caption null) of this class.
inline HWND VisibleWindow(DWORD thread, const wchar_t* caption, const wchar_t* className = nullptr) {
  struct Search {
    const wchar_t* caption;
    const wchar_t* className;
    HWND found;
  } search{caption, className, nullptr};
  EnumThreadWindows(thread, [](HWND window, LPARAM data) -> BOOL {
    auto* s = reinterpret_cast<Search*>(data);
    wchar_t text[64] = {};
    if (s->caption) GetWindowTextW(window, text, 64);
    else GetClassNameW(window, text, 64);
    if (IsWindowVisible(window) && std::wstring(text) == (s->caption ? s->caption : s->className)) s->found = window;
    return !s->found;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline POINT OnScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

// Where `control` lies in its parent's client area.
inline POINT Origin(HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  POINT origin{bounds.left, bounds.top};
  ScreenToClient(GetParent(control), &origin);
  return origin;
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
  void Click(POINT screen) {
    Press(screen);
    Release(screen);
  }
  // Pressed at `from`, moved to `to` in four steps and released there.
  void Drag(POINT from, POINT to) {
    Press(from);
    for (int step = 1; step < 4; ++step)
      MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
    Release(to);
  }
  void Key(WORD key) {
    SendKey(key, 0, 0);
    SendKey(key, 0, KEYEVENTF_KEYUP);
    Handled();
  }
  // Each character typed as it is, whatever the keyboard layout.
  void Type(const std::wstring& text) {
    for (wchar_t c : text) {
      SendKey(0, c, KEYEVENTF_UNICODE);
      SendKey(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    Handled();
  }

  // ---- Steps every example takes ----
  // Layout mode switched on by a click on the switch at `toggle` in the form's client area; the
  // inspector it opens is moved beside the form, since where it opens is a kept setting and may
  // cover the stage.
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
  // A file dialog of the example answered: the name typed into its file name box (which has the
  // focus when it opens) and Enter. Done when the dialog has gone.
  std::string AnswerFileDialog(const std::wstring& fileName) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = VisibleWindow(Thread(), nullptr, L"#32770")) != nullptr; }))
      return "No file dialog opened";
    Type(fileName);
    Key(VK_RETURN);
    return WaitFor([&] { return !IsWindow(dialog); }) ? std::string() : "The file dialog stayed open";
  }

 private:
  // Under Wine a press from SendInput on a window that is not the foreground one may only activate
  // it and be lost, unlike a click from the screen: the window under the pointer is made the
  // foreground first, as a user's click would.
  static void Activate(POINT screen) {
    HWND top = GetAncestor(WindowFromPoint(screen), GA_ROOT);
    if (!top || GetForegroundWindow() == top) return;
    SetForegroundWindow(top);
    WaitFor([top] { return GetForegroundWindow() == top; });
  }
  void Press(POINT screen) {
    Activate(screen);
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Handled();
  }
  // Pointer events of earlier moves may still be on their way and carry the pointer back when
  // they are handled: the move is repeated until the pointer stays.
  void MoveTo(POINT screen) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      SetCursorPos(screen.x, screen.y);
      Handled();
      POINT now;
      if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) return;
    }
  }
  void Release(POINT screen) {
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Handled();
  }
  static void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
  }
  static void SendKey(WORD key, wchar_t character, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = character;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
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
