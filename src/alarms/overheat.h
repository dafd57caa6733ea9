// What the program does when the CPU stays over the shutdown threshold, each
// only when the user allowed it: start the user's program once, and shut the
// machine down after a last log entry.
#pragma once

#include <cstdint>

#include "alarms/alarm_host.h"
#include "base/options.h"
#include "base/settings.h"
#include "platform/platform.h"

namespace kelvane::alarms {

class Overheat {
 public:
  Overheat(platform::Platform& platform, const Options& options, OptionChanges& changes,
           AlarmHost& host, Settings& settings);

  // Starts the user's program once while it is armed, disarming it first so
  // that it starts once per arming; then waits two seconds, handling
  // messages. Errors are ignored.
  void LaunchUserProgram();

  // Stops both timers, appends a last log entry, stores the settings that keep
  // the next run from shutting down again, and asks for a forced shutdown (a
  // power-off on the NT family, with the shutdown right enabled first). When
  // the shutdown box was cleared meanwhile, polling resumes instead.
  // `after_hot_checks`: the CPU stayed hot for the checks that power off
  // alone (false: the user said yes to the question).
  void ShutDownMachine(bool after_hot_checks);

 private:
  platform::Platform& p_;
  const Options& options_;
  OptionChanges& changes_;
  AlarmHost& host_;
  Settings& settings_;
};

// Shutdown request flags: reboot + force + power-off on the NT family,
// shutdown + force on Windows 95, 98 and Me.
inline constexpr std::uint32_t kShutdownFlagsNt = 2 | 4 | 8;
inline constexpr std::uint32_t kShutdownFlags9x = 1 | 4;

}  // namespace kelvane::alarms
