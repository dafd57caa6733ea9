// The parts of the program that the main window drives but that live in their
// own windows and routines: alarms and sounds, logs, overheat actions, the two
// dashboards, the tray icon settings window. Each call says what the main
// window asks; an implementation that is not there yet does nothing.
#pragma once

#include <string>
#include <string_view>

#include "app/stats.h"

namespace kelvane {

class MainWindow;

class Companions {
 public:
  virtual ~Companions() = default;
  // Start-up: the alarm volume mixer is set up.
  virtual void SetUpVolumeMixer(MainWindow&) {}
  // A check box of the main window was set, by the user or by loading the
  // settings ("Check1" ... "Check11"), with its new value.
  virtual void CheckBoxClicked(MainWindow&, std::string_view /*name*/, int /*value*/) {}
  // A button of the main window was clicked ("Command1" ... "Command4").
  virtual void ButtonClicked(MainWindow&, std::string_view /*name*/) {}
  // The poll tick's consumers.
  virtual void CheckTemperatures(MainWindow&) {}
  virtual void WriteLogs(MainWindow&) {}
  // Menu commands that open, centre or reset the dashboards and the tray icon
  // settings window ("MnuDash", "MnuDashTop", "MnuHiLo", "mnuCntrHiLow",
  // "MnuRstHLow", "MNuTrayColrFont").
  virtual void MenuCommand(MainWindow&, std::string_view /*name*/) {}
  // Start-up shows the dashboards the user asked for.
  virtual void ShowHighLowDashboard(MainWindow&) {}
  virtual void ShowDigitalDashboard(MainWindow&) {}
  // The poll tick's statistics for the dashboards (as PollHost has them).
  virtual void HighLowResetTip(const std::string& /*started_text*/) {}
  virtual void HighLowResetText(const std::string& /*text*/) {}
  virtual bool DigitalDashboardVisible() { return false; }
  virtual void ShowOnDigitalDashboard(const StatsTable&) {}
  virtual bool HighLowVisible() { return false; }
  virtual void ShowOnHighLow(const StatsTable&, const std::string& /*elapsed*/) {}
  // Shut-down: the main window's query-unload, then the other windows close,
  // each saving its own keys.
  virtual void MainWindowQueryUnload(MainWindow&) {}
  virtual void CloseWindows(MainWindow&) {}
};

}  // namespace kelvane
