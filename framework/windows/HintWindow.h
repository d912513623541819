/// @file
/// THintManager: shows a control's Hint in a system tooltip after the mouse has rested on the
/// control, hides it after a while, on a click or a key, or when the mouse moves on.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/core/Text.h"
#include "framework/graphics/Font.h"

class TControl;

/// The application's hint logic and its tooltip window; the application owns the one instance
/// (TApplication::Hints) and feeds it the mouse.
class THintManager {
 public:
  /// `owner`: the hidden window whose WM_TIMER messages reach TimerFired.
  explicit THintManager(HWND owner);
  ~THintManager();
  THintManager(const THintManager&) = delete;
  THintManager& operator=(const THintManager&) = delete;

  /// The control under the mouse changed (null: none).
  void MouseOver(TControl* control);
  /// Hides the hint; it comes back only when the mouse moves to another control.
  void Cancel();
  /// Forgets `control` (its hint goes from the screen); called as a control is destroyed.
  void ControlDestroyed(TControl* control);
  /// WM_TIMER of the owner window; false when the timer is not one of the hint's.
  bool TimerFired(UINT_PTR id);

  /// Milliseconds before a hint appears, before the next one appears while one was just shown,
  /// and before a shown hint goes.
  ///@{
  int Pause = 500;
  int ShortPause = 50;
  int HidePause = 2500;
  ///@}

  // ---- State, for tests and the application ----
  bool Pending() const { return pendingControl_ != nullptr; }  ///< a hint waits for its pause
  bool Showing() const { return shownControl_ != nullptr; }  ///< a hint is on the screen
  TControl* HintControl() const { return shownControl_; }  ///< whose hint is on the screen; null for none
  HWND TooltipWindow() const { return tooltip_; }  ///< the tooltip, made for the first hint; null before
  /// The text the tooltip holds now (CP932).
  String TooltipText() const;

  /// The hint of `control`, or of the nearest parent that has one, when the control shows hints.
  static String HintOf(TControl* control);

 private:
  enum TimerId : UINT_PTR { kShowTimer = 0x4801, kHideTimer = 0x4802 };

  void Show(TControl* control);
  void Hide();
  void EnsureTooltip();

  HWND owner_;
  HWND tooltip_ = nullptr;
  std::unique_ptr<TFont> font_;     ///< Japanese text needs a font with its glyphs
  TControl* mouseControl_ = nullptr;    ///< under the mouse now
  TControl* pendingControl_ = nullptr;  ///< the show timer runs for it
  TControl* shownControl_ = nullptr;    ///< its hint is on the screen
  bool recentlyShown_ = false;
};
