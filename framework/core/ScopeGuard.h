/// @file
/// TScopeGuard: a clean-up that runs when its scope ends, by return or by exception.
#pragma once

#include <exception>
#include <utility>

/// Runs `cleanUp` when the scope ends unless dismissed. When the scope is left by an exception a
/// failing clean-up is swallowed, so the first error is the one reported; otherwise the clean-up's
/// own error propagates as it would from the plain code.
template <class F>
class [[nodiscard]] TScopeGuard {
 public:
  /// Arms the guard; `cleanUp` is a callable without arguments.
  explicit TScopeGuard(F cleanUp) : cleanUp_(std::move(cleanUp)), exceptionsAtStart_(std::uncaught_exceptions()) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  ~TScopeGuard() noexcept(false) {
    if (!active_) return;
    if (std::uncaught_exceptions() == exceptionsAtStart_) {
      cleanUp_();
      return;
    }
    try {
      cleanUp_();
    } catch (...) {
    }
  }

  /// The scope succeeded in a way that needs no clean-up.
  void Dismiss() { active_ = false; }

 private:
  F cleanUp_;
  int exceptionsAtStart_;
  bool active_ = true;
};

/// Gives `variable` the value `value` until the scope ends, then its old value back.
template <class T, class U>
[[nodiscard]] auto TemporarilySet(T& variable, U&& value) {
  T old = std::exchange(variable, std::forward<U>(value));
  return TScopeGuard([&variable, old = std::move(old)]() mutable { variable = std::move(old); });
}
