// Kelvane's start-up, life in the tray and shut-down, on the simulated desktop.
#include <gtest/gtest.h>

#include "app/app.h"
#include "base/settings.h"
#include "monitor_fixture.h"
#include "platform/sim/sim_graphics.h"

namespace kelvane {
namespace {

using kelvane::testing::SimMonitor;
namespace mb = platform::mb;

constexpr char kInstallDir[] = "C:\\Program Files\\ASUS\\Probe";

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    sim.registry.SetText("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                         "ProcessorNameString", "Intel(R) Pentium(R) 4 CPU 2.80GHz");
    sim.registry.SetText("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "Identifier",
                         "x86 Family 15 Model 2 Stepping 9");
    sim.registry.SetDword("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "~MHz", 2800);
    sim.files.CreateFolder(sim.files.ExeFolder() + "BackGround\\Custom");
    sim.files.WriteText(sim.files.ExeFolder() + "BackGround\\Custom\\Kelvane-M.jpg", "jpg", false);
  }
  // The monitor installed in its folder (its install record quoted, as it writes it).
  void Install() {
    sim.files.CreateFolder(kInstallDir);
    sim.files.WriteText(std::string(kInstallDir) + "\\AsusProb.exe", "MZ", false);
    sim.registry.SetText("SOFTWARE\\ASUS\\ASUS Probe", "Path",
                         "\"" + std::string(kInstallDir) + "\\AsusProb.exe\"");
  }
  void Start(bool another_copy = false) {
    // The main window alone: what start-up does, without the parts it starts.
    app = std::make_unique<KelvaneApp>(AppServices{sim.Get(), another_copy}, [](AppContext&) {});
    app->Start();
  }
  MainWindow& Main() { return app->Main(); }
  form::CheckBox& Box(MainControl c) { return Main().Get<form::CheckBox>(c); }
  form::ListBox& List(MainControl c) { return Main().Get<form::ListBox>(c); }
  form::Label& Label(MainControl c) { return Main().Get<form::Label>(c); }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> out;
    for (const auto& b : sim.loop.MessageBoxes()) out.push_back(b.text);
    return out;
  }
  std::optional<std::string> Stored(const char* key) const {
    return sim.store.Value(kAppName, kSectionName, key);
  }

