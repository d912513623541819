// The phases of a program's start, each stamped with the time since the process was created and
// written, one line, to the file the benchmark named on the command line.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

inline double MsSinceProcessCreated() {
  FILETIME creation, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &creation, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(now) - ticks(creation)) / 1e4;
}

class TStartupPhases {
 public:
  // Marks the end of the next phase.
  void Mark() { line_ += std::to_string(MsSinceProcessCreated()) + " "; }
  // Writes the marks to the file named by the program's first argument.
  void Write() const {
    if (__argc < 2) return;
    if (FILE* file = _wfopen(__wargv[1], L"w")) {
      std::fprintf(file, "%s\n", line_.c_str());
      std::fclose(file);
    }
  }

 private:
  std::string line_;
};

}  // namespace bench
