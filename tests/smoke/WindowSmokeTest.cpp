// Proves the chain end to end: a real window under Wine receives real messages and paints.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

int g_clicks = 0;

LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_LBUTTONDOWN) {
        ++g_clicks;
        return 0;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT r{0, 0, 10, 10};
        FillRect(dc, &r, red);
        DeleteObject(red);
        EndPaint(wnd, &ps);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wparam, lparam);
}

} // namespace

TEST(WindowSmoke, ReceivesMessagesAndPaints)
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"SmokeWindow";
    ASSERT_NE(RegisterClassW(&cls), 0);
    HWND wnd = CreateWindowExW(0, cls.lpszClassName, L"smoke", WS_POPUP | WS_VISIBLE, 10, 10, 50,
                               50, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);

    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(g_clicks, 2);

    UpdateWindow(wnd);
    HDC dc = GetDC(wnd);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));
    ReleaseDC(wnd, dc);
    DestroyWindow(wnd);
}
