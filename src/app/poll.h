// The poll cycle: once a second the monitor's window is read and the readings
// go to the tray icon, the alarm checks, the statistics and the dashboards;
// once a minute the log timer counts down to the next log entry.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/options.h"
#include "platform/form/window.h"
#include "platform/platform.h"
#include "probe/freshness.h"
#include "probe/reading.h"
#include "probe/stats.h"

namespace kelvane {

// The poll cycle's way to the main window that owns it: its tray icon, the
// controls the tick reads, closing it.
class PollHost {
 public:
  virtual ~PollHost() = default;
  // The rebuild command: icon surfaces cleared, icon removed and added anew.
  virtual void RebuildTrayIcon() = 0;
  // Draws a temperature into the tray icon in the CPU colour, or in the
  // motherboard colour; the tip is the reading's tip_text.
  virtual void ShowTrayNumber(std::int16_t value, bool motherboard) = 0;
  // The CPU temperature alone, or the CPU and the motherboard in turn.
  virtual Options::TrayMode TrayIconMode() = 0;
  // Whether the text log or the HTML log is switched on.
  virtual bool LogsOn() = 0;
  // The log interval control, in minutes.
  virtual int LogIntervalMinutes() = 0;
  // The monitor is gone: close the main window, which shuts the program down.
  virtual void CloseMainWindow() = 0;
};

// Process-wide readings and statistics, alive for the whole run.
struct ProbeState {
  probe::ProbeReading reading;
  ProbeStats stats;
  Statistics statistics;
  // Samples in the sums. -1 at start-up so the first tick is not counted;
  // setting it to 0 asks the next tick for a reset.
  double sample_count = -1;
  platform::DateTime start_time;
  std::string started_text;
  // Whether this tick's readings are stale: the monitor's window has stopped
  // handling its messages and shows its last texts. Stale ticks count in
  // sample_count (the checks go on, on the last reading) but not in the
  // statistics.
  bool stale = false;
  // When the readings went stale (monotonic seconds), and the local time of the
  // last fresh reading.
  double stale_since = 0;
  platform::DateTime last_fresh{};
};

// Where the parts of the program take part in a tick, in the tick's order.
// Each consumer reads the program's ProbeState; any of them may yield to
// window messages (sounds and logs do), and the cycle asks after each one
// whether the program is still running.
enum class TickStage {
  kFreshness,  // every tick, after the tray icon: the readings are fresh or stale
  kCheck,      // from the third counted tick on: the alarm checks
  kReset,      // the statistics start anew: started_text and start_time are new
  kLog,        // the logs are written (the first counted tick, and the log timer)
  kElapsed,    // every counted tick, fresh or stale: the time since the reset goes on
  kShow,       // the statistics are new (fresh ticks only): the windows that show them copy them
  kCount
};

inline constexpr char kProbeClass[] = "TMainForm";
inline constexpr char kProbeTitle[] = "Asus Probe 2";

class PollCycle {
 public:
  // `owner`: the main window, which owns the cycle and ends with it.
  PollCycle(platform::Platform& platform, PollHost& host, ProbeState& state, form::Lifetime owner);
  ~PollCycle();
  PollCycle(const PollCycle&) = delete;
  PollCycle& operator=(const PollCycle&) = delete;

  // Adds a consumer to a stage, after those registered before.
  void Register(TickStage stage, std::function<void()> consumer);

  // The monitor window found at start-up; every scan reads this handle.
  void SetProbeWindow(platform::WindowId window) { probe_window_ = window; }
  // Starts the poll timer (1000 ms, enabled). Start-up runs one Tick directly
  // before.
  void StartPolling();
  // Stops it: interval 0, disabled.
  void StopPolling();
  // The program shuts down: both timers stop, and a tick suspended in a yield
  // ends as soon as it resumes, touching nothing more.
  void Shutdown();
  bool Polling() const;
  // Whether the poll timer's interval is 0: polling stopped for the shutdown
  // question, the shutdown, or the end of the program.
  bool PollingStopped() const;
  // Whether the program has shut down.
  bool Ended() const { return ended_; }
  // The log timer: 60000 ms while a log is on, stopped otherwise.
  void SetLogTimer(bool logging_on);
  bool LogTimerRunning() const;

  // One poll tick; the poll timer's handler.
  void Tick();
  // One log tick; the log timer's handler.
  void LogTick();

  void RequestTrayIconRebuild() { rebuild_requested_ = true; }
  bool Busy() const { return busy_; }
  // The shut-down's last word on a tick it waited for.
  void ClearBusy() { busy_ = false; }
  bool IconToggle() const { return icon_toggle_; }
  std::int16_t LogCountdown() const { return log_countdown_; }
  // The log-interval control changed: the countdown starts again from it.
  void ReloadLogCountdown();

 private:
  // Runs the stage's consumers; false once the program has shut down (this
  // object may be gone then).
  bool Run(TickStage stage);

  platform::Platform& platform_;
  PollHost& host_;
  std::array<std::vector<std::function<void()>>, static_cast<std::size_t>(TickStage::kCount)>
      consumers_;
  ProbeState& state_;
  std::unique_ptr<platform::Timer> poll_timer_;
  std::unique_ptr<platform::Timer> log_timer_;
  platform::WindowId probe_window_ = platform::kNoWindow;
  probe::FreshnessWatch freshness_;
  bool observed_ = false;  // a tick has read the monitor
  bool busy_ = false;
  bool rebuild_requested_ = false;
  bool icon_toggle_ = false;
  std::int16_t log_countdown_ = 0;
  // Set once the program shuts down, whoever started the shut-down.
  bool ended_ = false;
  // A tick suspended in a yield while the program shut down and released its
  // main window must not touch this object again.
  form::Lifetime owner_;
};

}  // namespace kelvane
