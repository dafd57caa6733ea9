// The poll cycle as a user meets it: a monitor on the desktop, time passing,
// the tray, alarms, logs and dashboards fed in order.
#include "app/poll.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>
#include <optional>

#include "monitor_fixture.h"
#include "platform/calendar.h"
#include "tray/tray_icon.h"

namespace kelvane {
namespace {

using kelvane::testing::SimMonitor;

// Records what each consumer receives, and when; `inside` runs in each call,
// as the messages a consumer's yield handles.
struct RecordingHost : PollHost {
  explicit RecordingHost(ProbeState& state) : state(state) {}
  // The consumers of each stage, as the program's parts would register them.
  void Register(PollCycle& cycle, platform::Clock& clock) {
    // The tray icon, as the main window draws it.
    cycle.Register(TickStage::kTray, [this] {
      Called("icon mode");
      const bool mb = turn.NextIsMotherboard(icon_mode == "CPU & MB");
      const std::int16_t value = mb ? state.reading.mb_temp : state.reading.cpu_temp;
      tray.push_back((mb ? "MB " : "CPU ") + std::to_string(value));
      tips.push_back(state.reading.tip_text);
      Called("tray");
    });
    cycle.Register(TickStage::kCheck, [this] {
      chk_at_count.push_back(state.sample_count);
      if (during_chk) during_chk();
      Called("alarms");
    });
    cycle.Register(TickStage::kReset, [this] {
      events.push_back("tip " + state.started_text);
      Called("reset tip");
    });
    cycle.Register(TickStage::kReset, [this] {
      events.push_back("text 00:00:00");
      Called("reset text");
    });
    cycle.Register(TickStage::kLog, [this] {
      makelog_at_count.push_back(state.sample_count);
      if (during_log) during_log();
      Called("log");
    });
    cycle.Register(TickStage::kShow, [this] {
      Called("dash visible?");
      if (!dash_visible) return;
      dash_cpu = StatText(state.statistics, Meter::kCpuTemp, Column::kCurrent, ".");
      Called("dash");
    });
    cycle.Register(TickStage::kShow, [this, &clock] {
      Called("hilo visible?");
      if (!hilo_visible) return;
      hilo_avg = StatText(state.statistics, Meter::kCpuTemp, Column::kAverage, ".");
      hilo_elapsed = ElapsedText(state.start_time, clock.Now());
      Called("hilo");
    });
  }
  void RebuildTrayIcon() override {
    events.push_back("rebuild");
    Called("rebuild");
  }
  bool LogsOn() override {
    Called("logs on?");
    return logs_on;
  }
  int LogIntervalMinutes() override {
    Called("log interval");
    return log_interval;
  }
  void CloseMainWindow() override {
    ++closes;
    if (on_close) on_close();
  }
  void Called(const std::string& what) {
    calls.push_back(what);
    if (inside) inside(what);
  }

