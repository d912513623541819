// TTimer: the system timer of a hidden window.
#include "framework/stdctrls/Timer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}  // namespace

void TTimer::Publish(TPublisher<TTimer>& p) {
  p.Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  p.Prop("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  p.Prop("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

void TTimer::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (interval_ == value) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (running_) {
    KillTimer(window_->Handle(), kTimerId);
    running_ = false;
  }
  if (!enabled_ || interval_ == 0) return;
  if (!window_) window_ = std::make_unique<TUtilityWindow>([this](TMessage& m) { return WindowMessage(m); });
  if (!SetTimer(window_->Handle(), kTimerId, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
  running_ = true;
}

bool TTimer::WindowMessage(TMessage& message) {
  if (message.Msg != WM_TIMER || message.WParam != kTimerId) return false;
  Timer();
  return true;
}

void TTimer::Timer() { OnTimer(this); }
