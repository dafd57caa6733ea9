// The charts as the History window draws them: the lines' colours readable on
// the plot, a stale time shaded with no line across it, the times along the
// bottom at round local times.
#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "history/chart_drawing.h"
#include "history_fixture.h"
#include "platform/calendar.h"

namespace kelvane::history {
namespace {

using testing::TickFeed;

constexpr std::size_t kCpu = static_cast<std::size_t>(Meter::kCpuTemp);

TEST(ChartLookTest, TheUsersColoursAreTakenOnlyWhereTheyReadOnThePlot) {
  const ChartLook look = DefaultLook();
  std::array<std::optional<form::Colour>, kMeterCount> user{};
  user[kCpu] = 0x00FFFF;                               // yellow: reads on the dark plot
  user[static_cast<std::size_t>(Meter::kMbTemp)] = 0;  // the dashboard's black: does not
  user[static_cast<std::size_t>(Meter::kCpuFan)] = form::kButtonText;  // a system colour
  ChartLook taken = look;
  TakeUserColours(taken, user);
  EXPECT_EQ(taken.meters[kCpu], 0x00FFFFu);
  EXPECT_EQ(taken.meters[1], look.meters[1]);
  EXPECT_EQ(taken.meters[2], look.meters[2]);
  EXPECT_EQ(taken.meters[3], look.meters[3]) << "no colour of the user's: the window's own";
  // The window's own colours read on its plot.
  for (form::Colour c : look.meters) EXPECT_EQ(ReadableOn(c, look.plot, 1), c);
  EXPECT_EQ(ReadableOn(look.alarm, look.plot, 1), look.alarm);
  EXPECT_EQ(ReadableOn(look.shutdown, look.plot, 1), look.shutdown);
}

TEST(ChartDrawingTest, AStaleTimeIsShadedAndNoLineCrossesIt) {
  History history;
  TickFeed feed;
  for (int s = 0; s < 100; ++s) feed.Feed(history, 50 + s % 7);
  for (int s = 0; s < 20; ++s) feed.Feed(history, 99, true);
  for (int s = 0; s < 80; ++s) feed.Feed(history, 60);
  const Span span = history.Query(SpanKind::kTenMinutes, feed.Now() - 1);
  const PlotSize plot{600, 150};
  const ChartModel model = BuildChart(span, Chart::kTemperatures, plot, {70, 89}, ".");
  const ChartLook look = DefaultLook();
  const form::Drawing drawing = DrawChart(model, Chart::kTemperatures, plot, look, {}, 300);

  const form::FilledRect* shade = nullptr;
  std::vector<const form::Polyline*> cpu;
  for (const form::Shape& shape : drawing) {
    if (const auto* r = std::get_if<form::FilledRect>(&shape); r && r->colour == look.stale)
      shade = r;
    if (const auto* l = std::get_if<form::Polyline>(&shape); l && l->colour == look.meters[kCpu])
      cpu.push_back(l);
  }
  ASSERT_NE(shade, nullptr);
  // One line before the stale time, one after, each two pixels thick (two
  // thin lines a pixel apart).
  ASSERT_EQ(cpu.size(), 4u);
  for (std::size_t i : {0u, 2u}) {
    ASSERT_EQ(cpu[i]->points.size(), cpu[i + 1]->points.size());
    for (std::size_t k = 0; k < cpu[i]->points.size(); ++k)
      EXPECT_EQ(cpu[i + 1]->points[k],
                (form::PixelPoint{cpu[i]->points[k].x, cpu[i]->points[k].y + 1}));
  }
  auto xs = [](const form::Polyline& l) {
    const auto [lo, hi] = std::minmax_element(l.points.begin(), l.points.end(),
                                              [](auto& a, auto& b) { return a.x < b.x; });
    return std::pair{lo->x, hi->x};
  };
  EXPECT_LE(xs(*cpu[1]).second, shade->left);
  EXPECT_GE(xs(*cpu[2]).first, shade->right - 1);
  // Stale readings draw nothing of their own: no point at the stale 99, above
  // the shutdown limit (89) that every fresh reading stayed below.
  const int shutdown_y = model.levels.at(1).y + kTitleHeight;
  for (const form::Polyline* l : cpu)
    for (const form::PixelPoint& p : l->points) EXPECT_GT(p.y, shutdown_y);
  // The pointer's time: an upright line at its column.
  EXPECT_TRUE(std::any_of(drawing.begin(), drawing.end(), [&](const form::Shape& s) {
    const auto* l = std::get_if<form::Polyline>(&s);
    return l && l->colour == look.cursor && l->points.front().x == kAxisWidth + 300 &&
           l->points.back().x == kAxisWidth + 300;
  }));
}

TEST(ChartDrawingTest, ADaysMinuteBandsAreDrawnFromLowestToHighestUnderTheLine) {
  History history;
  TickFeed feed;
  for (int s = 0; s < 600; ++s) feed.Feed(history, 40 + (s % 60) / 3);  // 40 to 59 each minute
  const Span day = history.Query(SpanKind::kDay, feed.Now() - 1);
  const PlotSize plot{1440, 200};  // a column a minute
  const ChartModel model = BuildChart(day, Chart::kTemperatures, plot, {70, 89}, ".");
  const form::Drawing drawing = DrawChart(model, Chart::kTemperatures, plot, DefaultLook(), {}, {});
  const std::vector<BandColumn>& band = model.lines.at(0).bands.at(0);
  ASSERT_EQ(band.size(), 10u);
  // The band's line visits each column's highest and lowest reading, in turn.
  const auto drawn = std::find_if(drawing.begin(), drawing.end(), [&](const form::Shape& s) {
    const auto* l = std::get_if<form::Polyline>(&s);
    return l && l->points.size() == 2 * band.size();
  });
  ASSERT_NE(drawn, drawing.end());
  const auto& points = std::get<form::Polyline>(*drawn).points;
  for (std::size_t i = 0; i < band.size(); ++i) {
    const form::PixelPoint top{kAxisWidth + band[i].x, kTitleHeight + band[i].top};
    const form::PixelPoint bottom{kAxisWidth + band[i].x, kTitleHeight + band[i].bottom + 1};
    EXPECT_TRUE((points[2 * i] == top && points[2 * i + 1] == bottom) ||
                (points[2 * i] == bottom && points[2 * i + 1] == top));
    EXPECT_LT(band[i].top, band[i].bottom) << "a minute of 40 to 59 is a band, not a point";
  }
  // The line of averages lies within it, drawn after it.
  const auto average = std::find_if(drawn, drawing.end(), [&](const form::Shape& s) {
    const auto* l = std::get_if<form::Polyline>(&s);
    return l && l->colour == DefaultLook().meters[kCpu];
  });
  ASSERT_NE(average, drawing.end());
  for (const form::PixelPoint& p : std::get<form::Polyline>(*average).points)
    EXPECT_GT(p.y, kTitleHeight + band.front().top);
}

TEST(ChartDrawingTest, TimesAlongTheBottomAreRoundLocalTimes) {
  History history;
  TickFeed feed;  // 09:00:00 local, an hour ahead of UTC
  for (int s = 0; s < 700; ++s) feed.Feed(history, 50);
  const PlotSize plot{600, 150};
  auto text = [](std::int64_t local) {
    const platform::DateTime t = platform::FromSerialSeconds(local);
    return std::to_string(t.hour) + ":" + (t.minute < 10 ? "0" : "") + std::to_string(t.minute) +
           ":" + std::to_string(t.second);
  };
  const Span ten = history.Query(SpanKind::kTenMinutes, feed.Now() - 1);  // 09:01:40 to 09:11:40
  std::vector<TimeLabel> labels = TimeLabels(history, ten, plot, text);
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[0].text, "9:02:0");
  EXPECT_EQ(labels[4].text, "9:10:0");
  for (std::size_t i = 1; i < labels.size(); ++i) EXPECT_GT(labels[i].x, labels[i - 1].x);
  EXPECT_EQ(labels[0].x, XOf(ten, plot, InstantOf({2026, 12, 7, 9, 2, 0}, 60)));

  const Span day = history.Query(SpanKind::kDay, feed.Now() - 1);
  labels = TimeLabels(history, day, plot, text);
  // Every three hours of a day, but the newest (9:00, 12 minutes before the
  // end of the day's span) would stand across the right edge.
  ASSERT_EQ(labels.size(), 7u);
  EXPECT_EQ(labels.front().text, "12:00:0");
  EXPECT_EQ(labels.back().text, "6:00:0");
}

}  // namespace
}  // namespace kelvane::history
