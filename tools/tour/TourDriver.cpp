// The headless tour's hands inside Wine: finds the running program's main window (the page window,
// or the window class named by TOUR_WINDOW) and drives it with real window messages, one command
// per run, so the tour script can move the real mouse, drop files and take screenshots in between.
//   TourDriver wait              wait until the window shows and has painted
//   TourDriver origin            print the screen position of the window's client area: "x y"
//   TourDriver type X Y TEXT     replace the text of the edit box at client point (X, Y)
//   TourDriver save FILE         answer the open file dialog (save or open) with FILE
//   TourDriver open FILE         the same
//   TourDriver answer yes|no     answer the window's open question box
//   TourDriver close             close the window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD WaitLimitMs = 20000;
constexpr int FileNameComboId = 0x47c;  // the file name box of the standard file dialogs

// Polls another process's windows: there is no message of ours to wait on. False on timeout.
template <class Condition>
bool WaitUntil(Condition holds) {
  const DWORD start = GetTickCount();
  while (!holds()) {
    if (GetTickCount() - start > WaitLimitMs) return false;
    Sleep(50);
  }
  return true;
}

template <class Find>
HWND WaitFor(Find find) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; });
  return found;
}

HWND PageWindow() {
  const wchar_t* named = _wgetenv(L"TOUR_WINDOW");
  HWND wnd = FindWindowW(named && *named ? named : L"TMainForm1", nullptr);
  return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

// The page's own dialog (the save dialog, a question box): a visible dialog-class window owned by
// the page.
HWND PageDialog(HWND page) {
  struct Search {
    HWND page;
    HWND found;
  } search{page, nullptr};
  EnumWindows(
      [](HWND wnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t cls[16];
        GetClassNameW(wnd, cls, 16);
        if (IsWindowVisible(wnd) && std::wcscmp(cls, L"#32770") == 0 && GetWindow(wnd, GW_OWNER) == s->page) {
          s->found = wnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Fail(const char* what) {
  std::fprintf(stderr, "tour: %s\n", what);
  return 1;
}

int TypeInto(HWND page, int x, int y, const std::wstring& text) {
  POINT at{x, y};
  HWND edit = ChildWindowFromPointEx(page, at, CWP_SKIPINVISIBLE);
  // The boxes lie on the stage: look one level further down.
  if (edit && edit != page) {
    MapWindowPoints(page, edit, &at, 1);
    if (HWND inner = ChildWindowFromPointEx(edit, at, CWP_SKIPINVISIBLE)) edit = inner;
  }
  wchar_t cls[16] = {};
  if (edit) GetClassNameW(edit, cls, 16);
  if (_wcsicmp(cls, L"Edit") != 0) return Fail("no edit box at the point");
  SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  return 0;
}

int AnswerFileDialog(HWND page, const std::wstring& fileName) {
  HWND dialog = WaitFor([page] { return PageDialog(page); });
  if (!dialog) return Fail("no file dialog appeared");
  // The file name box is an edit inside a combo box (inside an extended combo box in Wine).
  struct Search {
    HWND found;
  } search{nullptr};
  EnumChildWindows(
      dialog,
      [](HWND wnd, LPARAM data) -> BOOL {
        wchar_t cls[16];
        GetClassNameW(wnd, cls, 16);
        if (GetDlgCtrlID(wnd) != FileNameComboId || _wcsicmp(cls, L"Edit") != 0) return TRUE;
        reinterpret_cast<Search*>(data)->found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.found) return Fail("the file dialog has no file name box");
  SendMessageW(search.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  // Done when the dialog has gone.
  return WaitUntil([dialog] { return !IsWindow(dialog); }) ? 0 : Fail("the file dialog stayed");
}

int AnswerQuestion(HWND page, const std::wstring& answer) {
  HWND box = WaitFor([page] { return PageDialog(page); });
  if (!box) return Fail("no question appeared");
  const int button = answer == L"yes" ? IDYES : answer == L"no" ? IDNO : 0;
  if (!button || !GetDlgItem(box, button)) return Fail("the question has no such answer");
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  return WaitUntil([box] { return !IsWindow(box); }) ? 0 : Fail("the question stayed");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Fail("usage: TourDriver wait|origin|type X Y TEXT|save FILE|open FILE|answer yes|no|close");
  const std::wstring command = argv[1];
  HWND page = WaitFor(PageWindow);
  if (!page) return Fail("the page window did not appear");

  if (command == L"wait") {
    DWORD_PTR ignored;
    SendMessageTimeoutW(page, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return 0;
  }
  if (command == L"origin") {
    POINT origin{0, 0};
    ClientToScreen(page, &origin);
    std::printf("%ld %ld\n", origin.x, origin.y);
    return 0;
  }
  // Wine widens the arguments from the locale's encoding: run it under a UTF-8 locale.
  if (command == L"type" && argc == 5) return TypeInto(page, _wtoi(argv[2]), _wtoi(argv[3]), argv[4]);
  if ((command == L"save" || command == L"open") && argc == 3) return AnswerFileDialog(page, argv[2]);
  if (command == L"answer" && argc == 3) return AnswerQuestion(page, argv[2]);
  if (command == L"close") {
    PostMessageW(page, WM_CLOSE, 0, 0);
    return 0;
  }
  return Fail("unknown command");
}
