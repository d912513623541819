// The release tests' probe inside Windows, one command a run:
//   ReleaseProbe version PROGRAM       print the program's version resource as read through the
//                                      version API: the fixed file version and the strings
//   ReleaseProbe window PROGRAM CLASS  start PROGRAM in its own folder as Explorer would, wait for
//                                      its visible top-level window of CLASS, print its title,
//                                      close it and print the program's exit code
//   ReleaseProbe save PROGRAM FILE     start the comic page PROGRAM, click its save button, answer
//                                      the save dialog with FILE, close it; print the screen's
//                                      dots per inch and its exit code
//   ReleaseProbe shortcut LINK         print the target and working folder of a shell link
//   ReleaseProbe folders               print the user's documents, the Start menu's programs
//                                      folders (all users', the user's) and application data
// Prints UTF-8 lines "Name=value"; on failure exits non-zero with the reason on stderr.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD WaitLimitMs = 60000;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

void Print(const std::wstring& name, const std::wstring& value) {
  std::printf("%s=%s\n", Utf8(name).c_str(), Utf8(value).c_str());
}

int Fail(const std::wstring& reason) {
  std::fprintf(stderr, "ReleaseProbe: %s\n", Utf8(reason).c_str());
  return 1;
}

std::wstring Dotted(DWORD high, DWORD low) {
  return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." + std::to_wstring(HIWORD(low)) +
         L"." + std::to_wstring(LOWORD(low));
}

int PrintVersion(const std::wstring& program) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  if (size == 0) return Fail(L"no version resource in " + program + L" (error " + std::to_wstring(GetLastError()) + L")");
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(program.c_str(), 0, size, block.data())) return Fail(L"the version resource cannot be read");

  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return Fail(L"the version resource has no fixed file information");
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
  if (fixed.dwSignature != VS_FFI_SIGNATURE) return Fail(L"the fixed file information has a wrong signature");
  Print(L"FixedFileVersion", Dotted(fixed.dwFileVersionMS, fixed.dwFileVersionLS));
  Print(L"FixedProductVersion", Dotted(fixed.dwProductVersionMS, fixed.dwProductVersionLS));

  // The strings of the first language the resource names, as Explorer's properties show them.
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 2 * sizeof(WORD))
    return Fail(L"the version resource names no language");
  const auto* language = static_cast<const WORD*>(value);
  wchar_t table[9];
  std::swprintf(table, 9, L"%04x%04x", language[0], language[1]);
  for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription", L"LegalCopyright",
                              L"CompanyName", L"InternalName", L"OriginalFilename"}) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + name;
    if (VerQueryValueW(block.data(), path.c_str(), &value, &length) && length > 0)
      Print(name, static_cast<const wchar_t*>(value));
  }
  return 0;
}

// A started program; one that is still running when this ends is ended with it.
class ChildProcess {
 public:
  explicit ChildProcess(const std::wstring& program) {
    // Explorer starts a program in its own folder.
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                              &startup, &info_);
  }
  ~ChildProcess() {
    if (!started_) return;
    if (!Ended(0)) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Ended(DWORD waitMs) const { return WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TitleOf(HWND window) {
  std::wstring title(GetWindowTextLengthW(window) + 1, L'\0');
  title.resize(GetWindowTextW(window, title.data(), static_cast<int>(title.size())));
  return title;
}

// The visible top-level windows of a process, in Z order.
std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WindowOfClass(DWORD processId, const std::wstring& className) {
  for (HWND window : VisibleWindowsOf(processId))
    if (ClassOf(window) == className) return window;
  return nullptr;
}

// What the program shows instead, such as a message box of an error at start-up.
std::wstring DescribeWindowsOf(DWORD processId) {
  std::wstring shown;
  for (HWND window : VisibleWindowsOf(processId)) shown += L" [" + ClassOf(window) + L" \"" + TitleOf(window) + L"\"]";
  return shown.empty() ? L" none" : shown;
}

// Another process's windows send us nothing to wait on: polls, with the wait for the program's
// end as the pause between looks. Null, with the complaint printed, when it never shows.
template <class Find>
HWND WaitForWindow(const ChildProcess& process, const std::wstring& what, Find find) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = find()) return window;
    if (process.Ended(50)) {
      Fail(L"the program ended with exit code " + std::to_wstring(process.ExitCode()) + L" before showing " + what);
      return nullptr;
    }
    if (GetTickCount() - start > WaitLimitMs) {
      Fail(L"no " + what + L"; the program shows:" + DescribeWindowsOf(process.Id()));
      return nullptr;
    }
  }
}

