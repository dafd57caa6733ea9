// The check that the poll cycle runs after each reading: the CPU temperature
// against the alarm threshold (sounds in turn, the alarm window while the
// program lives in the tray) and against the shutdown threshold (the user's
// program, and a shutdown after five hot checks in a row, or at once after the
// user agrees to test it while the main window is open).
#pragma once

#include <cstdint>

#include "alarms/alarm_host.h"
#include "alarms/alarm_sounds.h"
#include "alarms/alarm_window.h"
#include "alarms/overheat.h"

namespace kelvane::alarms {

// The test question asked when the shutdown threshold is passed while the
// main window is open.
inline constexpr char kShutdownQuestion[] =
    "The CPU temp is currently greater then the selected setting!\r\n"
    "Do you want to test the PC shutdown feature now?";

class TemperatureCheck {
 public:
  TemperatureCheck(platform::Platform& platform, const Options& options, OptionChanges& changes,
                   AlarmHost& host,
                   AlarmSounds& sounds, Overheat& overheat, AlarmWindow& alarm_window);

  // One check of the current reading.
  void Check();

  bool SoundToggle() const { return sound_toggle_; }
  std::int16_t ShutdownCount() const { return shutdown_count_; }

 private:
  void AskToTestShutdown();

  platform::Platform& p_;
  const Options& options_;
  OptionChanges& changes_;
  AlarmHost& host_;
  AlarmSounds& sounds_;
  Overheat& overheat_;
  AlarmWindow& alarm_window_;
  bool sound_toggle_ = false;
  std::int16_t shutdown_count_ = 0;
};

}  // namespace kelvane::alarms
