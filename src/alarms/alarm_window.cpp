#include "alarms/alarm_window.h"

#include <string>

#include "appearance/placement.h"
#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::alarms {
namespace {

constexpr form::Colour Rgb(int r, int g, int b) {
  return static_cast<form::Colour>(r + 256 * g + 65536 * b);
}
constexpr form::Colour kAlarmRed = Rgb(160, 18, 18);
constexpr form::Colour kWhite = Rgb(255, 255, 255);
constexpr form::Colour kPaleYellow = Rgb(255, 236, 150);

}  // namespace

AlarmWindow::AlarmWindow(platform::Platform& platform, AlarmHost& host,
                         std::function<void()> disable_alarm)
    : p_(platform),
      host_(host),
      disable_alarm_(std::move(disable_alarm)),
      window_(platform, *this, "AlarmWindow") {
  window_.SetCaption("Kelvane - CPU Temp Alarm Message");
  window_.SetBorderStyle(form::BorderStyle::kFixedSingle);
  window_.SetBackColour(kAlarmRed);
  window_.SetClientSize(5400, 1800);

  form::Label& heading = window_.Add<form::Label>("Heading");
  heading.Move(120, 180, 5160, 420);
  heading.SetCaption("CPU Temp Alarm!!!");
  heading.SetAlignment(form::Alignment::kCentre);
  heading.SetTransparent(true);
  heading.SetTextFont({"Tahoma", 16, true});
  heading.SetForeColour(kWhite);

  temperature_ = &window_.Add<form::Label>("Temperature");
  temperature_->Move(120, 720, 5160, 330);
  temperature_->SetAlignment(form::Alignment::kCentre);
  temperature_->SetTransparent(true);
  temperature_->SetTextFont({"Tahoma", 12, true});
  temperature_->SetForeColour(kPaleYellow);

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
