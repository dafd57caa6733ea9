// The graph model: round axes, lines broken at gaps, limits, shading and the
// pointer.
#include <gtest/gtest.h>

#include <cmath>

#include "history/graph.h"
#include "history_fixture.h"

namespace kelvane {
namespace {

using history::Chart;
using history::History;
using history::PlotSize;
using history::SpanKind;
using testing::TickFeed;

TEST(HistoryGraph, AxesRunInRoundStepsAroundTheReadings) {
  struct {
    double lowest, highest;
    int most;
    double low, high, step;
  } cases[] = {
      {31, 78, 6, 30, 80, 10},
      {1.52, 12.16, 5, 0, 15, 5},
      {2700, 4560, 5, 2000, 5000, 1000},
      {2700, 4560, 12, 2600, 4600, 200},
      {45, 45, 4, 42, 48, 2},
      {3.312, 3.328, 5, 3.31, 3.33, 0.005},
      {78, 31, 6, 30, 80, 10},  // the other way round
      {-5, 5, 3, -5, 5, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.lowest << ".." << c.highest << " in " << c.most);
    const history::Axis axis = history::RoundAxis(c.lowest, c.highest, c.most);
    EXPECT_NEAR(axis.low, c.low, 1e-9);
    EXPECT_NEAR(axis.high, c.high, 1e-9);
    EXPECT_NEAR(axis.step, c.step, 1e-12);
    EXPECT_LE(static_cast<int>(axis.ticks.size()), c.most);
    EXPECT_NEAR(axis.ticks.front().value, c.low, 1e-9);
    EXPECT_NEAR(axis.ticks.back().value, c.high, 1e-9);
  }
}

class HistoryGraphTest : public ::testing::Test {
 protected:
  HistoryGraphTest() {
    for (int s = 0; s < 10; ++s) feed.Feed(h, 50);
    for (int s = 0; s < 5; ++s) feed.Feed(h, 75, true);  // stale
    for (int s = 0; s < 10; ++s) feed.Feed(h, 70);
    feed.Skip(100);  // not running
    for (int s = 0; s < 10; ++s) feed.Feed(h, 40);
  }
  History h;
  TickFeed feed;
  const std::int64_t t0 = TickFeed{}.Now();
  const history::Limits limits{60, 65};
};

TEST_F(HistoryGraphTest, LinesBreakAtGapsAndStaleTimesAreShaded) {
  const history::Span span = h.Seconds(t0, t0 + 600);  // a column a second
  const auto chart = history::BuildChart(span, Chart::kTemperatures, {600, 181}, limits, ".");
  // The motherboard's 20 to the CPU's 70 and the limits inside, at most four
  // ticks: 20 to 80, 3 px a degree.
  ASSERT_EQ(chart.axis.low, 20);
  ASSERT_EQ(chart.axis.high, 80);
  ASSERT_EQ(chart.axis.ticks.size(), 4u);
  EXPECT_EQ(chart.axis.ticks[2].y, 60);
  EXPECT_EQ(chart.axis.ticks.front().text,
            "20 \xC2\xB0"
            "C");
  ASSERT_EQ(chart.lines.size(), 2u);
  const auto& cpu = chart.lines[0];
  EXPECT_EQ(cpu.meter, Meter::kCpuTemp);
  ASSERT_EQ(cpu.pieces.size(), 3u);
  EXPECT_EQ(cpu.pieces[0].front(), (history::XY{0, 90}));
  EXPECT_EQ(cpu.pieces[0].back(), (history::XY{9, 90}));
  EXPECT_EQ(cpu.pieces[1].front(), (history::XY{15, 30}));
  EXPECT_EQ(cpu.pieces[2].front(), (history::XY{125, 120}));
  EXPECT_TRUE(cpu.bands.empty());
  ASSERT_EQ(chart.stale.size(), 1u);
  EXPECT_EQ(chart.stale[0].left, 10);
  EXPECT_EQ(chart.stale[0].right, 15);
  ASSERT_EQ(chart.levels.size(), 2u);
  EXPECT_EQ(chart.levels[0].y, 60);  // the alarm limit, 60
  EXPECT_EQ(chart.levels[1].y, 45);  // the shutdown limit, 65

  // The other charts draw no limits, in their own units.
  const auto fans = history::BuildChart(span, Chart::kFans, {600, 101}, limits, ",");
  EXPECT_TRUE(fans.levels.empty());
  EXPECT_EQ(fans.lines.size(), 3u);
  EXPECT_TRUE(fans.axis.ticks.back().text.ends_with(" rpm"));
}

TEST(HistoryGraph, AxisNumbersShowTheirDigitsWithTheUsersSeparator) {
  history::MeterValues v{};
  v.fill(3.328f);
  v[static_cast<std::size_t>(Meter::kV33)] = 3.312f;
  const history::Span span{0, 60, 1, {{{0, v, v, v}}}, {}};
  const auto volts = history::BuildChart(span, Chart::kVoltages, {60, 200}, {}, ",");
  EXPECT_EQ(volts.lines.size(), 4u);
  ASSERT_EQ(volts.axis.ticks.size(), 5u);
  EXPECT_EQ(volts.axis.ticks[0].text, "3,310 V");
  EXPECT_EQ(volts.axis.ticks[4].text, "3,330 V");
}

TEST_F(HistoryGraphTest, ThePointerShowsTheTimeAndReadingsUnderItAndNothingOverAGap) {
  const history::Span span = h.Seconds(t0, t0 + 600);
  const PlotSize size{300, 100};  // two seconds a column
  const auto fresh = history::HitTest(h, span, size, 2);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->at, t0 + 4);
  EXPECT_EQ(fresh->local, platform::ToSerialSeconds({2026, 12, 7, 9, 0, 4}));
  EXPECT_FALSE(fresh->stale);
  EXPECT_EQ(testing::Cpu(fresh->values), 50.0f);
  const auto stale = history::HitTest(h, span, size, 6);
  ASSERT_TRUE(stale);
  EXPECT_TRUE(stale->stale);
  EXPECT_FALSE(history::HitTest(h, span, size, 30));  // the program did not run
  EXPECT_FALSE(history::HitTest(h, span, size, 300));
}

TEST_F(HistoryGraphTest, TheDayShowsEachMinuteAsABandAroundItsAverage) {
  History day;
  TickFeed f;
  for (int s = 0; s < 3 * 3600; ++s) f.Feed(day, 40 + s % 60 / 6);  // 40 to 49 each minute
  const auto span = day.Query(SpanKind::kDay, f.Now() - 1);
  const auto chart = history::BuildChart(span, Chart::kTemperatures, {1440, 400}, limits, ".");
  const auto& cpu = chart.lines[0];
  ASSERT_EQ(cpu.pieces.size(), 1u);
  ASSERT_EQ(cpu.bands.size(), 1u);
  ASSERT_EQ(cpu.bands[0].size(), 180u);
  for (std::size_t i = 0; i < 180; ++i) {
    EXPECT_LT(cpu.bands[0][i].top, cpu.pieces[0][i].y);
    EXPECT_GT(cpu.bands[0][i].bottom, cpu.pieces[0][i].y);
  }
  EXPECT_EQ(cpu.pieces[0].back().x, 1439);
  const auto at = history::HitTest(day, span, {1440, 400}, 1439);
  ASSERT_TRUE(at);
  EXPECT_EQ(testing::Cpu(at->values), 44.5f);
}

}  // namespace
}  // namespace kelvane
