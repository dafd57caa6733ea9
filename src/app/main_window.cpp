#include "app/main_window.h"

#include "appearance/placement.h"
#include "base/keys.h"
#include "base/numbers.h"
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

bool IsLabel1(const Control* c) {
  return c && c->Name() == "Label1";
}

}  // namespace

MainWindow::MainWindow(AppServices services)
    : services_(services),
      p_(services.platform),
      window_(services.platform, *this, "MainWindow"),
      settings_(services.platform.store, services.platform.clock),
      icons_(services.platform.graphics, style_),
      tray_icon_(services.platform.tray, icons_, style_,
                 {[this] { ShowFromTray(); }, [this] { OpenMenu(); }}),
      poll_(services.platform, *this, state_) {
  BuildControls();
  BuildMenu();
  // A restarted taskbar forgets every tray icon; ours comes back.
  p_.tray.OnTaskbarRestart([this] {
    if (icon_added_ && !ended_) tray_icon_.Add();
  });
}

MainWindow::~MainWindow() {
  p_.tray.OnTaskbarRestart(nullptr);
}

CheckBox& MainWindow::Check(int number) {
  return window_.Get<CheckBox>("Check" + std::to_string(number));
}
Label& MainWindow::Label1(int index) {
  return window_.Get<Label>("Label1", index);
}
ListBox& MainWindow::Combo(int number) {
  return window_.Get<ListBox>("Combo" + std::to_string(number));
}

// --- start-up ------------------------------------------------------------------

void MainWindow::OnLoad() {
  StartUp();
}

void MainWindow::Fail(std::string_view message) {
  p_.loop.ShowMessageBox(message, kProgramName, kStopBox);
  window_.Unload();
}

// Every yield may run a shut-down (the Exit command, a close request from the
// remover, the monitor gone): after each one, start-up ends unless the window
// is still loaded.
void MainWindow::StartUp() {
  if (services_.another_copy_running) {
    YieldMessages();
    p_.loop.ShowMessageBox("A copy of Kelvane is already running!", kProgramName, kInfoBox);
    // Ends at once: nothing is saved, no window stays.
    ended_ = true;
    p_.loop.Quit();
    return;
  }
  const StillRunning still_running = [this] { return window_.Loaded(); };
  app_folder_ = p_.files.ExeFolder();
  if (app_folder_.empty() || app_folder_.back() != '\\') app_folder_ += '\\';
  p_.files.CreateFolder(app_folder_ + "BMPs");
  p_.files.CreateFolder(app_folder_ + "Logs");
  window_.Get<PictureButton>("Picture3", 0).SetPicture(app_folder_ + "Buttons\\Minimise.bmp");
  window_.Get<PictureButton>("Picture3", 1).SetPicture(app_folder_ + "Buttons\\Help.bmp");

  window_.Show();
  YieldMessages();
  if (!window_.Loaded()) return;

  probe_window_ = p_.desktop.FindTopWindow(kProbeClass, kProbeTitle);
  probe_path_ = probe::FindInstallFolder(p_.registry, p_.files);
  if (probe_window_ == platform::kNoWindow) {
    if (probe_path_.empty()) {
      Fail("Unable to find Asus Probe 2");
      return;
    }
    p_.shell.Execute(window_.Handle(), "", probe::kProgramFile, "", probe_path_,
                     platform::sw::kShowNormal);
    Wait(p_.loop, p_.clock, 2, still_running);
    if (!window_.Loaded()) return;
  }
  const double t0 = p_.clock.MonotonicSeconds();
  do {
    if (p_.clock.MonotonicSeconds() - t0 >= kProbeStartSeconds) {
      Fail("Unable to find Asus Probe 2");
      return;
    }
    YieldMessages();
    if (!window_.Loaded()) return;
    probe_window_ = p_.desktop.FindTopWindow(kProbeClass, kProbeTitle);
  } while (probe_window_ == platform::kNoWindow);

  state_.sample_count = -1;
  poll_.ClearBusy();
  poll_.SetProbeWindow(probe_window_);
  LoadControls();
  ShowCpuName();
  Check(8).SetValue(settings_.Integer(keys::kLaunchOnOverheat) == 1 ? 1 : 0);
  Check(11).SetValue(settings_.Integer(keys::kCloseMonitorOnExit) == 1 ? 1 : 0);
  {
    auto& interval = window_.Get<ScrollBar>("VScroll1");
    interval.SetValue(settings_.Integer(keys::kLogIntervalMinutes));
  }
  Check(1).SetValue(settings_.Integer(keys::kTextLogOn) == 1 ? 1 : 0);
  Check(9).SetValue(settings_.Integer(keys::kHtmlLogOn) == 1 ? 1 : 0);

  // The slider holds the stored volume, which shut-down saves back; the mixer
  // set-up may then adjust what it offers.
  window_.Get<ScrollBar>("HScroll1").SetValue(settings_.Integer(keys::kAlarmVolume));
  controls_loaded_ = true;
  services_.features.SetUpVolumeMixer(*this);
  Wait(p_.loop, p_.clock, 1, still_running);
  if (!window_.Loaded()) return;
  probe::WakeProbe(p_, probe_window_, probe_path_, still_running);
  if (!window_.Loaded()) return;

  if (probe_path_ == probe::kNotSupported) {
    Fail("Unable to initialize PC Probe! Close PC Probe and try again. ");
    return;
  }
  style_ = tray::TrayIconStyle::Load(settings_);
  appearance::CentreOnWorkArea(window_, p_.desktop);
  // Later runs start in the tray: "Buzzer" is stored by every shut-down.
  if (settings_.Integer(keys::kAlarmThreshold.name, keys::kFirstRunAlarmThreshold) >
      keys::kFirstRunAlarmThreshold)
    window_.SetWindowState(WindowState::kMinimised);
  poll_.Tick();
  if (!window_.Loaded()) return;
  tray_icon_.Add();
  icon_added_ = true;
  poll_.StartPolling();
  if (window_.Menu("MnuHiLoStrt").Checked()) {
    window_.Menu("MnuHiLo").SetChecked(true);
    services_.features.ShowHighLowDashboard(*this);
    YieldMessages();
    if (!window_.Loaded()) return;
  }
  if (window_.Menu("MnuDashStrt").Checked()) {
    window_.Menu("MnuDash").SetChecked(true);
    services_.features.ShowDigitalDashboard(*this);
    YieldMessages();
  }
}

