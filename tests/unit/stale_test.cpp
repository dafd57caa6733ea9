// A monitor that stops answering: when its readings count as stale, and what
// the program shows and keeps doing meanwhile.
#include <gtest/gtest.h>

#include "alarms/stale_warning.h"
#include "base/text.h"
#include "highlow/high_low_dashboard.h"
#include "probe/freshness.h"
#include "program_fixture.h"

namespace kelvane {
namespace {

using testing::ProgramFixture;
using testing::SimMonitor;

constexpr int kTrayRightClick = 0x205;
constexpr std::uint32_t kGrey = 0x808080;  // the simulated system's grey text

// --- the rule ------------------------------------------------------------------------

class FreshnessTest : public ::testing::Test {
 protected:
  FreshnessTest() { monitor_window = sim.desktop.AddTopWindow("TMainForm", "Asus Probe 2", {}); }
  // One tick at second `t` with the CPU reading `cpu`.
  bool Tick(double t, const std::string& cpu = "45.0") {
    reading.texts[probe::kCpuTempSlot] = cpu;
    return watch.Observe(sim.desktop, monitor_window, reading, t);
  }

  sim::SimPlatform sim;
  platform::WindowId monitor_window = 0;
  probe::ProbeReading reading;
  probe::FreshnessWatch watch;
};

TEST_F(FreshnessTest, AHealthyMonitorWithSteadyReadingsIsNeverStaleAndIsPingedOnceAMinute) {
  for (int t = 0; t < 59; ++t) ASSERT_FALSE(Tick(t));
  EXPECT_EQ(sim.desktop.Pings(), 0);  // never while the readings move or for the first minute
  for (int t = 59; t < 3600; ++t) ASSERT_FALSE(Tick(t)) << t;
  EXPECT_GE(sim.desktop.Pings(), 58);
  EXPECT_LE(sim.desktop.Pings(), 60);
  // Readings that change are never pinged about.
  const int pings = sim.desktop.Pings();
  for (int t = 3600; t < 7200; ++t) ASSERT_FALSE(Tick(t, t % 2 ? "45.0" : "46.0"));
  EXPECT_EQ(sim.desktop.Pings(), pings);
}

TEST_F(FreshnessTest, AWindowTheSystemCallsHungIsStaleAtOnceAndFreshAtOnceWhenItAnswers) {
  EXPECT_FALSE(Tick(0));
  sim.desktop.SetHung(monitor_window, true);
  EXPECT_TRUE(Tick(1));
  EXPECT_TRUE(Tick(2));
  EXPECT_EQ(sim.desktop.Pings(), 0);  // the system's verdict costs no message
  sim.desktop.SetHung(monitor_window, false);
  EXPECT_FALSE(Tick(3));
}

// A ping that goes unanswered only makes the monitor suspect: pinged on every
// tick from then on, its readings turn stale after five seconds of failures.
// The ping waits 300 ms: an answer within that counts.
TEST_F(FreshnessTest, OnlyFiveSecondsOfUnansweredPingsMakeSteadyReadingsStale) {
  struct Case {
    const char* name;
    int answer_ms;         // how long the monitor takes to answer ...
    int slow_for;          // ... for this many ticks from the first ping at 60 s
    int first_stale_tick;  // 0: never stale
  } cases[] = {
      {"one answer of 400 ms", 400, 1, 0},       {"busy through four seconds of pings", 400, 5, 0},
      {"busy for good", 400, 1000, 65},          {"answers in exactly the timeout", 300, 1000, 0},
      {"a millisecond too slow", 301, 1000, 65},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimPlatform run;
    const platform::WindowId window = run.desktop.AddTopWindow("TMainForm", "Asus Probe 2", {});
    probe::FreshnessWatch fresh;
    int first_stale = 0;
    for (int t = 0; t < 200; ++t) {
      const bool slow = t >= 60 && t < 60 + c.slow_for;
      run.desktop.SetAnswerTime(window, slow ? c.answer_ms : 0);
      const bool stale = fresh.Observe(run.desktop, window, reading, t);
      if (stale && first_stale == 0) first_stale = t;
      if (first_stale != 0) {
        ASSERT_EQ(stale, slow) << t;  // stale while it stays slow
      }
    }
    EXPECT_EQ(first_stale, c.first_stale_tick);
  }
}

TEST_F(FreshnessTest, AHangTheSystemDoesNotReportIsFoundByPingsAndEndsAtTheFirstAnswer) {
  EXPECT_FALSE(Tick(0));
  sim.desktop.SetHung(monitor_window, true, /*known=*/false);
  for (int t = 1; t < 65; ++t) ASSERT_FALSE(Tick(t)) << t;
  EXPECT_EQ(sim.desktop.Pings(), 5);  // the minute's ping at 60, then one a second
  EXPECT_TRUE(Tick(65));
  EXPECT_TRUE(Tick(66));
  EXPECT_EQ(sim.desktop.Pings(), 7);  // still asked each second, to see it answer
  // It answers again: fresh at once, then back to a ping a minute.
  sim.desktop.SetHung(monitor_window, false);
  EXPECT_FALSE(Tick(67));
  for (int t = 68; t < 127; ++t) ASSERT_FALSE(Tick(t)) << t;
  EXPECT_EQ(sim.desktop.Pings(), 8);
  EXPECT_FALSE(Tick(127));
  EXPECT_EQ(sim.desktop.Pings(), 9);
  // A reading that changes is fresh without waiting for a ping.
  sim.desktop.SetHung(monitor_window, true, false);
  for (int t = 128; t <= 192; ++t) Tick(t);
  EXPECT_TRUE(Tick(193));
  EXPECT_FALSE(Tick(194, "47.0"));
  EXPECT_FALSE(Tick(195, "47.0"));
}

// Pings that failed before the system called the window hung say nothing once
// it handles its messages again: a monitor still slow as it catches up is not
// stale for them, and its recovery costs no ping.
TEST_F(FreshnessTest, RecoveryFromAHangForgetsThePingsThatFailedBeforeIt) {
  EXPECT_FALSE(Tick(0));
  sim.desktop.SetHung(monitor_window, true, /*known=*/false);
  for (int t = 1; t <= 61; ++t) ASSERT_FALSE(Tick(t)) << t;
  ASSERT_EQ(sim.desktop.Pings(), 2);          // failed at 60 and 61
  sim.desktop.SetHung(monitor_window, true);  // the system's verdict
  for (int t = 62; t <= 90; ++t) ASSERT_TRUE(Tick(t)) << t;
  sim.desktop.SetHung(monitor_window, false);
  sim.desktop.SetAnswerTime(monitor_window, 400);
  for (int t = 91; t <= 100; ++t) ASSERT_FALSE(Tick(t)) << t;
  EXPECT_EQ(sim.desktop.Pings(), 2);
}

// --- the program ---------------------------------------------------------------------

class StaleProgramTest : public ::testing::Test, public ProgramFixture {
 protected:
  void StartInTray() {
    Store("Buzzer", "79");
    Start();
    ASSERT_EQ(Main().Window().WindowState(), form::WindowState::kMinimised);
    sim.Advance(5);
  }
  void TrayCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  const sim::IconPicture& Icon() { return sim.graphics.PictureOf(sim.tray.IconHandle()); }
  // The CPU and the motherboard take turns, each in the user's colour.
  bool InUsersColour() { return Icon().fore == 255u || Icon().fore == 16711680u; }
  void Hang(bool known = true) { sim.desktop.SetHung(monitor.window, true, known); }
  void Answer() { sim.desktop.SetHung(monitor.window, false); }
};

TEST_F(StaleProgramTest,
       TheIconTurnsGreyWithTheTimeOfTheLastFreshReadingAndBackAtTheFirstFreshTick) {
  StartInTray();
  EXPECT_TRUE(InUsersColour());
  const std::string last_fresh = sim.clock.TimeText(sim.clock.Now());
  Hang();
  sim.Advance(1);
  EXPECT_EQ(Icon().fore, kGrey);
  sim.Advance(1);  // the motherboard's turn, grey too
  EXPECT_EQ(Icon().fore, kGrey);
  EXPECT_EQ(sim.tray.Tip().size(), 64u);
  EXPECT_EQ(std::string(sim.tray.Tip().c_str()),
            "Asus Probe 2 is not responding - readings of " + last_fresh);
  sim.Advance(120);
  EXPECT_EQ(std::string(sim.tray.Tip().c_str()),
            "Asus Probe 2 is not responding - readings of " + last_fresh);
  Answer();
  sim.Advance(1);
  EXPECT_TRUE(InUsersColour());
  EXPECT_EQ(sim.tray.Tip(), Main().State().reading.tip_text);
}

TEST_F(StaleProgramTest, StaleTicksAreNotCountedAndTheDashboardsShowTheirLastValuesGrey) {
  StartInTray();
  TrayCommand("MnuDash");
  TrayCommand("MnuHiLo");
  ASSERT_NE(app->DigitalDashboard(), nullptr);
  ASSERT_NE(app->HighLow(), nullptr);
  sim.Advance(2);
  const double counted = Main().State().stats.count;
  ASSERT_GT(counted, 0);
  const Statistics before = Main().State().statistics;
  const std::string shown = app->DigitalDashboard()->Label(1).Caption();
  EXPECT_EQ(shown, "45" + std::string(kDegree) + "C");

  const std::string elapsed = app->HighLow()->Label(47).Caption();
  EXPECT_EQ(elapsed, "Day:0  00:00:06");
  Hang();
  monitor.SetCpu("20.0");  // what a frozen window might hold: never counted
  sim.Advance(30);
  // The time since the reset is no reading: it goes on.
  EXPECT_EQ(app->HighLow()->Label(47).Caption(), "Day:0  00:00:36");
  EXPECT_FALSE(app->HighLow()->Label(47).Greyed());
  EXPECT_EQ(Main().State().stats.count, counted);
  EXPECT_EQ(Main().State().statistics[Meter::kCpuTemp].average, before[Meter::kCpuTemp].average);
  EXPECT_EQ(Main().State().statistics[Meter::kCpuTemp].lowest, 45);
  EXPECT_EQ(app->DigitalDashboard()->Label(1).Caption(), shown);
  EXPECT_TRUE(app->DigitalDashboard()->Label(1).Greyed());
  EXPECT_TRUE(app->DigitalDashboard()->Label(9).Greyed());
  EXPECT_TRUE(app->HighLow()->Label(1).Greyed());
  EXPECT_TRUE(app->HighLow()->Label(36).Greyed());
  // The user's colours stay what they were: greying is no colour of theirs.
  EXPECT_EQ(app->DigitalDashboard()->Label(1).ForeColour(), 0u);

  Answer();
  sim.Advance(1);
  EXPECT_EQ(Main().State().stats.count, counted + 1);
  EXPECT_FALSE(app->DigitalDashboard()->Label(1).Greyed());
  EXPECT_FALSE(app->HighLow()->Label(1).Greyed());
  EXPECT_EQ(app->DigitalDashboard()->Label(1).Caption(), "20" + std::string(kDegree) + "C");
  EXPECT_EQ(Main().State().statistics[Meter::kCpuTemp].lowest, 20);
}

TEST_F(StaleProgramTest, TheWarningOpensOncePerEpisodeAfterAMinuteAndOnlyWithNotifyWithMessage) {
  Store("MsgAlarm", "1");
  StartInTray();
  Hang();
  sim.Advance(1);  // stale from this tick on
  ASSERT_TRUE(Main().State().stale);
  sim.Advance(59);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  sim.Advance(1);  // a minute of stale readings
  ASSERT_NE(app->StaleWarning(), nullptr);
  EXPECT_TRUE(app->StaleWarning()->Window().Topmost());
  EXPECT_NE(app->StaleWarning()->MessageText().find("not being watched"), std::string::npos);
  // Closed by the user, it stays closed for the rest of the episode.
  app->StaleWarning()->Close();
  sim.Advance(300);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  // The monitor answers: a new episode warns again, and the answer closes it.
  Answer();
  sim.Advance(1);
  Hang();
  sim.Advance(62);
  ASSERT_NE(app->StaleWarning(), nullptr);
  Answer();
  sim.Advance(1);
  EXPECT_EQ(app->StaleWarning(), nullptr);

  // Unticking "Notify with Message" closes an open warning, and without it
  // there is no warning.
  Hang();
  sim.Advance(62);
  ASSERT_NE(app->StaleWarning(), nullptr);
  Main().Get<form::CheckBox>(MainControl::kAlarmMessage).SetValue(0);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  sim.Advance(120);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  Answer();
  sim.Advance(1);
  Hang();
  sim.Advance(120);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  EXPECT_EQ(Main().State().stale, true);
}

// Its readings were never fresh: they are of the first tick, not of midnight.
TEST_F(StaleProgramTest, AMonitorHungWhenTheProgramStartsIsStaleFromTheFirstReading) {
  Store("MsgAlarm", "1");
  Store("Buzzer", "79");
  Hang();
  Start();  // the last thing start-up does is read the monitor
  const std::string first_reading = sim.clock.TimeText(sim.clock.Now());
  EXPECT_TRUE(Main().State().stale);
  sim.Advance(1);
  EXPECT_EQ(Icon().fore, kGrey);
  EXPECT_EQ(std::string(sim.tray.Tip().c_str()),
            "Asus Probe 2 is not responding - readings of " + first_reading);
  sim.Advance(60);
  ASSERT_NE(app->StaleWarning(), nullptr);
  EXPECT_NE(app->StaleWarning()->MessageText().find("The last readings are of " + first_reading),
            std::string::npos)
      << app->StaleWarning()->MessageText();
}

// "Reset Values" while the monitor hangs: the new period's first log entry
// carries no statistics of the old one under its new "Started" time.
TEST_F(StaleProgramTest, AResetOnAStaleTickClearsTheStatisticsTheLogShows) {
  sim.files.CreateFolder(AppFile("Template"));
  sim.files.WriteText(AppFile("Template\\Kelvane.log.plt"),
                      "<p>Started</p><td>*2*</td><td>*3*</td><td>*4*</td><td>*10*</td>", false);
  Store("LogHTML", "1");
  StartInTray();
  monitor.SetCpu("51.0");
  sim.Advance(2);
  TrayCommand("MnuHiLo");
  sim.Advance(1);
  highlow::HighLowDashboard& high_low = *app->HighLow();
  ASSERT_EQ(high_low.Label(4).Caption(), "51" + std::string(kDegree) + "C");

  Hang();
  sim.Advance(1);
  sim.forms.QueueMenuChoice("MnuReset");
  sim.forms.Click(high_low.Window(), &high_low.Label(47), 100, 50, form::button::kRight);
  sim.Advance(2);  // the reset, then the entry that starts the new period
  const std::string html = FileText("Logs\\log.htm").value_or("");
  EXPECT_EQ(html,
            "<p> " + Main().State().started_text + "</p><td></td><td></td><td></td><td></td>\r\n");
}

TEST_F(StaleProgramTest, AMachineThatWasHotWhenItsMonitorFrozeIsStillShutDown) {
  Store("Smoke", "1");
  StartInTray();
  monitor.SetCpu("95.0");
  sim.Advance(2);  // two hot checks while fresh
  Hang();
  sim.Advance(2);
  EXPECT_TRUE(Main().State().stale);
  EXPECT_TRUE(sim.power.Requests().empty());
  sim.Advance(1);  // the fifth hot check, on the last reading
  EXPECT_EQ(sim.power.Requests(), std::vector<std::uint32_t>{14u});
}

}  // namespace
}  // namespace kelvane
