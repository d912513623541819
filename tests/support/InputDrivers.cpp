// Input for tests.
#include "tests/support/InputDrivers.h"

#include <shlobj.h>

#include <cstring>

#include "framework/stdctrls/Clipboard.h"
#include "tests/support/MessagePump.h"

namespace test_support {

void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys) {
  SendMessageW(window, msg, keys, MAKELPARAM(x, y));
}

void ClickAt(HWND window, int x, int y) {
  SendMouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  SendMouse(window, WM_LBUTTONUP, x, y);
}

// Pointer events of earlier moves may still be on their way and carry the pointer back when they
// are handled; so the mouse messages are handled and the move repeated until the pointer stays.
bool MoveCursorTo(const TPoint& screen) {
  const auto there = [&] {
    POINT now;
    return GetCursorPos(&now) && now.x == screen.X && now.y == screen.Y;
  };
  for (int attempt = 0; attempt < 20; ++attempt) {
    SetCursorPos(screen.X, screen.Y);
    if (!PumpUntil(there, TPumpMode::Application, 1000)) continue;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) ||
           PeekMessageW(&msg, nullptr, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_NOREMOVE))
      Pump();
    if (there()) return true;
  }
  return false;
}

void Deliver(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG message{window, msg, wParam, lParam, GetTickCount(), {}};
  GetCursorPos(&message.pt);
  TranslateMessage(&message);
  DispatchMessageW(&message);
  Pump(TPumpMode::DispatchWithoutRealInput);
}

HWND TMouseDriver::Target(TPoint screen) const {
  HWND capture = GetCapture();
  if (capture) return capture;
  HWND window = root_->Handle();
  for (;;) {
    POINT local{screen.X, screen.Y};
    ScreenToClient(window, &local);
    HWND child = ChildWindowFromPointEx(window, local, CWP_SKIPINVISIBLE);
    if (!child || child == window) break;
    window = child;
  }
  const LPARAM at = MAKELPARAM(static_cast<WORD>(screen.X), static_cast<WORD>(screen.Y));
  while (window != root_->Handle() && SendMessageW(window, WM_NCHITTEST, 0, at) == HTTRANSPARENT)
    window = GetParent(window);
  return window;
}

WPARAM TMouseDriver::Keys(TShiftState extra) const {
  WPARAM keys = 0;
  if (left_) keys |= MK_LBUTTON;
  if (right_) keys |= MK_RBUTTON;
  if (extra.Contains(ssShift)) keys |= MK_SHIFT;
  if (extra.Contains(ssCtrl)) keys |= MK_CONTROL;
  return keys;
}

void TMouseDriver::Post(UINT msg, TPoint screen, WPARAM keys) {
  HWND target = Target(screen);
  POINT local{screen.X, screen.Y};
  ScreenToClient(target, &local);
  Deliver(target, msg, keys, MAKELPARAM(static_cast<WORD>(local.x), static_cast<WORD>(local.y)));
}

void TMouseDriver::Press(TPoint screen, TShiftState extra) {
  left_ = true;
  Post(WM_LBUTTONDOWN, screen, Keys(extra));
}

void TMouseDriver::MoveTo(TPoint screen, TShiftState extra) { Post(WM_MOUSEMOVE, screen, Keys(extra)); }

void TMouseDriver::Release(TPoint screen, TShiftState extra) {
  left_ = false;
  Post(WM_LBUTTONUP, screen, Keys(extra));
}

void TMouseDriver::RightPress(TPoint screen) {
  right_ = true;
  Post(WM_RBUTTONDOWN, screen, Keys({}));
}

void TMouseDriver::RightRelease(TPoint screen) {
  right_ = false;
  Post(WM_RBUTTONUP, screen, Keys({}));
}

void TMouseDriver::DoubleClick(TPoint screen) {
  Press(screen);
  Release(screen);
  left_ = true;
  Post(WM_LBUTTONDBLCLK, screen, Keys({}));
  Release(screen);
}

void TMouseDriver::Drag(TPoint from, TPoint to, int steps) {
  Press(from);
  for (int i = 1; i <= steps; ++i)
    MoveTo({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
  Release(to);
}

TPoint ScreenOf(TControl* control, TPoint local) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->ClientToScreen(local);
  const TPoint origin = control->Parent()->ClientToScreen({control->Left(), control->Top()});
  return {origin.X + local.X, origin.Y + local.Y};
}

HWND KeyboardWindow(TWinControl* fallback) {
  HWND focus = GetFocus();
  return focus ? focus : fallback->Handle();
}

void TypeKey(HWND window, WORD virtualKey, bool control, bool shift) {
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  GetKeyboardState(state);
  state[VK_CONTROL] = state[VK_LCONTROL] = control ? 0x80 : 0;
  state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  Deliver(window, WM_KEYDOWN, virtualKey, 1 | scan);
  Deliver(window, WM_KEYUP, virtualKey, 0xC0000001 | scan);
  SetKeyboardState(saved);
}

HDROP MakeDrop(const std::vector<WideString>& names, POINT at) {
  std::size_t size = sizeof(DROPFILES) + sizeof(wchar_t);
  for (const WideString& name : names) size += (name.size() + 1) * sizeof(wchar_t);
  TGlobalMemory block(size);
  {
    TGlobalLock lock(block.Get());
    auto* header = reinterpret_cast<DROPFILES*>(lock.Data());
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(lock.Data() + sizeof(DROPFILES));
    for (const WideString& name : names) {
      std::memcpy(text, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
      text += name.size() + 1;
    }
  }
  return static_cast<HDROP>(block.Release());
}

}  // namespace test_support
