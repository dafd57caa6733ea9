// Reading the monitor's window, and clicking through it once at start-up.
#pragma once

#include <cstdint>

#include "base/wait.h"
#include "platform/platform.h"
#include "probe/reading.h"

namespace kelvane::probe {

// The text of the descendant window where the readings begin.
inline constexpr char kMarkerText[] = "MonitorForm";
// Window texts are read into a buffer of this many characters.
inline constexpr int kTextBufferChars = 255;

// One reading scan over the monitor's main window: from the marker window on, up
// to ten window texts (marker included) go into texts slots 1 to 10, commas
// replaced by points. Slots the scan does not reach keep their contents.
void ScanProbeWindow(platform::Desktop& desktop, platform::WindowId probe_window,
                     ProbeReading& reading);

// One left click at the pointer. A press is always released; false when
// `still_running` said no after a yield.
bool ClickAt(platform::Desktop& desktop, platform::Loop& loop,
             const StillRunning& still_running = {});

// The five page clicks around (x, y) = window corner + (150, 100). Stops after
// a yield once `still_running` says no (a press made is still released);
// false then.
bool ClickPageButtons(platform::Desktop& desktop, platform::Loop& loop, platform::Clock& clock,
                      const std::int16_t& x, const std::int16_t& y,
                      const StillRunning& still_running = {});

// The whole start-up click sequence on the monitor window, which the wake-up has
// just made topmost and shown. It stops early when the window goes, or when
// `still_running` says no after a yield. Whatever way it ends, the window is
// made normal again, input is unblocked and the pointer is put back where the
// user left it.
void ClickWakeSequence(platform::Desktop& desktop, platform::Loop& loop, platform::Clock& clock,
                       platform::WindowId probe_window, const StillRunning& still_running = {});

}  // namespace kelvane::probe
