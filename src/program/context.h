// What a part of the program is handed when it is wired in: a narrow view of
// the program instead of its main window. Through it a part takes its place
// in the poll tick, reads the readings, asks for a statistics reset, adds its
// controls and settings to the settings window, its commands to the menu, its
// step to the start-up and its window to the shut-down, and asks the one
// question that matters after every yield: is the program still running?
// Every registration adds to a list; nothing replaces what another part added.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/settings.h"
#include "platform/form/control_table.h"
#include "platform/form/form.h"
#include "platform/platform.h"
#include "program/probe_state.h"
#include "program/setting_rows.h"

namespace kelvane {

// Where a part's start-up step runs among the others: after the tray icon is
// added and polling runs, lowest rank first.
namespace start_rank {
inline constexpr int kHighLow = 100;
inline constexpr int kDigitalDashboard = 200;
// Parts added later show their windows after the dashboards.
inline constexpr int kLater = 1000;
}  // namespace start_rank

// Where a part's window closes at shut-down, lowest rank first: the High/Low
// window, the digital dashboard, the alarm window (with the warning that the
// monitor does not answer), the tray icon settings, the name plate editor,
// the colour editor. Each saves its own keys as it closes.
namespace close_rank {
inline constexpr int kHighLow = 100;
inline constexpr int kDigitalDashboard = 200;
inline constexpr int kAlarmWindow = 300;
inline constexpr int kStaleWarning = 310;
inline constexpr int kTrayIconSettings = 400;
inline constexpr int kNamePlateEditor = 500;
inline constexpr int kColourEditor = 600;
// Parts added later close after the colour editor.
inline constexpr int kLater = 1000;
}  // namespace close_rank

// Why the program is about to power the machine off for overheating.
struct OverheatPowerOff {
  std::int16_t cpu_temp = 0;  // the CPU temperature of the last check, °C
  double limit = 0;           // the shutdown limit it stayed above, °C
  // True when the CPU stayed above the limit for the checks in a row that
  // power off on their own; false when the user answered the question that
  // the limit asks while the settings window is open.
  bool after_hot_checks = false;
};

// The temperatures the alarms act on, °C.
struct TemperatureLimits {
  double alarm = 0;
  double shutdown = 0;
};

class ProgramContext {
 public:
  virtual ~ProgramContext() = default;

  virtual platform::Platform& Platform() = 0;
  // The program's folder, ending in "\" (known once the start-up began).
  virtual const std::string& AppFolder() const = 0;
  // The settings window's handle: the owner of message boxes and of what the
  // shell opens.
  virtual platform::WindowId OwnerWindow() = 0;

  // --- the poll tick ---
  // Adds a consumer to a stage of every tick, after those added before.
  virtual void OnTick(TickStage stage, std::function<void()> consumer) = 0;
  virtual const ProbeState& State() const = 0;
  // The alarm and shutdown limits as the user has set them now.
  virtual TemperatureLimits Limits() const = 0;
  // The statistics start anew at the next tick (the reset stage runs then).
  virtual void RequestStatisticsReset() = 0;

  // --- is the program still running ---
  // False once the shut-down has begun (or before the start-up loaded the
  // settings window): no window may open and nothing may be saved then. Ask it
  // after anything that yields.
  virtual bool Running() const = 0;

  // --- the settings ---
  virtual Settings& Store() = 0;
  // The part's rows of the settings window's table: loaded at start-up in
  // their stage and order, saved at shut-down in their save order.
  virtual void AddSettings(std::span<const SettingRow> rows) = 0;

  // --- the settings window and the menu ---
  // Adds controls to the settings window, on its wallpaper, and returns them
  // in the rows' order.
  virtual std::vector<form::Control*> AddControls(std::span<const form::ControlRow> rows) = 0;
  // A click on a control (a check box set by the user or by loading its
  // setting, a button).
  virtual void OnClick(const form::Control& control, std::function<void()> action) = 0;
  // Adds a command to the popup menu (which the tray icon opens too), after the
  // dashboards' submenus; returns its item, for its check mark.
  virtual form::MenuItem& AddMenuCommand(std::string name, std::string caption,
                                         std::function<void()> action) = 0;

  // --- the tray icon ---
  // A line shown above the readings in the tray icon's tip while `note`
  // returns one (an empty text: none).
  virtual void AddTipNote(std::function<std::string()> note) = 0;

  // --- start-up and shut-down ---
  // Once the settings window's controls hold the stored settings.
  virtual void OnControlsLoaded(std::function<void()> action) = 0;
  // A step at the end of the start-up, in rank order (start_rank).
  virtual void AddStartStep(int rank, std::function<void()> step) = 0;
  // Before the shut-down begins (the settings window's query-unload).
  virtual void OnClosing(std::function<void()> action) = 0;
  // A window to close at shut-down, in rank order (close_rank).
  virtual void AddCloser(int rank, std::function<void()> close) = 0;
  // Right before the overheat power-off, after the last log entry: the last
  // moment to keep what would be lost. Nothing here may yield.
  virtual void BeforePowerOff(std::function<void(const OverheatPowerOff&)> action) = 0;
};

}  // namespace kelvane
