// The yardstick of the start-up benchmark: the least window program, shown and looping.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = [](HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(wnd, msg, wparam, lparam);
  };
  cls.hInstance = instance;
  cls.lpszClassName = L"MinimalWindow";
  RegisterClassW(&cls);
  HWND wnd = CreateWindowExW(0, cls.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, 100, 100, 600, 600, nullptr,
                             nullptr, instance, nullptr);
  ShowWindow(wnd, show);
  UpdateWindow(wnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
