#include "probe/freshness.h"

namespace kelvane::probe {

bool FreshnessWatch::Observe(platform::Desktop& desktop, platform::WindowId window,
                             const ProbeReading& reading, double now) {
  std::array<std::string, 9> texts;
  for (int slot = kVCoreSlot; slot <= kMbTempSlot; ++slot)
    texts[slot - kVCoreSlot] = reading.texts[slot];
  if (!seen_ || texts != last_) {
    seen_ = true;
    last_ = std::move(texts);
    changed_at_ = now;
    suspect_ = false;
  }
  if (desktop.IsHung(window)) {
    hung_ = true;
    return true;
  }
  if (hung_) {
    // It handles its messages again: pings that failed during the hang tell
    // nothing any more.
    hung_ = false;
    suspect_ = false;
  }
  if (suspect_) {
    Ping(desktop, window, now);
  } else if (now - changed_at_ >= kSteadySeconds &&
             (!pinged_ || now - pinged_at_ >= kPingEverySeconds)) {
    Ping(desktop, window, now);
  }
  return suspect_ && now - unanswered_since_ >= kUnansweredSeconds;
}

void FreshnessWatch::Ping(platform::Desktop& desktop, platform::WindowId window, double now) {
  pinged_ = true;
  pinged_at_ = now;
  if (desktop.Answers(window, kPingTimeoutMs)) {
    suspect_ = false;
  } else if (!suspect_) {
    suspect_ = true;
    unanswered_since_ = now;
  }
}

}  // namespace kelvane::probe