void MainWindow::LoadControls() {
  window_.Get<TextBox>("Text1").SetText(settings_.Text(keys::kLaunchProgram));
  Check(7).SetValue(settings_.Integer(keys::kAlarmMessage) == 1 ? 1 : 0);

  ListBox& alarm = Combo(2);
  alarm.Clear();
  for (int t = 80; t >= 0; t -= 2) alarm.AddItem(std::to_string(t));
  alarm.SetText("80");
  ListBox& shutdown = Combo(3);
  shutdown.Clear();
  for (int t = 90; t >= 10; t -= 2) shutdown.AddItem(std::to_string(t));
  shutdown.SetText("90");
  ListBox& mode = Combo(4);
  mode.Clear();
  mode.AddItem("CPU");
  mode.AddItem("CPU & MB");
  mode.SetListIndex(settings_.Text(keys::kTrayIconMode) == "CPU" ? 0 : 1);

  alarm.SetText(IntText(settings_.Integer(keys::kAlarmThreshold)));
  shutdown.SetText(IntText(settings_.Integer(keys::kShutdownThreshold)));
  window_.Menu("MnuDashStrt").SetChecked(settings_.Flag(keys::kDigitalDashboardAtStart));
  window_.Menu("MnuHiLoStrt").SetChecked(settings_.Flag(keys::kHighLowAtStart));

  Check(2).SetValue(settings_.Integer(keys::kOverwriteTextLog) == 1 ? 1 : 0);
  Check(3).SetValue(settings_.Integer(keys::kOverwriteHtmlLog) == 1 ? 1 : 0);
  Check(4).SetValue(settings_.Integer(keys::kAlarmToSoundCard) == 1 ? 1 : 0);
  // The PC speaker is offered on the NT family only (top bit of the version clear).
  CheckBox& speaker = Check(5);
  if (p_.power.Version() & 0x80000000u) {
    speaker.SetValue(0);
    speaker.SetEnabled(false);
  } else {
    speaker.SetEnabled(true);
    speaker.SetValue(settings_.Integer(keys::kAlarmToSpeaker) == 1 ? 1 : 0);
  }
  // A stored 2 (never set) shows unchecked.
  Check(6).SetValue(settings_.Integer(keys::kShutdownOnOverheat) == 1 ? 1 : 0);
  ChangeWallpaper(settings_.Text(keys::kMainWallpaper));
}

