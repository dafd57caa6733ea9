// The alarms in the program: the temperature check of each tick, the alarm
// sounds with the mixer, the alarm window and the overheat actions, with the
// main window's alarm section as their controls.
#pragma once

#include <cstdint>
#include <memory>

#include "alarms/alarm_host.h"
#include "alarms/alarm_sounds.h"
#include "alarms/alarm_window.h"
#include "alarms/overheat.h"
#include "alarms/stale_warning.h"
#include "alarms/temperature_check.h"
#include "platform/platform.h"

namespace kelvane {

class AppContext;
class LogFeature;

class AlarmFeature final : private alarms::AlarmHost {
 public:
  AlarmFeature(AppContext& program, LogFeature& logs);
  AlarmFeature(const AlarmFeature&) = delete;
  AlarmFeature& operator=(const AlarmFeature&) = delete;

  // Registers with the program: its tick stages, clicks and closers.
  void Wire();

  alarms::AlarmWindow& Window() { return alarm_window_; }
  alarms::TemperatureCheck& Check() { return check_; }
  alarms::AlarmSounds& Sounds() { return sounds_; }
  alarms::StaleWarning& StaleWarningWindow() { return stale_warning_; }

 private:
  // --- alarms::AlarmHost, over the program context ---
  form::WindowState MainWindowState() override;
  platform::WindowId MainWindowHandle() override;
  std::int16_t CpuTemp() override;
  double SampleCount() override;
  void StopPolling() override;
  void ResumePolling() override;
  bool PollingStopped() override;
  void StopLogTimer() override;
  void WriteShutdownLogEntry() override;
  void PowerOffComing(std::int16_t cpu_temp, double limit, bool after_hot_checks) override;
  bool StillRunning() override;

  platform::Platform& p_;
  AppContext& program_;
  LogFeature& logs_;
  alarms::AlarmSounds sounds_;
  alarms::Overheat overheat_;
  alarms::AlarmWindow alarm_window_;
  alarms::TemperatureCheck check_;
  alarms::StaleWarning stale_warning_;
};

}  // namespace kelvane
