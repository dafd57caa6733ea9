// Waits that never block: they keep handling window messages, so timers and
// clicks go on (and may re-enter the caller) while they last.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/platform.h"

namespace kelvane {

// Whether the program still runs. Routines that yield ask it after each yield
// and stop when it says no: the program shut down inside that yield. An empty
// one always says yes.
using StillRunning = std::function<bool()>;

inline bool Stopped(const StillRunning& still_running) {
  return still_running && !still_running();
}

// Returns after `seconds` of elapsed time, measured on the monotonic clock,
// yielding to pending window messages all the while. Non-positive: yields once.
// Returns early, without yielding again, once `still_running` says no.
void WaitSeconds(platform::Loop& loop, platform::Clock& clock, double seconds,
                 const StillRunning& still_running = {});

// The whole-second wait that start-up, shut-down and the overheat launch use.
inline void Wait(platform::Loop& loop, platform::Clock& clock, std::int16_t seconds,
                 const StillRunning& still_running = {}) {
  WaitSeconds(loop, clock, seconds, still_running);
}

}  // namespace kelvane
