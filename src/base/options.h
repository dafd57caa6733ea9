// The user's settings of the main window as plain values: what the parts of
// the program read instead of the settings window's controls. The settings
// window keeps them (it loads and saves them through its settings table and
// binds them to its controls), and a part changes one only through
// OptionChanges, so the window always shows what the program uses.
#pragma once

#include <string>

#include "base/numbers.h"

namespace kelvane {

struct Options {
  enum class TrayMode { kCpu, kCpuAndMb };

  // The two limits keep their text as stored and shown ("70.5" stays "70.5");
  // the limit is the number the text starts with, 0 when there is none.
  std::string alarm_threshold;
  std::string shutdown_threshold;
  double AlarmThreshold() const { return LeadingNumber(alarm_threshold); }
  double ShutdownThreshold() const { return LeadingNumber(shutdown_threshold); }

  TrayMode tray_mode = TrayMode::kCpu;
  bool alarm_message = false;   // open the alarm window
  bool sound_card = false;      // play the alarm wave
  bool speaker = false;         // chirp the PC speaker
  int volume = 0;               // the alarm wave's volume, in steps of the slider
  bool shutdown_on_overheat = false;
  bool launch_on_overheat = false;  // armed: start launch_program once
  std::string launch_program;
  bool text_log = false;
  bool overwrite_text_log = false;
  bool html_log = false;
  bool overwrite_html_log = false;
  int log_interval_minutes = 0;
  bool close_monitor_on_exit = false;
  std::string wallpaper_theme;
  bool digital_dashboard_at_start = false;
  bool high_low_at_start = false;
};

// The settings a part of the program changes itself. Each change shows in the
// settings window at once and runs what the same change by the user runs.
class OptionChanges {
 public:
  virtual ~OptionChanges() = default;
  virtual void SetAlarmMessage(bool on) = 0;
  virtual void SetSoundCard(bool on) = 0;
  virtual void SetLaunchOnOverheat(bool on) = 0;
  virtual void SetShutdownOnOverheat(bool on) = 0;
  virtual void SetOverwriteTextLog(bool on) = 0;
  virtual void SetShutdownThreshold(const std::string& text) = 0;
};

}  // namespace kelvane
