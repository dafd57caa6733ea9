#include "alarms/overheat.h"

#include "base/keys.h"
#include "base/wait.h"

namespace kelvane::alarms {
namespace {

constexpr char kSafeShutdownThreshold[] = "90";
constexpr std::uint32_t kWindows9xBit = 0x80000000u;

}  // namespace

Overheat::Overheat(platform::Platform& platform, AlarmControls& controls, AlarmHost& host,
                   Settings& settings)
    : p_(platform), controls_(controls), host_(host), settings_(settings) {}

void Overheat::LaunchUserProgram() {
  if (controls_.launch_on_overheat.Value() != 1) return;
  controls_.launch_on_overheat.SetValue(0);
  p_.shell.Execute(host_.MainWindowHandle(), "", controls_.launch_program.Text(), "", "",
                   platform::sw::kShowNormal);
  Wait(p_.loop, p_.clock, 2, [this] { return host_.StillRunning(); });
}

void Overheat::ShutDownMachine() {
  host_.StopLogTimer();
  host_.StopPolling();
  // The last entry is appended, whatever the overwrite box said.
  controls_.overwrite_text_log.SetValue(0);
  settings_.WriteInteger(keys::kOverwriteTextLog.name, 0);
  host_.WriteShutdownLogEntry();
  if (!host_.StillRunning()) return;
  controls_.shutdown_threshold.SetText(kSafeShutdownThreshold);
  settings_.WriteText(keys::kShutdownThreshold.name, kSafeShutdownThreshold);
  if (controls_.shutdown_on_overheat.Value() != 1) {
    host_.ResumePolling();
    return;
  }
  // The next run starts with the shutdown off.
  controls_.shutdown_on_overheat.SetValue(0);
  settings_.WriteInteger(keys::kShutdownOnOverheat.name, 0);
  host_.StopLogTimer();
  host_.StopPolling();
  if (p_.power.Version() & kWindows9xBit) {
    p_.power.ExitWindowsWith(kShutdownFlags9x);
  } else {
    p_.power.EnableShutdownPrivilege();
    p_.power.ExitWindowsWith(kShutdownFlagsNt);
  }
}

}  // namespace kelvane::alarms
