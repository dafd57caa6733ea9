#include "app/alarm_feature.h"

#include "app/app_context.h"
#include "app/log_feature.h"

namespace kelvane {

using enum MainControl;

AlarmFeature::AlarmFeature(AppContext& program, LogFeature& logs)
    : p_(program.Platform()),
      program_(program),
      logs_(logs),
      sounds_(p_, program.CurrentOptions(), *this, program.AppFolder()),
      overheat_(p_, program.CurrentOptions(), program.Changes(), *this, program.Store()),
      alarm_window_(p_, *this, [&program] { program.Changes().SetAlarmMessage(false); }),
      check_(p_, program.CurrentOptions(), program.Changes(), *this, sounds_, overheat_,
             alarm_window_),
      stale_warning_(p_) {}

void AlarmFeature::Wire() {
  program_.OnTick(TickStage::kFreshness, [this] {
    const ProbeState& state = program_.State();
    stale_warning_.Watch(state.stale, p_.clock.MonotonicSeconds() - state.stale_since,
                         program_.CurrentOptions().alarm_message, state.last_fresh);
  });
  program_.OnTick(TickStage::kCheck, [this] { check_.Check(); });
  program_.OnControlsLoaded([this] {
    if (!sounds_.SetUpMixer()) program_.WithoutSoundCard();
  });
  // The warning that the monitor does not answer closes beside the alarm window.
  program_.AddCloser(close_rank::kAlarmWindow, [this] { alarm_window_.Close(); });
  program_.AddCloser(close_rank::kStaleWarning, [this] { stale_warning_.Close(); });
  program_.OnControlClick(kAlarmToSpeaker, [this] {
    // Loading the stored setting at start-up is no reason to beep.
    if (program_.CurrentOptions().speaker && SampleCount() > 2) sounds_.ChirpSpeaker();
  });
  program_.OnControlClick(kAlarmMessage, [this] {
    if (!program_.CurrentOptions().alarm_message) {
      alarm_window_.Close();
      stale_warning_.Close();
    }
  });
  program_.OnControlClick(kTestVolume, [this] {
    program_.Changes().SetSoundCard(true);
    sounds_.PlayAlarmWave();
  });
}

form::WindowState AlarmFeature::MainWindowState() {
  return program_.MainWindowState();
}
platform::WindowId AlarmFeature::MainWindowHandle() {
  return program_.OwnerWindow();
}
std::int16_t AlarmFeature::CpuTemp() {
  return program_.State().reading.cpu_temp;
}
double AlarmFeature::SampleCount() {
  return program_.State().sample_count;
}
void AlarmFeature::StopPolling() {
  program_.StopPolling();
}
void AlarmFeature::ResumePolling() {
  program_.ResumePolling();
}
bool AlarmFeature::PollingStopped() {
  return program_.PollingStopped();
}
void AlarmFeature::StopLogTimer() {
  program_.StopLogTimer();
}
void AlarmFeature::WriteShutdownLogEntry() {
  logs_.Write(true);
}
void AlarmFeature::PowerOffComing(std::int16_t cpu_temp, double limit, bool after_hot_checks) {
  program_.PowerOffComing({cpu_temp, limit, after_hot_checks});
}
bool AlarmFeature::StillRunning() {
  return program_.Running();
}

}  // namespace kelvane
