// How a chart of the history window looks: its model (graph.h) turned into
// the picture box's drawing, with the value axis at the left, the times
// below, the chart's name above, and the colours of its lines.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/graph.h"
#include "platform/form/drawing.h"

namespace kelvane::history {

// Pixels around the plot inside a chart's picture box.
inline constexpr int kAxisWidth = 58;
inline constexpr int kTitleHeight = 16;
inline constexpr int kTimesHeight = 16;
inline constexpr int kRightMargin = 10;

// The plot's size inside a picture box of `width` x `height` pixels (at least
// 2 x 2).
PlotSize PlotIn(int width, int height);

struct ChartLook {
  form::Colour back = 0;   // around the plot
  form::Colour plot = 0;   // the plot's background
  form::Colour grid = 0;   // the value axis' round numbers across the plot
  form::Colour text = 0;   // the axis texts and the chart's name
  form::Colour stale = 0;  // stale times
  form::Colour alarm = 0;  // the alarm limit
  form::Colour shutdown = 0;
  form::Colour cursor = 0;  // the pointer's time
  std::array<form::Colour, kMeterCount> meters{};
  form::Font font{"Tahoma", 8, false, false};
};
// The window's own colours, a line colour for each meter that reads well on
// the plot among them.
ChartLook DefaultLook();

// `wanted` when it stands out from `background` enough to be read as a thin
// line, else `fallback`.
form::Colour ReadableOn(form::Colour wanted, form::Colour background, form::Colour fallback);
// Each meter's line: the user's colour where one is given and readable on the
// plot, else the look's own.
void TakeUserColours(ChartLook& look,
                     const std::array<std::optional<form::Colour>, kMeterCount>& user);

struct TimeLabel {
  int x = 0;  // the plot's column
  std::string text;
};
// Times along the bottom at round local times (every 2 minutes over ten
// minutes, 10 minutes over an hour, 3 hours over a day): `text` writes a local
// time given in seconds of the local calendar.
std::vector<TimeLabel> TimeLabels(const History& history, const Span& span, PlotSize plot,
                                  const std::function<std::string(std::int64_t)>& text);

// The chart's drawing: its name with the meters' names in their colours,
// stale times shaded, the round numbers as grid lines, the minute bands and
// the lines, the limits, and the pointer's time as an upright line.
form::Drawing DrawChart(const ChartModel& model, Chart chart, PlotSize plot, const ChartLook& look,
                        const std::vector<TimeLabel>& times, std::optional<int> cursor_x);

// The meters' short names, as the legends and the pointer's line write them.
std::string_view MeterName(Meter meter);

}  // namespace kelvane::history
