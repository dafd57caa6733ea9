// What the alarms work with besides the user's settings: the program around
// them (its main window, its poll cycle, its logs).
#pragma once

#include <cstdint>

#include "platform/form/form.h"
#include "platform/platform.h"

namespace kelvane::alarms {

class AlarmHost {
 public:
  virtual ~AlarmHost() = default;
  // The main window: normal while the user has it open, minimised while the
  // program lives in the tray.
  virtual form::WindowState MainWindowState() = 0;
  virtual platform::WindowId MainWindowHandle() = 0;
  // The CPU temperature of the current reading.
  virtual std::int16_t CpuTemp() = 0;
  // Samples counted since the last statistics reset.
  virtual double SampleCount() = 0;
  // The poll timer: stopped (interval 0, disabled), running again at 1000 ms,
  // and whether its interval is 0.
  virtual void StopPolling() = 0;
  virtual void ResumePolling() = 0;
  virtual bool PollingStopped() = 0;
  virtual void StopLogTimer() = 0;
  // Writes one entry into each log that is on, marked as the last before a
  // shutdown.
  virtual void WriteShutdownLogEntry() = 0;
  // The machine is about to be powered off because the CPU stayed above
  // `limit` (after the checks in a row that decide it alone, or after the
  // user's answer); nothing may yield here.
  virtual void PowerOffComing(std::int16_t cpu_temp, double limit, bool after_hot_checks) = 0;
  // False once the program has shut down (inside a yield, say).
  virtual bool StillRunning() = 0;
};

}  // namespace kelvane::alarms
