#include "base/colour_picker.h"

namespace kelvane {

ScreenColourPicker::ScreenColourPicker(platform::Platform& platform, Events events)
    : desktop_(platform.desktop),
      events_(std::move(events)),
      timer_(platform.loop.CreateTimer([this] { Tick(); })) {
  Stop();
}

void ScreenColourPicker::Start() {
  timer_->SetEnabled(true);
  timer_->SetInterval(kPickerIntervalMs);
}

void ScreenColourPicker::Stop() {
  timer_->SetInterval(0);
  timer_->SetEnabled(false);
}

void ScreenColourPicker::Tick() {
  // Another window in front ends the picking; this tick still reads once.
  if (desktop_.Foreground() != events_.own_window()) {
    Stop();
    if (events_.stopped_by_foreground) events_.stopped_by_foreground();
  }
  const platform::Point at = desktop_.CursorPos();
  // A pointer at rest is not read again.
  if (last_point_ == at) return;
  last_point_ = at;
  // A pixel that cannot be read either way leaves the colour as it was.
  if (const std::optional<std::uint32_t> colour = desktop_.PixelAt(at)) events_.picked(*colour);
}

}  // namespace kelvane
