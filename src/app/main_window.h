// The main window. It is the settings window, the owner of the popup menu, the
// tray icon and the poll cycle; its load starts the program and its unload
// ends it. Its controls and menu are laid out by tables
// (main_window_layout.cpp), and the settings they hold are loaded and saved by
// another (main_window_settings.h).
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/poll.h"
#include "base/options.h"
#include "base/settings.h"
#include "base/wait.h"
#include "platform/form/form.h"
#include "platform/form/menu_table.h"
#include "tray/tray_icon.h"

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

// When start-up loads a setting into its control: before the threshold lists
// are filled, after them, or after the CPU name is shown.
enum class LoadStage { kBeforeLists, kAfterLists, kAfterCpuName };

struct SettingBinding;

class MainWindow : public form::WindowHandler, public PollHost, public OptionChanges {
 public:
  explicit MainWindow(AppServices services);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Loads the window, which runs the start-up.
  void Start() { window_.Load(); }
  // The "Exit Kelvane" command: closes the monitor first when asked to.
  void Exit();
  // Ends the program through the normal shut-down (the monitor vanished, a
  // close request to the application window).
  void Close() { window_.Unload(); }
  // Whether the program has ended (a refused second copy, a failed start-up,
  // or a shut-down); the message loop then ends.
  bool Ended() const { return ended_; }

  form::Window& Window() { return window_; }
  ProbeState& State() { return state_; }
  PollCycle& Poll() { return poll_; }
  tray::TrayIcon& TrayIcon() { return tray_icon_; }
  tray::TrayIconStyle& IconStyle() { return style_; }
  Settings& Store() { return settings_; }
  const std::string& AppFolder() const { return app_folder_; }
  const std::string& ProbePath() const { return probe_path_; }
  platform::WindowId ProbeWindow() const { return probe_window_; }
  const std::string& Theme() const { return theme_; }
  // The main window's wallpaper: the theme's image, when it exists.
  void ChangeWallpaper(const std::string& theme);

  // --- the controls and menu items, by what they hold or do ---
  // The control of this kind; throws std::out_of_range when it is another kind.
  template <class T = form::Control>
  T& Get(MainControl which) const {
    T* control = dynamic_cast<T*>(controls_[static_cast<std::size_t>(which)]);
    if (!control) throw std::out_of_range("the main window has no such control");
    return *control;
  }
  // The item of a command that has one item (not kWallpaper).
  form::MenuItem& Menu(MainCommand command) const { return menu_.Item(command); }
  // The user's settings as the window holds them now.
  const Options& CurrentOptions() const { return options_; }
  // --- OptionChanges: each shows in the window and runs what the user's
  // change runs ---
  void SetAlarmMessage(bool on) override;
  void SetSoundCard(bool on) override;
  void SetLaunchOnOverheat(bool on) override;
  void SetShutdownOnOverheat(bool on) override;
  void SetOverwriteTextLog(bool on) override;
  void SetShutdownThreshold(const std::string& text) override;
  // Without a mixer the sound card is not offered: its box cleared and
  // disabled, the test button disabled, the volume slider hidden.
  void WithoutSoundCard();

  // Whether the program still runs: the window loaded and no shut-down begun.
  bool Running() const { return window_.Loaded() && !poll_.Ended(); }
  bool CloseMonitorOnExit() const { return options_.close_monitor_on_exit; }
  bool TextLogOn() const { return options_.text_log; }
  bool HtmlLogOn() const { return options_.html_log; }

  // --- what the parts of the program do on the main window's behalf; the
  // composition root wires them before the start ---
  // A menu command the main window does not carry out itself.
  void OnCommand(MainCommand command, std::function<void()> action);
  // A click on a control: a check box set by the user or by loading the
  // settings, a button.
  void OnControlClick(MainControl control, std::function<void()> action);
  // Start-up: once the controls hold the stored settings.
  void OnControlsLoaded(std::function<void()> action);
  // Start-up: the window that a start-up menu item asks for is shown (its
  // show command's item is checked already).
  void OnShowAtStart(MainCommand show, std::function<void()> action);
  // Shut-down: before the unload begins, and the windows closed in order.
  void OnClosing(std::function<void()> action);
  void OnCloseWindows(std::function<void()> action);

