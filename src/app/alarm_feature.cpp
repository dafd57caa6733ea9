#include "app/alarm_feature.h"

#include "app/log_feature.h"
#include "app/main_window.h"

namespace kelvane {

using enum MainControl;

namespace {

alarms::AlarmControls ControlsOf(MainWindow& main) {
  return {
      main.Get<form::ListBox>(kAlarmThreshold),  main.Get<form::ListBox>(kShutdownThreshold),
      main.Get<form::CheckBox>(kAlarmMessage),   main.Get<form::CheckBox>(kAlarmToSoundCard),
      main.Get<form::CheckBox>(kAlarmToSpeaker), main.Get<form::ScrollBar>(kAlarmVolume),
      main.Get<form::Button>(kTestVolume),       main.Get<form::CheckBox>(kShutdownOnOverheat),
      main.Get<form::Label>(kShutdownHint),      main.Get<form::CheckBox>(kLaunchOnOverheat),
      main.Get<form::TextBox>(kLaunchProgram),   main.Get<form::CheckBox>(kOverwriteTextLog),
  };
}

}  // namespace

AlarmFeature::AlarmFeature(platform::Platform& platform, MainWindow& main, LogFeature& logs)
    : main_(main),
      logs_(logs),
      controls_(ControlsOf(main)),
      sounds_(platform, controls_, *this, main.AppFolder()),
      overheat_(platform, controls_, *this, main.Store()),
      alarm_window_(platform, *this, [this] { controls_.alarm_message.SetValue(0); }),
      check_(platform, controls_, *this, sounds_, overheat_, alarm_window_) {}

void AlarmFeature::Wire() {
  main_.Poll().Register(TickStage::kCheck, [this] { check_.Check(); });
  main_.OnControlsLoaded([this] { sounds_.SetUpMixer(); });
  main_.OnControlClick(kAlarmToSpeaker, [this] {
    // Loading the stored setting at start-up is no reason to beep.
    if (controls_.speaker.Value() == 1 && SampleCount() > 2) sounds_.ChirpSpeaker();
  });
  main_.OnControlClick(kAlarmMessage, [this] {
    if (controls_.alarm_message.Value() == 0) alarm_window_.Close();
  });
  main_.OnControlClick(kTestVolume, [this] {
    controls_.sound_card.SetValue(1);
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
