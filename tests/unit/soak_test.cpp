// A week of the whole program on the simulated desktop, one poll tick a
// second, with every window open that can be open together: the settings
// window, both dashboards, the alarm window, the name plate editor, and the
// tray icon settings window or the colour editor. The alarm plays its wave and
// both logs write every minute. The readings change all the time; some hours
// bring texts that are no numbers or empty slots, and one hour a day the
// monitor's page or its readings are gone and then come back. Each day the
// user closes the alarm window and, for an hour, the High/Low/Avg window, asks
// for the tray icon to be rebuilt, and the taskbar restarts. What the program
// holds on the desktop must stay the same however long it runs.
#include <gtest/gtest.h>

#include <ostream>

#include "base/text.h"
#include "program_fixture.h"

namespace kelvane {
namespace {

using testing::ProgramFixture;
using testing::SimMonitor;

constexpr int kTrayDoubleClick = 0x203;
constexpr int kTrayRightClick = 0x205;
constexpr int kHour = 3600;
constexpr int kDay = 24 * kHour;

// What the running program holds on the simulated desktop.
struct Census {
  int icons, top_windows, loaded_windows, timers, running_timers, pictures, fonts;
  friend bool operator==(const Census&, const Census&) = default;
  friend std::ostream& operator<<(std::ostream& o, const Census& c) {
    return o << c.icons << " icons, " << c.top_windows << " top windows, " << c.loaded_windows
             << " loaded windows, " << c.timers << " timers (" << c.running_timers << " running), "
             << c.pictures << " pictures, " << c.fonts << " fonts";
  }
};

class EveryWindowOpen : public ::testing::Test, public ProgramFixture {
 protected:
  EveryWindowOpen() {
    const std::string theme = AppFile("BackGround\\Custom\\");
    sim.files.CreateFolder(theme);
    for (const char* picture : {"Kelvane-M.jpg", "Kelvane-D.jpg", "Kelvane-H.jpg", "Kelvane-U.jpg"})
      sim.files.WriteText(theme + picture, "jpg", false);
    sim.files.CreateFolder(AppFile("Template"));
    sim.files.WriteText(AppFile("Template\\Kelvane.log.plt"),
                        "<p>Date-Time</p><td>*1*</td><td>*9*</td><td>*33*</td>", false);
    Store("Buzzer", "79");  // a later run: it starts in the tray
    Store("ToggleIcon", "CPU");
    Store("MsgAlarm", "1");
    Store("SndCard", "1");
    Store("Log", "1");
    Store("LogHTML", "1");
    Store("LogInterval", "1");
    Store("hl_HideRight", "True");
  }

  Census Take() const {
    return {sim.graphics.LiveIcons(),
            sim.desktop.TopWindowCount(),
            static_cast<int>(sim.forms.LoadedWindows().size()),
            sim.loop.LiveTimers(),
            sim.loop.RunningTimers(),
            sim.forms.HeldPictures(),
            sim.forms.HeldFonts()};
  }
  void TrayCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  dashboard::DigitalDashboard& Dash() { return *app->DigitalDashboard(); }
  highlow::HighLowDashboard& HighLow() { return *app->HighLow(); }
  alarms::AlarmWindow& Alarm() { return *app->AlarmWindow(); }
  void OpenColourEditor() {
    sim.forms.QueueMenuChoice("MnuColor");
    sim.forms.Click(Dash().Window(), &Dash().Tile(0), 1075, 5, form::button::kRight);
  }

