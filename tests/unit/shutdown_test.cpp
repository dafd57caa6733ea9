// A shut-down can run inside any yield: the Exit command, a close request from
// the settings remover, the monitor gone. Whatever the program was doing, it
// ends cleanly: the tray icon goes if it was added, the settings are saved
// once the controls hold what was loaded from the store (and not before), and
// nothing more is done after the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "app/app.h"
#include "base/settings.h"
#include "monitor_fixture.h"

namespace kelvane {
namespace {

using kelvane::testing::SimMonitor;

constexpr char kInstallDir[] = "C:\\Program Files\\ASUS\\Probe";

// Stands in for the other parts of the program and notes what the main window
// asks of them. The alarm check and the log write yield, as a sound or a file
// write does.
struct Recorder {
  explicit Recorder(platform::Loop& loop) : loop(loop) {}
  void Wire(AppContext& main) {
    main.OnControlsLoaded([this] { steps.push_back("mixer"); });
    main.OnTick(TickStage::kCheck, [this] {
      steps.push_back("alarm check");
      loop.YieldToMessages();
    });
    main.OnTick(TickStage::kLog, [this] {
      steps.push_back("log");
      loop.YieldToMessages();
    });
    // The dashboards at start-up, each shown and then a yield.
    main.AddStartStep(start_rank::kHighLow, [this, &main] {
      if (!main.CurrentOptions().high_low_at_start) return;
      steps.push_back("hilo");
      loop.YieldToMessages();
    });
    main.AddStartStep(start_rank::kDigitalDashboard, [this, &main] {
      if (!main.CurrentOptions().digital_dashboard_at_start) return;
      steps.push_back("dash");
      loop.YieldToMessages();
    });
    main.OnTick(TickStage::kShow, [this] {
      steps.push_back("dash visible?");
      steps.push_back("dash show");
    });
    main.OnTick(TickStage::kShow, [this] {
      steps.push_back("hilo visible?");
      steps.push_back("hilo show");
    });
    main.AddCloser(close_rank::kLater, [this] { steps.push_back("close windows"); });
  }
  bool Has(const std::string& step) const {
    return std::find(steps.begin(), steps.end(), step) != steps.end();
  }

  platform::Loop& loop;
  std::vector<std::string> steps;
};

enum class Closer { kRemover, kExitCommand };

// One run of the program on a desktop of its own. The monitor is installed but
// not running; once started it shows its splash window at once, its main
// window at 2.5 s, and drops the splash window at 4.5 s. An earlier run left
// settings in the store, among them both dashboards at start-up and the text
// log.
struct ProgramRun {
  ProgramRun() {
    sim.files.CreateFolder(kInstallDir);
    sim.files.WriteText(std::string(kInstallDir) + "\\AsusProb.exe", "MZ", false);
    sim.registry.SetText("SOFTWARE\\ASUS\\ASUS Probe", "Path",
                         std::string(kInstallDir) + "\\AsusProb.exe");
    sim.shell.OnExecute([this](const sim::SimShell::Request&) {
      platform::WindowId splash =
          sim.desktop.AddTopWindow("TSplashForm", "SplashForm", {300, 200, 600, 400});
      sim.loop.At(2.5, [this] { monitor = std::make_unique<SimMonitor>(sim); });
      sim.loop.At(4.5, [this, splash] { sim.desktop.RemoveWindow(splash); });
      return 42;
    });
    Settings s(sim.store, sim.clock);
    s.WriteText("Smoke", "2");
    s.WriteText("Buzzer", "70");
    s.WriteText("ToggleIcon", "CPU");
    s.WriteText("Log", "1");
    s.WriteFlag("HiLoStrt", true);
    s.WriteFlag("DashSrart", true);
    seeded_writes = sim.store.WriteCount();
    app = std::make_unique<KelvaneApp>(AppServices{sim.Get(), false},
                                       [this](AppContext& main) { recorder.Wire(main); });
  }

  void Close(Closer closer) {
    if (closer == Closer::kRemover)
      app->ApplicationWindow().UserCloseBox();
    else
      app->Main().Exit();
  }
  std::optional<std::string> Stored(const char* key) const {
    return sim.store.Value(kAppName, kSectionName, key);
  }
  long Adds() const {
    const auto& r = sim.tray.Requests();
    return std::count(r.begin(), r.end(), "add");
  }

