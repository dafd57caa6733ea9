// The program's one notification-area icon: adding and removing it, the
// per-tick step that draws a temperature into it, and its mouse events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/graphics.h"
#include "tray/number_icon.h"

namespace kelvane::tray {

inline constexpr int kLeftDoubleClick = 0x203;  // 515
inline constexpr int kRightButtonUp = 0x205;    // 517
inline constexpr std::size_t kTipChars = 64;

// The tip the icon shows until the first tick replaces it.
std::string StartupTip();
// The tip while the monitor does not answer: `time` is when its readings were
// last fresh.
std::string StaleTip(const std::string& time);
// `tip` below the lines of `notes` (each ending in a line feed), cut to the
// tip's width; `tip` alone when there are none.
std::string WithNotes(const std::string& notes, const std::string& tip);

// Which temperature the icon shows on a tick: the CPU's, or in the CPU and
// motherboard mode the two in turn, the motherboard first.
class TemperatureTurn {
 public:
  bool NextIsMotherboard(bool both) {
    if (!both) return false;
    motherboard_ = !motherboard_;
    return motherboard_;
  }

 private:
  bool motherboard_ = false;
};

class TrayIcon {
 public:
  struct Actions {
    std::function<void()> show_main_window;  // a left double click
    std::function<void()> open_menu;         // a right-button release
  };
  TrayIcon(platform::Tray& tray, NumberIcons& icons, const TrayIconStyle& style, Actions actions)
      : tray_(tray), icons_(icons), style_(style), actions_(std::move(actions)) {}

  // Adds the icon: blank (the canvas holds no picture after drawing) with the
  // start-up tip; the next tick gives it digits.
  void Add();
  void Remove();
  // The rebuild command, served at the start of a tick: surfaces cleared,
  // icon removed and added again.
  void Rebuild();
  // One tick's drawing: `tip` (the reading's tip_text) and the temperature, in
  // the CPU colour or the motherboard colour; stale readings in the system's
  // grey-text colour.
  void Show(const std::string& tip, std::int16_t value, bool motherboard, bool stale = false);
  // A mouse message from the tray.
  void HandleEvent(int mouse_message);
  const std::string& Tip() const { return tip_; }

 private:
  platform::Tray& tray_;
  NumberIcons& icons_;
  const TrayIconStyle& style_;
  Actions actions_;
  std::string tip_ = StartupTip();
};

}  // namespace kelvane::tray
