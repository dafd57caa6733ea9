#include "alarms/stale_warning.h"

#include <cmath>

#include "alarms/alarm_look.h"
#include "appearance/placement.h"

namespace kelvane::alarms {
StaleWarning::StaleWarning(platform::Platform& platform)
    : p_(platform), window_(platform, *this, "StaleWarning") {
  DressAsAlarm(window_, "Kelvane - Asus Probe 2 Not Responding", 5400, 2100);
  AddAlarmLine(window_, "Heading", AlarmLine::kHeading, 120, 180, 5160, 420, 12)
      .SetCaption("Asus Probe 2 is not responding");
  message_ = &AddAlarmLine(window_, "Message", AlarmLine::kText, 240, 720, 4920, 660, 9);

  ok_ = &window_.Add<form::Button>("Ok");
  ok_->Move(2100, 1500, 1200, 390);
  ok_->SetCaption("OK");
}

const std::string& StaleWarning::MessageText() const {
  return message_->Caption();
}

void StaleWarning::Watch(bool stale, double stale_seconds, bool notify,
                         const platform::DateTime& last_fresh) {
  if (!stale) {
    // The monitor answers again: the episode is over.
    warned_ = false;
    if (IsOpen()) Close();
    return;
  }
  // The seconds are the difference of two clock readings: a minute of ticks
  // may come out a hair under 60, so they are compared in whole milliseconds.
  if (warned_ || !notify || std::llround(stale_seconds * 1000) < std::llround(kAfterSeconds * 1000))
    return;
  warned_ = true;
  message_->SetCaption("The temperatures are not being watched. The last readings are of " +
                       p_.clock.TimeText(last_fresh) + ".");
  if (!window_.Loaded()) appearance::CentreOnWorkArea(window_, p_.desktop);
  window_.Show();
}

void StaleWarning::Close() {
  window_.Unload();
}

void StaleWarning::OnLoad() {
  window_.SetTopmost(true);
}

void StaleWarning::OnClick(form::Control* control) {
  if (control == ok_) window_.Unload();
}

}  // namespace kelvane::alarms
