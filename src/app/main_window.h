// The main window. It is the settings window, the owner of the popup menu, the
// tray icon and the poll cycle; its load starts the program and its unload
// ends it. Its controls and menu are laid out by tables
// (main_window_layout.cpp), and the settings they hold are loaded and saved by
// another (main_window_settings.h), to which the parts of the program add
// their own rows. The parts see it only as their program context.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/main_window_design.h"
#include "app/poll.h"
#include "base/options.h"
#include "base/settings.h"
#include "base/wait.h"
#include "platform/form/form.h"
#include "platform/form/menu_table.h"
#include "program/setting_rows.h"
#include "tray/tray_icon.h"

namespace kelvane {

class MainWindow final : public form::WindowHandler,
                         public PollHost,
                         public AppContext,
                         private OptionChanges {
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

  // --- for a look from outside (tests) ---
  form::Window& Window() { return window_; }
  ProbeState& State() { return state_; }
  PollCycle& Poll() { return poll_; }
  tray::TrayIcon& TrayIcon() { return tray_icon_; }
  const std::string& ProbePath() const { return probe_path_; }
  platform::WindowId ProbeWindow() const { return probe_window_; }
  const std::string& Theme() const { return theme_; }
  // The main window's wallpaper: the theme's image, when it exists.
  void ChangeWallpaper(const std::string& theme);
  // The settings table's rows, in their save order.
  const std::vector<SettingRow>& SettingRows() const { return table_.Rows(); }

  // --- ProgramContext ---
  platform::Platform& Platform() override { return p_; }
  const std::string& AppFolder() const override { return app_folder_; }
  platform::WindowId OwnerWindow() override { return window_.Handle(); }
  void OnTick(TickStage stage, std::function<void()> consumer) override;
  const ProbeState& State() const override { return state_; }
  void RequestStatisticsReset() override { poll_.RequestStatisticsReset(); }
  // The one answer: the window loaded and no shut-down begun.
  bool Running() const override;
  Settings& Store() override { return settings_; }
  void AddSettings(std::span<const SettingRow> rows) override { table_.Add(rows); }
  std::vector<form::Control*> AddControls(std::span<const form::ControlRow> rows) override;
  void OnClick(const form::Control& control, std::function<void()> action) override;
  form::MenuItem& AddMenuCommand(std::string name, std::string caption,
                                 std::function<void()> action) override;
  void OnControlsLoaded(std::function<void()> action) override;
  void AddStartStep(int rank, std::function<void()> step) override;
  void OnClosing(std::function<void()> action) override;
  void AddCloser(int rank, std::function<void()> close) override;
  TemperatureLimits Limits() const override {
    return {options_.AlarmThreshold(), options_.ShutdownThreshold()};
  }
  void AddTipNote(std::function<std::string()> note) override {
    tip_notes_.push_back(std::move(note));
  }
  void BeforePowerOff(std::function<void(const OverheatPowerOff&)> action) override {
    before_power_off_.push_back(std::move(action));
  }

  // --- AppContext ---
  form::MenuItem& Menu(MainCommand command) const override { return menu_.Item(command); }
  void OnCommand(MainCommand command, std::function<void()> action) override;
  const Options& CurrentOptions() const override { return options_; }
  OptionChanges& Changes() override { return *this; }
  void WithoutSoundCard() override;
  form::WindowState MainWindowState() const override { return window_.WindowState(); }
  tray::TrayIconStyle& IconStyle() override { return style_; }
  void StopPolling() override { poll_.StopPolling(); }
  void ResumePolling() override { poll_.StartPolling(); }
  bool PollingStopped() const override { return poll_.PollingStopped(); }
  void StopLogTimer() override { poll_.SetLogTimer(false); }
  void ReloadLogCountdown() override { poll_.ReloadLogCountdown(); }
  void PowerOffComing(const OverheatPowerOff& why) override;

  bool CloseMonitorOnExit() const { return options_.close_monitor_on_exit; }

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
  bool LogsOn() override { return options_.text_log || options_.html_log; }
  int LogIntervalMinutes() override { return options_.log_interval_minutes; }
  void CloseMainWindow() override { Close(); }

 private:
  // --- OptionChanges: each shows in the window and runs what the user's
  // change runs ---
  void SetAlarmMessage(bool on) override;
  void SetSoundCard(bool on) override;
  void SetLaunchOnOverheat(bool on) override;
  void SetShutdownOnOverheat(bool on) override;
  void SetOverwriteTextLog(bool on) override;
  void SetShutdownThreshold(const std::string& text) override;

  form::Control& ControlOf(MainControl which) const override;

  // main_window_layout.cpp
  void BuildControls();
  void BuildMenu();
  // main_window_settings.cpp
  void AddOwnSettings();
  void FillLists();
  void LoadSettings(LoadStage stage);
  // The settings from the controls that hold them.
  void ReadOptions();

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
  bool RunPartsStartSteps();
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
  // The tick's tray stage: the CPU temperature, or the CPU and the motherboard
  // in turn, with the tip (or the stale tip).
  void ShowTemperatureInTray();
  void OpenFolder(const std::string& folder);
  void YieldMessages() { services_.platform.loop.YieldToMessages(); }
  // The three lists are chosen from with the mouse only: a click or a key sends
  // the focus on to the launch box (which shows the shutdown threshold anew).
  bool IsChoiceList(const form::Control* control) const;
  void LeaveChoiceList(form::Control* control, int& key_code);
  // A label that drags the window and opens the menu.
  bool IsGrip(const form::Control* control) const;
  MainCommand CommandOf(const form::MenuItem& item) const { return menu_.CommandOf(item); }
  // Runs each action of a list; stops when the program stopped running
  // meanwhile (an action may yield).
  void RunAll(const std::vector<std::function<void()>>& actions);

  AppServices services_;
  platform::Platform& p_;
  form::Window window_;
  Settings settings_;
  SettingsTable table_;
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

  // What the parts of the program registered. Ranked rows keep their rank's
  // order; rows of one rank keep the order they were added in.
  using Ranked = std::vector<std::pair<int, std::function<void()>>>;
  std::map<MainCommand, std::vector<std::function<void()>>> commands_;
  std::map<const form::MenuItem*, std::vector<std::function<void()>>> added_commands_;
  std::map<const form::Control*, std::vector<std::function<void()>>> clicks_;
  std::vector<std::function<void()>> controls_loaded_;
  std::vector<std::function<void()>> closing_;
  Ranked start_steps_;
  Ranked closers_;
  std::vector<std::function<std::string()>> tip_notes_;
  std::vector<std::function<void(const OverheatPowerOff&)>> before_power_off_;

  std::string app_folder_;
  std::string probe_path_;
  platform::WindowId probe_window_ = platform::kNoWindow;
  std::string theme_;
  // What the shut-down saves and undoes. The controls are saved only once they
  // hold what start-up loaded from the store: an exit before that would replace
  // the stored settings with design values. The tray icon goes whenever it was
  // added, however far the start-up got.
  bool controls_loaded_flag_ = false;
  bool icon_added_ = false;
  tray::TemperatureTurn tray_turn_;
  // Set when the shut-down begins: from then on no window opens, no command
  // runs and no tick reads the monitor.
  bool shutting_down_ = false;
  bool ended_ = false;
};

}  // namespace kelvane