  // What the program has done so far, counted.
  struct Trace {
    int yields;
    std::size_t clicks, tray_requests, store_writes, shell_requests, boxes, steps, desktop_calls;
    friend bool operator==(const Trace&, const Trace&) = default;
  };
  Trace Now() const {
    return {sim.loop.Yields(),           sim.desktop.Clicks().size(),
            sim.tray.Requests().size(),  static_cast<std::size_t>(sim.store.WriteCount()),
            sim.shell.Requests().size(), sim.loop.MessageBoxes().size(),
            recorder.steps.size(),       sim.desktop.Calls().size()};
  }

  sim::SimPlatform sim;
  Recorder recorder{sim.loop};
  std::unique_ptr<SimMonitor> monitor;
  std::unique_ptr<KelvaneApp> app;
  int seeded_writes = 0;
};

// What a run looks like at the start of one yield.
struct Moment {
  int yield;
  double time;
  bool controls_loaded;
  bool splash;
  bool monitor_topmost;
  bool input_blocked;
  std::size_t clicks;
  bool hilo_opened, dash_opened;
};

std::vector<Moment> StartUpMoments() {
  ProgramRun run;
  std::vector<Moment> moments;
  run.sim.loop.OnYield([&](int n) {
    moments.push_back(
        {n, run.sim.clock.MonotonicSeconds(),
         run.app->Main().Get<form::ListBox>(MainControl::kTrayIconMode).ItemCount() > 0,
         run.sim.desktop.FindTopWindow("TSplashForm", "SplashForm") != 0,
         run.monitor && run.sim.desktop.Topmost(run.monitor->window),
         run.sim.desktop.InputBlocked(), run.sim.desktop.Clicks().size(), run.recorder.Has("hilo"),
         run.recorder.Has("dash")});
  });
  run.app->Start();
  EXPECT_FALSE(run.app->Ended());
  EXPECT_TRUE(run.sim.tray.Shown());
  return moments;
}

TEST(ShutDownDuringStartUp, EndsCleanlyAtEveryStage) {
  struct Stage {
    const char* name;
    std::function<bool(const Moment&)> at;  // the first yield that matches ...
    int shift;                              // ... moved by this many yields
    Closer closer;
    bool saves;      // the controls held what was loaded
    bool icon_seen;  // the icon had been added
  } stages[] = {
      {"the yield after the window is shown", [](const Moment& m) { return m.yield == 1; }, 0,
       Closer::kRemover, false, false},
      {"the pause after starting the monitor", [](const Moment& m) { return m.time >= 1.0; }, 0,
       Closer::kExitCommand, false, false},
      {"the wait for the monitor's window", [](const Moment& m) { return m.time >= 2.2; }, 0,
       Closer::kRemover, false, false},
      {"the pause before the wake-up",
       [](const Moment& m) { return m.controls_loaded && m.time >= 3.0; }, 0, Closer::kRemover,
       true, false},
      {"the wait for the splash window to go",
       [](const Moment& m) { return m.splash && m.time >= 4.0; }, 0, Closer::kExitCommand, true,
       false},
      {"bringing the monitor to the front",
       [](const Moment& m) { return m.time > 4.5 && !m.splash; }, 0, Closer::kRemover, true, false},
      {"the yield before the monitor is made topmost",
       [](const Moment& m) { return m.monitor_topmost; }, -1, Closer::kExitCommand, true, false},
      {"the yield after the monitor is made topmost",
       [](const Moment& m) { return m.monitor_topmost; }, 0, Closer::kRemover, true, false},
      {"the click sequence with input blocked",
       [](const Moment& m) { return m.input_blocked && m.clicks == 0; }, 0, Closer::kRemover, true,
       false},
      {"between two clicks", [](const Moment& m) { return m.clicks == 3; }, 0, Closer::kExitCommand,
       true, false},
      {"the yield after the High/Low window opened", [](const Moment& m) { return m.hilo_opened; },
       0, Closer::kRemover, true, true},
      {"the yield after the Digital Dashboard opened",
       [](const Moment& m) { return m.dash_opened; }, 0, Closer::kExitCommand, true, true},
  };
  const std::vector<Moment> moments = StartUpMoments();
  for (const Stage& stage : stages) {
    SCOPED_TRACE(stage.name);
    auto moment = std::find_if(moments.begin(), moments.end(), stage.at);
    ASSERT_NE(moment, moments.end());
    const int close_at = moment->yield + stage.shift;

    ProgramRun run;
    std::optional<ProgramRun::Trace> at_end;
    run.sim.loop.OnYield([&](int n) {
      if (n != close_at) return;
      run.Close(stage.closer);
      at_end = run.Now();
    });
    run.app->Start();
    ASSERT_TRUE(at_end.has_value());

    EXPECT_TRUE(run.app->Ended());
    EXPECT_FALSE(run.sim.tray.Shown());
    EXPECT_EQ(run.Adds(), stage.icon_seen ? 1 : 0);
    if (stage.saves) {
      EXPECT_EQ(run.Stored("Smoke"), "0");  // a stored 2 is saved as unchecked
      EXPECT_EQ(run.Stored("Buzzer"), "70");
      EXPECT_EQ(run.Stored("ToggleIcon"), "CPU");
      EXPECT_EQ(run.Stored("ClosAsus"), "0");
    } else {
      EXPECT_EQ(run.sim.store.WriteCount(), run.seeded_writes);
      EXPECT_EQ(run.Stored("Smoke"), "2");
    }
    // Nothing after the end: no more waiting, clicking, drawing or saving; the
    // monitor is only put back as it was.
    ProgramRun::Trace after = run.Now();
    const auto& calls = run.sim.desktop.Calls();
    for (std::size_t i = at_end->desktop_calls; i < calls.size(); ++i)
      EXPECT_TRUE(calls[i] == "topmost off" || calls[i] == "block off") << calls[i];
    after.desktop_calls = at_end->desktop_calls;
    EXPECT_EQ(after, *at_end);
    EXPECT_FALSE(run.sim.desktop.InputBlocked());
    if (run.monitor) {
      EXPECT_FALSE(run.sim.desktop.Topmost(run.monitor->window));
    }
    run.sim.Advance(5);
    EXPECT_EQ(run.recorder.steps.size(), at_end->steps);
    EXPECT_EQ(run.sim.tray.Requests().size(), at_end->tray_requests);
  }
}

TEST(ShutDownDuringStartUp, TheMonitorGoneAtTheFirstTickSavesWhatWasLoaded) {
  ProgramRun run;
  // Gone right after the last click, before the tick that start-up runs itself.
  run.sim.loop.OnYield([&](int) {
    if (run.sim.desktop.Clicks().size() == 6 && run.monitor) run.monitor->Close();
  });
  run.app->Start();
  EXPECT_TRUE(run.app->Ended());
  EXPECT_TRUE(run.sim.loop.MessageBoxes().empty());
  EXPECT_EQ(run.Stored("Smoke"), "0");
  EXPECT_EQ(run.Stored("ClosAsus"), "0");
  EXPECT_EQ(run.Adds(), 0);
  EXPECT_FALSE(run.recorder.Has("hilo"));
  EXPECT_FALSE(run.recorder.Has("dash"));
}

TEST(ShutDownInsideATick, EndsThatTickWithNothingCountedOrShownAfterwards) {
  struct Case {
    const char* name;
    int ticks_before;  // timer ticks before the one that yields
    const char* yielding_step;
    Closer closer;
  } cases[] = {
      // Ticks start with 0, 1, 2 samples: the log is written at 1, alarms run from 2.
      {"a log write", 1, "log", Closer::kRemover},
      {"an alarm sound", 2, "alarm check", Closer::kExitCommand},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramRun run;
    run.app->Start();
    ASSERT_FALSE(run.app->Ended());
    run.sim.Advance(c.ticks_before);
    const double samples = run.app->Main().State().sample_count;
    std::optional<ProgramRun::Trace> at_end;
    const int next = run.sim.loop.Yields() + 1;
    run.sim.loop.OnYield([&](int n) {
      if (n != next) return;
      EXPECT_EQ(run.recorder.steps.back(), c.yielding_step);
      run.Close(c.closer);
      at_end = run.Now();
    });
    run.sim.Advance(1);
    ASSERT_TRUE(at_end.has_value());
    EXPECT_TRUE(run.app->Ended());
    EXPECT_FALSE(run.sim.tray.Shown());
    EXPECT_EQ(run.Stored("Smoke"), "0");
    // The suspended tick ends as it resumes: no sample counted, no dashboard
    // asked, no icon drawn.
    EXPECT_EQ(run.app->Main().State().sample_count, samples);
    EXPECT_EQ(run.Now(), *at_end);
    run.sim.Advance(5);
    EXPECT_EQ(run.Now(), *at_end);
  }
}

}  // namespace
}  // namespace kelvane
