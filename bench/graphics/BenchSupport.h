// Benchmark helpers: a stopwatch, medians, libjpeg's own tools run as child processes, generated
// photographs and process memory figures.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Text.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/JpegCodec.h"

namespace bench {

inline double Now() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

template <class F>
double Seconds(F&& work) {
  const double start = Now();
  work();
  return Now() - start;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The fastest and the median of several runs: the fastest shows the work itself best on a busy
// machine, the median what a user typically sees.
struct Timing {
  double fastest;
  double median;
};

// Runs every piece of work once a round, round after round, so that a change in the load of a
// shared machine falls on all of them alike. The timings come back in the order of the work.
inline std::vector<std::vector<double>> SampleInterleaved(int rounds, const std::vector<std::function<void()>>& works) {
  std::vector<std::vector<double>> samples(works.size());
  for (int round = 0; round < rounds; ++round)
    for (std::size_t i = 0; i < works.size(); ++i) samples[i].push_back(Seconds(works[i]));
  return samples;
}

inline Timing Summary(const std::vector<double>& samples) {
  return {*std::min_element(samples.begin(), samples.end()), Median(samples)};
}

// The time one work adds to another timed in the same rounds: the fastest less the fastest, and
// the median of the round-by-round differences (under noise a single difference can even be
// negative, so the fastest difference means nothing).
inline Timing Less(const std::vector<double>& whole, const std::vector<double>& part) {
  std::vector<double> differences;
  for (std::size_t i = 0; i < whole.size() && i < part.size(); ++i) differences.push_back(whole[i] - part[i]);
  return {Summary(whole).fastest - Summary(part).fastest, Median(differences)};
}

// The median of the ratios taken round by round: the steadiest ratio when the load changes.
inline double MedianRatio(const std::vector<double>& ours, const std::vector<double>& theirs) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i) ratios.push_back(ours[i] / theirs[i]);
  return Median(ratios);
}

inline void PrintTiming(const char* what, const Timing& timing) {
  std::printf("%-52s %8.2f ms fastest, %8.2f ms median\n", what, timing.fastest * 1000, timing.median * 1000);
}

inline void PrintRatio(const char* what, const Timing& ours, const Timing& theirs) {
  std::printf("%-52s %8.2f fastest,    %8.2f median\n", what, ours.fastest / theirs.fastest,
              ours.median / theirs.median);
}

// Ratios of work timed in the same rounds: of the fastest, of the medians, and round by round.
inline void PrintRatio(const char* what, const std::vector<double>& ours, const std::vector<double>& theirs) {
  const Timing a = Summary(ours), b = Summary(theirs);
  std::printf("%-52s %8.2f fastest,    %8.2f median, %5.2f median of rounds\n", what, a.fastest / b.fastest,
              a.median / b.median, MedianRatio(ours, theirs));
}

// A Windows path for a folder the build gave as a Unix path (Wine maps / to drive Z:).
inline WideString WindowsPath(const std::string& path) {
  std::string result = path.size() > 1 && path[0] == '/' ? "Z:" + path : path;
  std::replace(result.begin(), result.end(), '/', '\\');
  return CP932ToWide(result);
}

inline WideString TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  return WideString(folder) + name;
}

// Runs a command line to its end; the seconds from start to exit. A quiet child writes to NUL.
inline double RunProcess(const WideString& commandLine, bool quiet) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (quiet) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
  }
  PROCESS_INFORMATION process{};
  WideString line = commandLine;
  const double start = Now();
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, quiet, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot run %s\n", WideToCP932(commandLine).c_str());
    std::exit(2);
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  const double elapsed = Now() - start;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(nul);
  return elapsed;
}

inline std::vector<std::uint8_t> ReadFile(const WideString& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  ::GetFileSizeEx(file, &size);
  bytes.resize(std::size_t(size.QuadPart));
  DWORD read = 0;
  ::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  return bytes;
}

inline void WriteFile(const WideString& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

// A photograph-like picture (gradients, shapes, grain of the given strength) compressed at quality
// 92, written to path unless a file is there already.
inline void MakePhoto(const WideString& path, int width, int height, unsigned seed, int grain = 16) {
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  const std::size_t stride = bmp::DibStride(width, 24);
  std::vector<std::uint8_t> bits(stride * std::size_t(height));
  std::uint32_t noise = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bits.data() + stride * std::size_t(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int speck = int((noise >> 16) % unsigned(grain)) - grain / 2;
      const int dx = x - width / 2, dy = y - height / 3;
      const bool disc = std::int64_t(dx) * dx + std::int64_t(dy) * dy < std::int64_t(height / 4) * (height / 4);
      const int r = (x * 255 / width + (disc ? 80 : 0) + speck) & 0xFF;
      const int g = (y * 255 / height + ((x / 97 + y / 61) % 2) * 40 + speck) & 0xFF;
      const int b = ((x + y) * 128 / (width + height) + int(seed) * 30 + speck) & 0xFF;
      row[3 * x] = std::uint8_t(b), row[3 * x + 1] = std::uint8_t(g), row[3 * x + 2] = std::uint8_t(r);
    }
  }
  WriteFile(path, jpeg::Encode({bits.data(), width, height, 24, stride, true}, 92));
}

struct Memory {
  double peakWorkingSetMB;
  double peakPrivateMB;
  double workingSetMB;
};

inline Memory ProcessMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  constexpr double kMB = 1024.0 * 1024.0;
  return {counters.PeakWorkingSetSize / kMB, counters.PeakPagefileUsage / kMB, counters.WorkingSetSize / kMB};
}

}  // namespace bench
