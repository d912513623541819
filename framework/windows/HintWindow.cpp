// THintManager: timers and the tracking tooltip.
#include "framework/windows/HintWindow.h"

#include <commctrl.h>

#include <iterator>

#include "framework/windows/Application.h"
#include "framework/windows/WinControl.h"
#include "framework/windows/Win32Error.h"

THintManager::THintManager(HWND owner) : owner_(owner), font_(std::make_unique<TFont>()) {
  font_->SetName("ＭＳ Ｐゴシック");
  font_->SetCharset(SHIFTJIS_CHARSET);
  font_->SetHeight(-12);
}

THintManager::~THintManager() {
  KillTimer(owner_, kShowTimer);
  KillTimer(owner_, kHideTimer);
  if (tooltip_) DestroyWindow(tooltip_);
}

String THintManager::HintOf(TControl* control) {
  if (!control || !control->ShowHint()) return {};
  for (TControl* c = control; c; c = c->Parent())
    if (!c->Hint().empty()) return c->Hint();
  return {};
}

void THintManager::MouseOver(TControl* control) {
  if (control == mouseControl_) return;
  mouseControl_ = control;
  recentlyShown_ = Showing();
  Hide();
  KillTimer(owner_, kShowTimer);
  pendingControl_ = nullptr;
  if (!control || !Application->ShowHint() || HintOf(control).empty()) return;
  pendingControl_ = control;
  SetTimer(owner_, kShowTimer, static_cast<UINT>(recentlyShown_ ? ShortPause : Pause), nullptr);
}

void THintManager::Cancel() {
  KillTimer(owner_, kShowTimer);
  pendingControl_ = nullptr;
  Hide();
}

void THintManager::ControlDestroyed(TControl* control) {
  if (pendingControl_ == control) {
    KillTimer(owner_, kShowTimer);
    pendingControl_ = nullptr;
  }
  if (shownControl_ == control) Hide();
  if (mouseControl_ == control) mouseControl_ = nullptr;
}

bool THintManager::TimerFired(UINT_PTR id) {
  if (id == kShowTimer) {
    KillTimer(owner_, kShowTimer);
    TControl* control = std::exchange(pendingControl_, nullptr);
    if (control) Show(control);
    return true;
  }
  if (id == kHideTimer) {
    Hide();
    return true;
  }
  return false;
}

void THintManager::Show(TControl* control) {
  POINT cursor;
  GetCursorPos(&cursor);
  THintInfo info;
  info.HintControl = control;
  info.CursorPos = control->ScreenToClient({cursor.x, cursor.y});
  info.HintStr = HintOf(control);
  info.HideTimeout = HidePause;
  if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return;

  EnsureTooltip();
  const WideString text = CP932ToWide(info.HintStr);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner_;
  tool.uId = 1;
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  // Below the cursor's hot spot, clear of the arrow.
  const int below = GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, cursor.y + below));
  SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  SetWindowPos(tooltip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  shownControl_ = control;
  if (info.HideTimeout > 0) SetTimer(owner_, kHideTimer, static_cast<UINT>(info.HideTimeout), nullptr);
}

void THintManager::Hide() {
  KillTimer(owner_, kHideTimer);
  if (!shownControl_) return;
  shownControl_ = nullptr;
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner_;
  tool.uId = 1;
  SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

String THintManager::TooltipText() const {
  if (!tooltip_) return {};
  wchar_t buffer[1024] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner_;
  tool.uId = 1;
  tool.lpszText = buffer;
  SendMessageW(tooltip_, TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&tool));
  return WideToCP932(buffer);
}

void THintManager::EnsureTooltip() {
  if (tooltip_) return;
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)initialised;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, owner_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) throw EWin32Error("Cannot create the hint window", GetLastError());
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner_;
  tool.uId = 1;
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
