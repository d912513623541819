// Message pumping for tests.
#include "tests/support/MessagePump.h"

#include <algorithm>

#include "framework/windows/Application.h"

namespace test_support {

namespace {

bool IsRealInput(const MSG& msg) {
  const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
                   msg.message == WM_SYSKEYUP;
  return mouse || key;
}

}  // namespace

void Pump(TPumpMode mode) {
  if (mode == TPumpMode::Application) {
    Application->ProcessMessages();
    return;
  }
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (mode == TPumpMode::DispatchWithoutRealInput && IsRealInput(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, TPumpMode mode, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  while (!done()) {
    Pump(mode);
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    // Wakes for the next message; the cap looks again at conditions that no message announces.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                              QS_ALLINPUT);
  }
  return true;
}

}  // namespace test_support
