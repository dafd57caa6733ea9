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
//   message for some seconds): stale;
// - otherwise, once the readings have stayed the same for a minute, the window
//   is sent an empty message with a short timeout, at most once a minute; when
//   it does not answer, the readings are stale until they change, the window
//   answers the next ping, or the system's hung verdict comes and goes.
// A monitor that handles its messages is never stale: it is not hung, and it
// answers every ping (within a millisecond, measured).
class FreshnessWatch {
 public:
  static constexpr double kSteadySeconds = 60;
  static constexpr double kPingEverySeconds = 60;
  static constexpr int kPingTimeoutMs = 300;

  // One tick: `reading` was just read from `window` at monotonic time `now`.
  // True when it is stale.
  bool Observe(platform::Desktop& desktop, platform::WindowId window, const ProbeReading& reading,
               double now);

 private:
  // The nine readings of the last tick that changed them.
  std::array<std::string, 9> last_{};
  bool seen_ = false;
  double changed_at_ = 0;
  bool pinged_ = false;
  double pinged_at_ = 0;
  bool ping_failed_ = false;
  bool hung_ = false;
};

}  // namespace kelvane::probe
