#include "alarms/temperature_check.h"

#include <limits>
#include <string>

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::alarms {
namespace {

namespace mb = platform::mb;
constexpr unsigned kQuestionBox =
    mb::kYesNo | mb::kIconStop | 0x100 /* No is the default */ | mb::kSystemModal |
    mb::kSetForeground;
constexpr char kSafeShutdownThreshold[] = "90";
constexpr int kHotChecksBeforeShutdown = 5;

}  // namespace

double ThresholdOf(const form::ListBox& box) {
  return LeadingNumber(box.Text());
}

TemperatureCheck::TemperatureCheck(platform::Platform& platform, AlarmControls& controls,
                                   AlarmHost& host, AlarmSounds& sounds, Overheat& overheat,
                                   AlarmWindow& alarm_window)
    : p_(platform),
      controls_(controls),
      host_(host),
      sounds_(sounds),
      overheat_(overheat),
      alarm_window_(alarm_window) {}

// The thresholds are read afresh at each use: the user may pick another one
// while a sound plays.
void TemperatureCheck::Check() {
  const auto over_alarm = [this] { return host_.CpuTemp() > ThresholdOf(controls_.alarm_threshold); };
  const auto over_shutdown = [this] {
    return host_.CpuTemp() > ThresholdOf(controls_.shutdown_threshold);
  };

  if (over_alarm()) {
    sound_toggle_ = !sound_toggle_;
    if (sound_toggle_)
      sounds_.ChirpSpeaker();
    else
      sounds_.PlayAlarmWave();
    if (!host_.StillRunning()) return;
  }

  if (host_.MainWindowState() == form::WindowState::kMinimised) {
    if (controls_.alarm_message.Value() == 1 && over_alarm()) {
      alarm_window_.Show();
      if (!host_.StillRunning()) return;
    }
    if (over_shutdown() && !controls_.launch_program.Text().empty()) {
      overheat_.LaunchUserProgram();
      if (!host_.StillRunning()) return;
    }
  }

  if (!over_shutdown()) {
    shutdown_count_ = 0;
    return;
  }
  if (controls_.shutdown_on_overheat.Value() != 1) return;
  if (host_.MainWindowState() == form::WindowState::kNormal) {
    AskToTestShutdown();
    return;
  }
  // Counts on past five without repeating the shutdown, short of overflowing.
  if (shutdown_count_ < std::numeric_limits<std::int16_t>::max()) ++shutdown_count_;
  if (shutdown_count_ == kHotChecksBeforeShutdown) overheat_.ShutDownMachine();
}

void TemperatureCheck::AskToTestShutdown() {
  host_.StopPolling();
  const int answer = p_.loop.ShowMessageBox(kShutdownQuestion, "Kelvane", kQuestionBox);
  if (!host_.StillRunning()) return;
  if (answer == mb::kIdYes) {
    overheat_.ShutDownMachine();
    return;
  }
  controls_.shutdown_threshold.SetText(kSafeShutdownThreshold);
  controls_.shutdown_hint.SetCaption("Shut down Windows if CPU temp is greater then " +
                                     controls_.shutdown_threshold.Text() + std::string(kDegree) +
                                     "C");
  host_.ResumePolling();
}

}  // namespace kelvane::alarms