  sim::SimPlatform sim;
  sim::SimGraphics& graphics = sim.graphics;
  sim::SimTray& tray = sim.tray;
  std::unique_ptr<KelvaneApp> app;
};

TEST_F(StartupTest, AFirstRunShowsTheSettingsWindowCentredWithTheDefaults) {
  SimMonitor monitor(sim);
  Start();
  ASSERT_FALSE(app->Ended());
  form::Window& w = Main().Window();
  EXPECT_TRUE(w.Visible());
  // Centred on the work area (1024 x 738 pixels) in pixels, then in twips.
  EXPECT_EQ(w.Left(), (512 - 240) * 15);
  EXPECT_EQ(w.Top(), (369 - 200) * 15);
  EXPECT_EQ(List(MainControl::kAlarmThreshold).Text(), "79");
  EXPECT_EQ(List(MainControl::kShutdownThreshold).Text(), "89");
  EXPECT_EQ(List(MainControl::kTrayIconMode).Text(), "CPU & MB");
  for (MainControl c :
       {MainControl::kTextLog, MainControl::kOverwriteTextLog, MainControl::kAlarmToSoundCard,
        MainControl::kAlarmToSpeaker, MainControl::kShutdownOnOverheat, MainControl::kAlarmMessage,
        MainControl::kLaunchOnOverheat, MainControl::kHtmlLog, MainControl::kCloseMonitorOnExit})
    EXPECT_EQ(Box(c).Value(), 0) << Box(c).Id();
  EXPECT_EQ(Box(MainControl::kOverwriteHtmlLog).Value(), 1);
  EXPECT_EQ(w.Get<form::ScrollBar>("VScroll1").Value(), 15);
  EXPECT_EQ(w.Get<form::Label>("Label2").Caption(), "15");
  EXPECT_EQ(List(MainControl::kAlarmThreshold).ItemCount(), 41);
  EXPECT_EQ(List(MainControl::kShutdownThreshold).Items().front(), "90");
  EXPECT_EQ(List(MainControl::kShutdownThreshold).Items().back(), "10");
  EXPECT_EQ(Label(MainControl::kCpuName).Caption(), "Intel(R) Pentium(R) 4 CPU 2.80GHz  2800 MHz");
  EXPECT_EQ(Label(MainControl::kCpuName).Tooltip(), "x86 Family 15 Model 2 Stepping 9");
  EXPECT_EQ(Main().Theme(), "Custom");
  EXPECT_TRUE(BoxTexts().empty());
  // The monitor was clicked through once.
  EXPECT_EQ(sim.desktop.Clicks().size(), 6u);
}

TEST_F(StartupTest, TheTrayIconAlternatesMotherboardBlueThenCpuRedOnWhite) {
  SimMonitor monitor(sim);
  Start();
  ASSERT_TRUE(tray.Shown());
  EXPECT_EQ(tray.IconHandle(), 0u);  // blank until the first timer tick
  sim.Advance(1);
  const sim::IconPicture& first = graphics.PictureOf(tray.IconHandle());
  // The direct tick at start-up drew MB; the first timer tick draws CPU.
  EXPECT_EQ(first.text, "45");
  EXPECT_EQ(first.fore, 255u);
  EXPECT_EQ(first.back, 16777215u);
  sim.Advance(1);
  const sim::IconPicture& second = graphics.PictureOf(tray.IconHandle());
  EXPECT_EQ(second.text, "31");
  EXPECT_EQ(second.fore, 16711680u);
  EXPECT_EQ(tray.Tip().substr(0, 4), "CPU:");
  EXPECT_EQ(graphics.LiveIcons(), 1);
}

TEST_F(StartupTest, ExitSavesTheSettingsInOrderAndTheNextRunStartsInTheTray) {
  SimMonitor monitor(sim);
  Start();
  sim.forms.QueueMenuChoice("mnuEXIT");
  tray.UserEvent(0x205);
  EXPECT_TRUE(app->Ended());
  EXPECT_TRUE(sim.loop.QuitRequested());
  EXPECT_FALSE(tray.Shown());
  const std::vector<std::string> order{
      "Paper",    "Buzzer", "ShutDown", "ToggleIcon", "SndCard", "SndPC",
      "LogWrite", "HTM_Ow", "Smoke",    "MsgAlarm",   "Log",     "LogInterval",
      "Volume",   "LnchIt", "LogHTML",  "LnchExe",    "ClosAsus"};
  EXPECT_EQ(sim.store.WriteOrder(), order);
  EXPECT_EQ(Stored("Buzzer"), "79");
  EXPECT_EQ(Stored("ToggleIcon"), "CPU & MB");
  EXPECT_EQ(Stored("Smoke"), "0");  // the stored 2 becomes 0
  EXPECT_EQ(Stored("HTM_Ow"), "1");
  EXPECT_EQ(Stored("Paper"), "Custom");
  EXPECT_EQ(Stored("Volume"), "650");
  // The monitor keeps running: "close Asus Probe on exit" was off.
  EXPECT_TRUE(sim.desktop.IsWindow(monitor.window));

  app.reset();
  Start();
  EXPECT_FALSE(Main().Window().Visible());
  EXPECT_EQ(Main().Window().WindowState(), form::WindowState::kMinimised);
  EXPECT_TRUE(tray.Shown());
}

TEST_F(StartupTest, ExitClosesTheMonitorWhenAskedAndStillExitsWhenItIsGone) {
  SimMonitor monitor(sim);
  Start();
  Box(MainControl::kCloseMonitorOnExit).SetValue(1);
  Main().Exit();
  EXPECT_FALSE(sim.desktop.IsWindow(monitor.window));
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(Stored("ClosAsus"), "1");
}

TEST_F(StartupTest, TheMonitorClosingEndsTheProgramAndRemovesTheIcon) {
  SimMonitor monitor(sim);
  Start();
  sim.Advance(3);
  monitor.Close();
  sim.Advance(1);
  EXPECT_TRUE(app->Ended());
  EXPECT_FALSE(tray.Shown());
  EXPECT_EQ(Stored("Buzzer"), "79");
}

TEST_F(StartupTest, ACloseRequestToTheApplicationWindowSavesAndExits) {
  SimMonitor monitor(sim);
  Start();
  platform::WindowId app_window = sim.desktop.FindTopWindow("", "Kelvane");
  ASSERT_NE(app_window, platform::kNoWindow);
  EXPECT_EQ(app_window, app->ApplicationWindow().Handle());
  // What the renderer does with a WM_CLOSE sent to the hidden window.
  app->ApplicationWindow().UserCloseBox();
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(Stored("Buzzer"), "79");
  EXPECT_FALSE(tray.Shown());
}

TEST_F(StartupTest, ASecondCopySaysSoAndTouchesNothing) {
  SimMonitor monitor(sim);
  // Its hidden window would be the one the settings remover closes: the copy
  // that runs must be the only "Kelvane" at every moment.
  int yields_with_window = 0;
  sim.loop.OnYield([&](int) {
    yields_with_window += sim.desktop.FindTopWindow("", "Kelvane") != platform::kNoWindow;
  });
  bool box_shown = false;
  sim.loop.QueueAnswer(mb::kIdOk, [&] {
    box_shown = true;
    EXPECT_EQ(sim.desktop.FindTopWindow("", "Kelvane"), platform::kNoWindow);
  });
  Start(/*another_copy=*/true);
  EXPECT_TRUE(box_shown);
  EXPECT_EQ(yields_with_window, 0);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"A copy of Kelvane is already running!"});
  EXPECT_EQ(sim.loop.MessageBoxes()[0].style,
            mb::kOk | mb::kIconInformation | mb::kSystemModal | mb::kSetForeground);
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(sim.store.WriteCount(), 0);
  EXPECT_TRUE(sim.desktop.Clicks().empty());
  EXPECT_FALSE(tray.Shown());
  EXPECT_EQ(sim.desktop.FindTopWindow("", "Kelvane"), platform::kNoWindow);
}

