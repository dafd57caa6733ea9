// Finding the monitor's folder and waking its window.
#include "probe/discovery.h"

#include <gtest/gtest.h>

#include "monitor_fixture.h"

namespace kelvane::probe {
namespace {

using kelvane::testing::SimMonitor;

TEST(FindInstallFolder, ReducesTheInstallRecordToAnExistingProgramsFolder) {
  struct Case {
    const char* record;
    const char* expected;
  } cases[] = {
      {"C:\\Program Files\\Probe\\AsusProb.exe", "C:\\Program Files\\Probe"},
      {"\"C:\\Program Files\\Probe\\AsusProb.exe\"", "C:\\Program Files\\Probe"},
      {"  \"C:\\Program Files\\Probe\\AsusProb.exe\"   ", "C:\\Program Files\\Probe"},
      {"\"C:\\Program Files\\Probe\\AsusProb.exe  \"", "C:\\Program Files\\Probe"},
      {"C:\\Program Files\\Probe\\Missing.exe", ""},  // names no existing file
      {"C:\\Program Files\\Probe", ""},               // a folder, not the program file
      {"\"C:\\Program Files\\Probe\\\"", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    sim::SimPlatform sim;
    sim.files.CreateFolder("C:\\Program Files\\Probe");
    sim.files.WriteText("C:\\Program Files\\Probe\\AsusProb.exe", "MZ", false);
    if (*c.record) sim.registry.SetText(kInstallKey, kInstallValue, c.record);
    EXPECT_EQ(FindInstallFolder(sim.registry, sim.files), c.expected) << c.record;
  }
}

TEST(FindInstallFolder, NeedsABackslashBeyondTheSecondCharacter) {
  struct Case {
    const char* file;
    const char* expected;
  } cases[] = {{"AsusProb.exe", ""},
               {"\\AsusProb.exe", ""},
               {"C\\AsusProb.exe", ""},
               {"C:\\AsusProb.exe", "C:"}};
  for (const Case& c : cases) {
    sim::SimPlatform sim;
    sim.files.CreateFolder("C");
    sim.files.WriteText(c.file, "MZ", false);
    ASSERT_TRUE(sim.files.Exists(c.file)) << c.file;
    sim.registry.SetText(kInstallKey, kInstallValue, c.file);
    EXPECT_EQ(FindInstallFolder(sim.registry, sim.files), c.expected) << c.file;
  }
}

class WakeTest : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  std::string path = "C:\\Probe";
};

TEST_F(WakeTest, BringsTheMonitorToTheFrontThenClicksThroughIt) {
  SimMonitor monitor(sim);
  EXPECT_TRUE(WakeProbe(sim.Get(), monitor.window, path));
  EXPECT_EQ(path, "C:\\Probe");
  EXPECT_EQ(sim.desktop.Clicks().size(), 6u);
  const std::vector<std::string> expected_start{"show 5", "show 1", "foreground", "topmost on",
                                                "show 5", "show 1", "block on"};
  std::vector<std::string> calls(sim.desktop.Calls().begin(), sim.desktop.Calls().begin() + 7);
  EXPECT_EQ(calls, expected_start);
  EXPECT_FALSE(sim.desktop.Topmost(monitor.window));
}

TEST_F(WakeTest, AMonitorAlreadyInFrontIsNotShownAgainBeforeTopmost) {
  SimMonitor monitor(sim);
  sim.desktop.SetForeground(monitor.window);
  std::size_t before = sim.desktop.Calls().size();
  EXPECT_TRUE(WakeProbe(sim.Get(), monitor.window, path));
  EXPECT_EQ(sim.desktop.Calls()[before], "topmost on");
}

TEST_F(WakeTest, WaitsForTheSplashWindowToGo) {
  SimMonitor monitor(sim);
  platform::WindowId splash = sim.desktop.AddTopWindow("TSplashForm", "SplashForm", {});
  sim.loop.At(3.0, [&] { sim.desktop.RemoveWindow(splash); });
  EXPECT_TRUE(WakeProbe(sim.Get(), monitor.window, path));
  EXPECT_GE(sim.clock.MonotonicSeconds(), 3.0);
}

TEST_F(WakeTest, AWindowPartlyOffScreenIsNotSupported) {
  SimMonitor monitor(sim, SimMonitor::Typical(), {-4, 0, 636, 360});
  EXPECT_FALSE(WakeProbe(sim.Get(), monitor.window, path));
  EXPECT_EQ(path, "notsupported");
  EXPECT_TRUE(sim.desktop.Clicks().empty());
  EXPECT_FALSE(sim.desktop.Topmost(monitor.window));
}

TEST(WakeProbeOnScreenTest, NeedsTheTopLeftCornerOnScreenToTheLastPixel) {
  struct Case {
    int left, top;
    bool supported;
  } cases[] = {{0, 0, true}, {-1, 0, false}, {0, -1, false}, {-1, -1, false}, {1, 1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.left << "," << c.top);
    sim::SimPlatform sim;
    SimMonitor monitor(sim, SimMonitor::Typical(), {c.left, c.top, c.left + 640, c.top + 360});
    std::string path = "C:\\Probe";
    EXPECT_EQ(WakeProbe(sim.Get(), monitor.window, path), c.supported);
    EXPECT_EQ(path, c.supported ? "C:\\Probe" : "notsupported");
    EXPECT_EQ(sim.desktop.Clicks().size(), c.supported ? 6u : 0u);
  }
}

TEST_F(WakeTest, AWindowThatNeverComesToTheFrontGivesUpAfterFifteenSeconds) {
  SimMonitor monitor(sim);
  sim.desktop.RefuseForeground(monitor.window);
  EXPECT_FALSE(WakeProbe(sim.Get(), monitor.window, path));
  EXPECT_EQ(path, "notsupported");
  EXPECT_GE(sim.clock.MonotonicSeconds(), 15.0);
  EXPECT_LT(sim.clock.MonotonicSeconds(), 15.1);
  EXPECT_TRUE(sim.desktop.Clicks().empty());
}

}  // namespace
}  // namespace kelvane::probe
