#include "tray/number_icon.h"

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::tray {

TrayIconStyle TrayIconStyle::Load(Settings& s) {
  TrayIconStyle style;
  style.ForeColor = s.Colour(keys::kTrayFcolr);
  style.ForeColor2 = s.Colour(keys::kTrayFcolr2);
  style.BackColor = s.Colour(keys::kTrayBcolr);
  style.FontName = s.Text(keys::kTrayFont);
  style.Bold = s.Flag(keys::kTrayBold);
  style.FontSize = s.Float(keys::kTraySize);
  return style;
}

std::string IconDigits(std::int16_t num) {
  return LeftChars(FormatPattern(static_cast<double>(num), "00", "."), 2);
}

bool NumberIcons::NumToIcon(std::int16_t num) {
  std::string digits = IconDigits(num);
  platform::Size extent = graphics_.TextExtent(style_.Font(), digits);
  std::unique_ptr<platform::Icon> icon =
      graphics_.NumberIcon(style_.Font(), style_.BackColor, text_colour_, digits,
                           CentredOffset(extent.cx), CentredOffset(extent.cy));
  if (!icon) return false;
  current_ = std::move(icon);  // releases the previous icon
  return true;
}

}  // namespace kelvane::tray
