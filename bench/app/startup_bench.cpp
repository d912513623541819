// Start-up benchmark: time from CreateProcess until the main window is visible and has answered
// a message (so it has painted), for Tavelko.exe and for a minimal window program; the best of
// several runs each, then the ratio.
// Usage (under Wine): startup_bench PATH\Tavelko.exe PATH\MinimalWindow.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Seconds until a visible window of `windowClass` answers; negative on failure.
double StartOnce(const std::wstring& program, const wchar_t* windowClass) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\"";
  LARGE_INTEGER start, ready;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  HWND window = nullptr;
  for (int i = 0; i < 20000 && !window; ++i) {
    HWND found = FindWindowW(windowClass, nullptr);
    if (found && IsWindowVisible(found)) window = found;
    else Sleep(1);  // another process: polling is the only way to see its window appear
  }
  double result = -1;
  if (window) {
    DWORD_PTR ignored;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    QueryPerformanceCounter(&ready);
    result = Seconds(start, ready);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

double Best(const std::wstring& program, const wchar_t* windowClass, int runs) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const double t = StartOnce(program, windowClass);
    if (t < 0) return -1;
    best = std::min(best, t);
  }
  return best;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench Tavelko.exe MinimalWindow.exe [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? _wtoi(argv[3]) : 5;
  const double minimal = Best(argv[2], L"MinimalWindow", runs);
  const double tavelko = Best(argv[1], L"TMainForm1", runs);
  if (minimal < 0 || tavelko < 0) {
    std::fprintf(stderr, "startup_bench: a program did not show its window\n");
    return 1;
  }
  std::printf("minimal window program: %.1f ms\nTavelko:                %.1f ms\nratio:                  %.2f\n",
              minimal * 1000, tavelko * 1000, tavelko / minimal);
  return 0;
}