void MainWindow::ShowCpuName() {
  Label& cpu = Label1(1);
  std::string name = p_.registry.MachineText(kCpuRegistryKey, "ProcessorNameString");
  cpu.SetCaption(name);
  cpu.SetTooltip(p_.registry.MachineText(kCpuRegistryKey, "Identifier"));
  cpu.SetCaption(name + "  " + std::to_string(p_.registry.MachineDword(kCpuRegistryKey, "~MHz")) +
                 " MHz");
}

void MainWindow::ChangeWallpaper(const std::string& theme) {
  std::string path = app_folder_ + "BackGround\\" + theme + "\\Kelvane-M.jpg";
  if (!p_.files.Exists(path)) return;
  theme_ = theme;
  window_.Get<PictureBox>("Picture2").SetPicture(path);
}

// --- shut-down -------------------------------------------------------------------

void MainWindow::OnQueryUnload(UnloadMode, bool&) {
  services_.features.MainWindowQueryUnload(*this);
}

void MainWindow::OnUnload() {
  poll_.Shutdown();
  YieldMessages();
  if (poll_.Busy()) Wait(p_.loop, p_.clock, 1);
  poll_.ClearBusy();
  if (controls_loaded_) SaveSettings();
  YieldMessages();
  services_.features.CloseWindows(*this);
  YieldMessages();
  if (icon_added_) tray_icon_.Remove();
  ended_ = true;
  p_.loop.Quit();
}

void MainWindow::SaveSettings() {
  settings_.WriteText(keys::kMainWallpaper.name, theme_);
  settings_.WriteText(keys::kAlarmThreshold.name, Combo(2).Text());
  settings_.WriteText(keys::kShutdownThreshold.name, Combo(3).Text());
  settings_.WriteText(keys::kTrayIconMode.name, Combo(4).Text());
  settings_.WriteInteger(keys::kAlarmToSoundCard.name, Check(4).Value());
  settings_.WriteInteger(keys::kAlarmToSpeaker.name, Check(5).Value());
  settings_.WriteInteger(keys::kOverwriteTextLog.name, Check(2).Value());
  settings_.WriteInteger(keys::kOverwriteHtmlLog.name, Check(3).Value());
  settings_.WriteInteger(keys::kShutdownOnOverheat.name, Check(6).Value());
  settings_.WriteInteger(keys::kAlarmMessage.name, Check(7).Value());
  settings_.WriteInteger(keys::kTextLogOn.name, Check(1).Value());
  settings_.WriteInteger(keys::kLogIntervalMinutes.name,
                         window_.Get<ScrollBar>("VScroll1").Value());
  settings_.WriteInteger(keys::kAlarmVolume.name, window_.Get<ScrollBar>("HScroll1").Value());
  settings_.WriteInteger(keys::kLaunchOnOverheat.name, Check(8).Value());
  settings_.WriteInteger(keys::kHtmlLogOn.name, Check(9).Value());
  settings_.WriteText(keys::kLaunchProgram.name, window_.Get<TextBox>("Text1").Text());
  settings_.WriteInteger(keys::kCloseMonitorOnExit.name, Check(11).Value());
}

void MainWindow::Exit() {
  if (Check(11).Value() == 1) {
    platform::WindowId probe = p_.desktop.FindTopWindow(kProbeClass, kProbeTitle);
    if (probe != platform::kNoWindow) p_.desktop.SendClose(probe);
  }
  Close();
}

// --- the window's own events -------------------------------------------------------

void MainWindow::OnResize() {
  if (window_.WindowState() != WindowState::kMinimised) return;
  window_.Get<TextBox>("Text1").SetFocus();
  window_.Hide();
  YieldMessages();
}

void MainWindow::OnGotFocus(Control& control) {
  if (control.Name() != "Text1") return;
  Label1(5).SetCaption("Shut down Windows if CPU temp is greater then " + Combo(3).Text() +
                       std::string(kDegree) + "C");
}

