#include "tray/number_icon.h"

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::tray {

TrayIconStyle TrayIconStyle::Load(Settings& s) {
  TrayIconStyle style;
  style.cpu_colour = s.Colour(keys::kTrayCpuColour);
  style.mb_colour = s.Colour(keys::kTrayMbColour);
  style.back_colour = s.Colour(keys::kTrayBackColour);
  style.font_name = s.Text(keys::kTrayFont);
  style.bold = s.Flag(keys::kTrayBold);
  // A hand-edited store may hold anything: a size no font is drawn at reads as
  // the default.
  const double size = s.Float(keys::kTrayFontSize);
  if (size > 0 && size <= kLargestFontSize) style.font_size = size;
  return style;
}

std::string IconDigits(std::int16_t num) {
  return LeftChars(FormatPattern(static_cast<double>(num), "00", "."), 2);
}

bool NumberIcons::Draw(std::int16_t num) {
  std::string digits = IconDigits(num);
  platform::Size extent = graphics_.TextExtent(style_.Font(), digits);
  std::unique_ptr<platform::Icon> icon =
      graphics_.NumberIcon(style_.Font(), style_.back_colour, text_colour_, digits,
                           CentredOffset(extent.cx), CentredOffset(extent.cy));
  if (!icon) return false;
  current_ = std::move(icon);  // releases the previous icon
  return true;
}

}  // namespace kelvane::tray
