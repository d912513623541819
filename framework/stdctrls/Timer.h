/// @file
/// TTimer: raises OnTimer every Interval milliseconds while Enabled, as WM_TIMER messages of a
/// hidden window of its own on the thread that made it.
#pragma once

#include <memory>

#include "framework/core/Component.h"
#include "framework/windows/UtilityWindow.h"

/// A component that calls OnTimer at a fixed interval. It runs as soon as it is made (Enabled and a
/// non-zero Interval), in design mode and while loading too. Ticks are messages: they arrive only
/// while the thread that made the timer pumps messages, and late ticks are merged, not queued.
class TTimer : public TComponent {
  TAVELKO_CLASS(TTimer, TComponent)
  static void Publish(TPublisher<TTimer>& p);

 public:
  /// The timer dies with its window when the component is destroyed.
  explicit TTimer(TComponent* owner);

  /// Whether the timer ticks (with a non-zero Interval); EOutOfResources when the system has no timer left.
  ///@{
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  ///@}
  /// Milliseconds between ticks; 0 stops the timer. Changing it restarts the count.
///@{
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  ///@}
  /// Whether the system timer is running now.
  bool Running() const { return running_; }

  /// Raised at every tick, with the timer as sender.
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
