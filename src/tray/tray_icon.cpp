#include "tray/tray_icon.h"

#include "base/text.h"

namespace kelvane::tray {

std::string StartupTip() {
  std::string tip = "Kelvane - CPU temperature in the tray";
  tip += '\0';
  return FixedWidth(tip, kTipChars);
}

std::string StaleTip(const std::string& time) {
  std::string tip = "Asus Probe 2 is not responding - readings of " + time;
  tip += '\0';
  return FixedWidth(tip, kTipChars);
}

std::string WithNotes(const std::string& notes, const std::string& tip) {
  if (notes.empty()) return tip;
  return FixedWidth(notes + tip, kTipChars);
}

void TrayIcon::Add() {
  tip_ = StartupTip();
  tray_.Add(nullptr, tip_, [this](int message) { HandleEvent(message); });
}

void TrayIcon::Remove() {
  tray_.Remove();
}

void TrayIcon::Rebuild() {
  icons_.Clear();
  Remove();
  Add();
}

void TrayIcon::Show(const std::string& tip, std::int16_t value, bool motherboard, bool stale) {
  tip_ = tip;
  icons_.SetTextColour(style_.cpu_colour);
  if (motherboard) icons_.SetTextColour(style_.mb_colour);
  if (stale) icons_.SetTextColour(icons_.GreyTextColour());
  if (icons_.Draw(value)) tray_.Modify(icons_.Current(), tip_);
}

void TrayIcon::HandleEvent(int mouse_message) {
  if (mouse_message == kLeftDoubleClick) {
    if (actions_.show_main_window) actions_.show_main_window();
  } else if (mouse_message == kRightButtonUp) {
    if (actions_.open_menu) actions_.open_menu();
  }
}

}  // namespace kelvane::tray