  ProbeState& state;
  tray::TemperatureTurn turn;
  std::string icon_mode = "CPU & MB";
  bool logs_on = false, dash_visible = false, hilo_visible = false;
  int log_interval = 15, closes = 0;
  std::vector<std::string> tray, tips, events;
  std::vector<double> chk_at_count, makelog_at_count;
  std::string dash_cpu, hilo_avg, hilo_elapsed;
  std::function<void()> during_chk, during_log, on_close;
  std::vector<std::string> calls;
  std::function<void(const std::string&)> inside;
};

class PollTest : public ::testing::Test {
 protected:
  // A statistic by its place among the 36 the windows and the HTML log show:
  // four columns (current, average, lowest, highest) per meter, in the user's
  // decimal separator.
  std::string Slot(int n) {
    return StatText(state.statistics, static_cast<Meter>((n - 1) / 4),
                    static_cast<Column>((n - 1) % 4), sim.clock.DecimalSeparator());
  }
  // Start-up as the program does it: one tick directly, then the timer.
  void StartUp() {
    cycle->SetProbeWindow(monitor.window);
    cycle->Tick();
    cycle->StartPolling();
  }
  sim::SimPlatform sim;
  SimMonitor monitor{sim};
  ProbeState state;
  RecordingHost host{state};
  // The main window that owns the cycle in the program.
  form::WindowHandler owner_handler;
  std::unique_ptr<form::Window> owner =
      std::make_unique<form::Window>(sim.Get(), owner_handler, "MainWindow");
  std::unique_ptr<PollCycle> cycle = [this] {
    auto made = std::make_unique<PollCycle>(sim.Get(), host, state, owner->Life());
    host.Register(*made, sim.clock);
    return made;
  }();
};

TEST_F(PollTest, FiveSecondsOfAConstantReadingMakeTheStatistics) {
  StartUp();
  sim.Advance(5);
  EXPECT_EQ(state.sample_count, 5);
  EXPECT_EQ(Slot(1),
            "45\xC2\xB0"
            "C");
  EXPECT_EQ(Slot(2), "45.0");
  EXPECT_EQ(Slot(3),
            "45\xC2\xB0"
            "C");
  EXPECT_EQ(Slot(4),
            "45\xC2\xB0"
            "C");
  EXPECT_EQ(Slot(5),
            "31\xC2\xB0"
            "C");
  EXPECT_EQ(Slot(9), "4560");
  EXPECT_EQ(Slot(10), "4560");
  EXPECT_EQ(Slot(13), "3213");
  EXPECT_EQ(Slot(17), "2700");
  EXPECT_EQ(Slot(21), "12.16");
  EXPECT_EQ(Slot(22), "12.16");
  EXPECT_EQ(Slot(25), "5.053");
  EXPECT_EQ(Slot(26), "5.053");
  EXPECT_EQ(Slot(29), "3.312");
  EXPECT_EQ(Slot(33), "1.520");
  EXPECT_EQ(Slot(34), "1.520");
  EXPECT_EQ(Slot(35), "1.52");
}

TEST_F(PollTest, TheFirstTickIsUncountedAndTheSecondResetsAndCountsItsSample) {
  StartUp();
  EXPECT_EQ(state.sample_count, 0);
  EXPECT_TRUE(Slot(1).empty());
  EXPECT_TRUE(host.events.empty());
  monitor.SetCpu("50");
  sim.Advance(1);
  EXPECT_EQ(state.sample_count, 1);
  EXPECT_EQ(Slot(2), "50.0");
  ASSERT_EQ(host.events.size(), 2u);
  EXPECT_EQ(host.events[0], "tip Started: 12/7/2026 9:00:01 AM");
  EXPECT_EQ(host.events[1], "text 00:00:00");
  EXPECT_EQ(state.started_text, "Started: 12/7/2026 9:00:01 AM");
}

TEST_F(PollTest, AResetRequestStartsANewPeriodAndPausesTheAlarmsForTwoTicks) {
  StartUp();
  sim.Advance(4);
  // Ticks start with sample_count 0, 1, 2, 3: alarms from the one starting at 2.
  EXPECT_EQ(host.chk_at_count, (std::vector<double>{2, 3}));
  monitor.SetCpu("60");
  state.sample_count = 0;
  host.chk_at_count.clear();
  sim.Advance(3);
  EXPECT_EQ(host.chk_at_count, (std::vector<double>{2}));
  EXPECT_EQ(Slot(3),
            "60\xC2\xB0"
            "C");  // the old lower minimum is gone
  EXPECT_EQ(Slot(2), "60.0");
}

TEST_F(PollTest, StatisticsKeepTheLowestHighestAndAverageOfReadingsThatVary) {
  StartUp();  // uncounted
  // VCore, +5 V, +3.3 V, +12 V, CPU, chassis fan, power fan, CPU fan, MB.
  const SimMonitor::Readings ticks[] = {
      {"1.520", "5.053", "3.312", "12.16", "45", "2700", "3213", "4560", "31"},
      {"1.488", "5.081", "3.296", "12.24", "52", "2650", "3180", "4800", "33"},
      {"1.552", "4.972", "3.344", "11.98", "38", "2720", "3250", "4320", "29"},
      {"1.504", "5.014", "3.280", "12.02", "47", "2680", "3195", "4410", "30"},
  };
  for (const auto& readings : ticks) {
    monitor.Set(readings);
    sim.Advance(1);
  }
  ASSERT_EQ(state.sample_count, 4);
  const std::string c =
      "\xC2\xB0"
      "C";
  // Current, average, lowest, highest; averages rounded half away from zero.
  const std::array<std::string, 37> expected{"",       "47" + c, "45.5",   "38" + c,
                                             "52" + c,                                // CPU
                                             "30" + c, "30.8",   "29" + c, "33" + c,  // motherboard
                                             "4410",   "4523",   "4320",   "4800",    // CPU fan
                                             "3195",   "3210",   "3180",   "3250",    // power fan
                                             "2680",   "2688",   "2650",   "2720",    // chassis fan
                                             "12.02",  "12.10",  "11.98",  "12.24",   // +12 V
                                             "5.014",  "5.030",  "4.972",  "5.081",   // +5 V
                                             "3.28",   "3.308",  "3.28",   "3.344",   // +3.3 V
                                             "1.504",  "1.516",  "1.488",  "1.552"};  // VCore
  for (int slot = 1; slot <= 36; ++slot) EXPECT_EQ(Slot(slot), expected[slot]) << slot;
}

TEST_F(PollTest, TheIconAlternatesStartingWithTheMotherboard) {
  StartUp();
  sim.Advance(3);
  EXPECT_EQ(host.tray, (std::vector<std::string>{"MB 31", "CPU 45", "MB 31", "CPU 45"}));
  host.icon_mode = "CPU";
  host.tray.clear();
  sim.Advance(2);
  EXPECT_EQ(host.tray, (std::vector<std::string>{"CPU 45", "CPU 45"}));
  // The tip handed to the tray is this tick's.
  monitor.SetCpu("47");
  sim.Advance(1);
  EXPECT_EQ(host.tips.back().substr(0, 10),
            "CPU:47\xC2\xB0"
            "C ");
}

TEST_F(PollTest, TheFirstLogEntryIsWrittenOnTheTickWhereOneSampleIsCounted) {
  host.logs_on = true;
  StartUp();
  sim.Advance(4);
  EXPECT_EQ(host.makelog_at_count, (std::vector<double>{1}));
  host.logs_on = false;
  state.sample_count = 0;
  sim.Advance(3);
  EXPECT_EQ(host.makelog_at_count.size(), 1u);
}

TEST_F(PollTest, ARebuildRequestIsServedOnceAtTheNextTick) {
  StartUp();
  cycle->RequestTrayIconRebuild();
  sim.Advance(2);
  EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "rebuild"), 1);
}

