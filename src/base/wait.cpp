#include "base/wait.h"

namespace kelvane {

void WaitSeconds(platform::Loop& loop, platform::Clock& clock, double seconds,
                 const StillRunning& still_running) {
  const double start = clock.MonotonicSeconds();
  do {
    loop.YieldToMessages();
    if (Stopped(still_running)) return;
  } while (clock.MonotonicSeconds() - start < seconds);
}

}  // namespace kelvane
