// The High/Low/Avg dashboard in the running program: made by the first
// statistics reset, filled by the poll tick, its menu, its column grid, its
// auto-hide at the right edge, and a week of statistics.
#include <gtest/gtest.h>

#include "highlow/high_low_dashboard.h"
#include "program_fixture.h"

namespace kelvane {
namespace {

using highlow::ColumnPlace;
using highlow::HighLowDashboard;
using testing::ProgramFixture;
constexpr int kTrayRightClick = 0x205;

class HighLowTest : public ::testing::Test, public ProgramFixture {
 protected:
  void TrayCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  HighLowDashboard& HL() { return *app->HighLow(); }
  form::Window& W() { return HL().Window(); }
  // A command of the window's own menu, opened with a right click on the
  // elapsed-time strip's label.
  void Command(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.forms.Click(W(), &HL().Label(47), 100, 50, form::button::kRight);
  }
  std::string Value(int i) { return HL().Label(i).Caption(); }
  int RightEdgeTwips() { return sim.desktop.WorkArea().right * 15; }
};

TEST_F(HighLowTest, TheFirstResetMakesItHiddenAndShowingItShowsTheStatistics) {
  Start();
  EXPECT_EQ(app->HighLow(), nullptr);
  sim.Advance(1);  // the first counted tick resets the statistics
  ASSERT_NE(app->HighLow(), nullptr);
  EXPECT_FALSE(W().Visible());
  EXPECT_EQ(HL().Label(47).Tooltip(), Main().State().started_text);
  EXPECT_EQ(HL().Label(47).Caption(), "00:00:00");
  EXPECT_EQ(Value(1), "0");

  TrayCommand("MnuHiLo");
  ASSERT_TRUE(W().Visible());
  EXPECT_TRUE(W().Topmost());
  EXPECT_EQ(W().Width(), 3330);
  EXPECT_EQ(W().Height(), 2764);
  EXPECT_TRUE(HL().Locked());
  sim.Advance(1);
  // One sample: average, lowest and highest are the current value.
  EXPECT_EQ(Value(1), "45\xC2\xB0" "C");
  EXPECT_EQ(Value(2), "45.0");
  EXPECT_EQ(Value(3), "45\xC2\xB0" "C");
  EXPECT_EQ(Value(4), "45\xC2\xB0" "C");
  for (int i = 1; i <= 36; ++i)
    EXPECT_EQ(Value(i), StatText(Main().State().statistics, static_cast<Meter>((i - 1) / 4),
                                 static_cast<Column>((i - 1) % 4), "."))
        << i;
  EXPECT_EQ(HL().Label(47).Caption(), "Day:0  00:00:01");

  monitor.SetCpu("51.0");
  sim.Advance(1);
  EXPECT_EQ(Value(1), "51\xC2\xB0" "C");
  EXPECT_EQ(Value(2), "47.0");  // 45, 45, 51
  EXPECT_EQ(Value(3), "45\xC2\xB0" "C");
  EXPECT_EQ(Value(4), "51\xC2\xB0" "C");

  // "Reset Values": dashes until the next tick starts the statistics anew.
  sim.Advance(5);
  const std::string started = HL().Label(47).Tooltip();
  Command("MnuReset");
  for (int i = 1; i <= 36; ++i) EXPECT_EQ(Value(i), "-");
  sim.Advance(1);
  EXPECT_NE(HL().Label(47).Tooltip(), started);
  sim.Advance(1);
  EXPECT_EQ(Value(3), "51\xC2\xB0" "C");  // the lowest since the reset
}

TEST_F(HighLowTest, ItsLayoutIsStoredWhenReleasedAndComesBackReadable) {
  Store("HLleft", "1234.5");
  Store("HLtop", "900");
  Store("HLwide", "abc");  // no number: the default
  Store("HLFL1", "1935");
  Store("HLFL3", "645");
  Store("HL-Wpaper", "Green");  // a theme whose folder is not there (any more)
  Start();
  TrayCommand("MnuHiLo");
  EXPECT_EQ(W().Left(), 1234);  // 1234.5 to the even neighbour
  EXPECT_EQ(W().Top(), 900);
  EXPECT_EQ(W().Width(), 3330);
  EXPECT_EQ(HL().Tile(1).Left(), 1935);
  Command("MnuBold");
  // The menu offers "Default Window Size" only when the size is another.
  EXPECT_FALSE(HL().Menu(highlow::HighLowCommand::kDefaultSize).Enabled());
  EXPECT_EQ(HL().Label(5).TextFont().size, 8);
  EXPECT_TRUE(HL().Label(5).TextFont().bold);
  TrayCommand("MnuHiLo");  // unchecked: released, its keys stored
  EXPECT_EQ(app->HighLow(), nullptr);
  EXPECT_EQ(Stored("HLleft"), "1234");
  EXPECT_EQ(Stored("HLtop"), "900");
  EXPECT_EQ(Stored("HLwide"), "3330");
  EXPECT_EQ(Stored("HLFL3"), "645");
  EXPECT_EQ(Stored("HLbold"), "True");
  EXPECT_EQ(Stored("HL-Wpaper"), "Green");

  // Reopened, and after a restart, it is where it was.
  TrayCommand("MnuHiLo");
  EXPECT_EQ(W().Left(), 1234);
  EXPECT_EQ(W().Top(), 900);
  Main().Exit();
  app.reset();
  Start();
  TrayCommand("MnuHiLo");
  EXPECT_EQ(W().Left(), 1234);
  EXPECT_EQ(W().Top(), 900);
  TrayCommand("MnuHiLo");

  // A width that is no size comes back as the default.
  for (const char* width : {"0", "-15"}) {
    Store("HLwide", width);
    TrayCommand("MnuHiLo");
    EXPECT_EQ(W().Width(), 3330) << width;
    TrayCommand("MnuHiLo");
  }

  // A place many screens away or beyond the right edge comes back.
  Store("HLleft", "9000000");
  TrayCommand("MnuHiLo");
  EXPECT_LE(W().Left() + W().Width(), sim.desktop.ScreenRect().right * 15);
  EXPECT_GE(W().Left(), 0);

  // "Reset High-Low Layout": the place and the columns go back to the design,
  // the bold font stays.
  TrayCommand("MnuRstHLow");
  ASSERT_NE(app->HighLow(), nullptr);
  EXPECT_EQ(HL().Tile(3).Left(), 3 * 645);
  EXPECT_EQ(W().Width(), 3330);
  EXPECT_TRUE(HL().Label(5).TextFont().bold);
  EXPECT_TRUE(Main().Menu(MainCommand::kShowHighLow).Checked());
}

// Shown at start-up, the window loads with yields in it; the program may
// shut down inside any of them, and nothing touches the released window.
TEST(HighLowShutdown, AShutDownInAnyYieldOfItsLoadLeavesNothingBehind) {
  // Its load yields three times, the start-up once more after showing it.
  for (int n = 1; n <= 4; ++n) {
    ProgramFixture run;
    run.Store("Buzzer", "79");
    run.Store("HiLoStrt", "True");
    run.Store("hl_HideRight", "True");
    // The n-th yield from the moment the window exists, in its load or after.
    int since_loaded = 0;
    run.sim.loop.OnYield([&run, &since_loaded, n](int) {
      if (run.app->HighLow() && ++since_loaded == n && !run.app->Ended()) run.app->Main().Close();
    });
    run.Start();
    run.sim.Advance(2);
    ASSERT_GE(since_loaded, n) << "yield " << n;
    ASSERT_TRUE(run.app->Ended()) << "yield " << n;
    EXPECT_EQ(run.app->HighLow(), nullptr) << "yield " << n;
  }
}

TEST(HighLowGrid, ColumnsLandOnTheGridAndSwap) {
  struct Case {
    double left, top;
    ColumnPlace cell;
  } cases[] = {{646, 0, {645, 0}},      {644, 0, {0, 0}},         {-20, -5, {0, 0}},
               {645, 1450, {645, 0}},   {1290, 3000, {1290, 2900}}, {12255, 0, {12255, 0}},
               {12254, 0, {11610, 0}}};
  for (const Case& c : cases) {
    const ColumnPlace got = appearance::GridCellOf(highlow::kColumnGrid, c.left, c.top);
    EXPECT_EQ(got, c.cell) << c.left << "," << c.top;
  }
  highlow::ColumnPlaces columns{{{0, 0}, {645, 0}, {1290, 0}, {1935, 0}, {2580, 0}}};
  appearance::DropTile(columns, 3, highlow::kColumnGrid, 700, 100, {1935, 0});
  EXPECT_EQ(columns[3], (ColumnPlace{645, 0}));
  EXPECT_EQ(columns[1], (ColumnPlace{1935, 0}));
}

TEST_F(HighLowTest, UnlockedAColumnDraggedOntoAnotherSwapsLockedItMovesTheWindow) {
  Start();
  TrayCommand("MnuHiLo");
  const int left = W().Left(), top = W().Top();
  // Locked: a drag on a column's free strip (right of its values) moves the window.
  sim.forms.Press(W(), &HL().Tile(3), 620, 1000);
  sim.forms.MovePointer(W(), {(left + 620 + 3 * 645) / 15 + 10, (top + 1000) / 15 + 20});
  sim.forms.Release(W(), &HL().Tile(3), 620, 1000);
  EXPECT_NE(W().Left(), left);
  EXPECT_EQ(HL().Tile(3).Left(), 3 * 645);

  Command("LockHLow");
  ASSERT_FALSE(HL().Locked());
  // Column 3 taken and let go with its corner inside column 1's cell.
  sim.forms.Press(W(), &HL().Tile(3), 620, 1000);
  sim.forms.MovePointer(W(), {(W().Left() + 800) / 15, (W().Top() + 400) / 15});
  sim.forms.Release(W(), &HL().Tile(3), 0, 0);
  EXPECT_EQ(HL().Tile(3).Left(), 645);
  EXPECT_EQ(HL().Tile(3).Top(), 0);
  EXPECT_EQ(HL().Tile(1).Left(), 3 * 645);
  // The strip stays in front of the columns.
  EXPECT_EQ(W().Children().back(), &HL().Tile(highlow::kStripTile));
}

// Showing the window is no resize by the user: a window shown from the menu
// long after the start keeps its stored auto-hide.
TEST_F(HighLowTest, AutoHideStoredOnSurvivesAShowFromTheMenuLaterOn) {
  Store("hl_HideRight", "True");
  Start();
  sim.Advance(10);  // made hidden by the first reset
  TrayCommand("MnuHiLo");
  ASSERT_TRUE(W().Visible());
  EXPECT_TRUE(HL().AutoHideOn());
  EXPECT_TRUE(HL().WatchTimerRunning());
  EXPECT_TRUE(HL().HideTimerRunning());
  sim.Advance(4);  // not the foreground window: it tucks away
  EXPECT_EQ(W().Left(), RightEdgeTwips() - 70);
  // A resize by the user still switches it off.
  sim.forms.Resize(W(), 4000, 3000);
  EXPECT_FALSE(HL().AutoHideOn());
  EXPECT_EQ(Stored("hl_HideRight"), "True");
}

// The shut-down yields before it closes the window: its timers are stopped
// first, so nothing moves it while the program ends.
TEST_F(HighLowTest, ExitStopsTheAutoHideTimersBeforeTheShutDownYields) {
  Store("hl_HideRight", "True");
  Store("HiLoStrt", "True");
  Start();
  sim.Advance(2);
  ASSERT_TRUE(HL().WatchTimerRunning());
  bool timers_at_first_yield = true;
  bool seen = false;
  sim.loop.OnYield([&](int) {
    if (seen || !app->HighLow()) return;
    seen = true;
    timers_at_first_yield = HL().WatchTimerRunning() || HL().HideTimerRunning();
  });
  Main().Exit();
  ASSERT_TRUE(seen);
  EXPECT_FALSE(timers_at_first_yield);
}

TEST_F(HighLowTest, ARightEdgePastTheScreenComesBackOnShowDefaultSizeAndUnload) {
  const int screen = 1024 * 15;
  Store("HLleft", std::to_string(screen + 600));
  Start();
  TrayCommand("MnuHiLo");
  EXPECT_EQ(W().Left(), screen - 3330);
  // Narrow at the right edge: the default size would reach past it.
  W().Move(screen - 1000, W().Top(), 1000, 2764);
  Command("DefHite");
  EXPECT_EQ(W().Width(), 3330);
  EXPECT_EQ(W().Left(), screen - 3330);
  W().SetLeft(screen - 100);
  TrayCommand("MnuHiLo");  // unchecked: released, its layout saved
  EXPECT_EQ(app->HighLow(), nullptr);
  EXPECT_EQ(Stored("HLleft"), std::to_string(screen - 3330));
  // A place stored beyond any int reads as the default, the centre.
  Store("HLleft", "-2147483649");
  TrayCommand("MnuHiLo");
  EXPECT_EQ(W().Left(), (screen - 3330) / 2);
}

TEST_F(HighLowTest, ActiveWithAutoHideTheStripCarriesTheActiveMarker) {
  Start();
  TrayCommand("MnuHiLo");
  sim.desktop.SetForeground(W().Handle());
  Command("mnuAutoHideRt");
  Main().Poll().StopPolling();  // no tick rewrites the strip
  sim.Advance(1);
  EXPECT_TRUE(HL().Label(47).Caption().ends_with("     <>")) << HL().Label(47).Caption();
}

TEST_F(HighLowTest, SaveAsBmpNamesThePictureAfterTheWindowAndTheTime) {
  Start();
  TrayCommand("MnuHiLo");
  Command("MnuCapture");
  ASSERT_EQ(sim.desktop.Captures().size(), 1u);
  const std::string path = sim.desktop.Captures()[0].path;
  const std::string stem = sim.files.ExeFolder() + "BMPs/hl_2026-12-07_09.00.";
  EXPECT_EQ(path.substr(0, stem.size()), stem);
  EXPECT_EQ(path.substr(stem.size() + 2), " AM.bmp");
}

// The pop-out brings the strip above the other always-on-top windows, the
// digital dashboard among them, even though it was on top already.
TEST_F(HighLowTest, ThePopOutRaisesTheWindowAboveOtherAlwaysOnTopWindows) {
  Start();
  TrayCommand("MnuHiLo");
  Command("mnuAutoHideRt");
  sim.desktop.SetForeground(sim.desktop.AddTopWindow("Notepad", "x", {0, 0, 100, 100}));
  sim.Advance(4);  // tucked away
  ASSERT_EQ(W().Left(), RightEdgeTwips() - 70);
  TrayCommand("MnuDash");  // opened later: above the strip
  form::Window& dash = app->DigitalDashboard()->Window();
  dash.Move(RightEdgeTwips() - dash.Width(), W().Top());
  const platform::Point strip{(RightEdgeTwips() - 30) / 15, W().Top() / 15 + 40};
  ASSERT_EQ(sim.desktop.WindowFromPoint(strip), dash.Handle());
  sim.Advance(0.5);
  for (int i = 0; i < 20; ++i) sim.forms.MoveTo(W(), &HL().Label(47), 5 + i, 20);
  ASSERT_EQ(W().Left(), RightEdgeTwips() - W().Width());
  EXPECT_EQ(sim.desktop.WindowFromPoint(strip), W().Handle());
}

TEST_F(HighLowTest, AutoHideTucksItAwayWhenInactiveAndTwentyQuickMovesBringItOut) {
  Start();
  TrayCommand("MnuHiLo");
  const platform::WindowId other = sim.desktop.AddTopWindow("Notepad", "x", {0, 0, 100, 100});
  sim.desktop.SetForeground(W().Handle());
  Command("mnuAutoHideRt");
  EXPECT_EQ(Stored("hl_HideRight"), "True");
  const int left = W().Left();
  sim.Advance(5);  // active: it stays, with "<>" markers
  EXPECT_EQ(W().Left(), left);

  sim.desktop.SetForeground(other);
  sim.Advance(0.5);
  EXPECT_NE(HL().Label(47).Caption().find("     >>"), std::string::npos);
  sim.Advance(3.0);
  EXPECT_EQ(W().Left(), RightEdgeTwips() - 70);

  // A few slow moves do nothing; twenty within one half-second period pop it out.
  for (int i = 0; i < 5; ++i) sim.forms.MoveTo(W(), &HL().Label(47), 20, 20);
  EXPECT_EQ(W().Left(), RightEdgeTwips() - 70);
  sim.Advance(0.5);
  for (int i = 0; i < 20; ++i) sim.forms.MoveTo(W(), &HL().Label(47), 20 + i, 20);
  EXPECT_EQ(W().Left(), RightEdgeTwips() - W().Width());
  sim.Advance(2.5);
  EXPECT_EQ(W().Left(), RightEdgeTwips() - W().Width());  // out for a while yet
  sim.Advance(1.5);
  EXPECT_EQ(W().Left(), RightEdgeTwips() - 70);

  // Unlocking switches it off without touching the stored choice.
  Command("LockHLow");
  EXPECT_FALSE(HL().AutoHideOn());
  EXPECT_EQ(Stored("hl_HideRight"), "True");
  const int hidden = W().Left();
  sim.Advance(5);
  EXPECT_EQ(W().Left(), hidden);
}

// Only a shown window's strip is rewritten each tick; a hidden one must not
// collect markers for as long as it stays hidden.
TEST_F(HighLowTest, AutoHideMarksTheStripOnlyWhileTheWindowShows) {
  Store("hl_HideRight", "True");
  Start();
  sim.Advance(60);  // made hidden by the first reset, its timers running
  EXPECT_EQ(HL().Label(47).Caption(), "00:00:00");
  TrayCommand("MnuHiLo");
  sim.Advance(2);
  Command("MnuClose");
  const std::string closed = HL().Label(47).Caption();
  sim.Advance(60);
  EXPECT_EQ(HL().Label(47).Caption(), closed);
}

TEST_F(HighLowTest, AutoHideMarksAShownStripAFewTimesOnceTheTicksStop) {
  Store("hl_HideRight", "True");
  Store("HiLoStrt", "True");
  Start();
  sim.Advance(30);
  ASSERT_TRUE(W().Visible());
  Main().Poll().StopPolling();
  sim.Advance(60);
  const std::string strip = HL().Label(47).Caption();
  EXPECT_TRUE(strip.ends_with("     >>     >>     >>     >>")) << strip;
  EXPECT_FALSE(strip.ends_with(">>     >>     >>     >>     >>")) << strip;
}

// A week of one sample a second, straight through the statistics: the sums
// stay exact and the elapsed time counts days.
TEST(HighLowStatistics, AWeekOfReadingsKeepsExactAveragesLowsAndHighs) {
  ProbeStats stats;
  stats.Reset();
  probe::ProbeReading reading;
  TickValues v;
  const int week = 7 * 24 * 3600;
  for (int s = 0; s < week; ++s) {
    v.cpu_temp = 40 + s % 11;  // 40 .. 50, averaging 45 over whole periods
    v.cpu_fan = 3000 + (s % 2) * 2000;  // a sum far past 2^31 by the week's end
    v.v12 = 12.0f + (s % 4) * 0.125f;
    stats.Add(v);
  }
  const Statistics statistics = StatisticsOf(stats, reading, v, week);
  const auto text = [&](Meter m, Column c) { return StatText(statistics, m, c, "."); };
  EXPECT_EQ(text(Meter::kCpuTemp, Column::kLowest),
            "40\xC2\xB0"
            "C");
  EXPECT_EQ(text(Meter::kCpuTemp, Column::kHighest),
            "50\xC2\xB0"
            "C");
  EXPECT_EQ(text(Meter::kCpuFan, Column::kAverage), "4000");
  EXPECT_EQ(text(Meter::kCpuFan, Column::kLowest), "3000");
  EXPECT_EQ(text(Meter::kCpuFan, Column::kHighest), "5000");
  EXPECT_EQ(text(Meter::kV12, Column::kLowest), "12.00");
  EXPECT_EQ(text(Meter::kV12, Column::kHighest), "12.38");
  EXPECT_DOUBLE_EQ(statistics[Meter::kCpuFan].average, 4000);
  EXPECT_EQ(ElapsedText({2026, 12, 1, 23, 59, 58}, {2026, 12, 8, 23, 59, 59}),
            "Day:7  00:00:01");
}

}  // namespace
}  // namespace kelvane