TEST_F(PollTest, DashboardsGetTheirTextsOnlyWhileVisible) {
  StartUp();
  sim.Advance(2);
  EXPECT_TRUE(host.dash_cpu.empty());
  EXPECT_TRUE(host.hilo_elapsed.empty());
  host.dash_visible = host.hilo_visible = true;
  sim.Advance(62);
  EXPECT_EQ(host.dash_cpu,
            "45\xC2\xB0"
            "C");
  EXPECT_EQ(host.hilo_avg, "45.0");
  EXPECT_EQ(host.hilo_elapsed, "Day:0  00:01:03");
}

TEST_F(PollTest, ACommaLocaleShowsReadingsAndAveragesWithAComma) {
  sim.clock.SetLocale(sim::Locale::German());
  monitor.Set({"1,520", "5,053", "3,312", "12,16", "45,5", "0", "3213", "4560", "31"});
  StartUp();
  sim.Advance(2);
  EXPECT_EQ(Slot(21), "12,16");
  EXPECT_EQ(Slot(22), "12,16");
  EXPECT_EQ(Slot(2), "46,0");
  EXPECT_EQ(Slot(26), "5,053");
  EXPECT_EQ(Slot(25), "5,053");
  EXPECT_EQ(Slot(33), "1.520");  // the monitor's own text, commas already points
  EXPECT_EQ(state.started_text, "Started: 07.12.2026 09:00:01");
}

