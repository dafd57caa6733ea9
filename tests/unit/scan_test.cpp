// Reading the monitor's window and clicking through it.
#include "probe/scan.h"

#include <gtest/gtest.h>

#include "monitor_fixture.h"

namespace kelvane::probe {
namespace {

using kelvane::testing::SimMonitor;
using platform::Point;

class ScanTest : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  ProbeReading reading;
};

TEST_F(ScanTest, FillsTheMarkerAndTheNineReadingsInOrder) {
  SimMonitor monitor(sim);
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  const char* expected[] = {"",       "Monito", "1.520 ", "5.053 ", "3.312 ", "12.16 ",
                            "45.0  ", "2700  ", "3213  ", "4560  ", "31.0  "};
  for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(reading.texts[slot], expected[slot]) << slot;
  EXPECT_EQ(reading.texts[0], "      ");  // never written
}

TEST_F(ScanTest, ReplacesCommasAndCutsOrPadsToSixCharacters) {
  SimMonitor monitor(sim, {"1,52", "5,053", "3200 rpm", "12,16",
                           "45\xC2\xB0"
                           "C",
                           "", "", "", "101.5"});
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  EXPECT_EQ(reading.texts[kVCoreSlot], "1.52  ");
  EXPECT_EQ(reading.texts[kV5Slot], "5.053 ");
  EXPECT_EQ(reading.texts[kV33Slot], "3200 r");
  EXPECT_EQ(reading.texts[kV12Slot], "12.16 ");
  EXPECT_EQ(reading.texts[kCpuTempSlot],
            "45\xC2\xB0"
            "C  ");
  EXPECT_EQ(reading.texts[kChassisFanSlot], "      ");
}

TEST_F(ScanTest, StopsAfterTheTenthSlot) {
  SimMonitor monitor(sim);
  // Three more windows after the nine readings, one of them a second marker.
  platform::WindowId extra = sim.desktop.AddChild(monitor.marker, "99.9");
  sim.desktop.AddChild(monitor.marker, "MonitorForm");
  sim.desktop.AddChild(monitor.marker, "77");
  int visited_after_tenth = 0;
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  EXPECT_EQ(reading.texts[kMbTempSlot], "31.0  ");
  // The enumeration ended at the tenth slot: nothing after it was even read.
  sim.desktop.EnumDescendants(monitor.window, [&](platform::WindowId w) {
    if (w == extra) ++visited_after_tenth;
    return true;
  });
  EXPECT_EQ(visited_after_tenth, 1);  // reachable, yet never stored
  for (int slot = 1; slot <= 10; ++slot) EXPECT_NE(reading.texts[slot], "99.9  ");
}

TEST_F(ScanTest, FewerWindowsLeaveTheLaterSlotsAsTheyWere) {
  SimMonitor monitor(sim);
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  for (int i = 5; i < 9; ++i) sim.desktop.RemoveWindow(monitor.children[i]);
  sim.desktop.SetText(monitor.children[0], "1.600");
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  EXPECT_EQ(reading.texts[kVCoreSlot], "1.600 ");
  EXPECT_EQ(reading.texts[kCpuTempSlot], "45.0  ");
  EXPECT_EQ(reading.texts[kChassisFanSlot], "2700  ");  // stale, kept
  EXPECT_EQ(reading.texts[kMbTempSlot], "31.0  ");
}

TEST_F(ScanTest, TheMarkerIsMatchedExactlyAndCaseSensitively) {
  for (const char* not_marker :
       {"monitorform", "MONITORFORM", "MonitorForm ", " MonitorForm", "MonitorFormX"}) {
    sim::SimPlatform local;
    SimMonitor monitor(local);
    local.desktop.SetText(monitor.marker, not_marker);
    ProbeReading r;
    ScanProbeWindow(local.desktop, monitor.window, r);
    for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(r.texts[slot], "      ") << not_marker;
  }
}

TEST_F(ScanTest, SeesAtMost254CharactersAndStopsAtANul) {
  SimMonitor monitor(sim);
  // The marker text padded beyond the buffer is no longer the marker...
  sim.desktop.SetText(monitor.marker, "MonitorForm" + std::string(300, ' '));
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  EXPECT_EQ(reading.texts[kMarkerSlot], "      ");
  // ...but one followed by a NUL is.
  sim.desktop.SetText(monitor.marker, std::string("MonitorForm\0junk", 16));
  sim.desktop.SetText(monitor.children[0], std::string("1.5\0"
                                                       "999",
                                                       7));
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  EXPECT_EQ(reading.texts[kMarkerSlot], "Monito");
  EXPECT_EQ(reading.texts[kVCoreSlot], "1.5   ");
  // A marker found only at character 255 is out of sight.
  EXPECT_EQ(sim.desktop.WindowText(monitor.children[1], kTextBufferChars).size(), 5u);
  sim.desktop.SetText(monitor.children[1], std::string(254, 'x') + "Y");
  EXPECT_EQ(sim.desktop.WindowText(monitor.children[1], kTextBufferChars), std::string(254, 'x'));
}

TEST_F(ScanTest, AReopenedMonitorWindowIsNotScannedThroughTheOldHandle) {
  SimMonitor monitor(sim);
  ScanProbeWindow(sim.desktop, monitor.window, reading);
  platform::WindowId old = monitor.window;
  monitor.Close();
  SimMonitor again(sim, {"9", "9", "9", "9", "99", "9", "9", "9", "99"});
  ScanProbeWindow(sim.desktop, old, reading);
  EXPECT_EQ(reading.texts[kCpuTempSlot], "45.0  ");
}

// --- The click sequence ------------------------------------------------------

class ClickSequenceTest : public ::testing::Test {
 protected:
  std::vector<Point> ClickOffsets(const SimMonitor& m) {
    platform::Rect r = *sim.desktop.WindowRect(m.window);
    std::vector<Point> out;
    for (const auto& c : sim.desktop.Clicks()) out.push_back({c.at.x - r.left, c.at.y - r.top});
    return out;
  }
  sim::SimPlatform sim;
};

TEST_F(ClickSequenceTest, ClicksTheSixPlacesInOrderWithInputBlocked) {
  SimMonitor monitor(sim);
  sim.desktop.SetTopmost(monitor.window, true);
  sim.desktop.SetCursorPos({900, 700});
  ClickWakeSequence(sim.desktop, sim.loop, sim.clock, monitor.window);

  std::vector<Point> expected{{150, 52}, {220, 100}, {290, 100}, {360, 100}, {150, 100}, {555, 15}};
  EXPECT_EQ(ClickOffsets(monitor), expected);
  for (const auto& c : sim.desktop.Clicks()) EXPECT_TRUE(c.input_blocked);
  EXPECT_EQ(sim.desktop.CursorPos(), (Point{900, 700}));
  EXPECT_FALSE(sim.desktop.InputBlocked());
  EXPECT_FALSE(sim.desktop.Topmost(monitor.window));
  // Normal again before input is let through, and the pointer is put back last.
  const auto& calls = sim.desktop.Calls();
  auto at = [&](const char* what) { return std::find(calls.begin(), calls.end(), what); };
  EXPECT_LT(at("block on"), at("topmost off"));
  EXPECT_LT(at("topmost off"), at("block off"));
}

TEST_F(ClickSequenceTest, PausesAfterTheThreeRowClicks) {
  SimMonitor monitor(sim);
  std::vector<double> times;
  sim.desktop.OnClick([&](Point) { times.push_back(sim.clock.MonotonicSeconds()); });
  ClickWakeSequence(sim.desktop, sim.loop, sim.clock, monitor.window);
  ASSERT_EQ(times.size(), 6u);
  for (int i : {1, 2, 3}) EXPECT_GE(times[i + 1] - times[i], 0.01) << i;
  EXPECT_LT(times[1] - times[0], 0.01);
}

TEST_F(ClickSequenceTest, AMonitorThatVanishesMidwayStopsTheClicksAndRestoresEverything) {
  SimMonitor monitor(sim);
  sim.desktop.SetCursorPos({10, 20});
  sim.desktop.OnClick([&](Point) {
    if (sim.desktop.Clicks().size() == 2) monitor.Close();
  });
  ClickWakeSequence(sim.desktop, sim.loop, sim.clock, monitor.window);
  EXPECT_LE(sim.desktop.Clicks().size(), 5u);
  EXPECT_FALSE(sim.desktop.InputBlocked());
  EXPECT_EQ(sim.desktop.CursorPos(), (Point{10, 20}));
}

TEST_F(ClickSequenceTest, AMonitorGoneBeforeTheFirstClickIsNotClickedAtAll) {
  SimMonitor monitor(sim);
  sim.loop.Post([&] { monitor.Close(); });
  sim.desktop.SetCursorPos({10, 20});
  ClickWakeSequence(sim.desktop, sim.loop, sim.clock, monitor.window);
  EXPECT_TRUE(sim.desktop.Clicks().empty());
  EXPECT_FALSE(sim.desktop.InputBlocked());
  EXPECT_EQ(sim.desktop.CursorPos(), (Point{10, 20}));
}

// The program shut down inside one of the sequence's yields: whichever it was,
// the sequence neither waits nor presses again, and puts everything back.
TEST(ClickSequenceStop, EndsAtOnceAfterAnyYieldInWhichTheProgramStopped) {
  int total = 0;
  {
    sim::SimPlatform sim;
    SimMonitor monitor(sim);
    ClickWakeSequence(sim.desktop, sim.loop, sim.clock, monitor.window);
    total = sim.loop.Yields();
  }
  for (int stop_at = 1; stop_at <= total; ++stop_at) {
    SCOPED_TRACE(stop_at);
    sim::SimPlatform sim;
    SimMonitor monitor(sim);
    sim.desktop.SetTopmost(monitor.window, true);
    sim.desktop.SetCursorPos({10, 20});
    bool stopped = false;
    std::size_t clicks_at_stop = 0;
    sim.loop.OnYield([&](int n) {
      if (n != stop_at) return;
      stopped = true;
      clicks_at_stop = sim.desktop.Clicks().size();
    });
    ClickWakeSequence(sim.desktop, sim.loop, sim.clock, monitor.window, [&] { return !stopped; });
    EXPECT_EQ(sim.loop.Yields(), stop_at);
    // A press under way when the program stopped is still released.
    EXPECT_LE(sim.desktop.Clicks().size(), clicks_at_stop + 1);
    EXPECT_FALSE(sim.desktop.InputBlocked());
    EXPECT_FALSE(sim.desktop.Topmost(monitor.window));
    EXPECT_EQ(sim.desktop.CursorPos(), (Point{10, 20}));
  }
}

}  // namespace
}  // namespace kelvane::probe
