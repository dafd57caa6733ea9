// What the settings window is made of, by what each control holds and each
// menu command does; the layout table (main_window_layout.cpp) gives them
// their names and places.
#pragma once

#include "platform/platform.h"

namespace kelvane {

// What the program runs on.
struct AppServices {
  platform::Platform& platform;
  // Whether another copy of the program runs already (asked once, at start).
  bool another_copy_running = false;
};

inline constexpr char kProgramName[] = "Kelvane";
inline constexpr char kHomePage[] = "http://kelvane.marrowby.example/";
inline constexpr char kHelpFile[] = "Kelvane_HELP.htm";

// The controls of the main window that code uses, by what they hold.
enum class MainControl {
  kNone,
  kWallpaper,
  kTitle,  // a right press opens the home page
  kCpuName,
  kMinimiseButton,
  kHelpButton,
  // Logs.
  kTextLog,
  kOverwriteTextLog,
  kViewTextLog,
  kHtmlLog,
  kOverwriteHtmlLog,
  kViewHtmlLog,
  kLogInterval,
  kLogIntervalMinutes,  // shows the interval
  // Alarm.
  kAlarmThreshold,
  kAlarmMessage,
  kAlarmToSoundCard,
  kAlarmToSpeaker,
  kAlarmVolume,
  kTestVolume,
  // Overheat.
  kShutdownThreshold,
  kShutdownOnOverheat,
  kShutdownHint,
  kLaunchOnOverheat,
  kLaunchProgram,
  // Tray icon and the monitor.
  kTrayIconMode,
  kTrayIconLook,  // opens the tray icon settings window
  kCloseMonitorOnExit,
  kCount
};

// The commands of the main window's popup menu.
enum class MainCommand {
  kNone,
  kMenu,       // the popup menu itself
  kWallpaper,  // one item per wallpaper theme, captioned with its name
  kShowDigitalDashboard,
  kCentreDigitalDashboard,
  kDigitalDashboardAtStart,
  kShowHighLow,
  kCentreHighLow,
  kResetHighLowLayout,
  kHighLowAtStart,
  kOpenBmpFolder,
  kOpenLogFolder,
  kRebuildTrayIcon,
  kTrayIconLook,
  kExit,
  kCount
};

}  // namespace kelvane