TEST_F(PollTest, AFanThatReadsZeroHasAnEmptyAverageAndAZeroMaximum) {
  monitor.Set({"1.5", "5", "3.3", "12", "45", "", "3213", "4560", "31"});
  StartUp();
  sim.Advance(3);
  EXPECT_EQ(Slot(17), "0");
  EXPECT_EQ(Slot(18), "");
  EXPECT_EQ(Slot(19), "0");
  EXPECT_EQ(Slot(20), "0");
}

TEST_F(PollTest, AFanAbove32767RpmIsShownAsRead) {
  monitor.Set({"1.5", "5", "3.3", "12", "45", "40000", "3213", "4560", "31"});
  StartUp();
  sim.Advance(2);
  EXPECT_EQ(Slot(17), "40000");
  EXPECT_EQ(Slot(18), "40000");
  EXPECT_EQ(Slot(20), "40000");
}

TEST(ProbeStatsLimits, SumsOfManyDaysDoNotWrap) {
  ProbeStats stats;
  stats.Reset();
  TickValues v;
  v.cpu_fan = 5000;
  v.v12 = 12.0f;
  const int ticks = 600000;  // about a week at one tick a second
  for (int i = 0; i < ticks; ++i) stats.Add(v);
  EXPECT_EQ(stats.cpu_fan.sum, 5000LL * ticks);
  EXPECT_GT(stats.cpu_fan.sum, std::numeric_limits<std::int32_t>::max());
  EXPECT_NEAR(stats.v12.sum / ticks, 12.0, 1e-9);
}

TEST_F(PollTest, TheMonitorGoneStopsPollingAndClosesTheProgram) {
  StartUp();
  sim.Advance(2);
  monitor.Close();
  sim.Advance(1);
  EXPECT_EQ(host.closes, 1);
  EXPECT_FALSE(cycle->Polling());
  EXPECT_FALSE(cycle->Busy());
  sim.Advance(5);
  EXPECT_EQ(host.closes, 1);
}

TEST_F(PollTest, ANestedTickWhileBusyEndsAtOnce) {
  StartUp();
  sim.Advance(3);
  int samples_before = static_cast<int>(state.sample_count);
  // An alarm that yields for two seconds, as a wave playback does.
  host.during_chk = [&] {
    host.during_chk = nullptr;
    sim.Advance(2);
  };
  sim.Advance(1);
  // The two nested ticks counted nothing; only the outer one did.
  EXPECT_EQ(state.sample_count, samples_before + 1);
  EXPECT_FALSE(cycle->Busy());
}

TEST_F(PollTest, TheMonitorGoneDuringANestedTickEndsTheOuterTickUntouched) {
  StartUp();
  sim.Advance(3);
  bool dash_after_close = false;
  host.dash_visible = true;
  host.during_chk = [&] {
    host.during_chk = nullptr;
    monitor.Close();
    sim.Advance(1);  // the nested tick finds the monitor gone
    host.dash_cpu.clear();
  };
  // The shut-down releases the main window with its cycle while the outer
  // tick is suspended.
  host.on_close = [&] {
    cycle.reset();
    owner.reset();
  };
  sim.Advance(1);
  if (!host.dash_cpu.empty()) dash_after_close = true;
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(cycle, nullptr);
  EXPECT_FALSE(dash_after_close);
  double count = state.sample_count;
  sim.Advance(3);  // no timer left to fire
  EXPECT_EQ(state.sample_count, count);
}

TEST_F(PollTest, AShutDownThatKeepsTheCycleStillStopsTheOuterTick) {
  StartUp();
  sim.Advance(3);
  double count = state.sample_count;
  host.logs_on = true;
  state.sample_count = 1;
  count = 1;
  host.during_log = [&] {
    host.during_log = nullptr;
    monitor.Close();
    sim.Advance(1);
  };
  sim.Advance(1);
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(state.sample_count, count);  // the outer tick counted nothing after the close
  EXPECT_FALSE(cycle->Busy());
}