// Closes the program's window and prints its exit code.
int CloseAndReport(const ChildProcess& process, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!process.Ended(WaitLimitMs))
    return Fail(L"the program did not end when its window was closed; it shows:" + DescribeWindowsOf(process.Id()));
  Print(L"ExitCode", std::to_wstring(process.ExitCode()));
  return 0;
}

int ShowWindowOf(const std::wstring& program, const std::wstring& className) {
  ChildProcess process(program);
  if (!process.Started()) return Fail(L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")");
  HWND window = WaitForWindow(process, L"visible " + className + L" window",
                              [&] { return WindowOfClass(process.Id(), className); });
  if (!window) return 1;
  Print(L"Title", TitleOf(window));
  DWORD_PTR ignored = 0;
  Print(L"Responding", SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored) ? L"yes" : L"no");
  return CloseAndReport(process, window);
}

// A click on the windowless button at `at` in the page's client area, as the mouse gives it to the
// window beneath (posted, so it does not depend on where the pointer is or which window is active).
void ClickOnPage(HWND page, POINT at) {
  HWND target = ChildWindowFromPointEx(page, at, CWP_SKIPINVISIBLE);
  MapWindowPoints(page, target, &at, 1);
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(target, WM_MOUSEMOVE, 0, where);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(target, WM_LBUTTONUP, 0, where);
}

// The file name box of the standard file dialogs (an edit inside a combo box).
HWND FileNameBox(HWND dialog) {
  constexpr int FileNameComboId = 0x47c;
  HWND found = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        if (GetDlgCtrlID(child) != FileNameComboId || _wcsicmp(ClassOf(child).c_str(), L"Edit") != 0) return TRUE;
        *reinterpret_cast<HWND*>(data) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

int SaveComic(const std::wstring& program, const std::wstring& file) {
  // The save button's middle, in the page window's client area (the panel at 432, 520; the button
  // at 1, 25 in it, 158 x 24).
  constexpr POINT SaveButton{432 + 80, 520 + 37};
  ChildProcess process(program);
  if (!process.Started()) return Fail(L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")");
  HWND page = WaitForWindow(process, L"page window", [&] { return WindowOfClass(process.Id(), L"TMainForm1"); });
  if (!page) return 1;
  ClickOnPage(page, SaveButton);
  HWND dialog = WaitForWindow(process, L"save dialog", [&] {
    HWND shown = GetLastActivePopup(page);
    return shown != page && ClassOf(shown) == L"#32770" ? shown : nullptr;
  });
  if (!dialog) return 1;
  HWND name = FileNameBox(dialog);
  if (!name) return Fail(L"the save dialog has no file name box");
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  if (!WaitForWindow(process, L"end of the save dialog", [&] { return IsWindow(dialog) ? nullptr : page; })) return 1;
  // Saved when the page takes messages again.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(page, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored);
  HDC screen = GetDC(nullptr);
  Print(L"ScreenDpi", std::to_wstring(GetDeviceCaps(screen, LOGPIXELSY)));
  ReleaseDC(nullptr, screen);
  return CloseAndReport(process, page);
}

// Links are read through the shell, as Explorer reads them.
int PrintShortcut(const std::wstring& link) {
  if (FAILED(CoInitialize(nullptr))) return Fail(L"COM does not start");
  IShellLinkW* shellLink = nullptr;
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
  const bool read =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink))) &&
      SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(link.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, 0)) &&
      SUCCEEDED(shellLink->GetWorkingDirectory(folder, MAX_PATH));
  if (file) file->Release();
  if (shellLink) shellLink->Release();
  CoUninitialize();
  if (!read) return Fail(L"cannot read the shortcut " + link);
  Print(L"Target", target);
  Print(L"WorkingDirectory", folder);
  return 0;
}

int PrintFolders() {
  for (const auto& [name, csidl] : {std::pair{L"Documents", CSIDL_PERSONAL}, std::pair{L"CommonPrograms", CSIDL_COMMON_PROGRAMS},
                                    std::pair{L"Programs", CSIDL_PROGRAMS}, std::pair{L"AppData", CSIDL_APPDATA}}) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
      return Fail(std::wstring(L"no folder ") + name);
    Print(name, path);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"version" && argc == 3) return PrintVersion(argv[2]);
  if (command == L"window" && argc == 4) return ShowWindowOf(argv[2], argv[3]);
  if (command == L"save" && argc == 4) return SaveComic(argv[2], argv[3]);
  if (command == L"shortcut" && argc == 3) return PrintShortcut(argv[2]);
  if (command == L"folders" && argc == 2) return PrintFolders();
  return Fail(L"usage: ReleaseProbe version PROGRAM | window PROGRAM CLASS | save PROGRAM FILE | shortcut LINK | folders");
}
