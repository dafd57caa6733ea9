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
    ping_failed_ = false;
  }
  if (desktop.IsHung(window)) {
    hung_ = true;
    return true;
  }
  if (hung_) {
    // It handles its messages again.
    hung_ = false;
    ping_failed_ = false;
  }
  if (now - changed_at_ >= kSteadySeconds && (!pinged_ || now - pinged_at_ >= kPingEverySeconds)) {
    pinged_ = true;
    pinged_at_ = now;
    ping_failed_ = !desktop.Answers(window, kPingTimeoutMs);
  }
  return ping_failed_;
}

}  // namespace kelvane::probe