TEST_F(StartupTest, NoMonitorInstalledEndsWithoutTouchingTheStore) {
  Settings(sim.store, sim.clock).WriteInteger("Buzzer", 70);
  int writes = sim.store.WriteCount();
  Start();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to find Asus Probe 2"});
  EXPECT_EQ(sim.loop.MessageBoxes()[0].style,
            mb::kOk | mb::kIconStop | mb::kSystemModal | mb::kSetForeground);
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(sim.store.WriteCount(), writes);
  EXPECT_EQ(Stored("Buzzer"), "70");
  EXPECT_TRUE(sim.shell.Requests().empty());
  EXPECT_FALSE(tray.Shown());
}

TEST_F(StartupTest, AnInstalledMonitorIsStartedFromItsFolderAndWaitedFor) {
  Install();
  std::unique_ptr<SimMonitor> monitor;
  sim.shell.OnExecute([&](const sim::SimShell::Request&) {
    sim.loop.At(sim.clock.MonotonicSeconds() + 5,
                [&] { monitor = std::make_unique<SimMonitor>(sim); });
    return 42;
  });
  Start();
  ASSERT_EQ(sim.shell.Requests().size(), 1u);
  const auto& r = sim.shell.Requests()[0];
  EXPECT_EQ(r.verb, "");
  EXPECT_EQ(r.file, "AsusProb.exe");
  EXPECT_EQ(r.parameters, "");
  EXPECT_EQ(r.folder, kInstallDir);
  EXPECT_EQ(r.show_command, platform::sw::kShowNormal);
  EXPECT_FALSE(app->Ended());
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_TRUE(tray.Shown());
}

TEST_F(StartupTest, AMonitorThatNeverShowsGivesUpThirtySecondsAfterThePause) {
  Install();
  Start();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to find Asus Probe 2"});
  EXPECT_GE(sim.clock.MonotonicSeconds(), 32.0);
  EXPECT_LT(sim.clock.MonotonicSeconds(), 32.5);
  EXPECT_EQ(sim.store.WriteCount(), 0);
}

TEST_F(StartupTest, AMonitorAlreadyRunningIsNeitherStartedNorWaitedFor) {
  Install();
  SimMonitor monitor(sim);
  Start();
  EXPECT_TRUE(sim.shell.Requests().empty());
  // One second before the wake-up, and the wake-up's own short pauses.
  EXPECT_LT(sim.clock.MonotonicSeconds(), 1.5);
}

