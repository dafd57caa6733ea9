#include "alarms/overheat.h"

#include "base/keys.h"
#include "base/wait.h"

namespace kelvane::alarms {
namespace {

constexpr char kSafeShutdownThreshold[] = "90";
constexpr std::uint32_t kWindows9xBit = 0x80000000u;

}  // namespace

Overheat::Overheat(platform::Platform& platform, const Options& options, OptionChanges& changes,
                   AlarmHost& host, Settings& settings)
    : p_(platform), options_(options), changes_(changes), host_(host), settings_(settings) {}

void Overheat::LaunchUserProgram() {
  if (!options_.launch_on_overheat) return;
  changes_.SetLaunchOnOverheat(false);
  p_.shell.Execute(host_.MainWindowHandle(), "", options_.launch_program, "", "",
                   platform::sw::kShowNormal);
  Wait(p_.loop, p_.clock, 2, [this] { return host_.StillRunning(); });
}

void Overheat::ShutDownMachine(bool after_hot_checks) {
  // The limit the CPU stayed above, before the safe one replaces it.
  const double limit = options_.ShutdownThreshold();
  host_.StopLogTimer();
  host_.StopPolling();
  // The last entry is appended, whatever the overwrite box said.
  changes_.SetOverwriteTextLog(false);
  settings_.WriteInteger(keys::kOverwriteTextLog.name, 0);
  host_.WriteShutdownLogEntry();
  if (!host_.StillRunning()) return;
  changes_.SetShutdownThreshold(kSafeShutdownThreshold);
  settings_.WriteText(keys::kShutdownThreshold.name, kSafeShutdownThreshold);
  if (!options_.shutdown_on_overheat) {
    host_.ResumePolling();
    return;
  }
  // The next run starts with the shutdown off.
  changes_.SetShutdownOnOverheat(false);
  settings_.WriteInteger(keys::kShutdownOnOverheat.name, 0);
  host_.StopLogTimer();
  host_.StopPolling();
  host_.PowerOffComing(host_.CpuTemp(), limit, after_hot_checks);
  if (p_.power.Version() & kWindows9xBit) {
    p_.power.ExitWindowsWith(kShutdownFlags9x);
  } else {
    p_.power.EnableShutdownPrivilege();
    p_.power.ExitWindowsWith(kShutdownFlagsNt);
  }
}

}  // namespace kelvane::alarms
