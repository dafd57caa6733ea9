#include "probe/scan.h"

#include <algorithm>
#include <string>

#include "base/text.h"
#include "base/wait.h"

namespace kelvane::probe {

void ScanProbeWindow(platform::Desktop& desktop, platform::WindowId probe_window,
                     ProbeReading& reading) {
  bool marker_seen = false;
  int slot_count = 0;
  desktop.EnumDescendants(probe_window, [&](platform::WindowId child) {
    std::string text(CutAtNul(desktop.WindowText(child, kTextBufferChars)));
    if (text == kMarkerText) marker_seen = true;
    if (marker_seen) {
      ++slot_count;
      std::replace(text.begin(), text.end(), ',', '.');
      reading.texts.at(slot_count) = FixedWidth(text, kSlotWidth);
    }
    return slot_count != 10;
  });
}

bool ClickAt(platform::Desktop& desktop, platform::Loop& loop, const StillRunning& still_running) {
  desktop.LeftButtonDown();
  loop.YieldToMessages();
  desktop.LeftButtonUp();
  if (Stopped(still_running)) return false;
  loop.YieldToMessages();
  return !Stopped(still_running);
}

bool ClickPageButtons(platform::Desktop& desktop, platform::Loop& loop, platform::Clock& clock,
                      const std::int16_t& x, const std::int16_t& y,
                      const StillRunning& still_running) {
  auto yield = [&] {
    loop.YieldToMessages();
    return !Stopped(still_running);
  };
  desktop.SetCursorPos({x, y - 48});
  if (!yield() || !ClickAt(desktop, loop, still_running)) return false;
  for (int p = x + 70; p <= x + 240; p += 70) {
    if (!yield()) return false;
    desktop.SetCursorPos({p, y});
    if (!ClickAt(desktop, loop, still_running) || !yield()) return false;
    WaitSeconds(loop, clock, 0.01, still_running);
    if (Stopped(still_running)) return false;
  }
  desktop.SetCursorPos({x, y});
  return ClickAt(desktop, loop, still_running) && yield();
}

namespace {

// Restores what the click sequence changed, on every way out of it: the monitor
// window back among normal windows, the user's input let through, the pointer
// back where it was.
class WakeSequenceGuard {
 public:
  WakeSequenceGuard(platform::Desktop& desktop, platform::WindowId window, platform::Point saved)
      : desktop_(desktop), window_(window), saved_(saved) {}
  WakeSequenceGuard(const WakeSequenceGuard&) = delete;
  WakeSequenceGuard& operator=(const WakeSequenceGuard&) = delete;
  ~WakeSequenceGuard() {
    desktop_.SetTopmost(window_, false);
    desktop_.BlockInput(false);
    desktop_.SetCursorPos(saved_);
  }

 private:
  platform::Desktop& desktop_;
  platform::WindowId window_;
  platform::Point saved_;
};

}  // namespace

void ClickWakeSequence(platform::Desktop& desktop, platform::Loop& loop, platform::Clock& clock,
                       platform::WindowId probe_window, const StillRunning& still_running) {
  loop.YieldToMessages();
  WakeSequenceGuard guard(desktop, probe_window, desktop.CursorPos());
  if (Stopped(still_running)) return;
  desktop.BlockInput(true);
  loop.YieldToMessages();
  if (Stopped(still_running)) return;

  // The window may have gone while messages were handled; clicking on would
  // click whatever lies beneath it.
  std::optional<platform::Rect> rect = desktop.WindowRect(probe_window);
  if (!rect) return;
  const std::int16_t x = static_cast<std::int16_t>(rect->left + 150);
  const std::int16_t y = static_cast<std::int16_t>(rect->top + 100);
  if (!ClickPageButtons(desktop, loop, clock, x, y, still_running)) return;
  if (!desktop.IsWindow(probe_window)) return;

  desktop.SetCursorPos({x + 405, y - 85});
  if (ClickAt(desktop, loop, still_running)) loop.YieldToMessages();
}

}  // namespace kelvane::probe