TEST_F(StartupTest, AMonitorPartlyOffScreenCannotBeInitialisedAndTheLoadedSettingsAreSaved) {
  SimMonitor monitor(sim, SimMonitor::Typical(), {-4, 0, 636, 360});
  Settings(sim.store, sim.clock).WriteInteger("Smoke", 2);
  Start();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            "Unable to initialize PC Probe! Close PC Probe and try again. "});
  EXPECT_TRUE(app->Ended());
  // The controls held what was loaded: a normal shut-down saves them.
  EXPECT_EQ(Stored("Smoke"), "0");
  EXPECT_EQ(Stored("Buzzer"), "79");
  EXPECT_FALSE(tray.Shown());
  EXPECT_TRUE(tray.Requests().empty());
}

// Notes what the main window asks of the other parts of the program, with
// what the program looked like at that moment.
struct RecordingFeatures {
  void Wire(AppContext& f) {
    f.OnControlsLoaded([this, &f] {
      steps.push_back("mixer: alarm " + f.Get<form::ListBox>(MainControl::kAlarmThreshold).Text() +
                      ", clicks " + Clicks());
    });
    for (int c = 1; c < static_cast<int>(MainControl::kCount); ++c) {
      const auto control = static_cast<MainControl>(c);
      form::CheckBox* box = nullptr;
      try {
        box = &f.Get<form::CheckBox>(control);
      } catch (const std::out_of_range&) {
        continue;
      }
      f.OnControlClick(control, [this, box] {
        steps.push_back(box->Name() + "=" + std::to_string(box->Value()));
      });
    }
    f.AddStartStep(start_rank::kHighLow, [this, &f] {
      if (!f.CurrentOptions().high_low_at_start) return;
      steps.push_back(std::string("hilo: polling ") + (f.PollingStopped() ? "off" : "on"));
    });
    f.AddStartStep(start_rank::kDigitalDashboard, [this, &f] {
      if (!f.CurrentOptions().digital_dashboard_at_start) return;
      steps.push_back(std::string("dash: polling ") + (f.PollingStopped() ? "off" : "on"));
    });
  }
  std::string Clicks() const { return std::to_string(desktop->Clicks().size()); }
  sim::SimDesktop* desktop = nullptr;
  std::vector<std::string> steps;
};

TEST_F(StartupTest, StartUpRunsItsStepsInOrder) {
  SimMonitor monitor(sim);
  Settings s(sim.store, sim.clock);
  s.WriteInteger("Buzzer", 70);
  for (const char* key : {"MsgAlarm", "LogWrite", "SndCard", "SndPC", "LnchIt", "Log"})
    s.WriteInteger(key, 1);
  s.WriteFlag("HiLoStrt", true);
  s.WriteFlag("DashSrart", true);
  RecordingFeatures recorder;
  recorder.desktop = &sim.desktop;
  app = std::make_unique<KelvaneApp>(AppServices{sim.Get(), false},
                                     [&recorder](AppContext& f) { recorder.Wire(f); });
  app->Start();
  // Check boxes run their click handling as they are loaded, in the loading
  // order; the mixer comes after the controls and before the wake-up's clicks;
  // the dashboards open once the poll timer runs, High/Low first.
  const std::vector<std::string> expected{
      "Check7=1",         "Check2=1",        "Check3=1", "Check4=1",
      "Check5=1",         "Check8=1",        "Check1=1", "mixer: alarm 70, clicks 0",
      "hilo: polling on", "dash: polling on"};
  EXPECT_EQ(recorder.steps, expected);
  // The first tick ran before the icon was added: its drawing reached no icon.
  const auto& r = tray.Requests();
  ASSERT_GE(r.size(), 2u);
  EXPECT_EQ(r[0], "modify");
  EXPECT_EQ(r[1], "add");
  EXPECT_EQ(Main().State().sample_count, 0);
}

