// Auto-hide at the right edge: a few seconds after the window stops being the
// active one it jumps almost off the work area's right edge, leaving a strip
// of 70 twips, and it jumps back out when the pointer runs over that strip.
// Two timers drive it: the watch timer (500 ms) notes whether the window is
// active and starts the hide timer (3000 ms) when it is not.
#include <cmath>

#include "appearance/placement.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "highlow/high_low_dashboard.h"

namespace kelvane::highlow {
namespace {

constexpr int kHideMs = 3000, kWatchMs = 500;
// Pointer moves over the labels within one watch period that bring it out.
constexpr int kHoverMovesToShow = 20;

// Starting a running timer does not restart its countdown.
void Start(form::WindowTimer& timer, int interval) {
  if (timer.Interval() == interval && timer.Enabled()) return;
  timer.SetInterval(interval);
  timer.SetEnabled(true);
}

void Stop(form::WindowTimer& timer) {
  timer.SetInterval(0);
  timer.SetEnabled(false);
}

bool Running(const form::WindowTimer& timer) {
  return timer.Interval() > 0 && timer.Enabled();
}

}  // namespace

int HighLowDashboard::RightEdge() {
  return RoundToInt32(static_cast<double>(p_.desktop.WorkArea().right) *
                      p_.desktop.TwipsPerPixelX());
}

void HighLowDashboard::StartAutoHideTimers() {
  Start(*hide_timer_, kHideMs);
  Start(*watch_timer_, kWatchMs);
}

bool HighLowDashboard::HideTimerRunning() const {
  return Running(*hide_timer_);
}

bool HighLowDashboard::WatchTimerRunning() const {
  return Running(*watch_timer_);
}

void HighLowDashboard::StopAutoHideTimers() {
  Stop(*hide_timer_);
  Stop(*watch_timer_);
}

void HighLowDashboard::AutoHideOff() {
  Menu(HighLowCommand::kAutoHide).SetChecked(false);
  Stop(*hide_timer_);
  Stop(*watch_timer_);
}

void HighLowDashboard::ToggleAutoHide() {
  const bool on = !AutoHideOn();
  Menu(HighLowCommand::kAutoHide).SetChecked(on);
  settings_.WriteFlag(keys::kHighLowHideAtRight.name, on);
  if (on) {
    StartAutoHideTimers();
  } else {
    Stop(*watch_timer_);
    Stop(*hide_timer_);
  }
}

void HighLowDashboard::OnTimer(form::WindowTimer& timer) {
  if (&timer == watch_timer_)
    WatchTick();
  else if (&timer == hide_timer_)
    HideTick();
}

namespace {

constexpr std::string_view kShownMarker = "     <>";
constexpr std::string_view kHiddenMarker = "     >>";
// A tick comes between every two or three watch periods; more markers than
// this mean the ticks have stopped, and the strip stays as it is.
constexpr int kMostMarkers = 4;

int TrailingMarkers(std::string_view text) {
  int n = 0;
  while (text.ends_with(kShownMarker) || text.ends_with(kHiddenMarker)) {
    text.remove_suffix(kShownMarker.size());
    ++n;
  }
  return n;
}

}  // namespace

// The markers run on after the elapsed time until the next tick rewrites it.
// The tick rewrites it only while the window shows and polling runs; without
// it they would pile up, so a hidden window gets none and a shown one a few.
void HighLowDashboard::WatchTick() {
  form::Label& strip = *labels_[kElapsedLabel];
  const bool marks = window_.Visible() && TrailingMarkers(strip.Caption()) < kMostMarkers;
  if (p_.desktop.Foreground() == window_.Handle()) {
    if (marks) strip.SetCaption(strip.Caption() + std::string(kShownMarker));
    Stop(*hide_timer_);
  } else {
    if (marks) strip.SetCaption(strip.Caption() + std::string(kHiddenMarker));
    Start(*hide_timer_, kHideMs);
  }
  hover_moves_ = 0;
}

void HighLowDashboard::HideTick() {
  const int hidden = RightEdge() - kHiddenStrip;
  if (window_.Left() == hidden) return;
  Stop(*hide_timer_);
  window_.SetLeft(hidden);
  if (Running(*watch_timer_)) Start(*hide_timer_, kHideMs);
  hover_moves_ = 0;
}

void HighLowDashboard::HoverCheck() {
  if (!AutoHideOn()) return;
  if (++hover_moves_ < kHoverMovesToShow) return;
  hover_moves_ = 0;
  const int out = RightEdge() - window_.Width();
  if (out == window_.Left()) return;
  Stop(*hide_timer_);
  // Back on top of the other always-on-top windows (the digital dashboard).
  appearance::SetTopmost(window_, true);
  window_.SetLeft(out);
  if (Running(*watch_timer_)) Start(*hide_timer_, kHideMs);
}

}  // namespace kelvane::highlow
