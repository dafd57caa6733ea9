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
    {keys::kMainWallpaper,           kWallpaperTheme,  &Options::wallpaper_theme,    kWallpaper,          kAfterLists,   11, kShutDown},
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

// Setting a control here runs the same click or change handling as a user's
// change would.
void MainWindow::LoadSettings(LoadStage stage) {
  std::vector<const SettingBinding*> rows;
  for (const SettingBinding& row : kSettings)
    if (row.stage == stage) rows.push_back(&row);
  std::sort(rows.begin(), rows.end(),
            [](const auto* a, const auto* b) { return a->load_order < b->load_order; });
  for (const SettingBinding* row : rows) {
    const KeyDef& key = row->key;
    switch (row->binding) {
      case kCheckBox:
        Get<form::CheckBox>(row->control).SetValue(settings_.Integer(key) == 1 ? 1 : 0);
        break;
      case kSpeakerCheckBox: {
        // The PC speaker is offered on the NT family only (top bit of the version clear).
        form::CheckBox& box = Get<form::CheckBox>(row->control);
        if (p_.power.Version() & 0x80000000u) {
          box.SetValue(0);
          box.SetEnabled(false);
        } else {
          box.SetEnabled(true);
          box.SetValue(settings_.Integer(key) == 1 ? 1 : 0);
        }
        break;
      }
      case kThresholdText:
        Get<form::ListBox>(row->control).SetText(settings_.Text(key));
        break;
      case kListChoice: {
        form::ListBox& list = Get<form::ListBox>(row->control);
        const std::vector<std::string>& items = list.Items();
        auto chosen = std::find(items.begin(), items.end(), settings_.Text(key));
        if (chosen == items.end()) chosen = std::find(items.begin(), items.end(), key.default_text);
        list.SetListIndex(static_cast<int>(chosen - items.begin()));
        break;
      }
      case kScrollBar:
        Get<form::ScrollBar>(row->control).SetValue(settings_.Integer(key));
        break;
      case kTextBox:
        Get<form::TextBox>(row->control).SetText(settings_.Text(key));
        break;
      case kWallpaperTheme:
        ChangeWallpaper(settings_.Text(key));
        break;
      case kMenuCheck:
        Menu(row->item).SetChecked(settings_.Flag(key));
        break;
    }
  }
  // Menu items and the wallpaper raise no event of their own.
  ReadOptions();
}

void MainWindow::SaveSettings() {
  for (const SettingBinding& row : kSettings)
    if (row.save == SaveWhen::kAtShutDown) SaveSetting(row);
}

void MainWindow::SaveSetting(const SettingBinding& row) {
  const std::string_view name = row.key.name;
  switch (row.binding) {
    case kCheckBox:
    case kSpeakerCheckBox:
    case kMenuCheck: {
      const bool on = options_.*std::get<bool Options::*>(row.field);
      if (row.binding == kMenuCheck)
        settings_.WriteFlag(name, on);
      else
        settings_.WriteInteger(name, on ? 1 : 0);
      break;
    }
    case kThresholdText:
    case kTextBox:
    case kWallpaperTheme:
      settings_.WriteText(name, options_.*std::get<std::string Options::*>(row.field));
      break;
    case kListChoice:
      settings_.WriteText(name, options_.*std::get<Options::TrayMode Options::*>(row.field) ==
                                        Options::TrayMode::kCpuAndMb
                                    ? "CPU & MB"
                                    : "CPU");
      break;
    case kScrollBar:
      settings_.WriteInteger(name, options_.*std::get<int Options::*>(row.field));
      break;
  }
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
      case kWallpaperTheme:
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

void MainWindow::SaveMenuSetting(MainCommand item) {
  for (const SettingBinding& row : kSettings)
    if (row.binding == kMenuCheck && row.item == item) SaveSetting(row);
}

}  // namespace kelvane
