#include "app/poll.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "probe/scan.h"

namespace kelvane {

PollCycle::PollCycle(platform::Platform& platform, PollHost& host, ProbeState& state,
                     form::Lifetime owner)
    : platform_(platform), host_(host), state_(state), owner_(std::move(owner)) {
  poll_timer_ = platform_.loop.CreateTimer([this] { Tick(); });
  log_timer_ = platform_.loop.CreateTimer([this] { LogTick(); });
}

PollCycle::~PollCycle() = default;

void PollCycle::StartPolling() {
  poll_timer_->SetInterval(1000);
  poll_timer_->SetEnabled(true);
}
void PollCycle::StopPolling() {
  poll_timer_->SetInterval(0);
  poll_timer_->SetEnabled(false);
}
void PollCycle::Shutdown() {
  ended_ = true;
  StopPolling();
  SetLogTimer(false);
}
bool PollCycle::Polling() const {
  return poll_timer_->Interval() > 0 && poll_timer_->Enabled();
}
bool PollCycle::PollingStopped() const {
  return poll_timer_->Interval() == 0;
}

void PollCycle::SetLogTimer(bool logging_on) {
  log_timer_->SetInterval(logging_on ? 60000 : 0);
  log_timer_->SetEnabled(logging_on);
}
bool PollCycle::LogTimerRunning() const {
  return log_timer_->Interval() > 0 && log_timer_->Enabled();
}

void PollCycle::Register(TickStage stage, std::function<void()> consumer) {
  consumers_[static_cast<std::size_t>(stage)].push_back(std::move(consumer));
}

bool PollCycle::Run(TickStage stage) {
  const form::Lifetime owner = owner_;
  const auto& consumers = consumers_[static_cast<std::size_t>(stage)];
  for (std::size_t i = 0; i < consumers.size(); ++i) {
    // A copy: a shut-down inside may release this cycle and its consumers.
    const std::function<void()> consumer = consumers[i];
    consumer();
    // Stop when the program shut down meanwhile, without touching what the
    // shut-down released.
    if (!owner.Exists() || ended_) return false;
  }
  return true;
}

// One tick: the monitor's window is read, and each stage's consumers take
// their turn. Any consumer may yield, and a shut-down may run inside: after
// each stage the tick asks whether the program still runs.
void PollCycle::Tick() {
  if (!MonitorStillThere()) return;
  if (busy_ || ended_) return;
  busy_ = true;
  if (!RebuildIconIfAsked()) return;
  ReadMonitor();
  if (!Run(TickStage::kTray) || !Run(TickStage::kFreshness)) return;
  if (!CheckAndReset()) return;
  if (!CountAndShow()) return;
  busy_ = false;
}

// The monitor gone ends the run, even from a tick nested in a busy one.
bool PollCycle::MonitorStillThere() {
  if (ended_) return false;
  if (platform_.desktop.FindTopWindow(kProbeClass, kProbeTitle) != platform::kNoWindow) return true;
  StopPolling();
  busy_ = false;
  ended_ = true;
  host_.CloseMainWindow();
  return false;
}

bool PollCycle::RebuildIconIfAsked() {
  if (!rebuild_requested_) return true;
  rebuild_requested_ = false;
  const form::Lifetime owner = owner_;
  host_.RebuildTrayIcon();
  return owner.Exists() && !ended_;
}

// The readings, and whether they are fresh.
void PollCycle::ReadMonitor() {
  probe::ScanProbeWindow(platform_.desktop, probe_window_, state_.reading);
  probe::DeriveReadings(state_.reading);
  const double now = platform_.clock.MonotonicSeconds();
  const bool was_stale = state_.stale;
  state_.stale = freshness_.Observe(platform_.desktop, probe_window_, state_.reading, now);
  // Readings stale from the first tick on are of that tick.
  if (!state_.stale || !observed_) state_.last_fresh = platform_.clock.Now();
  if (state_.stale && !was_stale) state_.stale_since = now;
  observed_ = true;
}

// From the third counted tick on the alarm checks run; a requested reset
// starts the statistics anew.
bool PollCycle::CheckAndReset() {
  if (state_.sample_count > 1 && !Run(TickStage::kCheck)) return false;
  if (state_.sample_count != 0) return true;
  state_.stats.Reset();
  // A stale tick adds nothing to them: what the last period showed must not
  // outlive the reset until the next fresh one.
  state_.statistics = Statistics{};
  const platform::DateTime now = platform_.clock.Now();
  state_.started_text = "Started: " + platform_.clock.GeneralDateTime(now);
  state_.start_time = now;
  return Run(TickStage::kReset);
}

// The first counted tick writes the logs; a fresh reading goes into the
// statistics, and the windows that show them copy them.
bool PollCycle::CountAndShow() {
  if (host_.LogsOn() && state_.sample_count == 1 && !Run(TickStage::kLog)) return false;
  state_.sample_count += 1;
  if (state_.sample_count <= 0) return true;
  // Time goes on while the readings are stale; only the statistics wait.
  if (!Run(TickStage::kElapsed)) return false;
  if (state_.stale) return true;
  TickValues values = ValuesOf(state_.reading);
  state_.stats.Add(values);
  state_.statistics = StatisticsOf(state_.stats, state_.reading, values, state_.stats.count);
  return Run(TickStage::kShow);
}

void PollCycle::LogTick() {
  if (ended_) return;
  log_countdown_ = static_cast<std::int16_t>(
      std::max<int>(log_countdown_ - 1, std::numeric_limits<std::int16_t>::min()));
  if (log_countdown_ <= 0) {
    if (!Run(TickStage::kLog)) return;
    ReloadLogCountdown();
  }
}

void PollCycle::ReloadLogCountdown() {
  log_countdown_ = static_cast<std::int16_t>(
      std::clamp<int>(host_.LogIntervalMinutes(), std::numeric_limits<std::int16_t>::min(),
                      std::numeric_limits<std::int16_t>::max()));
}

}  // namespace kelvane