  // The readings at second `s` of the week: always changing, hot enough for
  // the alarm; hour 5 of each day reads texts that are no numbers, hour 11
  // empty slots.
  static SimMonitor::Readings FeedAt(int s) {
    const int hour_of_day = s / kHour % 24;
    if (hour_of_day == 5) return {"n/a", "--", "ERR", "?", "hot", "rpm", "x", "-", "N/A"};
    if (hour_of_day == 11) return {};
    auto n = [](int v) { return std::to_string(v); };
    return {"1." + n(500 + s % 40), "5.0" + n(10 + s % 80),    "3.3" + n(10 + s % 30),
            "12." + n(10 + s % 50), n(80 + s / 60 % 9) + ".0", n(2600 + s % 200),
            n(3100 + s % 300),      n(4400 + s % 400),         n(30 + s / 600 % 6) + ".0"};
  }
  // The CPU temperature of second `s` as the dashboards show it.
  static std::string CpuShownAt(int s) {
    return FeedAt(s)[4].substr(0, 2) + std::string(kDegree) + "C";
  }
  // One hour of ticks; hour 17 of each day the monitor page is gone (every
  // other day only its readings) and comes back when the hour is over.
  void RunHour(int hour) {
    // The simulated desktop's own records of every change, icon, tray request
    // and sound would grow all week; the program's hold is what is measured.
    sim.forms.ClearChanges();
    sim.graphics.ForgetMade();
    sim.tray.ClearRequests();
    sim.sound.ClearEvents();
    const int start = hour * kHour;
    const bool page_gone = hour % 24 == 17;
    const bool marker_stays = hour / 24 % 2 == 1;
    if (page_gone && marker_stays) monitor.RemoveReadings();
    if (page_gone && !marker_stays) monitor.RemovePage();
    for (int s = start; s < start + kHour; ++s) {
      if (!page_gone) monitor.Set(FeedAt(s));
      sim.Advance(1);
    }
    if (page_gone && marker_stays) monitor.AddReadings(FeedAt(start + kHour));
    if (page_gone && !marker_stays) monitor.AddPage(FeedAt(start + kHour));
  }
  // Each morning the user closes the alarm window, which stays closed while the
  // settings window is open and opens again with the program in the tray.
  void CloseAlarmAndReopenIt() {
    sim.forms.CloseBox(Alarm().Window());
    sim.Advance(1);
    EXPECT_FALSE(Alarm().IsOpen());
    sim.forms.SetWindowState(Main().Window(), form::WindowState::kMinimised);
    sim.Advance(1);
    EXPECT_TRUE(Alarm().IsOpen());
    sim.tray.UserEvent(kTrayDoubleClick);
    EXPECT_EQ(Main().Window().WindowState(), form::WindowState::kNormal);
  }
  int LogEntries() {
    const std::string log = FileText("Logs\\log.txt").value_or("");
    int n = 0;
    for (std::size_t at = 0; (at = log.find("CPU Temp.... ", at)) != std::string::npos; ++at) ++n;
    return n;
  }
};

// The week, in a suite of its own (see CMakeLists.txt).
using Soak = EveryWindowOpen;

TEST_F(Soak, AWeekWithEveryWindowOpenHoldsNoMoreAtItsEndThanAfterItsFirstMinute) {
  monitor.Set(FeedAt(0));
  Start();
  RunToFirstCheck();  // hot, in the tray: the alarm window opens
  ASSERT_TRUE(Alarm().IsOpen());
  TrayCommand("MnuDash");
  TrayCommand("MnuHiLo");
  sim.forms.DoubleClick(Dash().Window(), &Dash().Label(14), 10, 10);
  ASSERT_NE(Dash().PlateEditor(), nullptr);
  // The colour editor is made once for the run and kept when it closes: the
  // week starts with it made, closed by the tray icon settings window.
  OpenColourEditor();
  TrayCommand("MNuTrayColrFont");
  ASSERT_EQ(app->ColourEditor(), nullptr);
  ASSERT_NE(app->TrayIconSettings(), nullptr);
  sim.tray.UserEvent(kTrayDoubleClick);
  ASSERT_TRUE(Main().Window().Visible());
  sim.Advance(60 - 3);
  const Census first_minute = Take();

  Census colour_editor_open{};
  for (int hour = 0; hour < 7 * 24; ++hour) {
    if (hour % 24 == 2) sim.tray.RestartTaskbar();
    if (hour % 24 == 8) CloseAlarmAndReopenIt();
    if (hour % 24 == 14) TrayCommand("MnuRebuild");  // served by the next tick
    // For an hour a day the High/Low/Avg window is closed (hidden) from its menu.
    if (hour % 24 == 20) {
      sim.forms.QueueMenuChoice("MnuClose");
      sim.forms.Click(HighLow().Window(), &HighLow().Label(47), 100, 50, form::button::kRight);
      ASSERT_FALSE(HighLow().Window().Visible());
    }
    if (hour % 24 == 21) {
      EXPECT_LT(HighLow().Label(47).Caption().size(), 40u) << "markers piled up, hour " << hour;
      TrayCommand("MnuHiLo");
      ASSERT_TRUE(HighLow().Window().Visible());
      // Its menu closed the colour editor.
      if (hour > 3 * 24 + 12) OpenColourEditor();
    }
    if (hour == 3 * 24 + 12) {
      OpenColourEditor();  // the tray icon settings window closes
      ASSERT_NE(app->ColourEditor(), nullptr);
      ASSERT_EQ(app->TrayIconSettings(), nullptr);
      colour_editor_open = Take();
    }
    RunHour(hour);
    ASSERT_FALSE(app->Ended()) << "hour " << hour;
    if (hour % 24 == 23) {
      EXPECT_EQ(Take(), hour < 3 * 24 + 12 ? first_minute : colour_editor_open)
          << "day " << hour / 24;
      EXPECT_TRUE(Alarm().IsOpen());
      EXPECT_NE(Dash().PlateEditor(), nullptr);
      // Read again since the monitor's page came back.
      EXPECT_EQ(Dash().Label(1).Caption(), CpuShownAt(hour * kHour + kHour - 1));
    }
  }
  TrayCommand("MNuTrayColrFont");  // back to the window the week began with
  EXPECT_EQ(app->ColourEditor(), nullptr);
  EXPECT_EQ(Take(), first_minute);
  EXPECT_EQ(sim.graphics.LiveIcons(), 1);

  // The week really ran, with everything on.
  EXPECT_NEAR(Main().State().sample_count, 7.0 * kDay, 100);
  EXPECT_EQ(HighLow().Label(47).Caption().substr(0, 6), "Day:7 ");
  EXPECT_NEAR(LogEntries(), 7 * 24 * 60, 5);
  EXPECT_NE(FileText("Logs\\log.htm").value_or("").find("Elapsed Time: Day:7 "), std::string::npos);
  // The last readings are numbers again: on the tray icon, its tip and the dashboard.
  const std::string celsius = CpuShownAt(7 * kDay - 1);
  const std::string cpu = celsius.substr(0, 2);
  EXPECT_EQ(sim.graphics.PictureOf(sim.tray.IconHandle()).text, cpu);
  const std::string tip_head = "CPU:" + celsius + "  ";
  EXPECT_EQ(sim.tray.Tip().substr(0, tip_head.size()), tip_head);
  EXPECT_EQ(Dash().Label(1).Caption(), celsius);
  EXPECT_EQ(Alarm().TemperatureText(), "CPU Temp: " + celsius);
  // In the last hour the alarm still played its wave, every second tick, and
  // gave the mixer back its volumes each time.
  EXPECT_GT(Count("play"), 1000);
  EXPECT_EQ(sim.sound.LineValue(4), 30000u);
  EXPECT_EQ(sim.sound.LineValue(0x1008), 20000u);
  EXPECT_TRUE(sim.power.Requests().empty());
}

// The monitor's main window gone ends the run at the next tick, with every
// window open: nothing of the program stays alive on the desktop.
TEST_F(EveryWindowOpen, TheMonitorClosingEndsTheRunLeavingNothingAlive) {
  monitor.Set(FeedAt(0));
  Start();
  RunToFirstCheck();
  TrayCommand("MnuDash");
  TrayCommand("MnuHiLo");
  sim.forms.DoubleClick(Dash().Window(), &Dash().Label(14), 10, 10);
  OpenColourEditor();
  sim.tray.UserEvent(kTrayDoubleClick);
  sim.Advance(60);
  ASSERT_TRUE(Alarm().IsOpen());
  ASSERT_NE(app->ColourEditor(), nullptr);

  monitor.Close();
  sim.Advance(1);
  ASSERT_TRUE(app->Ended());
  EXPECT_FALSE(sim.tray.Shown());
  EXPECT_EQ(sim.loop.RunningTimers(), 0);
  // Only the hidden application window is left, for the message loop to end.
  ASSERT_EQ(sim.forms.LoadedWindows().size(), 1u);
  EXPECT_EQ(sim.forms.LoadedWindows()[0], &app->ApplicationWindow());
  app.reset();
  EXPECT_EQ(sim.graphics.LiveIcons(), 0);
  EXPECT_TRUE(sim.forms.LoadedWindows().empty());
  EXPECT_EQ(sim.desktop.TopWindowCount(), 0);
}

}  // namespace
}  // namespace kelvane
