// Message pumping for tests: what is waiting now, or until a condition holds within a bounded wait.
#pragma once

#include <windows.h>

#include <functional>

namespace test_support {

// How a pump hands on the waiting messages.
enum class TPumpMode {
  Application,              // through the application's loop, as the program itself does
  Dispatch,                 // each one straight through translation and dispatch
  DispatchWithoutRealInput  // the same, dropping input of the real mouse and keyboard, which
                            // belong to everyone on the shared desktop
};

// Long enough for anything that is going to happen; it only bounds a failure, it decides nothing.
constexpr DWORD kPumpLimitMs = 5000;

// Handles the messages that are waiting now.
void Pump(TPumpMode mode = TPumpMode::Application);
// Handles messages until `done` holds; false when it still does not after `limitMs`.
bool PumpUntil(const std::function<bool()>& done, TPumpMode mode = TPumpMode::Application,
               DWORD limitMs = kPumpLimitMs);

}  // namespace test_support
