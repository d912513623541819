// The headless tour's hands: finds the running page window and drives it with real window
// messages, one command per run, so the shell script can take screenshots in between.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr DWORD WaitLimitMs = 20000;

HWND FindPageWindow()
{
    return FindWindowW(L"TMainForm1", nullptr);
}

HWND WaitForPageWindow()
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND wnd = FindPageWindow(); wnd && IsWindowVisible(wnd))
            return wnd;
        if (GetTickCount() - start > WaitLimitMs)
            return nullptr;
        Sleep(50); // polling another process: there is no message of ours to wait on
    }
}

int Fail(const char* what)
{
    std::fprintf(stderr, "tour: %s\n", what);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Fail("usage: TourDriver wait|close");
    HWND page = WaitForPageWindow();
    if (!page)
        return Fail("the page window did not appear");
    if (std::wcscmp(argv[1], L"wait") == 0) {
        // Let the window finish its first paint before anyone looks at it.
        DWORD_PTR ignored;
        SendMessageTimeoutW(page, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored);
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return 0;
    }
    if (std::wcscmp(argv[1], L"close") == 0) {
        PostMessageW(page, WM_CLOSE, 0, 0);
        return 0;
    }
    return Fail("unknown command");
}
