// The yardstick of the start-up benchmark: the least window program, shown and looping. Built a
// second time as MinimalPhases, which stamps the phases of its start and ends once painted.
#include <windows.h>

#ifdef STARTUP_PHASES
#include "StartupClock.h"
static bench::TStartupPhases phases;
#define END_OF_PHASE() phases.Mark()
#else
#define END_OF_PHASE()
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  END_OF_PHASE();  // the entry
  WNDCLASSW cls{};
  cls.lpfnWndProc = [](HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(wnd, msg, wparam, lparam);
  };
  cls.hInstance = instance;
  cls.lpszClassName = L"MinimalWindow";
  RegisterClassW(&cls);
  END_OF_PHASE();  // the class registered
  END_OF_PHASE();  // no stored layout to read
  HWND wnd = CreateWindowExW(0, cls.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, 100, 100, 600, 600, nullptr,
                             nullptr, instance, nullptr);
  ShowWindow(wnd, show);
  END_OF_PHASE();  // the window made and shown
  UpdateWindow(wnd);
  END_OF_PHASE();  // painted
#ifdef STARTUP_PHASES
  phases.Write();
  return 0;
#endif
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
