#include "app/main_window_settings.h"

#include <algorithm>
#include <vector>

namespace kelvane {
namespace {

using enum Binding;
using enum LoadStage;
using enum MainControl;
constexpr SaveWhen kShutDown = SaveWhen::kAtShutDown;
constexpr SaveWhen kClicked = SaveWhen::kWhenClicked;

// In the order the shut-down saves them. "loaded" is when start-up loads the
// setting: the stage, and its place among the stage's settings.
// clang-format off
constexpr SettingBinding kSettings[] = {
    // key                           binding           option                        control              loaded             saved
    {keys::kMainWallpaper,           kCustom,          &Options::wallpaper_theme,    kWallpaper,          kAfterLists,   11, kShutDown},
    {keys::kAlarmThreshold,          kThresholdText,   &Options::alarm_threshold,    kAlarmThreshold,     kAfterLists,    2, kShutDown},
    {keys::kShutdownThreshold,       kThresholdText,   &Options::shutdown_threshold, kShutdownThreshold,  kAfterLists,    3, kShutDown},
    {keys::kTrayIconMode,            kListChoice,      &Options::tray_mode,          kTrayIconMode,       kAfterLists,    1, kShutDown},
    {keys::kAlarmToSoundCard,        kCheckBox,        &Options::sound_card,         kAlarmToSoundCard,   kAfterLists,    8, kShutDown},
    {keys::kAlarmToSpeaker,          kSpeakerCheckBox, &Options::speaker,            kAlarmToSpeaker,     kAfterLists,    9, kShutDown},
    {keys::kOverwriteTextLog,        kCheckBox,        &Options::overwrite_text_log, kOverwriteTextLog,   kAfterLists,    6, kShutDown},
    {keys::kOverwriteHtmlLog,        kCheckBox,        &Options::overwrite_html_log, kOverwriteHtmlLog,   kAfterLists,    7, kShutDown},
    {keys::kShutdownOnOverheat,      kCheckBox,        &Options::shutdown_on_overheat, kShutdownOnOverheat, kAfterLists, 10, kShutDown},
    {keys::kAlarmMessage,            kCheckBox,        &Options::alarm_message,      kAlarmMessage,       kBeforeLists,   2, kShutDown},
    {keys::kTextLogOn,               kCheckBox,        &Options::text_log,           kTextLog,            kAfterCpuName,  4, kShutDown},
    {keys::kLogIntervalMinutes,      kScrollBar,       &Options::log_interval_minutes, kLogInterval,      kAfterCpuName,  3, kShutDown},
    {keys::kAlarmVolume,             kScrollBar,       &Options::volume,             kAlarmVolume,        kAfterCpuName,  6, kShutDown},
    {keys::kLaunchOnOverheat,        kCheckBox,        &Options::launch_on_overheat, kLaunchOnOverheat,   kAfterCpuName,  1, kShutDown},
    {keys::kHtmlLogOn,               kCheckBox,        &Options::html_log,           kHtmlLog,            kAfterCpuName,  5, kShutDown},
    {keys::kLaunchProgram,           kTextBox,         &Options::launch_program,     kLaunchProgram,      kBeforeLists,   1, kShutDown},
    {keys::kCloseMonitorOnExit,      kCheckBox,        &Options::close_monitor_on_exit, kCloseMonitorOnExit, kAfterCpuName, 2, kShutDown},
    {keys::kDigitalDashboardAtStart, kMenuCheck,       &Options::digital_dashboard_at_start, kNone,       kAfterLists,    4, kClicked,
     MainCommand::kDigitalDashboardAtStart},
    {keys::kHighLowAtStart,          kMenuCheck,       &Options::high_low_at_start,  kNone,               kAfterLists,    5, kClicked,
     MainCommand::kHighLowAtStart},
};
// clang-format on

}  // namespace

std::span<const SettingBinding> MainWindowSettings() {
  return kSettings;
}

// The threshold lists offer every even number down from 80 and from 90, the
// icon mode list its two modes.
void MainWindow::FillLists() {
  form::ListBox& alarm = Get<form::ListBox>(MainControl::kAlarmThreshold);
  alarm.Clear();
  for (int t = 80; t >= 0; t -= 2) alarm.AddItem(std::to_string(t));
  alarm.SetText("80");
  form::ListBox& shutdown = Get<form::ListBox>(MainControl::kShutdownThreshold);
  shutdown.Clear();
  for (int t = 90; t >= 10; t -= 2) shutdown.AddItem(std::to_string(t));
  shutdown.SetText("90");
  form::ListBox& mode = Get<form::ListBox>(MainControl::kTrayIconMode);
  mode.Clear();
  mode.AddItem("CPU");
  mode.AddItem("CPU & MB");
}

// The rows of the settings table, in the save order; the parts of the program
// add theirs after these (their save orders follow the table's).
void MainWindow::AddOwnSettings() {
  std::vector<SettingRow> rows;
  int save_order = 0;
  for (const SettingBinding& row : kSettings) {
    SettingRow added;
    added.key = &row.key;
    added.binding = row.binding;
    if (row.binding == kMenuCheck)
      added.item = &Menu(row.item);
    else if (row.binding != kCustom)
      added.control = &Get(row.control);
    added.stage = row.stage;
    added.load_order = row.load_order;
    added.save_order = ++save_order;
    added.save = row.save;
    rows.push_back(std::move(added));
  }
  // The wallpaper is the one setting that is no control's state.
  for (SettingRow& row : rows) {
    if (row.binding != kCustom) continue;
    row.load = [this](const std::string& theme) { ChangeWallpaper(theme); };
    row.text = [this] { return theme_; };
  }
  table_.Add(rows);
}

// Setting a control here runs the same click or change handling as a user's
// change would.
void MainWindow::LoadSettings(LoadStage stage) {
  table_.Load(stage);
  // Menu items and the wallpaper raise no event of their own.
  ReadOptions();
}

// The controls are the user's side of the settings: whatever changes one (the
// user, the load, a part of the program through OptionChanges) raises its
// event, and the event brings the settings up to date before anything else
// runs.
void MainWindow::ReadOptions() {
  for (const SettingBinding& row : kSettings) {
    switch (row.binding) {
      case kCheckBox:
      case kSpeakerCheckBox:
        options_.*std::get<bool Options::*>(row.field) =
            Get<form::CheckBox>(row.control).Value() == 1;
        break;
      case kMenuCheck:
        options_.*std::get<bool Options::*>(row.field) = Menu(row.item).Checked();
        break;
      case kThresholdText:
        options_.*std::get<std::string Options::*>(row.field) =
            Get<form::ListBox>(row.control).Text();
        break;
      case kTextBox:
        options_.*std::get<std::string Options::*>(row.field) =
            Get<form::TextBox>(row.control).Text();
        break;
      case kCustom:
        options_.*std::get<std::string Options::*>(row.field) = theme_;
        break;
      case kListChoice:
        options_.*std::get<Options::TrayMode Options::*>(row.field) =
            Get<form::ListBox>(row.control).Text() == "CPU & MB" ? Options::TrayMode::kCpuAndMb
                                                                 : Options::TrayMode::kCpu;
        break;
      case kScrollBar:
        options_.*std::get<int Options::*>(row.field) = Get<form::ScrollBar>(row.control).Value();
        break;
    }
  }
}

}  // namespace kelvane
