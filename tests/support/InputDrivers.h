// Input for tests: mouse messages sent straight to a window, the real pointer, input delivered as
// Windows routes it (to the window under the capture or the point, to the focused window), and
// files dropped as the shell drops them.
//
// The desktop is shared with other programs whose input would reach a test's windows (the pointer
// and the keyboard belong to everyone). So the routing drivers hand their messages to the windows
// through the message loop's dispatch and pump with TPumpMode::DispatchWithoutRealInput, which
// drops input of the real mouse and keyboard.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "framework/windows/Messages.h"
#include "framework/windows/WinControl.h"

namespace test_support {

// ---- Sent straight to a window, in its client coordinates ----

void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys = 0);
// Left button down and up.
void ClickAt(HWND window, int x, int y);

// ---- The real pointer ----

// The screen point of `local` in the client coordinates of `control`, windowed or not.
TPoint ScreenOf(TControl* control, TPoint local);

// Moves the real pointer and waits until the system reports it there; false when it never stays.
bool MoveCursorTo(const TPoint& screen);

// ---- Routed as Windows routes input ----

// One message through translation and dispatch as the message loop would handle it, then what it
// made is pumped.
void Deliver(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Mouse input to the window holding the capture, otherwise to the deepest visible window of
// `root` under the point that does not answer HTTRANSPARENT.
class TMouseDriver {
 public:
  explicit TMouseDriver(TWinControl* root) : root_(root) {}

  void Press(TPoint screen, TShiftState extra = {});
  void MoveTo(TPoint screen, TShiftState extra = {});
  void Release(TPoint screen, TShiftState extra = {});
  void RightPress(TPoint screen);
  void RightRelease(TPoint screen);
  void DoubleClick(TPoint screen);
  // Press, moves in `steps` straight steps, release.
  void Drag(TPoint from, TPoint to, int steps = 4);
  void Click(TPoint screen) { Drag(screen, screen, 0); }

  // The window that would receive a mouse message at `screen` now.
  HWND Target(TPoint screen) const;

 private:
  void Post(UINT msg, TPoint screen, WPARAM keys);
  WPARAM Keys(TShiftState extra) const;

  TWinControl* root_;
  bool left_ = false;
  bool right_ = false;
};

// The window keys go to: the focused one; while another program holds the activation of the shared
// desktop this thread has no focus, and `fallback` stands in.
HWND KeyboardWindow(TWinControl* fallback);
// A key pressed and released with Ctrl and Shift held or not: key down, the character the
// translation makes of it, key up.
void TypeKey(HWND window, WORD virtualKey, bool control = false, bool shift = false);

// ---- Dropped files ----

// A drop handle as the shell makes it: DROPFILES with the point, then the zero-terminated wide
// names, then one more zero. The receiver of WM_DROPFILES owns it.
HDROP MakeDrop(const std::vector<WideString>& names, POINT at = {});

}  // namespace test_support
