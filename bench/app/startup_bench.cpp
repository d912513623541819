// Start-up benchmark: time from CreateProcess until the main window has painted for the first
// time, for Tavelko.exe and for a minimal window program, measured the same way and interleaved
// so that both see the same machine load; prints the minimum and median of each and the ratios.
// Then where the time goes: both built again to stamp each phase of their start (TavelkoPhases,
// MinimalPhases), started interleaved in the same way.
// Usage (under Wine): startup_bench PATH\Tavelko.exe PATH\MinimalWindow.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "bench/BenchTable.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kSettleMs = 150;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

DWORD ElapsedMs(const LARGE_INTEGER& from) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return DWORD(Seconds(from, now) * 1000);
}

// A window still waiting for WM_PAINT: itself or a visible descendant has an update region.
bool PaintPending(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return true;
  bool pending = false;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM flag) -> BOOL {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
          *reinterpret_cast<bool*>(flag) = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&pending));
  return pending;
}

// The visible top-level window of `windowClass` owned by `processId`, or null.
HWND VisibleWindowOf(DWORD processId, const wchar_t* windowClass) {
  for (HWND found = FindWindowExW(nullptr, nullptr, windowClass, nullptr); found;
       found = FindWindowExW(nullptr, found, windowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == processId && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

// Polls until `windowClass` of the process is visible; null on timeout.
HWND WaitForWindow(DWORD processId, const wchar_t* windowClass, const LARGE_INTEGER& start) {
  for (;;) {
    if (HWND window = VisibleWindowOf(processId, windowClass)) return window;
    if (ElapsedMs(start) >= kTimeoutMs) return nullptr;
    Sleep(1);
  }
}

// Polls until the shown window and its child windows have no paint pending and the window's
// thread has returned from its last WM_PAINT handler (it answers a sent message).
bool WaitUntilPainted(HWND window, const LARGE_INTEGER& start) {
  DWORD_PTR ignored;
  // The shown window's thread has left ShowWindow, so its update regions are set.
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
  while (PaintPending(window) && ElapsedMs(start) < kTimeoutMs) Sleep(1);
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored) && !PaintPending(window);
}

// Waits for the started process to end (ending it after the timeout) and lets go of it. The
// desktop and the Wine server still tidy up after a process has gone; the next start should not
// pay for that.
void AwaitEnd(PROCESS_INFORMATION& process) {
  if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(kSettleMs);
}

// Seconds until the program's main window is shown and painted, itself and its child windows;
// negative on failure. The moment is the program's first wait for input with nothing left to do
// (a pending WM_PAINT counts as something to do), checked afterwards, so the check costs the
// program nothing. A program that went idle before its window was up is watched by polling.
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
  const bool idle = WaitForInputIdle(process.hProcess, kTimeoutMs) == 0;
  QueryPerformanceCounter(&ready);
  HWND window = idle ? VisibleWindowOf(process.dwProcessId, windowClass) : nullptr;
  bool painted = window && !PaintPending(window);
  if (!painted) {
    window = WaitForWindow(process.dwProcessId, windowClass, start);
    painted = window && WaitUntilPainted(window, start);
    QueryPerformanceCounter(&ready);
  }
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  AwaitEnd(process);
  return painted ? Seconds(start, ready) : -1;
}

// The phases of the start of a program built to stamp them (StartupClock.h): how long each took,
// in milliseconds; empty when the program failed.
std::vector<double> PhasesOnce(const std::wstring& program) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring stamps = std::wstring(folder) + L"tavelko-startup-phases.txt";
  DeleteFileW(stamps.c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\" \"" + stamps + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return {};
  AwaitEnd(process);
  std::vector<double> phases;
  if (FILE* file = _wfopen(stamps.c_str(), L"r")) {
    double previous = 0, stamp = 0;
    while (std::fscanf(file, "%lf", &stamp) == 1) {
      phases.push_back(stamp - previous);
      previous = stamp;
    }
    std::fclose(file);
  }
  return phases;
}

struct Program {
  const wchar_t* path;
  const wchar_t* windowClass;
  std::vector<double> times;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Minimum(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

// Where the start's time goes: the same programs built to stamp their phases, interleaved.
int ReportPhases(int runs) {
  static const char* const kPhases[] = {
      "the entry: the process, its libraries, the runtime's start",
      "the classes registered (Tavelko: also its hidden window, icon)",
      "the stored layout read, the page's windows made",
      "the main window made (minimal) and shown",
      "painted, every child window too"};
  constexpr std::size_t kCount = std::size(kPhases);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L'\\') + 1);
  const std::wstring programs[] = {folder + L"TavelkoPhases.exe", folder + L"MinimalPhases.exe"};
  std::vector<double> samples[2][kCount];
  for (int i = 0; i < runs; ++i)
    for (int p = 0; p < 2; ++p) {
      const std::vector<double> phases = PhasesOnce(programs[p]);
      if (phases.size() != kCount) {
        std::fprintf(stderr, "startup_bench: %ls stamped %zu phases\n", programs[p].c_str(), phases.size());
        return 1;
      }
      for (std::size_t k = 0; k < kCount; ++k) samples[p][k].push_back(phases[k]);
    }
  std::printf("\nwhere the start's time goes: each phase's median over %d interleaved starts (ms)\n", runs);
  std::printf("%-60s %8s %8s\n", "phase", "Tavelko", "minimal");
  for (std::size_t k = 0; k < kCount; ++k)
    std::printf("%-60s %8.1f %8.1f\n", kPhases[k], Median(samples[0][k]), Median(samples[1][k]));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench Tavelko.exe MinimalWindow.exe [runs]\n");
    return 2;
  }
  const int runs = std::max(1, argc > 3 ? _wtoi(argv[3]) : 21);
  Program minimal{argv[2], L"MinimalWindow", {}};
  Program tavelko{argv[1], L"TMainForm1", {}};
  // A window that starts under the pointer also handles cursor and mouse-move messages: the
  // pointer waits in the screen's corner, away from both windows.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  // One unmeasured start of each brings the files and Wine's DLLs into the caches.
  for (int i = -1; i < runs; ++i) {
    for (Program* program : {&minimal, &tavelko}) {
      const double t = StartOnce(program->path, program->windowClass);
      if (t < 0) {
        std::fprintf(stderr, "startup_bench: %ls did not paint its window\n", program->windowClass);
        return 1;
      }
      if (i >= 0) program->times.push_back(t);
    }
  }
  std::printf("%d interleaved starts each, until the first paint of the main window\n", runs);
  std::printf("                        minimum   median\n");
  for (const Program* program : {&minimal, &tavelko})
    std::printf("%-22ls %6.1f ms %6.1f ms\n", program->windowClass, Minimum(program->times) * 1000,
                Median(program->times) * 1000);
  std::printf("ratio                  %6.2f    %6.2f\n", Minimum(tavelko.times) / Minimum(minimal.times),
              Median(tavelko.times) / Median(minimal.times));
  bench::TableRow("start-up until the first paint (median)", Median(tavelko.times) * 1000,
                  "the minimal window program", Median(minimal.times) * 1000, "ms", "<= 1.5");
  return ReportPhases(runs);
}
