// The simulated desktop's clock and message loop. Time only moves when a test
// moves it (Advance), or by one quantum inside each YieldToMessages so that
// waits end. Timers fire in time order; a callback may re-enter through a yield.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kelvane::sim {

// The locale the simulated user has chosen.
struct Locale {
  std::string decimal_separator = ".";
  bool day_first = false;         // 07.12.2026 instead of 12/7/2026
  bool twenty_four_hour = false;  // 09:05:07 instead of 9:05:07 AM
  std::string am = "AM";
  std::string pm = "PM";

  static Locale EnglishUs() { return {}; }
  static Locale German() { return {",", true, true, "", ""}; }
};

class SimClock : public platform::Clock {
 public:
  double MonotonicSeconds() override { return now_; }
  platform::DateTime Now() override;
  std::string DecimalSeparator() override { return locale_.decimal_separator; }
  std::string GeneralDateTime(const platform::DateTime& t) override;
  std::string TimeText(const platform::DateTime& t) override;
  std::string AmDesignator() override { return locale_.am; }
  std::string PmDesignator() override { return locale_.pm; }
  int UtcOffsetMinutes() override { return utc_offset_minutes_; }

  void SetLocale(const Locale& locale) { locale_ = locale; }
  // The wall-clock date-time at monotonic time 0.
  void SetWallClockStart(const platform::DateTime& t) { wall_start_ = t; }
  void SetMonotonic(double seconds) { now_ = seconds; }
  // The zone's offset from UTC (Central European winter time, 60, until a test
  // sets another); a change moves the wall clock as the system does when
  // daylight saving begins or ends.
  void SetUtcOffsetMinutes(int minutes);

 private:
  double now_ = 0;
  platform::DateTime wall_start_{2026, 12, 7, 9, 0, 0};
  Locale locale_;
  int utc_offset_minutes_ = 60;
};

class SimLoop : public platform::Loop {
 public:
  explicit SimLoop(SimClock& clock) : clock_(clock) {}
  ~SimLoop() override;

  std::unique_ptr<platform::Timer> CreateTimer(std::function<void()> on_tick) override;
  void YieldToMessages() override;
  int ShowMessageBox(std::string_view text, std::string_view title, unsigned style) override;
  void Quit() override { quit_requested_ = true; }

  // Moves time forward by `seconds`, firing every timer that falls due, in order.
  void Advance(double seconds);
  // Runs `action` as a posted message: at the next yield or advance.
  void Post(std::function<void()> action) { posted_.push_back(std::move(action)); }
  // Runs `action` when the clock reaches `at` (monotonic seconds).
  void At(double at, std::function<void()> action);
  // Calls `hook` at the start of every yield, as the first message that yield
  // handles, with the yield's number (counted from 1 since the loop was made).
  // A hook that closes the program at the N-th yield shows what each stage
  // does when a shut-down runs inside it. Empty: no hook.
  void OnYield(std::function<void(int)> hook) { on_yield_ = std::move(hook); }
  int Yields() const { return yields_; }
  // Timers made and not yet destroyed, and those of them running (an interval
  // set and enabled).
  int LiveTimers() const { return static_cast<int>(timers_.size()); }
  int RunningTimers() const;

  // Message boxes: the answers a test queues (kIdOk when none is queued), and a
  // record of every box shown. `while_open` runs while the box shows, before
  // its answer: what the user or a timer does before answering.
  struct MessageBoxShown {
    std::string text;
    std::string title;
    unsigned style = 0;
  };
  void QueueAnswer(int answer, std::function<void()> while_open = {}) {
    answers_.push_back({answer, std::move(while_open)});
  }
  const std::vector<MessageBoxShown>& MessageBoxes() const { return boxes_; }
  bool QuitRequested() const { return quit_requested_; }
  // Time added by each yield.
  static constexpr double kYieldQuantum = 0.001;

 private:
  struct TimerState {
    std::function<void()> on_tick;
    int interval_ms = 0;
    bool enabled = true;
    double due = 0;
  };
  class SimTimer;
  friend class SimTimer;

  // Fires the earliest timer or action due at or before `limit`; false if none.
  bool FireNextDue(double limit);
  void RunPosted();

  SimClock& clock_;
  std::map<int, TimerState> timers_;
  int next_timer_id_ = 1;
  std::vector<std::function<void()>> posted_;
  std::multimap<double, std::function<void()>> scheduled_;
  std::function<void(int)> on_yield_;
  int yields_ = 0;
  struct QueuedAnswer {
    int answer;
    std::function<void()> while_open;
  };
  std::vector<QueuedAnswer> answers_;
  std::vector<MessageBoxShown> boxes_;
  bool quit_requested_ = false;
};

}  // namespace kelvane::sim