// A shut-down inside any consumer (each may yield), whether it keeps the cycle
// or releases it: the suspended tick asks nothing more and counts nothing.
TEST(PollShutDown, AShutDownInsideAnyConsumerEndsTheTick) {
  struct Case {
    const char* consumer;
    double samples_at_start;  // what the tick finds
  } cases[] = {{"rebuild", 3}, {"tray", 3}, {"alarms", 3}, {"reset tip", 0},      {"reset text", 0},
               {"log", 1},     {"dash", 3}, {"hilo", 3},   {"log timer's log", 3}};
  for (bool release : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.consumer) + (release ? ", cycle released" : ", cycle kept"));
      sim::SimPlatform sim;
      SimMonitor monitor(sim);
      ProbeState state;
      RecordingHost host(state);
      // The main window that owns the cycle: released, both go.
      form::WindowHandler owner_handler;
      auto owner = std::make_unique<form::Window>(sim.Get(), owner_handler, "MainWindow");
      auto cycle = std::make_unique<PollCycle>(sim.Get(), host, state, owner->Life());
      host.Register(*cycle, sim.clock);
      cycle->SetProbeWindow(monitor.window);
      cycle->Tick();
      cycle->StartPolling();
      const bool log_timer = std::string(c.consumer) == "log timer's log";
      const std::string consumer = log_timer ? "log" : c.consumer;
      if (log_timer) {
        cycle->StopPolling();
        host.log_interval = 1;
        cycle->ReloadLogCountdown();
        cycle->SetLogTimer(true);
      }
      state.sample_count = c.samples_at_start;
      host.logs_on = consumer == "log";
      host.dash_visible = host.hilo_visible = true;
      if (consumer == "rebuild") cycle->RequestTrayIconRebuild();

      std::optional<std::size_t> calls_at_end;
      double samples_at_end = 0;
      host.inside = [&](const std::string& what) {
        if (what != consumer || calls_at_end) return;
        // What the main window's unload does with the cycle.
        if (release) {
          cycle.reset();
          owner.reset();
        } else {
          cycle->Shutdown();
          cycle->ClearBusy();
        }
        calls_at_end = host.calls.size();
        samples_at_end = state.sample_count;
      };
      sim.Advance(log_timer ? 60 : 1);
      ASSERT_TRUE(calls_at_end.has_value());
      EXPECT_EQ(std::vector<std::string>(host.calls.begin() + *calls_at_end, host.calls.end()),
                std::vector<std::string>{});
      EXPECT_EQ(state.sample_count, samples_at_end);
      sim.Advance(120);
      EXPECT_EQ(host.calls.size(), *calls_at_end);
    }
  }
}

TEST_F(PollTest, TheLogTimerCountsMinutesDownToTheNextEntry) {
  host.log_interval = 3;
  cycle->ReloadLogCountdown();
  cycle->SetLogTimer(true);
  EXPECT_TRUE(cycle->LogTimerRunning());
  sim.Advance(60 * 2);
  EXPECT_TRUE(host.makelog_at_count.empty());
  EXPECT_EQ(cycle->LogCountdown(), 1);
  sim.Advance(60);
  EXPECT_EQ(host.makelog_at_count.size(), 1u);
  EXPECT_EQ(cycle->LogCountdown(), 3);
  host.log_interval = 1;
  cycle->ReloadLogCountdown();
  sim.Advance(60);
  EXPECT_EQ(host.makelog_at_count.size(), 2u);
  cycle->SetLogTimer(false);
  sim.Advance(600);
  EXPECT_EQ(host.makelog_at_count.size(), 2u);
}

TEST(ElapsedText, CountsWholeDaysThenHoursMinutesSecondsOfTwoDigits) {
  struct Case {
    std::int64_t seconds;
    const char* expected;
  } cases[] = {{0, "Day:0  00:00:00"},     {59, "Day:0  00:00:59"},
               {93784, "Day:1  02:03:04"}, {86399, "Day:0  23:59:59"},
               {86400, "Day:1  00:00:00"}, {3600 * 24 * 12 + 61, "Day:12  00:01:01"}};
  platform::DateTime start{2026, 12, 31, 23, 59, 30};
  for (const Case& c : cases)
    EXPECT_EQ(ElapsedText(start, AddSeconds(start, c.seconds)), c.expected) << c.seconds;
}

}  // namespace
}  // namespace kelvane