TEST_F(StartupTest, OnlyAStoredIconModeOfExactlyCpuSelectsCpu) {
  SimMonitor monitor(sim);
  struct Case {
    std::optional<std::string> stored;
    const char* shown;
  } cases[] = {{"CPU", "CPU"},
               {"cpu", "CPU & MB"},
               {"CPU ", "CPU & MB"},
               {"CPU & MB", "CPU & MB"},
               {std::nullopt, "CPU & MB"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.value_or("(nothing stored)"));
    if (c.stored)
      Settings(sim.store, sim.clock).WriteText("ToggleIcon", *c.stored);
    else
      Settings(sim.store, sim.clock).Remove("ToggleIcon");
    Start();
    EXPECT_EQ(List(MainControl::kTrayIconMode).Text(), c.shown);
    app.reset();
  }
}

TEST_F(StartupTest, ThePcSpeakerIsOfferedOnTheNtFamilyOnly) {
  SimMonitor monitor(sim);
  Settings(sim.store, sim.clock).WriteInteger("SndPC", 1);
  sim.power.SetVersion(0xC0000A04);  // Windows 98
  Start();
  EXPECT_EQ(Box(MainControl::kAlarmToSpeaker).Value(), 0);
  EXPECT_FALSE(Box(MainControl::kAlarmToSpeaker).Enabled());
}

class RunningTest : public StartupTest {
 protected:
  void SetUp() override {
    monitor = std::make_unique<SimMonitor>(sim);
    Start();
    ASSERT_FALSE(app->Ended());
  }
  form::Window& W() { return Main().Window(); }
  std::unique_ptr<SimMonitor> monitor;
};

TEST_F(RunningTest, DraggingByALabelNeedsAPressBelowItsTopRow) {
  // The caption beside the log interval.
  form::Label& caption = W().Get<form::Label>("Label1", 12);
  sim.forms.Press(W(), &caption, 30, 0);
  sim.forms.Release(W(), &caption, 30, 0);
  EXPECT_TRUE(sim.forms.SystemMoves().empty());
  sim.forms.Press(W(), &caption, 30, 15);
  EXPECT_EQ(sim.forms.SystemMoves().size(), 1u);
}

TEST_F(RunningTest, RightClickOnTheTitleOpensTheHomePageThenTheMenu) {
  sim.forms.Press(W(), &Label(MainControl::kTitle), 60, 60, form::button::kRight);
  ASSERT_EQ(sim.shell.Requests().size(), 1u);
  EXPECT_EQ(sim.shell.Requests()[0].verb, "open");
  EXPECT_EQ(sim.shell.Requests()[0].parameters, "0");
  EXPECT_EQ(sim.shell.Requests()[0].folder, "0");
  EXPECT_EQ(sim.shell.Requests()[0].show_command, platform::sw::kShowMinimized);
  EXPECT_TRUE(sim.forms.Popups().empty());
  sim.forms.Release(W(), &Label(MainControl::kTitle), 60, 60, form::button::kRight);
  ASSERT_EQ(sim.forms.Popups().size(), 1u);
  EXPECT_EQ(sim.forms.Popups()[0].menu, "MnuTop");
}

TEST_F(RunningTest, TheShutdownHintFollowsTheThresholdWhenTheProgramBoxGetsTheFocus) {
  sim.forms.PickListItem(W(), List(MainControl::kShutdownThreshold), "84");
  sim.forms.Focus(W(), W().Get<form::TextBox>("Text1"));
  EXPECT_EQ(Label(MainControl::kShutdownHint).Caption(),
            "Shut down Windows if CPU temp is greater then 84\xC2\xB0"
            "C");
}

TEST_F(RunningTest, MinimisingHidesTheWindowAndATrayDoubleClickBringsItBack) {
  sim.forms.Click(W(), &W().Get<form::PictureButton>("Picture3", 0), 30, 30);
  EXPECT_FALSE(W().Visible());
  EXPECT_EQ(W().Focused(), &W().Get<form::TextBox>("Text1"));
  EXPECT_NE(Label(MainControl::kShutdownHint).Caption(), "");
  tray.UserEvent(0x203);
  EXPECT_TRUE(W().Visible());
  EXPECT_EQ(W().WindowState(), form::WindowState::kNormal);
}

