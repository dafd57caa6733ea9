#include "alarms/temperature_check.h"

#include <limits>
#include <string>

namespace kelvane::alarms {
namespace {

namespace mb = platform::mb;
constexpr unsigned kQuestionBox = mb::kYesNo | mb::kIconStop | 0x100 /* No is the default */ |
                                  mb::kSystemModal | mb::kSetForeground;
constexpr char kSafeShutdownThreshold[] = "90";
constexpr int kHotChecksBeforeShutdown = 5;

}  // namespace

TemperatureCheck::TemperatureCheck(platform::Platform& platform, const Options& options,
                                   OptionChanges& changes, AlarmHost& host, AlarmSounds& sounds,
                                   Overheat& overheat, AlarmWindow& alarm_window)
    : p_(platform),
      options_(options),
      changes_(changes),
      host_(host),
      sounds_(sounds),
      overheat_(overheat),
      alarm_window_(alarm_window) {}

// The thresholds are read afresh at each use: the user may pick another one
// while a sound plays.
void TemperatureCheck::Check() {
  const auto over_alarm = [this] { return host_.CpuTemp() > options_.AlarmThreshold(); };
  const auto over_shutdown = [this] { return host_.CpuTemp() > options_.ShutdownThreshold(); };

  if (over_alarm()) {
    sound_toggle_ = !sound_toggle_;
    if (sound_toggle_)
      sounds_.ChirpSpeaker();
    else
      sounds_.PlayAlarmWave();
    if (!host_.StillRunning()) return;
  }

  if (host_.MainWindowState() == form::WindowState::kMinimised) {
    if (options_.alarm_message && over_alarm()) {
      alarm_window_.Show();
      if (!host_.StillRunning()) return;
    }
    if (over_shutdown() && !options_.launch_program.empty()) {
      overheat_.LaunchUserProgram();
      if (!host_.StillRunning()) return;
    }
  }

  if (!over_shutdown()) {
    shutdown_count_ = 0;
    return;
  }
  if (!options_.shutdown_on_overheat) return;
  if (host_.MainWindowState() == form::WindowState::kNormal) {
    AskToTestShutdown();
    return;
  }
  // Counts on past five without repeating the shutdown, short of overflowing.
  if (shutdown_count_ < std::numeric_limits<std::int16_t>::max()) ++shutdown_count_;
  if (shutdown_count_ == kHotChecksBeforeShutdown) overheat_.ShutDownMachine(true);
}

void TemperatureCheck::AskToTestShutdown() {
  host_.StopPolling();
  const int answer = p_.loop.ShowMessageBox(kShutdownQuestion, "Kelvane", kQuestionBox);
  if (!host_.StillRunning()) return;
  if (answer == mb::kIdYes) {
    overheat_.ShutDownMachine(false);
    return;
  }
  // The settings window's hint follows the new limit.
  changes_.SetShutdownThreshold(kSafeShutdownThreshold);
  host_.ResumePolling();
}

}  // namespace kelvane::alarms
