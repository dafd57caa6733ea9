// What one poll tick hands the parts of the program: the readings, their
// statistics since the last reset, and whether the readings are fresh; and
// the stages of the tick at which a part takes part.
#pragma once

#include <string>

#include "platform/platform.h"
#include "probe/reading.h"
#include "probe/stats.h"

namespace kelvane {

// Process-wide readings and statistics, alive for the whole run. The poll
// cycle writes them; every other part reads them.
struct ProbeState {
  probe::ProbeReading reading;
  ProbeStats stats;
  Statistics statistics;
  // Samples in the sums. -1 at start-up so the first tick is not counted;
  // 0 once a reset was requested and the next tick has not made it yet.
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
  kTray,       // every tick, after the scan: the tray icon shows the temperature
  kFreshness,  // every tick, after the tray icon: the readings are fresh or stale
  kCheck,      // from the third counted tick on: the alarm checks
  kReset,      // the statistics start anew: started_text and start_time are new
  kLog,        // the logs are written (the first counted tick, and the log timer)
  kElapsed,    // every counted tick, fresh or stale: the time since the reset goes on
  kShow,       // the statistics are new (fresh ticks only): the windows that show them copy them
  kCount
};

}  // namespace kelvane