TEST_F(RunningTest, HelpOpensThePageBesideTheProgram) {
  sim.forms.Click(W(), &W().Get<form::PictureButton>("Picture3", 1), 30, 30);
  ASSERT_EQ(sim.shell.Requests().size(), 1u);
  EXPECT_EQ(sim.shell.Requests()[0].file, Main().AppFolder() + "Kelvane_HELP.htm");
  EXPECT_EQ(sim.shell.Requests()[0].folder, Main().AppFolder());
}

TEST_F(RunningTest, PictureButtonsLookPressedWhileHeld) {
  auto& b = W().Get<form::PictureButton>("Picture3", 1);
  int left = b.Left(), top = b.Top();
  sim.forms.Press(W(), &b, 30, 30);
  EXPECT_EQ(b.Left(), left - 12);
  EXPECT_EQ(b.Top(), top - 22);
  sim.forms.Release(W(), &b, 30, 30);
  EXPECT_EQ(b.Left(), left);
  EXPECT_EQ(b.Top(), top);
}

TEST_F(RunningTest, ANewLogIntervalRestartsTheCountdown) {
  auto& interval = W().Get<form::ScrollBar>("VScroll1");
  sim.forms.Scroll(W(), interval, form::ScrollAction::kTo, 5);
  EXPECT_EQ(W().Get<form::Label>("Label2").Caption(), "5");
  EXPECT_EQ(Main().Poll().LogCountdown(), 5);
}

TEST_F(RunningTest, StartupMenuItemsToggleAndSaveAtOnce) {
  sim.forms.QueueMenuChoice("MnuDashStrt");
  tray.UserEvent(0x205);
  EXPECT_TRUE(W().Menu("MnuDashStrt").Checked());
  EXPECT_EQ(Stored("DashSrart"), "True");
  EXPECT_EQ(W().Menu("MnuDashStrt").Caption(), "Show Digital  DB on Startup");
  sim.forms.QueueMenuChoice("MnuDashStrt");
  tray.UserEvent(0x205);
  EXPECT_EQ(Stored("DashSrart"), "False");
}

TEST_F(RunningTest, TrayIconLeftRebuildsTheIconAtTheNextTick) {
  sim.Advance(1);
  sim.forms.QueueMenuChoice("MnuRebuild");
  tray.UserEvent(0x205);
  std::size_t before = tray.Requests().size();
  sim.Advance(1);
  std::vector<std::string> r(tray.Requests().begin() + before, tray.Requests().end());
  EXPECT_EQ(r, (std::vector<std::string>{"delete", "add", "modify"}));
  EXPECT_NE(tray.IconHandle(), 0u);  // the digits are back in the same tick
}

TEST_F(RunningTest, FolderCommandsOpenTheProgramsFolders) {
  sim.forms.QueueMenuChoice("OpnHtmFolder");
  tray.UserEvent(0x205);
  ASSERT_EQ(sim.shell.Requests().size(), 1u);
  EXPECT_EQ(sim.shell.Requests()[0].file, Main().AppFolder() + "Logs\\");
  EXPECT_TRUE(sim.files.Exists(Main().AppFolder() + "Logs"));
  EXPECT_TRUE(sim.files.Exists(Main().AppFolder() + "BMPs"));
}

TEST_F(RunningTest, ATaskbarRestartBringsTheIconBack) {
  tray.RestartTaskbar();
  EXPECT_TRUE(tray.Shown());
}

TEST_F(RunningTest, AWallpaperThatDoesNotExistLeavesTheThemeAsItWas) {
  sim.forms.QueueMenuChoice("MnuGreen");
  tray.UserEvent(0x205);
  EXPECT_EQ(Main().Theme(), "Custom");
  sim.files.CreateFolder(Main().AppFolder() + "BackGround\\Green");
  sim.files.WriteText(Main().AppFolder() + "BackGround\\Green\\Kelvane-M.jpg", "jpg", false);
  sim.forms.QueueMenuChoice("MnuGreen");
  tray.UserEvent(0x205);
  EXPECT_EQ(Main().Theme(), "Green");
  EXPECT_EQ(W().Get<form::PictureBox>("Picture2").Picture(),
            Main().AppFolder() + "BackGround\\Green\\Kelvane-M.jpg");
}

}  // namespace
}  // namespace kelvane
