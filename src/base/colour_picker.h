// The screen colour picker of the colour editor and the tray icon settings
// window: while it runs, every 64 ms it reads the colour of the pixel under the
// pointer, anywhere on the screen, and hands it on. It stops when its window
// is no longer in the foreground, so that it never keeps reading behind
// another program's back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace kelvane {

inline constexpr int kPickerIntervalMs = 64;
// The pointers of a pick button, under the program's folder.
inline constexpr char kNormalCursorFile[] = "Cursors\\NormalCursor.cur";
inline constexpr char kPickerCursorFile[] = "Cursors\\PickerCursor.cur";

class ScreenColourPicker {
 public:
  struct Events {
    // The window whose picker this is, for the foreground check.
    std::function<platform::WindowId()> own_window;
    // A colour was read at a new pointer position.
    std::function<void(std::uint32_t colour)> picked;
    // The picker stopped because another window came to the foreground.
    std::function<void()> stopped_by_foreground;
  };
  ScreenColourPicker(platform::Platform& platform, Events events);

  // Picking: the timer runs with an interval of at least 1 ms.
  bool Picking() const { return timer_->Interval() >= 1; }
  void Start();
  // Interval 0 and disabled; nothing when it is not picking.
  void Stop();
  // The screen point read last (pixels).
  std::optional<platform::Point> LastPoint() const { return last_point_; }

 private:
  void Tick();

  platform::Desktop& desktop_;
  Events events_;
  std::unique_ptr<platform::Timer> timer_;
  std::optional<platform::Point> last_point_;
};

}  // namespace kelvane
