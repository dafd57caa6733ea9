// The look the program's alarm windows share: a fixed red window with
// centred, transparent Tahoma lines on it, a white heading and pale yellow
// text below.
#pragma once

#include <string>

#include "platform/form/form.h"

namespace kelvane::alarms {

enum class AlarmLine { kHeading, kText };

// Caption, border, the red and the client size (twips).
void DressAsAlarm(form::Window& window, std::string caption, int client_width, int client_height);
// One centred line in the alarm colours at (left, top, width, height) twips.
form::Label& AddAlarmLine(form::Window& window, const char* name, AlarmLine line, int left, int top,
                          int width, int height, double points);

}  // namespace kelvane::alarms
