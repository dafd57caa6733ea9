// A monitor that stops answering: when its readings count as stale, and what
// the program shows and keeps doing meanwhile.
#include <gtest/gtest.h>

#include "alarms/stale_warning.h"
#include "base/text.h"
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

TEST_F(FreshnessTest, AHangTheSystemDoesNotReportIsFoundByTheMinutesPing) {
  EXPECT_FALSE(Tick(0));
  sim.desktop.SetHung(monitor_window, true, /*known=*/false);
  for (int t = 1; t < 60; ++t) ASSERT_FALSE(Tick(t)) << t;
  EXPECT_TRUE(Tick(60));  // a minute of the same readings, and no answer
  EXPECT_EQ(sim.desktop.Pings(), 1);
  for (int t = 61; t < 120; ++t) ASSERT_TRUE(Tick(t)) << t;
  EXPECT_EQ(sim.desktop.Pings(), 1);  // stale without a ping on every tick
  // It answers again: fresh at the next ping.
  sim.desktop.SetHung(monitor_window, false);
  EXPECT_FALSE(Tick(120));
  EXPECT_EQ(sim.desktop.Pings(), 2);
  // A reading that changes is fresh without waiting for a ping.
  sim.desktop.SetHung(monitor_window, true, false);
  for (int t = 121; t <= 181; ++t) Tick(t);
  EXPECT_TRUE(Tick(182));
  EXPECT_FALSE(Tick(183, "47.0"));
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

  Hang();
  monitor.SetCpu("20.0");  // what a frozen window might hold: never counted
  sim.Advance(30);
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
  sim.Advance(58);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  sim.Advance(4);
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

  // Without "Notify with Message" there is no warning.
  Main().Get<form::CheckBox>(MainControl::kAlarmMessage).SetValue(0);
  Hang();
  sim.Advance(120);
  EXPECT_EQ(app->StaleWarning(), nullptr);
  EXPECT_EQ(Main().State().stale, true);
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
