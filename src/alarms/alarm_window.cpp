#include "alarms/alarm_window.h"

#include <string>

#include "alarms/alarm_look.h"
#include "appearance/placement.h"
#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::alarms {

AlarmWindow::AlarmWindow(platform::Platform& platform, AlarmHost& host,
                         std::function<void()> disable_alarm)
    : p_(platform),
      host_(host),
      disable_alarm_(std::move(disable_alarm)),
      window_(platform, *this, "AlarmWindow") {
  DressAsAlarm(window_, "Kelvane - CPU Temp Alarm Message", 5400, 1800);
  AddAlarmLine(window_, "Heading", AlarmLine::kHeading, 120, 180, 5160, 420, 16)
      .SetCaption("CPU Temp Alarm!!!");
  temperature_ = &AddAlarmLine(window_, "Temperature", AlarmLine::kText, 120, 720, 5160, 330, 12);

  disable_ = &window_.Add<form::Button>("DisableAlarm");
  disable_->Move(1950, 1200, 1500, 390);
  disable_->SetCaption("Disable Alarm");

  refresh_ = &window_.AddTimer("Refresh");
}

const std::string& AlarmWindow::TemperatureText() const {
  return temperature_->Caption();
}

void AlarmWindow::Show() {
  if (!window_.Loaded()) appearance::CentreOnWorkArea(window_, p_.desktop);
  window_.Show();
}

void AlarmWindow::Close() {
  window_.Unload();
}

void AlarmWindow::ShowTemperature() {
  temperature_->SetCaption("CPU Temp: " + IntText(host_.CpuTemp()) + std::string(kDegree) + "C");
}

void AlarmWindow::OnLoad() {
  const form::Lifetime here = window_.Life();
  ShowTemperature();
  p_.loop.YieldToMessages();
  if (!here) return;
  window_.SetTopmost(true);
  refresh_->SetInterval(1000);
  refresh_->SetEnabled(true);
}

void AlarmWindow::OnUnload() {
  refresh_->SetInterval(0);
  refresh_->SetEnabled(false);
  p_.loop.YieldToMessages();
}

void AlarmWindow::OnClick(form::Control* control) {
  if (control != disable_) return;
  if (disable_alarm_) disable_alarm_();
  window_.Unload();
}

void AlarmWindow::OnTimer(form::WindowTimer&) {
  ShowTemperature();
}

}  // namespace kelvane::alarms
