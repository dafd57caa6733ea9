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
#include "appearance/colour_editor.h"
#include "dashboard/digital_dashboard.h"
#include "highlow/high_low_dashboard.h"
#include "logs/logs.h"
#include "platform/platform.h"
#include "tray/tray_icon_settings.h"

namespace kelvane {

class ProgramFeatures : public FeatureHooks,
                        private alarms::AlarmHost,
                        private dashboard::DashboardHost,
                        private highlow::HighLowHost,
                        private appearance::ColourEditorHost,
                        private tray::TrayIconSettingsHost {
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
  void MenuCommand(MainWindow& main, form::MenuItem& item) override;
  void MainWindowQueryUnload(MainWindow&) override;
  void CloseWindows(MainWindow&) override;
  void CheckTemperatures() override;
  void WriteLogs() override { WriteLogEntry(false); }

  // --- the digital dashboard (program_features_dashboards.cpp) ---
  void ShowDigitalDashboard(MainWindow& main) override;
  bool DigitalDashboardVisible() override;
  void ShowOnDigitalDashboard(const StatsTable& table) override;
  // The dashboard while one is loaded; nullptr otherwise.
  dashboard::DigitalDashboard* DigitalDashboard() const;

  // --- the High/Low/Avg dashboard (program_features_highlow.cpp) ---
  void ShowHighLowDashboard(MainWindow& main) override;
  void HighLowResetTip(const std::string& started_text) override;
  void HighLowResetText(const std::string& text) override;
  bool HighLowVisible() override;
  void ShowOnHighLow(const StatsTable& table, const std::string& elapsed) override;
  // The window while it is loaded (hidden or shown); nullptr otherwise.
  highlow::HighLowDashboard* HighLow() const;

  // --- the colour editor and the tray icon settings window
  // (program_features_appearance.cpp); each while it is loaded, else nullptr ---
  appearance::ColourEditor* ColourEditor() const;
  tray::TrayIconSettings* TrayIconSettings() const;
  appearance::EditTarget CurrentEditTarget() const { return edit_target_; }

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

  // The main window's "Digital Dashboard" commands; false for other items.
  bool DashboardCommand(form::MenuItem& item);
  // The dashboard, made afresh when none is loaded (a released one is gone).
  dashboard::DigitalDashboard& LoadedDashboard();
  // Unloads the dashboard (saving its keys) and releases it.
  void ReleaseDashboard();
  // The main window's "High/Low/Avg Dashboard" commands; false for other items.
  bool HighLowCommand(form::MenuItem& item);
  // The window, made and loaded (hidden) when none is loaded; nullptr when a
  // shut-down during its load released it again.
  highlow::HighLowDashboard* LoadedHighLow();
  // Unloads the window (saving its layout) and releases it.
  void ReleaseHighLow();
  // --- highlow::HighLowHost (AppFolder and SampleCount serve every host) ---
  void RequestStatisticsReset() override;
  std::string StartedText() override;
  void HighLowClosed() override;

  // --- dashboard::DashboardHost ---
  std::string AppFolder() override;
  void DashboardClosed() override;
  void HighLowPlateRenamed(int label, const std::string& text) override;

  // --- the colour editor, as both dashboards ask for it ---
  bool ColourEditorOpen() override;
  form::Colour EditorColour() override;
  bool ColourEditorTargetsDashboard() override;
  bool ColourEditorTargetsHighLow() override;
  void ShowColourEditorBeside(form::Window& window) override;
  void CloseColourEditor() override;
  void TargetColourEditorAtDashboard() override;
  void TargetColourEditorAtHighLow() override;
  // --- appearance::ColourEditorHost ---
  appearance::EditTarget Target() override { return edit_target_; }
  std::optional<appearance::EditedLabels> LabelsOf(appearance::EditTarget target) override;
  bool TargetVisible(appearance::EditTarget target) override;
  void UnloadTarget(appearance::EditTarget target) override;
  void ShowTarget(appearance::EditTarget target) override;
  void CloseTrayIconSettings() override;
  // The main window's "Change Color / Font"; false for other items.
  bool TrayIconLookCommand(form::MenuItem& item);

  platform::Platform& p_;
  MainWindow* main_ = nullptr;
  std::optional<alarms::AlarmControls> alarm_controls_;
  std::unique_ptr<alarms::AlarmSounds> sounds_;
  std::unique_ptr<alarms::Overheat> overheat_;
  std::unique_ptr<alarms::AlarmWindow> alarm_window_;
  std::unique_ptr<alarms::TemperatureCheck> check_;
  std::unique_ptr<logs::LogWriter> logs_;
  std::unique_ptr<dashboard::DigitalDashboard> dashboard_;
  std::unique_ptr<highlow::HighLowDashboard> high_low_;
  std::unique_ptr<appearance::ColourEditor> colour_editor_;
  std::unique_ptr<tray::TrayIconSettings> tray_settings_;
  appearance::EditTarget edit_target_ = appearance::EditTarget::kNone;
};

}  // namespace kelvane
