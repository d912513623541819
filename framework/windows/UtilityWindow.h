/// @file
/// TUtilityWindow: a hidden window of its own that hands its messages to a method — for timers,
/// posted notifications, the owner of tooltips, dialogs and the clipboard.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/windows/Messages.h"

/// A hidden top-level window that hands its messages to a handler (see the file documentation).
/// Exceptions from the handler go to the application's exception display.
class TUtilityWindow {
 public:
  /// Answers true when it handled the message (its Result is returned); false lets Windows'
  /// default procedure answer.
  using THandler = std::function<bool(TMessage&)>;

  /// Makes the window; raises EWin32Error when Windows cannot make it. The handler may be called
  /// already while the window is being made.
  explicit TUtilityWindow(THandler handler);
  ~TUtilityWindow();
  TUtilityWindow(const TUtilityWindow&) = delete;
  TUtilityWindow& operator=(const TUtilityWindow&) = delete;

  /// The window; owned by this object, destroyed with it.
  HWND Handle() const { return handle_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  THandler handler_;
  HWND handle_ = nullptr;
};