  // --- form::WindowHandler ---
  void OnLoad() override;
  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;
  void OnUnload() override;
  void OnResize() override;
  void OnGotFocus(form::Control& control) override;
  void OnClick(form::Control* control) override;
  void OnMouseDown(const form::MouseEvent& e) override;
  void OnMouseUp(const form::MouseEvent& e) override;
  void OnChange(form::Control& control) override;
  void OnKeyDown(form::Control* control, int& key_code, int shift) override;
  void OnKeyPress(form::Control* control, int& char_code) override;
  void OnKeyUp(form::Control* control, int& key_code, int shift) override;
  void OnMenuClick(form::MenuItem& item) override;

  // --- PollHost ---
  void RebuildTrayIcon() override { tray_icon_.Rebuild(); }
  void ShowTrayNumber(std::int16_t value, bool motherboard) override;
  Options::TrayMode TrayIconMode() override { return options_.tray_mode; }
  bool LogsOn() override { return TextLogOn() || HtmlLogOn(); }
  int LogIntervalMinutes() override;
  void CloseMainWindow() override { Close(); }

 private:
  // main_window_layout.cpp
  void BuildControls();
  void BuildMenu();
  // main_window_settings.cpp
  void FillLists();
  void LoadSettings(LoadStage stage);
  void SaveSettings();
  void SaveSetting(const SettingBinding& row);
  // The settings from the controls that hold them.
  void ReadOptions();
  // A menu item that holds a setting saves it when it is clicked.
  void SaveMenuSetting(MainCommand item);

  // The start-up and its steps, in order; each answers false when it failed
  // and ended the program.
  void StartUp();
  bool ShowWindowFirst();
  bool StartMonitorIfNeeded();
  bool WaitForMonitor();
  bool LoadControls();
  bool PauseBeforeWakeUp();
  bool WakeMonitor();
  bool RunFirstTick();
  bool AddTrayIconAndPoll();
  bool ShowHighLowAtStart();
  bool ShowDashboardAtStart();
  // For the waits: whether the window is still loaded.
  StillRunning StillLoaded() const {
    return [here = window_.Life()] { return static_cast<bool>(here); };
  }
  void ShowCpuName();
  // The caption beside the shutdown box, from the shutdown list's text.
  void ShowShutdownHint();
  void Fail(std::string_view message);
  void OpenMenu();
  void ShowFromTray();
  void OpenFolder(const std::string& folder);
  void YieldMessages() { services_.platform.loop.YieldToMessages(); }
  // The three lists are chosen from with the mouse only: a click or a key sends
  // the focus on to the launch box (which shows the shutdown threshold anew).
  bool IsChoiceList(const form::Control* control) const;
  void LeaveChoiceList(form::Control* control, int& key_code);
  // A label that drags the window and opens the menu.
  bool IsGrip(const form::Control* control) const;
  MainCommand CommandOf(const form::MenuItem& item) const { return menu_.CommandOf(item); }
  MainControl ControlOf(const form::Control* control) const;
  static void Run(const std::function<void()>& action) {
    if (action) action();
  }

  AppServices services_;
  platform::Platform& p_;
  form::Window window_;
  Settings settings_;
  ProbeState state_;
  Options options_;
  tray::TrayIconStyle style_;
  tray::NumberIcons icons_;
  tray::TrayIcon tray_icon_;
  PollCycle poll_;

  // What the layout made, by what it holds or does; the controls and items are
  // the window's.
  std::array<form::Control*, static_cast<std::size_t>(MainControl::kCount)> controls_{};
  form::MenuCommands<MainCommand> menu_;
  std::vector<const form::Control*> grips_;

  // What the composition root wired.
  std::map<MainCommand, std::function<void()>> commands_;
  std::map<MainControl, std::function<void()>> control_clicks_;
  std::map<MainCommand, std::function<void()>> shows_at_start_;
  std::function<void()> controls_loaded_action_;
  std::function<void()> closing_;
  std::vector<std::function<void()>> closers_;

  std::string app_folder_;
  std::string probe_path_;
  platform::WindowId probe_window_ = platform::kNoWindow;
  std::string theme_;
  // What the shut-down saves and undoes. The controls are saved only once they
  // hold what start-up loaded from the store: an exit before that would replace
  // the stored settings with design values. The tray icon goes whenever it was
  // added, however far the start-up got.
  bool controls_loaded_ = false;
  bool icon_added_ = false;
  bool ended_ = false;
};

}  // namespace kelvane
