#include "core/wait.h"

namespace kelvane {

void WaitSeconds(platform::Loop& loop, platform::Clock& clock, double seconds) {
  const double start = clock.MonotonicSeconds();
  do {
    loop.YieldToMessages();
  } while (clock.MonotonicSeconds() - start < seconds);
}

}  // namespace kelvane
