// The history in the program: fed by every counted tick, kept in its file
// across restarts, shown from the menu with the limits and the pointer's
// readings, saved before the overheat power-off and shown once after it; the
// CSV log's rows written before that power-off, and its wait told in the tip.
#include "history/history_feature.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "history/chart_drawing.h"
#include "history/history_file.h"
#include "history_fixture.h"
#include "program_fixture.h"

namespace kelvane {
namespace {

using history::Chart;
using history::HistoryWindow;
using testing::ProgramFixture;

constexpr int kTrayRightClick = 0x205;
constexpr int kHistoryCpu = static_cast<int>(Meter::kCpuTemp);

class HistoryFeatureTest : public ::testing::Test, protected ProgramFixture {
 protected:
  HistoryFeatureTest() {
    Store("Buzzer", "70");  // a later run: the program starts in the tray
    sim.clock.SetLocale({".", false, true});
  }
  history::HistoryFeature& Feature() { return *app->OwnPart<history::HistoryFeature>(); }
  HistoryWindow* Shown() {
    HistoryWindow* w = Feature().Window();
    return w && w->IsOpen() && w->Window().Visible() ? w : nullptr;
  }
  void ChooseFromTray(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  // Moves the pointer over a chart, `x` pixels into its plot.
  void PointAt(Chart chart, int x) {
    form::Window& w = Shown()->Window();
    auto& box = w.Get<form::PictureBox>("picChart", static_cast<int>(chart));
    const platform::Point at = w.ClientPosition(box);
    w.UserMouse(form::MouseKind::kMove, at.x + (history::kAxisWidth + x) * 15,
                at.y + (history::kTitleHeight + 10) * 15, 0, 0);
  }
  void Restart() {
    Main().Exit();
    app.reset();
    Start();
  }
};

TEST_F(HistoryFeatureTest, ShownFromTheTrayWithTheFeedTheLimitsAndThePointersReadings) {
  Start();
  monitor.SetCpu("60.0");
  sim.Advance(20);
  monitor.SetCpu("75.0");  // over the alarm limit, 70
  sim.Advance(20);
  ChooseFromTray("mnuHistory");
  ASSERT_NE(Shown(), nullptr);
  HistoryWindow& w = *Shown();
  EXPECT_EQ(w.Window().Caption(), "Kelvane History");
  EXPECT_EQ(w.Showing(), history::SpanKind::kTenMinutes);

  const history::ChartModel& temps = w.Model(Chart::kTemperatures);
  ASSERT_EQ(temps.levels.size(), 2u);
  const int alarm_y = temps.levels[0].y;
  EXPECT_EQ(temps.levels[0].value, 70);
  EXPECT_EQ(temps.levels[1].value, 89);  // the shutdown limit's default
  // The CPU line lies below the alarm line, then above it, as the feed did.
  const history::MeterLine& cpu = temps.lines[0];
  ASSERT_EQ(cpu.meter, Meter::kCpuTemp);
  ASSERT_EQ(cpu.pieces.size(), 1u);
  EXPECT_GT(cpu.pieces[0].front().y, alarm_y);
  EXPECT_LT(cpu.pieces[0].back().y, alarm_y);
  // And the chart's drawing carries that line in the CPU's colour.
  const form::Drawing& drawing = w.Window().Get<form::PictureBox>("picChart", 0).Drawing();
  const form::Colour cpu_colour = history::DefaultLook().meters[kHistoryCpu];
  const auto drawn = std::find_if(drawing.begin(), drawing.end(), [&](const form::Shape& s) {
    const auto* line = std::get_if<form::Polyline>(&s);
    return line && line->colour == cpu_colour && line->points.size() > 10;
  });
  ASSERT_NE(drawn, drawing.end());
  EXPECT_EQ(std::get<form::Polyline>(*drawn).points.back().y,
            cpu.pieces[0].back().y + history::kTitleHeight);

  // The pointer over the newest readings tells them with their time.
  PointAt(Chart::kFans, cpu.pieces[0].back().x);
  EXPECT_NE(w.PointerText().find("CPU 75\xC2\xB0"
                                 "C"),
            std::string::npos)
      << w.PointerText();
  EXPECT_NE(w.PointerText().find("Fans 4560 / 3213 / 2700 rpm"), std::string::npos);
  EXPECT_NE(w.PointerText().find("+12V 12.16  +5V 5.053  +3.3V 3.312  Vcore 1.520 V"),
            std::string::npos);
  EXPECT_EQ(w.PointerText().substr(0, 6), "09:00:");
  // Left of the first reading there is nothing to tell but the time.
  PointAt(Chart::kFans, 2);
  EXPECT_NE(w.PointerText().find("no readings"), std::string::npos) << w.PointerText();
}

TEST_F(HistoryFeatureTest, TheHistoryItsPlaceAndItsSpanAreKeptAcrossARestart) {
  Start();
  monitor.SetCpu("66.0");
  sim.Advance(50);
  EXPECT_FALSE(FileText(history::kHistoryFile).has_value()) << "written once a minute";
  sim.Advance(11);
  ASSERT_TRUE(FileText(history::kHistoryFile).has_value());
  monitor.SetCpu("67.0");
  sim.Advance(10);

  ChooseFromTray("mnuHistory");
  ASSERT_NE(Shown(), nullptr);
  form::Window& window = Shown()->Window();
  window.UserMove(1200, 900);
  window.UserResize(9000, 7200);
  window.UserPickListItem(window.Get<form::ListBox>("lstSpan"), 1);
  EXPECT_EQ(Shown()->Showing(), history::SpanKind::kHour);
  Restart();
  monitor.SetCpu("45.0");
  sim.Advance(3);

  ChooseFromTray("mnuHistory");
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->Showing(), history::SpanKind::kHour);
  EXPECT_EQ(Shown()->Window().Left(), 1200);
  EXPECT_EQ(Shown()->Window().Top(), 900);
  EXPECT_EQ(Shown()->Window().Width(), 9000);
  EXPECT_EQ(Shown()->Window().Height(), 7200);
  // The readings of the last run, up to its exit, are there.
  float newest = 0;
  for (const auto& run : Shown()->ShownSpan().runs)
    for (const history::Point& p : run) newest = p.mean[kHistoryCpu];
  int before = 0;
  Feature().Readings().ForEachSecond(
      [&](const history::SecondRecord& s) { before += s.values[kHistoryCpu] == 67.0f; });
  EXPECT_GE(before, 10) << "the seconds after the last minute's save come from the exit's";
  EXPECT_EQ(newest, 45.0f) << "this run's own readings follow";
}

TEST_F(HistoryFeatureTest, TheOverheatPowerOffSavesAllAndTheNextStartShowsItOnce) {
  Store("Smoke", "1");
  Store("LogCSV", "1");
  Start();
  sim.Advance(3);
  monitor.SetCpu("95.0");
  sim.Advance(5);
  ASSERT_EQ(sim.power.Requests().size(), 1u);
  // Saved before the power-off, with no exit after it: the history up to the
  // last hot reading, and every CSV row.
  history::History kept;
  ASSERT_EQ(history::ReadHistoryText(*FileText(history::kHistoryFile), kept).status,
            history::ReadOutcome::Status::kComplete);
  int hot = 0;
  kept.ForEachSecond([&](const history::SecondRecord& s) { hot += s.values[kHistoryCpu] == 95; });
  EXPECT_EQ(hot, 5);
  const std::string csv = *FileText("Logs\\Kelvane-2026-12-07.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'),
            1 + static_cast<long>(Main().State().sample_count));
  ASSERT_TRUE(Stored("HistPowerOff").has_value());

  // The machine goes off; the system closes the program as it ends the session.
  Restart();
  ASSERT_NE(Shown(), nullptr) << "the next start opens the window by itself";
  // The time of the last hot reading, in the user's time format.
  const std::string time =
      sim.clock.TimeText(platform::FromSerialSeconds(kept.LocalOf(kept.Newest().value())));
  EXPECT_EQ(Shown()->PowerOffLine(), "Kelvane shut this computer down at " + time +
                                         ": CPU 95\xC2\xB0"
                                         "C, above the 89\xC2\xB0"
                                         "C limit for five checks.");
  // At the minutes before it, and it stays there while this run ticks on.
  sim.Advance(30);
  EXPECT_EQ(Shown()->ShownSpan().end, kept.Newest().value() + 60 + 1) << "a minute after it";
  EXPECT_EQ(Stored("HistPowerOff"), std::nullopt) << "shown once";

  Shown()->Window().UserCloseBox();
  ChooseFromTray("mnuHistory");
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->PowerOffLine(), "") << "closed, the line is gone";
  Restart();
  EXPECT_EQ(Shown(), nullptr);
}

TEST_F(HistoryFeatureTest, OnlyThePowerOffAfterTheHotChecksIsToldAtTheNextStart) {
  Store("Smoke", "1");
  Start();
  Main().Window().SetWindowState(form::WindowState::kNormal);  // the user has it open
  sim.loop.QueueAnswer(platform::mb::kIdYes);
  monitor.SetCpu("95.0");
  sim.Advance(3);
  ASSERT_EQ(sim.power.Requests().size(), 1u) << "the user said yes to the test";
  ASSERT_TRUE(FileText(history::kHistoryFile).has_value()) << "saved all the same";
  EXPECT_EQ(Stored("HistPowerOff"), std::nullopt);
  Restart();
  EXPECT_EQ(Shown(), nullptr);
}

TEST_F(HistoryFeatureTest, TheTipSaysTheCsvLogWaitsWhileItsFileRefusesTheRows) {
  Store("LogCSV", "1");
  Start();
  sim.Advance(12);
  const std::string file = AppFile("Logs\\Kelvane-2026-12-07.csv");
  ASSERT_TRUE(sim.files.ReadText(file).has_value());
  EXPECT_EQ(sim.tray.Tip().find("CSV log is waiting"), std::string::npos);
  sim.files.MakeUnwritable(file);
  sim.Advance(12);
  EXPECT_EQ(sim.tray.Tip().substr(0, 19), "CSV log is waiting\n") << sim.tray.Tip();
  EXPECT_NE(sim.tray.Tip().find("CPU:45"), std::string::npos) << "the readings follow";
  sim.files.MakeWritable(file);
  sim.Advance(12);
  EXPECT_EQ(sim.tray.Tip().find("CSV log is waiting"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
