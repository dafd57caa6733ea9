// What the main window and its poll cycle ask of the parts of the program that
// live in windows and routines of their own: alarms and sounds, logs, overheat
// actions, the two dashboards, the tray icon settings window. Each call says
// what is asked; by default nothing is done, which is what a program without
// these parts (a test's) needs. The main window calls these itself; the poll
// cycle reaches them through its host (PollHost::Features), so each is
// declared and reached once.
#pragma once

#include <string>

#include "platform/form/form.h"
#include "probe/stats.h"

namespace kelvane {

class MainWindow;

class FeatureHooks {
 public:
  virtual ~FeatureHooks() = default;

  // --- the main window ---
  // The main window is made; it outlives every other call.
  virtual void Attach(MainWindow&) {}
  // Start-up: the alarm volume mixer is set up.
  virtual void SetUpVolumeMixer(MainWindow&) {}
  // A check box of the main window was set, by the user or by loading the
  // settings; the box holds its new value.
  virtual void CheckBoxClicked(MainWindow&, form::CheckBox&) {}
  // A button of the main window was clicked (the logs' view buttons, the
  // volume test).
  virtual void ButtonClicked(MainWindow&, form::Button&) {}
  // Menu commands that open, centre or reset the dashboards and the tray icon
  // settings window.
  virtual void MenuCommand(MainWindow&, form::MenuItem&) {}
  // Start-up shows the dashboards the user asked for.
  virtual void ShowHighLowDashboard(MainWindow&) {}
  virtual void ShowDigitalDashboard(MainWindow&) {}
  // Shut-down: the main window's query-unload, then the other windows close,
  // each saving its own keys.
  virtual void MainWindowQueryUnload(MainWindow&) {}
  virtual void CloseWindows(MainWindow&) {}

  // --- the poll tick; any of these may yield to window messages ---
  // From the third counted tick on: the alarm and overheat checks.
  virtual void CheckTemperatures() {}
  // The text and HTML logs are written.
  virtual void WriteLogs() {}
  // A statistics reset: the High/Low/Avg window's elapsed-time label gets the
  // started text as its tooltip (the window is created, hidden, if needed) ...
  virtual void HighLowResetTip(const std::string& /*started_text*/) {}
  // ... and "00:00:00" as its text.
  virtual void HighLowResetText(const std::string& /*text*/) {}
  virtual bool DigitalDashboardVisible() { return false; }
  // The value labels from the current-value slots of the table.
  virtual void ShowOnDigitalDashboard(const StatsTable&) {}
  virtual bool HighLowVisible() { return false; }
  // The 36 labels from the table, the elapsed-time label from `elapsed`.
  virtual void ShowOnHighLow(const StatsTable&, const std::string& /*elapsed*/) {}
};

}  // namespace kelvane
