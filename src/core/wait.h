// Waits that never block: they keep handling window messages, so timers and
// clicks go on (and may re-enter the caller) while they last.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kelvane {

// Returns after `seconds` of elapsed time, measured on the monotonic clock,
// yielding to pending window messages all the while. Non-positive: yields once.
void WaitSeconds(platform::Loop& loop, platform::Clock& clock, double seconds);

// The whole-second wait that start-up, shut-down and the overheat launch use.
inline void Wait(platform::Loop& loop, platform::Clock& clock, std::int16_t seconds) {
  WaitSeconds(loop, clock, seconds);
}

}  // namespace kelvane
