// The colours of the program's alarms: the alarm windows' red with a white
// heading and pale yellow text, and the same red and white wherever another
// window tells of an alarm.
#pragma once

#include "platform/form/types.h"

namespace kelvane::appearance {

inline constexpr form::Colour kAlarmRed = form::Rgb(160, 18, 18);
inline constexpr form::Colour kAlarmHeading = form::Rgb(255, 255, 255);
inline constexpr form::Colour kAlarmText = form::Rgb(255, 236, 150);

}  // namespace kelvane::appearance
