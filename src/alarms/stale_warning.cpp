#include "alarms/stale_warning.h"

#include "appearance/placement.h"

namespace kelvane::alarms {
namespace {

constexpr form::Colour Rgb(int r, int g, int b) {
  return static_cast<form::Colour>(r + 256 * g + 65536 * b);
}
// The alarm window's colours.
constexpr form::Colour kAlarmRed = Rgb(160, 18, 18);
constexpr form::Colour kWhite = Rgb(255, 255, 255);
constexpr form::Colour kPaleYellow = Rgb(255, 236, 150);

}  // namespace

StaleWarning::StaleWarning(platform::Platform& platform)
    : p_(platform), window_(platform, *this, "StaleWarning") {
  window_.SetCaption("Kelvane - Asus Probe 2 Not Responding");
  window_.SetBorderStyle(form::BorderStyle::kFixedSingle);
  window_.SetBackColour(kAlarmRed);
  window_.SetClientSize(5400, 2100);

  form::Label& heading = window_.Add<form::Label>("Heading");
  heading.Move(120, 180, 5160, 420);
  heading.SetCaption("Asus Probe 2 is not responding");
  heading.SetAlignment(form::Alignment::kCentre);
  heading.SetTransparent(true);
  heading.SetTextFont({"Tahoma", 12, true});
  heading.SetForeColour(kWhite);

  message_ = &window_.Add<form::Label>("Message");
  message_->Move(240, 720, 4920, 660);
  message_->SetAlignment(form::Alignment::kCentre);
  message_->SetTransparent(true);
  message_->SetTextFont({"Tahoma", 9, true});
  message_->SetForeColour(kPaleYellow);

  ok_ = &window_.Add<form::Button>("Ok");
  ok_->Move(2100, 1500, 1200, 390);
  ok_->SetCaption("OK");
}

const std::string& StaleWarning::MessageText() const {
  return message_->Caption();
}

void StaleWarning::Watch(bool stale, double stale_seconds, bool notify,
                         const std::string& last_fresh_time) {
  if (!stale) {
    // The monitor answers again: the episode is over.
    warned_ = false;
    if (IsOpen()) Close();
    return;
  }
  if (warned_ || !notify || stale_seconds < kAfterSeconds) return;
  warned_ = true;
  message_->SetCaption("The temperatures are not being watched. The last readings are of " +
                       last_fresh_time + ".");
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