void MainWindow::OnClick(Control* control) {
  if (!control) return;
  const std::string& name = control->Name();
  if (name == "Picture3") {
    if (control->Index() == 1) {
      p_.shell.Execute(window_.Handle(), "open", app_folder_ + kHelpFile, "0", app_folder_,
                       platform::sw::kShowNormal);
    } else {
      window_.SetWindowState(WindowState::kMinimised);
    }
  } else if (control->Kind() == ControlKind::kCheckBox) {
    services_.features.CheckBoxClicked(*this, *static_cast<CheckBox*>(control));
  } else if (name == "Command3") {
    services_.features.MenuCommand(*this, window_.Menu("MNuTrayColrFont"));
  } else if (control->Kind() == ControlKind::kButton) {
    services_.features.ButtonClicked(*this, *static_cast<Button*>(control));
  }
}

void MainWindow::OnMouseDown(const MouseEvent& e) {
  if (e.control && e.control->Name() == "Picture3") {
    e.control->Move(e.control->Left() - kPressLeft, e.control->Top() - kPressUp);
    return;
  }
  if (!IsLabel1(e.control)) return;
  if (e.button == button::kRight && e.control->Index() == 3) {
    p_.shell.Execute(window_.Handle(), "open", kHomePage, "0", "0", platform::sw::kShowMinimized);
  } else if (e.button == button::kLeft && e.y > 0) {
    window_.StartSystemMove();
  }
}

void MainWindow::OnMouseUp(const MouseEvent& e) {
  if (e.control && e.control->Name() == "Picture3") {
    e.control->Move(e.control->Left() + kPressLeft, e.control->Top() + kPressUp);
    return;
  }
  bool background = e.control && e.control->Name() == "Picture2";
  if (e.button == button::kRight && (IsLabel1(e.control) || background || !e.control)) OpenMenu();
}

void MainWindow::OnChange(Control& control) {
  if (control.Name() != "VScroll1") return;
  int minutes = static_cast<ScrollBar&>(control).Value();
  window_.Get<form::Label>("Label2").SetCaption(std::to_string(minutes));
  poll_.ReloadLogCountdown();
}

void MainWindow::OnMenuClick(MenuItem& item) {
  const std::string& name = item.Name();
  if (item.Parent() && item.Parent()->Name() == "mnuBckGrnd") {
    ChangeWallpaper(item.Caption());
  } else if (name == "MnuDashStrt" || name == "MnuHiLoStrt") {
    item.SetChecked(!item.Checked());
    settings_.WriteFlag(
        name == "MnuDashStrt" ? keys::kDigitalDashboardAtStart.name : keys::kHighLowAtStart.name,
        item.Checked());
  } else if (name == "OpnBmpFolder") {
    OpenFolder(app_folder_ + "BMPs\\");
  } else if (name == "OpnHtmFolder") {
    OpenFolder(app_folder_ + "Logs\\");
  } else if (name == "MnuRebuild") {
    poll_.RequestTrayIconRebuild();
  } else if (name == "mnuEXIT") {
    Exit();
  } else {
    services_.features.MenuCommand(*this, item);
  }
}

void MainWindow::OpenFolder(const std::string& folder) {
  p_.shell.Execute(window_.Handle(), "open", folder, "0", folder, platform::sw::kShowNormal);
}

void MainWindow::OpenMenu() {
  if (!window_.Loaded()) return;
  // The menu closes when the user clicks elsewhere only if our window is in front.
  p_.desktop.SetForeground(window_.Handle());
  window_.PopupMenu(window_.Menu("MnuTop"));
}

void MainWindow::ShowFromTray() {
  if (!window_.Loaded()) return;
  window_.SetWindowState(WindowState::kNormal);
  window_.Show();
  YieldMessages();
}

// --- the poll tick's tray and controls -----------------------------------------------

void MainWindow::ShowTrayNumber(std::int16_t value, bool motherboard) {
  tray_icon_.Show(state_.reading.tip_text, value, motherboard);
}

std::string MainWindow::TrayIconMode() {
  return Combo(4).Text();
}

bool MainWindow::LogsOn() {
  return Check(1).Value() == 1 || Check(9).Value() == 1;
}

int MainWindow::LogIntervalMinutes() {
  return window_.Get<ScrollBar>("VScroll1").Value();
}

}  // namespace kelvane
