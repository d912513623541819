// Tavelko.exe start-up: opens the page window and runs the message loop.
#include <windows.h>

namespace {

LRESULT CALLBACK PageWindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wparam, lparam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = PageWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"TMainForm1";
    RegisterClassW(&cls);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 600, 600};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    HWND wnd = CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"Tavelko", style, 157, 61,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                               instance, nullptr);
    ShowWindow(wnd, show);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
