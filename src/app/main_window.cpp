#include "app/main_window.h"

#include <algorithm>

#include "app/main_window_settings.h"
#include "appearance/placement.h"
#include "base/keys.h"
#include "base/text.h"
#include "base/wait.h"
#include "probe/discovery.h"

namespace kelvane {

using namespace form;
namespace mb = platform::mb;

namespace {

constexpr char kCpuRegistryKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr unsigned kStopBox = mb::kOk | mb::kIconStop | mb::kSystemModal | mb::kSetForeground;
constexpr unsigned kInfoBox =
    mb::kOk | mb::kIconInformation | mb::kSystemModal | mb::kSetForeground;
constexpr double kProbeStartSeconds = 30;
// The pressed look of the picture buttons: up and to the left while held.
constexpr int kPressUp = 22, kPressLeft = 12;

}  // namespace

MainWindow::MainWindow(AppServices services)
    : services_(services),
      p_(services.platform),
      window_(services.platform, *this, "MainWindow"),
      settings_(services.platform.store, services.platform.clock),
      // The PC speaker is offered on the NT family only (top bit of the version clear).
      table_(settings_, [this] { return (p_.power.Version() & 0x80000000u) == 0; }),
      icons_(services.platform.graphics, style_),
      tray_icon_(services.platform.tray, icons_, style_,
                 {[this] { ShowFromTray(); }, [this] { OpenMenu(); }}),
      poll_(services.platform, *this, state_, window_.Life()) {
  BuildControls();
  BuildMenu();
  AddOwnSettings();
  poll_.Register(TickStage::kTray, [this] { ShowTemperatureInTray(); });
  // A restarted taskbar forgets every tray icon; ours comes back.
  p_.tray.OnTaskbarRestart([this] {
    if (icon_added_ && !ended_) tray_icon_.Add();
  });
}

MainWindow::~MainWindow() {
  p_.tray.OnTaskbarRestart(nullptr);
}

void MainWindow::OnCommand(MainCommand command, std::function<void()> action) {
  commands_[command].push_back(std::move(action));
}
void MainWindow::OnClick(const form::Control& control, std::function<void()> action) {
  clicks_[&control].push_back(std::move(action));
}
form::MenuItem& MainWindow::AddMenuCommand(std::string name, std::string caption,
                                           std::function<void()> action) {
  // After the dashboards' submenus: before the line above the folders.
  form::MenuItem& top = Menu(MainCommand::kMenu);
  std::size_t at = top.Items().size();
  for (std::size_t i = 0; i < top.Items().size(); ++i)
    if (top.Items()[i].get() == &Menu(MainCommand::kOpenBmpFolder)) at = i - 1;
  form::MenuItem& item = top.Insert(at, std::move(name), std::move(caption));
  added_commands_[&item].push_back(std::move(action));
  return item;
}
void MainWindow::OnControlsLoaded(std::function<void()> action) {
  controls_loaded_.push_back(std::move(action));
}
void MainWindow::AddStartStep(int rank, std::function<void()> step) {
  start_steps_.emplace_back(rank, std::move(step));
  std::stable_sort(start_steps_.begin(), start_steps_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}
void MainWindow::OnClosing(std::function<void()> action) {
  closing_.push_back(std::move(action));
}
void MainWindow::AddCloser(int rank, std::function<void()> close) {
  closers_.emplace_back(rank, std::move(close));
  std::stable_sort(closers_.begin(), closers_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}
void MainWindow::PowerOffComing(const OverheatPowerOff& why) {
  for (const auto& action : before_power_off_) action(why);
}
void MainWindow::OnTick(TickStage stage, std::function<void()> consumer) {
  poll_.Register(stage, std::move(consumer));
}

bool MainWindow::Running() const {
  return window_.Loaded() && !shutting_down_ && !poll_.Ended();
}

void MainWindow::RunAll(const std::vector<std::function<void()>>& actions) {
  // A copy: an action may add to the list, or end the program.
  const std::vector<std::function<void()>> copy = actions;
  const form::Lifetime here = window_.Life();
  for (const auto& action : copy) {
    if (!here || !Running()) return;
    action();
  }
}

std::vector<form::Control*> MainWindow::AddControls(std::span<const form::ControlRow> rows) {
  std::vector<form::Control*> added;
  // On the wallpaper, as the settings window's own controls are.
  auto* wallpaper = &Get<form::PictureBox>(MainControl::kWallpaper);
  for (form::Control* c : form::AddControls(window_, rows, wallpaper)) added.push_back(c);
  return added;
}

form::Control& MainWindow::ControlOf(MainControl which) const {
  form::Control* control = controls_[static_cast<std::size_t>(which)];
  if (!control) throw std::out_of_range("the main window has no such control");
  return *control;
}

bool MainWindow::IsGrip(const form::Control* control) const {
  return control && std::find(grips_.begin(), grips_.end(), control) != grips_.end();
}

// --- start-up ------------------------------------------------------------------

void MainWindow::OnLoad() {
  StartUp();
}

void MainWindow::Fail(std::string_view message) {
  p_.loop.ShowMessageBox(message, kProgramName, kStopBox);
  window_.Unload();
}

// Start-up runs as a list of steps. Any step may yield, and every yield may
// run a shut-down (the Exit command, a close request from the remover, the
// monitor gone): the driver asks the window's lifetime once after each step.
// A step that fails ends start-up itself and answers false.
void MainWindow::StartUp() {
  if (services_.another_copy_running) {
    YieldMessages();
    p_.loop.ShowMessageBox("A copy of Kelvane is already running!", kProgramName, kInfoBox);
    // Ends at once: nothing is saved, no window stays.
    ended_ = true;
    p_.loop.Quit();
    return;
  }
  using Step = bool (MainWindow::*)();
  static constexpr Step kSteps[] = {
      &MainWindow::ShowWindowFirst,    &MainWindow::StartMonitorIfNeeded,
      &MainWindow::WaitForMonitor,     &MainWindow::LoadControls,
      &MainWindow::PauseBeforeWakeUp,  &MainWindow::WakeMonitor,
      &MainWindow::RunFirstTick,       &MainWindow::AddTrayIconAndPoll,
      &MainWindow::RunPartsStartSteps,
  };
  const form::Lifetime here = window_.Life();
  for (const Step step : kSteps)
    if (!(this->*step)() || !here) return;
}

bool MainWindow::ShowWindowFirst() {
  app_folder_ = p_.files.ExeFolder();
  if (app_folder_.empty() || app_folder_.back() != '\\') app_folder_ += '\\';
  p_.files.CreateFolder(app_folder_ + "BMPs");
  p_.files.CreateFolder(app_folder_ + "Logs");
  Get<PictureButton>(MainControl::kMinimiseButton)
      .SetPicture(app_folder_ + "Buttons\\Minimise.bmp");
  Get<PictureButton>(MainControl::kHelpButton).SetPicture(app_folder_ + "Buttons\\Help.bmp");
  window_.Show();
  YieldMessages();
  return true;
}

bool MainWindow::StartMonitorIfNeeded() {
  probe_window_ = p_.desktop.FindTopWindow(kProbeClass, kProbeTitle);
  probe_path_ = probe::FindInstallFolder(p_.registry, p_.files);
  if (probe_window_ != platform::kNoWindow) return true;
  if (probe_path_.empty()) {
    Fail("Unable to find Asus Probe 2");
    return false;
  }
  p_.shell.Execute(window_.Handle(), "", probe::kProgramFile, "", probe_path_,
                   platform::sw::kShowNormal);
  Wait(p_.loop, p_.clock, 2, StillLoaded());
  return true;
}

// The monitor's window, waited for with messages handled; the wait itself
// yields many times and asks after each.
bool MainWindow::WaitForMonitor() {
  const form::Lifetime here = window_.Life();
  const double t0 = p_.clock.MonotonicSeconds();
  do {
    if (p_.clock.MonotonicSeconds() - t0 >= kProbeStartSeconds) {
      Fail("Unable to find Asus Probe 2");
      return false;
    }
    YieldMessages();
    if (!here) return false;
    probe_window_ = p_.desktop.FindTopWindow(kProbeClass, kProbeTitle);
  } while (probe_window_ == platform::kNoWindow);
  return true;
}

bool MainWindow::LoadControls() {
  state_.sample_count = -1;
  poll_.ClearBusy();
  poll_.SetProbeWindow(probe_window_);
  LoadSettings(LoadStage::kBeforeLists);
  FillLists();
  LoadSettings(LoadStage::kAfterLists);
  ShowCpuName();
  // The volume slider, loaded last, holds the stored volume, which shut-down
  // saves back; the mixer set-up may then adjust what it offers.
  LoadSettings(LoadStage::kAfterCpuName);
  controls_loaded_flag_ = true;
  // The first timed log entry comes a whole interval after start, also when
  // the stored interval is the slider's design value (no change to count).
  poll_.ReloadLogCountdown();
  RunAll(controls_loaded_);
  return true;
}

bool MainWindow::PauseBeforeWakeUp() {
  Wait(p_.loop, p_.clock, 1, StillLoaded());
  return true;
}

bool MainWindow::WakeMonitor() {
  const form::Lifetime here = window_.Life();
  probe::WakeProbe(p_, probe_window_, probe_path_, StillLoaded());
  if (!here) return false;
  if (probe_path_ == probe::kNotSupported) {
    Fail("Unable to initialize PC Probe! Close PC Probe and try again. ");
    return false;
  }
  return true;
}

bool MainWindow::RunFirstTick() {
  style_ = tray::TrayIconStyle::Load(settings_);
  appearance::CentreOnWorkArea(window_, p_.desktop);
  // Later runs start in the tray: "Buzzer" is stored by every shut-down.
  if (settings_.Integer(keys::kAlarmThreshold.name, keys::kFirstRunAlarmThreshold) >
      keys::kFirstRunAlarmThreshold) {
    // Minimising hides the window, and the hide yields.
    window_.SetWindowState(WindowState::kMinimised);
    if (!Running()) return false;
  }
  poll_.Tick();
  return true;
}

bool MainWindow::AddTrayIconAndPoll() {
  tray_icon_.Add();
  icon_added_ = true;
  poll_.StartPolling();
  return true;
}

// The parts' steps: the windows the user asked to see at start, in rank order.
bool MainWindow::RunPartsStartSteps() {
  std::vector<std::function<void()>> steps;
  for (const auto& [rank, step] : start_steps_) steps.push_back(step);
  RunAll(steps);
  return true;
}

void MainWindow::ShowCpuName() {
  Label& cpu = Get<Label>(MainControl::kCpuName);
  std::string name = p_.registry.MachineText(kCpuRegistryKey, "ProcessorNameString");
  cpu.SetCaption(name);
  cpu.SetTooltip(p_.registry.MachineText(kCpuRegistryKey, "Identifier"));
  cpu.SetCaption(name + "  " + std::to_string(p_.registry.MachineDword(kCpuRegistryKey, "~MHz")) +
                 " MHz");
}

void MainWindow::ChangeWallpaper(const std::string& theme) {
  std::string path = app_folder_ + "BackGround\\" + theme + "\\Kelvane-M.jpg";
  if (!p_.files.FileExists(path)) return;
  theme_ = theme;
  Get<PictureBox>(MainControl::kWallpaper).SetPicture(path);
}

// --- shut-down -------------------------------------------------------------------

void MainWindow::OnQueryUnload(UnloadMode, bool&) {
  RunAll(closing_);
  shutting_down_ = true;
}

void MainWindow::OnUnload() {
  shutting_down_ = true;
  poll_.Shutdown();
  YieldMessages();
  if (poll_.Busy()) Wait(p_.loop, p_.clock, 1);
  poll_.ClearBusy();
  if (controls_loaded_flag_) table_.SaveAtShutDown();
  YieldMessages();
  // A copy: a closer may yield, and nothing may be added meanwhile.
  const Ranked closers = closers_;
  for (const auto& [rank, close] : closers) close();
  YieldMessages();
  if (icon_added_) tray_icon_.Remove();
  ended_ = true;
  p_.loop.Quit();
}

void MainWindow::Exit() {
  if (CloseMonitorOnExit()) {
    platform::WindowId probe = p_.desktop.FindTopWindow(kProbeClass, kProbeTitle);
    if (probe != platform::kNoWindow) p_.desktop.SendClose(probe);
  }
  Close();
}

// --- the window's own events -------------------------------------------------------

void MainWindow::OnResize() {
  if (window_.WindowState() != WindowState::kMinimised) return;
  Get<TextBox>(MainControl::kLaunchProgram).SetFocus();
  window_.Hide();
  YieldMessages();
}

void MainWindow::OnGotFocus(Control& control) {
  if (&control == &Get(MainControl::kLaunchProgram)) ShowShutdownHint();
}

// The hint states the limit the shutdown uses: whatever sets the list's text
// (the stored setting at load, a pick, the overheat routine) refreshes it.
void MainWindow::ShowShutdownHint() {
  Get<Label>(MainControl::kShutdownHint)
      .SetCaption("Shut down Windows if CPU temp is greater then " +
                  Get<ListBox>(MainControl::kShutdownThreshold).Text() + std::string(kDegree) +
                  "C");
}

void MainWindow::OnClick(Control* control) {
  if (!control) return;
  ReadOptions();
  if (control == &Get(MainControl::kHelpButton)) {
    p_.shell.Execute(window_.Handle(), "open", app_folder_ + kHelpFile, "0", app_folder_,
                     platform::sw::kShowNormal);
  } else if (control == &Get(MainControl::kMinimiseButton)) {
    window_.SetWindowState(WindowState::kMinimised);
  } else if (IsChoiceList(control)) {
    if (control == &Get(MainControl::kShutdownThreshold)) ShowShutdownHint();
    Get<TextBox>(MainControl::kLaunchProgram).SetFocus();
  } else if (control == &Get(MainControl::kTrayIconLook)) {
    RunAll(commands_[MainCommand::kTrayIconLook]);
  } else {
    if (control == &Get(MainControl::kTextLog) || control == &Get(MainControl::kHtmlLog))
      poll_.SetLogTimer(LogsOn());
    if (auto it = clicks_.find(control); it != clicks_.end()) RunAll(it->second);
  }
}

// The picture buttons look pressed while held: up and to the left.
void MainWindow::OnMouseDown(const MouseEvent& e) {
  if (e.control && e.control->Kind() == ControlKind::kPictureButton) {
    e.control->Move(e.control->Left() - kPressLeft, e.control->Top() - kPressUp);
    return;
  }
  if (!IsGrip(e.control)) return;
  if (e.button == button::kRight && e.control == &Get(MainControl::kTitle)) {
    p_.shell.Execute(window_.Handle(), "open", kHomePage, "0", "0", platform::sw::kShowMinimized);
  } else if (e.button == button::kLeft && e.y > 0) {
    window_.StartSystemMove();
  }
}

void MainWindow::OnMouseUp(const MouseEvent& e) {
  if (e.control && e.control->Kind() == ControlKind::kPictureButton) {
    e.control->Move(e.control->Left() + kPressLeft, e.control->Top() + kPressUp);
    return;
  }
  const bool background = !e.control || e.control == &Get(MainControl::kWallpaper);
  if (e.button == button::kRight && (IsGrip(e.control) || background)) OpenMenu();
}

void MainWindow::OnChange(Control& control) {
  ReadOptions();
  if (&control == &Get(MainControl::kShutdownThreshold)) ShowShutdownHint();
  if (&control != &Get(MainControl::kLogInterval)) return;
  Get<Label>(MainControl::kLogIntervalMinutes).SetCaption(std::to_string(LogIntervalMinutes()));
  poll_.ReloadLogCountdown();
}

bool MainWindow::IsChoiceList(const Control* control) const {
  return control && (control == &Get(MainControl::kAlarmThreshold) ||
                     control == &Get(MainControl::kShutdownThreshold) ||
                     control == &Get(MainControl::kTrayIconMode));
}

// The threshold lists also swallow the key, so neither typing nor the arrow
// keys change them; the icon mode list lets the key go on to the launch box.
void MainWindow::LeaveChoiceList(Control* control, int& key_code) {
  if (!IsChoiceList(control)) return;
  Get<TextBox>(MainControl::kLaunchProgram).SetFocus();
  if (control != &Get(MainControl::kTrayIconMode)) key_code = 0;
}

void MainWindow::OnKeyDown(Control* control, int& key_code, int) {
  LeaveChoiceList(control, key_code);
}
void MainWindow::OnKeyUp(Control* control, int& key_code, int) {
  LeaveChoiceList(control, key_code);
}
void MainWindow::OnKeyPress(Control* control, int& char_code) {
  if (IsChoiceList(control)) char_code = 0;
}

void MainWindow::OnMenuClick(MenuItem& item) {
  // A menu opened before the shut-down began may still answer inside it.
  if (!Running()) return;
  if (auto added = added_commands_.find(&item); added != added_commands_.end()) {
    RunAll(added->second);
    return;
  }
  switch (const MainCommand command = CommandOf(item)) {
    case MainCommand::kWallpaper:
      ChangeWallpaper(item.Caption());
      ReadOptions();
      break;
    case MainCommand::kDigitalDashboardAtStart:
    case MainCommand::kHighLowAtStart:
      item.SetChecked(!item.Checked());
      ReadOptions();
      table_.SaveItem(item);
      break;
    case MainCommand::kOpenBmpFolder:
      OpenFolder(app_folder_ + "BMPs\\");
      break;
    case MainCommand::kOpenLogFolder:
      OpenFolder(app_folder_ + "Logs\\");
      break;
    case MainCommand::kRebuildTrayIcon:
      poll_.RequestTrayIconRebuild();
      break;
    case MainCommand::kExit:
      Exit();
      break;
    default:
      if (auto it = commands_.find(command); it != commands_.end()) RunAll(it->second);
      break;
  }
}

void MainWindow::OpenFolder(const std::string& folder) {
  p_.shell.Execute(window_.Handle(), "open", folder, "0", folder, platform::sw::kShowNormal);
}

void MainWindow::OpenMenu() {
  if (!Running()) return;
  // The menu closes when the user clicks elsewhere only if our window is in front.
  p_.desktop.SetForeground(window_.Handle());
  window_.PopupMenu(Menu(MainCommand::kMenu));
}

void MainWindow::ShowFromTray() {
  if (!Running()) return;
  window_.SetWindowState(WindowState::kNormal);
  window_.Show();
  YieldMessages();
}

// --- the poll tick's tray and controls -----------------------------------------------

void MainWindow::ShowTemperatureInTray() {
  const probe::ProbeReading& r = state_.reading;
  const bool motherboard =
      tray_turn_.NextIsMotherboard(options_.tray_mode == Options::TrayMode::kCpuAndMb);
  const std::int16_t value = motherboard ? r.mb_temp : r.cpu_temp;
  std::string notes;
  for (const auto& note : tip_notes_)
    if (std::string line = note(); !line.empty()) notes += line + "\n";
  if (state_.stale) {
    tray_icon_.Show(tray::WithNotes(notes, tray::StaleTip(p_.clock.TimeText(state_.last_fresh))),
                    value, motherboard, true);
  } else {
    tray_icon_.Show(tray::WithNotes(notes, r.tip_text), value, motherboard);
  }
}

// --- the settings that other parts change ------------------------------------------

void MainWindow::SetAlarmMessage(bool on) {
  Get<CheckBox>(MainControl::kAlarmMessage).SetValue(on ? 1 : 0);
}
void MainWindow::SetSoundCard(bool on) {
  Get<CheckBox>(MainControl::kAlarmToSoundCard).SetValue(on ? 1 : 0);
}
void MainWindow::SetLaunchOnOverheat(bool on) {
  Get<CheckBox>(MainControl::kLaunchOnOverheat).SetValue(on ? 1 : 0);
}
void MainWindow::SetShutdownOnOverheat(bool on) {
  Get<CheckBox>(MainControl::kShutdownOnOverheat).SetValue(on ? 1 : 0);
}
void MainWindow::SetOverwriteTextLog(bool on) {
  Get<CheckBox>(MainControl::kOverwriteTextLog).SetValue(on ? 1 : 0);
}
void MainWindow::SetShutdownThreshold(const std::string& text) {
  Get<ListBox>(MainControl::kShutdownThreshold).SetText(text);
}

void MainWindow::WithoutSoundCard() {
  CheckBox& sound_card = Get<CheckBox>(MainControl::kAlarmToSoundCard);
  sound_card.SetValue(0);
  sound_card.SetEnabled(false);
  Get<Button>(MainControl::kTestVolume).SetEnabled(false);
  Get<ScrollBar>(MainControl::kAlarmVolume).SetVisible(false);
}

}  // namespace kelvane
