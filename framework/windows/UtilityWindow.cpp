// TUtilityWindow: the hidden window and its exception-safe procedure.
#include "framework/windows/UtilityWindow.h"

#include "framework/core/Exception.h"
#include "framework/windows/Application.h"
#include "framework/windows/Win32Error.h"

namespace {
constexpr wchar_t kClassName[] = L"TavelkoUtilityWindow";
}  // namespace

TUtilityWindow::TUtilityWindow(THandler handler) : handler_(std::move(handler)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(instance, kClassName, &existing)) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.lpszClassName = kClassName;
    if (!RegisterClassExW(&cls)) throw EWin32Error("Cannot register the utility window class", GetLastError());
  }
  // A hidden top-level window (not a message-only one): tooltips and message boxes need a real owner.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
  if (!handle_) throw EWin32Error("Cannot create the utility window", GetLastError());
}

TUtilityWindow::~TUtilityWindow() {
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
}

LRESULT CALLBACK TUtilityWindow::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && self->handler_) {
    TMessage message{msg, wParam, lParam, 0};
    try {
      if (self->handler_(message)) return message.Result;
    } catch (...) {
      // Nothing may unwind through Windows' frames.
      if (Application) Application->HandleException(nullptr);
      return 0;
    }
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}
