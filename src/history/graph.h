// The pure model of the history's graphs: for a span and a plot size in
// pixels, what the window draws (axis with round numbers, lines broken at
// gaps, the minute bands, the limits as level lines, stale times shaded), and
// what the pointer shows over it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/history.h"

namespace kelvane::history {

// The three graphs, one above the other.
enum class Chart { kTemperatures, kFans, kVoltages };
// The meters a chart draws, in the meters' order.
std::vector<Meter> MetersOf(Chart chart);
// "°C", "rpm" or "V".
std::string_view UnitOf(Chart chart);

struct AxisTick {
  double value = 0;
  int y = 0;         // pixels from the plot's top
  std::string text;  // the number with the user's decimal separator and the unit
};
struct Axis {
  double low = 0, high = 1, step = 1;  // high > low; both multiples of step
  std::vector<AxisTick> ticks;
};
// A range of round numbers (steps of 1, 2 or 5 times a power of ten, at most
// `most_ticks` of them) around [lowest, highest].
Axis RoundAxis(double lowest, double highest, int most_ticks);

struct PlotSize {
  int width = 0, height = 0;  // pixels, both at least 2
};
struct XY {
  int x = 0, y = 0;
  friend bool operator==(const XY&, const XY&) = default;
};
// A minute's band at one x: from the highest reading (top) to the lowest.
struct BandColumn {
  int x = 0, top = 0, bottom = 0;
};
struct MeterLine {
  Meter meter = Meter::kCpuTemp;
  std::vector<std::vector<XY>> pieces;         // the average; never joined across a gap
  std::vector<std::vector<BandColumn>> bands;  // minute spans only
};
struct LevelLine {
  enum class Kind { kAlarm, kShutdown } kind = Kind::kAlarm;
  double value = 0;
  int y = 0;
};
struct ShadedColumns {
  int left = 0, right = 0;  // [left, right) in pixels, at least one wide
};
struct ChartModel {
  Axis axis;
  std::vector<MeterLine> lines;
  std::vector<LevelLine> levels;  // temperatures only
  std::vector<ShadedColumns> stale;
};

struct Limits {
  double alarm = 0;     // the alarm limit, °C
  double shutdown = 0;  // the shutdown limit, °C
};

// The model of one chart of `span` drawn in `size`; `limits` are drawn on the
// temperature chart (and kept inside its axis).
ChartModel BuildChart(const Span& span, Chart chart, PlotSize size, const Limits& limits,
                      std::string_view decimal_separator);

// The time under the pointer's column x, and the readings of that second (or
// minute's averages): nullopt over missing time.
struct PointerInfo {
  std::int64_t at = 0;     // the instant of the second or the minute's start
  std::int64_t local = 0;  // its local time, seconds of the local calendar
  bool stale = false;
  MeterValues values{};
};
std::optional<PointerInfo> HitTest(const History& history, const Span& span, PlotSize size, int x);

// Pixel column of an instant, and the instant at a column.
int XOf(const Span& span, PlotSize size, std::int64_t at);
std::int64_t InstantAtX(const Span& span, PlotSize size, int x);

}  // namespace kelvane::history
