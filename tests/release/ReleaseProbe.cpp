// The release test's probe inside Windows, one command a run:
//   ReleaseProbe version PROGRAM       print the program's version resource as read through the
//                                      version API: the fixed file version and the strings
//   ReleaseProbe window PROGRAM CLASS  start PROGRAM in its own folder as Explorer would, wait for
//                                      its visible top-level window of CLASS, print its title,
//                                      close it and print the program's exit code
// Prints UTF-8 lines "Name=value"; on failure exits non-zero with the reason on stderr.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
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

int ShowWindowOf(const std::wstring& program, const std::wstring& className) {
  ChildProcess process(program);
  if (!process.Started()) return Fail(L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")");
  HWND window = nullptr;
  const DWORD start = GetTickCount();
  // Another process's windows send us nothing to wait on: poll, with the wait for the program's
  // end as the pause between looks.
  while (!(window = WindowOfClass(process.Id(), className))) {
    if (process.Ended(50))
      return Fail(L"the program ended with exit code " + std::to_wstring(process.ExitCode()) + L" before showing its window");
    if (GetTickCount() - start > WaitLimitMs)
      return Fail(L"no visible " + className + L" window; the program shows:" + DescribeWindowsOf(process.Id()));
  }
  Print(L"Title", TitleOf(window));
  DWORD_PTR ignored = 0;
  Print(L"Responding", SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored) ? L"yes" : L"no");
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!process.Ended(WaitLimitMs))
    return Fail(L"the program did not end when its window was closed; it shows:" + DescribeWindowsOf(process.Id()));
  Print(L"ExitCode", std::to_wstring(process.ExitCode()));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"version" && argc == 3) return PrintVersion(argv[2]);
  if (command == L"window" && argc == 4) return ShowWindowOf(argv[2], argv[3]);
  return Fail(L"usage: ReleaseProbe version PROGRAM | window PROGRAM CLASS");
}
