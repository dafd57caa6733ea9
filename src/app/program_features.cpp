#include "app/program_features.h"

#include "app/main_window.h"

namespace kelvane {

using enum MainControl;

ProgramFeatures::ProgramFeatures(platform::Platform& platform) : p_(platform) {}

ProgramFeatures::~ProgramFeatures() = default;

void ProgramFeatures::Attach(MainWindow& main) {
  main_ = &main;
  alarm_controls_.emplace(alarms::AlarmControls{
      main.Get<form::ListBox>(kAlarmThreshold),
      main.Get<form::ListBox>(kShutdownThreshold),
      main.Get<form::CheckBox>(kAlarmMessage),
      main.Get<form::CheckBox>(kAlarmToSoundCard),
      main.Get<form::CheckBox>(kAlarmToSpeaker),
      main.Get<form::ScrollBar>(kAlarmVolume),
      main.Get<form::Button>(kTestVolume),
      main.Get<form::CheckBox>(kShutdownOnOverheat),
      main.Get<form::Label>(kShutdownHint),
      main.Get<form::CheckBox>(kLaunchOnOverheat),
      main.Get<form::TextBox>(kLaunchProgram),
      main.Get<form::CheckBox>(kOverwriteTextLog),
  });
  alarms::AlarmControls& controls = *alarm_controls_;
  alarms::AlarmHost& host = *this;
  sounds_ = std::make_unique<alarms::AlarmSounds>(p_, controls, host, main.AppFolder());
  overheat_ = std::make_unique<alarms::Overheat>(p_, controls, host, main.Store());
  alarm_window_ = std::make_unique<alarms::AlarmWindow>(
      p_, host, [&controls] { controls.alarm_message.SetValue(0); });
  check_ = std::make_unique<alarms::TemperatureCheck>(p_, controls, host, *sounds_, *overheat_,
                                                      *alarm_window_);
  logs_ = std::make_unique<logs::LogWriter>(p_, main.AppFolder());
}

void ProgramFeatures::SetUpVolumeMixer(MainWindow&) {
  sounds_->SetUpMixer();
}

void ProgramFeatures::CheckBoxClicked(MainWindow& main, form::CheckBox& box) {
  if (&box == &main.Get(kTextLog) || &box == &main.Get(kHtmlLog)) {
    main.Poll().SetLogTimer(main.TextLogOn() || main.HtmlLogOn());
  } else if (&box == &alarm_controls_->speaker) {
    // Loading the stored setting at start-up is no reason to beep.
    if (box.Value() == 1 && SampleCount() > 2) sounds_->ChirpSpeaker();
  } else if (&box == &alarm_controls_->alarm_message) {
    if (box.Value() == 0) alarm_window_->Close();
  }
}

void ProgramFeatures::ButtonClicked(MainWindow& main, form::Button& button) {
  if (&button == &main.Get(kViewTextLog)) {
    logs_->OpenTextLog(main.Window().Handle());
  } else if (&button == &main.Get(kViewHtmlLog)) {
    logs_->OpenHtmlLog(main.Window().Handle());
  } else if (&button == &alarm_controls_->test_volume) {
    alarm_controls_->sound_card.SetValue(1);
    sounds_->PlayAlarmWave();
  }
}

void ProgramFeatures::MenuCommand(MainWindow&, form::MenuItem& item) {
  if (!DashboardCommand(item) && !HighLowCommand(item)) TrayIconLookCommand(item);
}

void ProgramFeatures::CloseWindows(MainWindow&) {
  alarm_window_->Close();
  CloseColourEditor();
  CloseTrayIconSettings();
  ReleaseDashboard();
  ReleaseHighLow();
}

void ProgramFeatures::CheckTemperatures() {
  check_->Check();
}

void ProgramFeatures::WriteLogEntry(bool shutdown) {
  ProbeState& state = main_->State();
  const platform::DateTime now = p_.clock.Now();
  const logs::LogOptions options{
      main_->TextLogOn(),
      main_->Get<form::CheckBox>(kOverwriteTextLog).Value() == 1,
      main_->HtmlLogOn(),
      main_->Get<form::CheckBox>(kOverwriteHtmlLog).Value() == 1,
  };
  const logs::LogEntry entry{state.reading,
                             state.table,
                             p_.clock.GeneralDateTime(now),
                             state.started_text,
                             ElapsedText(state.start_time, now),
                             shutdown};
  const logs::WriteResult written =
      logs_->Write(options, entry, [this] { return StillRunning(); });
  if (written.text_written && StillRunning()) main_->Poll().ReloadLogCountdown();
}

// --- what the alarms ask of the program ---------------------------------------------

form::WindowState ProgramFeatures::MainWindowState() {
  return main_->Window().WindowState();
}
platform::WindowId ProgramFeatures::MainWindowHandle() {
  return main_->Window().Handle();
}
std::int16_t ProgramFeatures::CpuTemp() {
  return main_->State().reading.cpu_temp;
}
double ProgramFeatures::SampleCount() {
  return main_->State().sample_count;
}
void ProgramFeatures::StopPolling() {
  main_->Poll().StopPolling();
}
void ProgramFeatures::ResumePolling() {
  main_->Poll().StartPolling();
}
bool ProgramFeatures::PollingStopped() {
  return main_->Poll().PollingStopped();
}
void ProgramFeatures::StopLogTimer() {
  main_->Poll().SetLogTimer(false);
}
bool ProgramFeatures::StillRunning() {
  return main_->Window().Loaded() && !main_->Poll().Ended();
}

}  // namespace kelvane
