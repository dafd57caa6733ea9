// The features of the program behind the main window's hooks: the alarms and
// overheat actions, the logs, and the windows of their own. The main window
// and the poll cycle call the hooks; this class sends each to the feature that
// answers it, with the main window's controls and state that the feature needs.
#pragma once

#include <memory>
#include <optional>

#include "alarms/alarm_host.h"
#include "alarms/alarm_sounds.h"
#include "alarms/alarm_window.h"
#include "alarms/overheat.h"
#include "alarms/temperature_check.h"
#include "app/features.h"
#include "logs/logs.h"
#include "platform/platform.h"

namespace kelvane {

class ProgramFeatures : public FeatureHooks, private alarms::AlarmHost {
 public:
  explicit ProgramFeatures(platform::Platform& platform);
  ~ProgramFeatures() override;
  ProgramFeatures(const ProgramFeatures&) = delete;
  ProgramFeatures& operator=(const ProgramFeatures&) = delete;

  // The parts, for a look from outside (tests).
  alarms::AlarmWindow* AlarmWindow() { return alarm_window_.get(); }
  alarms::TemperatureCheck* TemperatureCheck() { return check_.get(); }
  alarms::AlarmSounds* Sounds() { return sounds_.get(); }

  // --- FeatureHooks ---
  void Attach(MainWindow& main) override;
  void SetUpVolumeMixer(MainWindow&) override;
  void CheckBoxClicked(MainWindow&, form::CheckBox& box) override;
  void ButtonClicked(MainWindow&, form::Button& button) override;
  void CloseWindows(MainWindow&) override;
  void CheckTemperatures() override;
  void WriteLogs() override { WriteLogEntry(false); }

 private:
  // One entry into each log that is on.
  void WriteLogEntry(bool shutdown);

  // --- alarms::AlarmHost ---
  form::WindowState MainWindowState() override;
  platform::WindowId MainWindowHandle() override;
  std::int16_t CpuTemp() override;
  double SampleCount() override;
  void StopPolling() override;
  void ResumePolling() override;
  bool PollingStopped() override;
  void StopLogTimer() override;
  void WriteShutdownLogEntry() override { WriteLogEntry(true); }
  bool StillRunning() override;

  platform::Platform& p_;
  MainWindow* main_ = nullptr;
  std::optional<alarms::AlarmControls> alarm_controls_;
  std::unique_ptr<alarms::AlarmSounds> sounds_;
  std::unique_ptr<alarms::Overheat> overheat_;
  std::unique_ptr<alarms::AlarmWindow> alarm_window_;
  std::unique_ptr<alarms::TemperatureCheck> check_;
  std::unique_ptr<logs::LogWriter> logs_;
};

}  // namespace kelvane
