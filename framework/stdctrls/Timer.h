/// @file
/// TTimer: raises OnTimer every Interval milliseconds while Enabled, as WM_TIMER messages of a
/// hidden window of its own on the thread that made it.
#pragma once

#include <memory>

#include "framework/core/Component.h"
#include "framework/windows/UtilityWindow.h"

class TTimer : public TComponent {
  TAVELKO_CLASS(TTimer, TComponent)
  static void Publish(TPublisher<TTimer>& p);

 public:
  /// The timer dies with its window when the component is destroyed.
  explicit TTimer(TComponent* owner);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  /// Milliseconds between ticks; 0 stops the timer.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  /// Whether the system timer is running now.
  bool Running() const { return running_; }

  TNotifyEvent OnTimer;

 protected:
  /// One tick: raises OnTimer.
  virtual void Timer();

 private:
  /// Starts or stops the system timer to match Enabled and Interval. EOutOfResources when the
  /// system has no timer left.
  void UpdateTimer();
  bool WindowMessage(TMessage& message);

  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
  std::unique_ptr<TUtilityWindow> window_;
};
