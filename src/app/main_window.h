// The main window. It is the settings window, the owner of the popup
// menu, the tray icon and the poll cycle; its load starts the program and its
// unload ends it.
#pragma once

#include <memory>
#include <string>

#include "app/features.h"
#include "app/poll.h"
#include "base/settings.h"
#include "platform/form/form.h"
#include "tray/tray_icon.h"

namespace kelvane {

// What the program runs on.
struct AppServices {
  platform::Platform& platform;
  FeatureHooks& features;
  // Whether another copy of the program runs already (asked once, at start).
  bool another_copy_running = false;
};

inline constexpr char kProgramName[] = "Kelvane";
inline constexpr char kHomePage[] = "http://kelvane.marrowby.example/";
inline constexpr char kHelpFile[] = "Kelvane_HELP.htm";

class MainWindow : public form::WindowHandler, public PollHost {
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

  // Controls by name, as the other windows reach them.
  form::CheckBox& Check(int number);
  form::Label& Label1(int index);
  form::ListBox& Combo(int number);

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
  void OnMenuClick(form::MenuItem& item) override;

  // --- PollHost ---
  FeatureHooks& Features() override { return services_.features; }
  void RebuildTrayIcon() override { tray_icon_.Rebuild(); }
  void ShowTrayNumber(std::int16_t value, bool motherboard) override;
  std::string TrayIconMode() override;
  bool LogsOn() override;
  int LogIntervalMinutes() override;
  void CloseMainWindow() override { Close(); }

 private:
  void BuildControls();
  void BuildMenu();
  void StartUp();
  void LoadControls();
  void ShowCpuName();
  void SaveSettings();
  void Fail(std::string_view message);
  void OpenMenu();
  void ShowFromTray();
  void OpenFolder(const std::string& folder);
  void YieldMessages() { services_.platform.loop.YieldToMessages(); }

  AppServices services_;
  platform::Platform& p_;
  form::Window window_;
  Settings settings_;
  ProbeState state_;
  tray::TrayIconStyle style_;
  tray::NumberIcons icons_;
  tray::TrayIcon tray_icon_;
  PollCycle poll_;

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
