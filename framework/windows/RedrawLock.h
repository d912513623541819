/// @file
/// TRedrawLock: a window drawn once after many of its child windows were made, moved or destroyed.
/// For each such step on a shown window Wine works out the visible region of every sibling window
/// again, so a thousand steps take many seconds; with the parent's drawing off they take a fraction
/// of that, and one repaint of the parent and its children follows.
#pragma once

#include <windows.h>

#include "framework/windows/WinControl.h"

/// Turns a shown window's drawing off for the lock's lifetime (see the file documentation); on
/// destruction turns it on and repaints the window, its frame and its children.
class TRedrawLock {
 public:
  /// Nothing for a control without a shown window, or inside another lock of the same window.
  explicit TRedrawLock(TWinControl* control)
      : window_(control && control->HandleAllocated() && IsWindowVisible(control->Handle()) ? control->Handle()
                                                                                              : nullptr) {
    if (window_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawLock() {
    if (!window_ || !IsWindow(window_)) return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  TRedrawLock(const TRedrawLock&) = delete;
  TRedrawLock& operator=(const TRedrawLock&) = delete;

 private:
  HWND window_;
};
