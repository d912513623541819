// Checks that need the foreground.
#include "tests/support/Foreground.h"

#include <windows.h>

#include "tests/support/MessagePump.h"

namespace test_support {

TRect CursorClip() {
  RECT r;
  GetClipCursor(&r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

bool HoldsInForeground(TForm* form, const std::function<bool()>& check, int attempts) {
  for (int i = 0; i < attempts; ++i) {
    SetForegroundWindow(form->Handle());
    Pump(TPumpMode::Dispatch);
    if (check()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return false;
}

bool SystemConfinesThePointer(TForm* form, const TRect& rect) {
  return HoldsInForeground(form, [&] {
    const RECT clip{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ClipCursor(&clip);
    const bool confined = CursorClip() == rect;
    ClipCursor(nullptr);
    return confined;
  });
}

TSkipReason FocusUncheckable(TForm* form) {
  if (GetFocus() || GetForegroundWindow() == form->Handle()) return std::nullopt;
  return "another program holds the activation of the desktop: this thread has no focus to check";
}

}  // namespace test_support
