// What the designer benchmarks share: a stopwatch, the times of repeated runs and a pump of the
// waiting messages.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The seconds of repeated runs of one step.
struct TTimes {
  std::vector<double> seconds;
  void Add(double s) { seconds.push_back(s); }
  double Fastest() const { return *std::min_element(seconds.begin(), seconds.end()); }
  double Median() const {
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
};

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace bench
