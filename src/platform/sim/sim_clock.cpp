#include "platform/sim/sim_clock.h"

#include <cmath>
#include <cstdio>

#include "platform/calendar.h"

namespace kelvane::sim {

platform::DateTime SimClock::Now() {
  return AddSeconds(wall_start_, static_cast<std::int64_t>(std::floor(now_)));
}

void SimClock::SetUtcOffsetMinutes(int minutes) {
  wall_start_ = AddSeconds(wall_start_, (minutes - utc_offset_minutes_) * std::int64_t{60});
  utc_offset_minutes_ = minutes;
}

std::string SimClock::GeneralDateTime(const platform::DateTime& t) {
  char date[32];
  if (locale_.day_first)
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", t.day, t.month, t.year);
  else
    std::snprintf(date, sizeof date, "%d/%d/%04d", t.month, t.day, t.year);
  return std::string(date) + " " + TimeText(t);
}

std::string SimClock::TimeText(const platform::DateTime& t) {
  char time[32];
  if (locale_.twenty_four_hour) {
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  } else {
    int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    std::snprintf(time, sizeof time, "%d:%02d:%02d %s", h12, t.minute, t.second,
                  (t.hour < 12 ? locale_.am : locale_.pm).c_str());
  }
  return time;
}

// A timer handle; the loop keeps the state so that a timer destroyed inside its
// own callback is simply forgotten.
class SimLoop::SimTimer : public platform::Timer {
 public:
  SimTimer(SimLoop& loop, int id) : loop_(loop), id_(id) {}
  ~SimTimer() override { loop_.timers_.erase(id_); }
  void SetInterval(int ms) override {
    TimerState& t = loop_.timers_.at(id_);
    t.interval_ms = ms;
    t.due = loop_.clock_.MonotonicSeconds() + ms / 1000.0;
  }
  int Interval() const override { return loop_.timers_.at(id_).interval_ms; }
  void SetEnabled(bool enabled) override {
    TimerState& t = loop_.timers_.at(id_);
    if (enabled && !t.enabled) t.due = loop_.clock_.MonotonicSeconds() + t.interval_ms / 1000.0;
    t.enabled = enabled;
  }
  bool Enabled() const override { return loop_.timers_.at(id_).enabled; }

 private:
  SimLoop& loop_;
  int id_;
};

SimLoop::~SimLoop() = default;

std::unique_ptr<platform::Timer> SimLoop::CreateTimer(std::function<void()> on_tick) {
  int id = next_timer_id_++;
  timers_[id] = TimerState{std::move(on_tick), 0, true, 0};
  return std::make_unique<SimTimer>(*this, id);
}

int SimLoop::RunningTimers() const {
  int n = 0;
  for (const auto& [id, t] : timers_) n += t.interval_ms > 0 && t.enabled;
  return n;
}

void SimLoop::At(double at, std::function<void()> action) {
  scheduled_.emplace(at, std::move(action));
}

void SimLoop::RunPosted() {
  while (!posted_.empty()) {
    auto action = std::move(posted_.front());
    posted_.erase(posted_.begin());
    action();
  }
}

bool SimLoop::FireNextDue(double limit) {
  int best_id = 0;
  double best_due = limit;
  for (auto& [id, t] : timers_) {
    if (t.interval_ms > 0 && t.enabled && t.due <= best_due) {
      if (best_id == 0 || t.due < best_due) best_id = id, best_due = t.due;
    }
  }
  bool action_first = !scheduled_.empty() && scheduled_.begin()->first <= limit &&
                      (best_id == 0 || scheduled_.begin()->first <= best_due);
  if (action_first) {
    auto it = scheduled_.begin();
    if (it->first > clock_.MonotonicSeconds()) clock_.SetMonotonic(it->first);
    auto action = std::move(it->second);
    scheduled_.erase(it);
    action();
    return true;
  }
  if (best_id == 0) return false;
  TimerState& t = timers_.at(best_id);
  if (t.due > clock_.MonotonicSeconds()) clock_.SetMonotonic(t.due);
  // Like WM_TIMER, one firing per period however late it is handled.
  t.due = clock_.MonotonicSeconds() + t.interval_ms / 1000.0;
  auto on_tick = t.on_tick;  // the callback may destroy its own timer
  on_tick();
  return true;
}

void SimLoop::YieldToMessages() {
  const int number = ++yields_;
  if (on_yield_) {
    auto hook = on_yield_;  // the hook may replace itself
    hook(number);
  }
  RunPosted();
  clock_.SetMonotonic(clock_.MonotonicSeconds() + kYieldQuantum);
  // Only what is due by now: a timer that re-arms itself is not fired twice.
  const double limit = clock_.MonotonicSeconds();
  while (FireNextDue(limit)) {
  }
}

void SimLoop::Advance(double seconds) {
  const double target = clock_.MonotonicSeconds() + seconds;
  RunPosted();
  while (FireNextDue(target)) RunPosted();
  if (clock_.MonotonicSeconds() < target) clock_.SetMonotonic(target);
}

int SimLoop::ShowMessageBox(std::string_view text, std::string_view title, unsigned style) {
  boxes_.push_back({std::string(text), std::string(title), style});
  if (answers_.empty()) return platform::mb::kIdOk;
  QueuedAnswer queued = std::move(answers_.front());
  answers_.erase(answers_.begin());
  if (queued.while_open) queued.while_open();
  return queued.answer;
}

}  // namespace kelvane::sim
