#include "alarms/alarm_look.h"

#include <utility>

namespace kelvane::alarms {
namespace {

using form::Rgb;

constexpr form::Colour kAlarmRed = Rgb(160, 18, 18);
constexpr form::Colour kWhite = Rgb(255, 255, 255);
constexpr form::Colour kPaleYellow = Rgb(255, 236, 150);

}  // namespace

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
  label.SetForeColour(line == AlarmLine::kHeading ? kWhite : kPaleYellow);
  return label;
}

}  // namespace kelvane::alarms
