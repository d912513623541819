// Checks a test can make only while its window is in the foreground of the shared desktop: where
// the pointer is confined, and which window has the keyboard focus.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "framework/windows/Forms.h"

namespace test_support {

// Why a check cannot be made now; the test skips with it.
using TSkipReason = std::optional<std::string>;

// The clipping rectangle of the pointer now.
TRect CursorClip();
// Runs `check` with `form` in the foreground until it holds, at most `attempts` times. Wine lets
// go of the pointer's confinement when the foreground changes or a window that was in front goes,
// and tells the X server so later, from the desktop process: a confinement can be dropped under
// a test that did nothing wrong.
bool HoldsInForeground(TForm* form, const std::function<bool()>& check, int attempts = 5);
// Whether Windows confines the pointer to `rect` (screen) for `form` in the foreground at all:
// some displays never let a program confine it, whatever the program does.
bool SystemConfinesThePointer(TForm* form, const TRect& rect);
// While another program holds the activation of the shared desktop, this thread has no focus and
// which of `form`'s windows would have it cannot be checked.
TSkipReason FocusUncheckable(TForm* form);

}  // namespace test_support
