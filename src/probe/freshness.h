// Whether the readings just taken are fresh: a monitor whose window has
// stopped handling messages keeps its window and its last texts, and what is
// read from it then is stale.
#pragma once

#include <array>
#include <string>

#include "platform/platform.h"
#include "probe/reading.h"

namespace kelvane::probe {

// The rule, asked once per poll tick after the scan:
// - the system calls the monitor's window hung (its thread has handled no
//   message for about five seconds): stale at once;
// - otherwise, once the readings have stayed the same for a minute, the window
//   is sent an empty message with a short timeout, at most once a minute. A
//   window that does not answer is only suspect: a healthy monitor may be
//   busy for a moment (its own sensor read, paging). A suspect window is
//   pinged again on every tick, and its readings turn stale once its pings
//   have failed for as long as the system waits before it calls a window
//   hung. Where the system has no hung check (Windows 9x, NT 4), this is the
//   only way a hang is found.
// Readings that change, a ping answered, or the system's hung verdict going
// away make the readings fresh at once and end any suspicion.
class FreshnessWatch {
 public:
  static constexpr double kSteadySeconds = 60;
  static constexpr double kPingEverySeconds = 60;
  static constexpr int kPingTimeoutMs = 300;
  // How long pings fail in a row before the readings count as stale: the
  // system's own threshold for a hung window.
  static constexpr double kUnansweredSeconds = 5;

  // One tick: `reading` was just read from `window` at monotonic time `now`.
  // True when it is stale.
  bool Observe(platform::Desktop& desktop, platform::WindowId window, const ProbeReading& reading,
               double now);

 private:
  // Pings the window; on no answer it becomes (or stays) suspect.
  void Ping(platform::Desktop& desktop, platform::WindowId window, double now);

  // The nine readings of the last tick that changed them.
  std::array<std::string, 9> last_{};
  bool seen_ = false;
  double changed_at_ = 0;
  bool pinged_ = false;
  double pinged_at_ = 0;
  bool suspect_ = false;
  double unanswered_since_ = 0;  // the first ping of the suspect's run of failures
  bool hung_ = false;
};

}  // namespace kelvane::probe
