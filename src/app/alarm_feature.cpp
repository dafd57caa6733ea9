#include "app/alarm_feature.h"

#include "app/log_feature.h"
#include "app/main_window.h"

namespace kelvane {

using enum MainControl;

AlarmFeature::AlarmFeature(platform::Platform& platform, MainWindow& main, LogFeature& logs)
    : p_(platform),
      main_(main),
      logs_(logs),
      sounds_(platform, main.CurrentOptions(), *this, main.AppFolder()),
      overheat_(platform, main.CurrentOptions(), main, *this, main.Store()),
      alarm_window_(platform, *this, [&main] { main.SetAlarmMessage(false); }),
      check_(platform, main.CurrentOptions(), main, *this, sounds_, overheat_, alarm_window_),
      stale_warning_(platform) {}

void AlarmFeature::Wire() {
  main_.Poll().Register(TickStage::kFreshness, [this] {
    const ProbeState& state = main_.State();
    stale_warning_.Watch(state.stale, p_.clock.MonotonicSeconds() - state.stale_since,
                         main_.CurrentOptions().alarm_message, state.last_fresh);
  });
  main_.Poll().Register(TickStage::kCheck, [this] { check_.Check(); });
  main_.OnControlsLoaded([this] {
    if (!sounds_.SetUpMixer()) main_.WithoutSoundCard();
  });
  main_.OnControlClick(kAlarmToSpeaker, [this] {
    // Loading the stored setting at start-up is no reason to beep.
    if (main_.CurrentOptions().speaker && SampleCount() > 2) sounds_.ChirpSpeaker();
  });
  main_.OnControlClick(kAlarmMessage, [this] {
    if (!main_.CurrentOptions().alarm_message) {
      alarm_window_.Close();
      stale_warning_.Close();
    }
  });
  main_.OnControlClick(kTestVolume, [this] {
    main_.SetSoundCard(true);
    sounds_.PlayAlarmWave();
  });
}

form::WindowState AlarmFeature::MainWindowState() {
  return main_.Window().WindowState();
}
platform::WindowId AlarmFeature::MainWindowHandle() {
  return main_.Window().Handle();
}
std::int16_t AlarmFeature::CpuTemp() {
  return main_.State().reading.cpu_temp;
}
double AlarmFeature::SampleCount() {
  return main_.State().sample_count;
}
void AlarmFeature::StopPolling() {
  main_.Poll().StopPolling();
}
void AlarmFeature::ResumePolling() {
  main_.Poll().StartPolling();
}
bool AlarmFeature::PollingStopped() {
  return main_.Poll().PollingStopped();
}
void AlarmFeature::StopLogTimer() {
  main_.Poll().SetLogTimer(false);
}
void AlarmFeature::WriteShutdownLogEntry() {
  logs_.Write(true);
}
bool AlarmFeature::StillRunning() {
  return main_.Running();
}

}  // namespace kelvane
