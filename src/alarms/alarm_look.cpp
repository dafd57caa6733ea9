#include "alarms/alarm_look.h"

#include <utility>

#include "appearance/alarm_colours.h"

namespace kelvane::alarms {

using appearance::kAlarmHeading;
using appearance::kAlarmRed;
using appearance::kAlarmText;

void DressAsAlarm(form::Window& window, std::string caption, int client_width, int client_height) {
  window.SetCaption(std::move(caption));
  window.SetBorderStyle(form::BorderStyle::kFixedSingle);
  window.SetBackColour(kAlarmRed);
  window.SetClientSize(client_width, client_height);
}

form::Label& AddAlarmLine(form::Window& window, const char* name, AlarmLine line, int left, int top,
                          int width, int height, double points) {
  form::Label& label = window.Add<form::Label>(name);
  label.Move(left, top, width, height);
  label.SetAlignment(form::Alignment::kCentre);
  label.SetTransparent(true);
  label.SetTextFont({"Tahoma", points, true});
  label.SetForeColour(line == AlarmLine::kHeading ? kAlarmHeading : kAlarmText);
  return label;
}

}  // namespace kelvane::alarms
