// Temperatures drawn as two digits into a 32 x 32 icon for the tray.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/settings.h"
#include "platform/graphics.h"

namespace kelvane::tray {

inline constexpr int kIconSize = 32;

// The largest stored tray font size, in points, that is taken as a size.
inline constexpr double kLargestFontSize = 1000;

// The tray icon's look, read at start-up and edited by the tray settings window.
struct TrayIconStyle {
  std::string font_name = "Arial";
  double font_size = 24;
  bool bold = true;
  std::uint32_t back_colour = 16777215;  // white
  std::uint32_t cpu_colour = 255;        // red: the CPU temperature
  std::uint32_t mb_colour = 16711680;    // blue: the motherboard temperature

  static TrayIconStyle Load(Settings& settings);
  platform::FontSpec Font() const { return {font_name, font_size, bold}; }
};

// Where the two digits go: centred, with the quotient truncated toward zero,
// so a text larger than the square is clipped equally on both sides.
inline int CentredOffset(int extent) {
  return (kIconSize - extent) / 2;
}

// The drawing surfaces of the number icon: the canvas with its style and text
// colour, and the one live icon, which replaces the previous one.
class NumberIcons {
 public:
  NumberIcons(platform::Graphics& graphics, const TrayIconStyle& style)
      : graphics_(graphics), style_(style) {}

  // The colour of the digits that the next Draw makes.
  void SetTextColour(std::uint32_t colour) { text_colour_ = colour; }
  std::uint32_t TextColour() const { return text_colour_; }
  // The system's colour for unavailable text.
  std::uint32_t GreyTextColour() const { return graphics_.GreyTextColour(); }

  // Draws `num` ("00" pattern, first two characters) into a new icon that
  // replaces the current one. False, keeping the current icon, when the
  // platform could not make one.
  bool Draw(std::int16_t num);
  // The current icon, owned here; nullptr before the first one.
  const platform::Icon* Current() const { return current_.get(); }
  // The rebuild command clears the surfaces: the icon goes too.
  void Clear() { current_.reset(); }

 private:
  platform::Graphics& graphics_;
  const TrayIconStyle& style_;
  std::uint32_t text_colour_ = 255;
  std::unique_ptr<platform::Icon> current_;
};

// The text Draw puts into the icon for `num`: at least two digits, first two characters.
std::string IconDigits(std::int16_t num);

}  // namespace kelvane::tray
