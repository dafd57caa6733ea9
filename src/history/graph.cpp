#include "history/graph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::history {
namespace {

std::size_t Index(Meter m) {
  return static_cast<std::size_t>(m);
}

// The pattern that shows every multiple of `step` without losing a digit.
std::string PatternFor(double step) {
  const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
  return decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

}  // namespace

std::vector<Meter> MetersOf(Chart chart) {
  switch (chart) {
    case Chart::kTemperatures:
      return {Meter::kCpuTemp, Meter::kMbTemp};
    case Chart::kFans:
      return {Meter::kCpuFan, Meter::kPowerFan, Meter::kChassisFan};
    case Chart::kVoltages:
      break;
  }
  return {Meter::kV12, Meter::kV5, Meter::kV33, Meter::kVCore};
}

std::string_view UnitOf(Chart chart) {
  switch (chart) {
    case Chart::kTemperatures:
      return "\xC2\xB0"
             "C";
    case Chart::kFans:
      return "rpm";
    case Chart::kVoltages:
      break;
  }
  return "V";
}

Axis RoundAxis(double lowest, double highest, int most_ticks) {
  if (lowest > highest) std::swap(lowest, highest);
  most_ticks = std::max(most_ticks, 2);
  if (highest - lowest <= 0) {
    // A flat line sits in the middle of a small range around it.
    const double pad = std::max(std::fabs(lowest) * 0.05, 0.01);
    lowest -= pad, highest += pad;
  }
  const double raw = (highest - lowest) / (most_ticks - 1);
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  Axis axis;
  for (double factor : {1.0, 2.0, 5.0, 10.0, 20.0}) {
    axis.step = factor * magnitude;
    const double first = std::floor(lowest / axis.step), last = std::ceil(highest / axis.step);
    if (last - first + 1 <= most_ticks) {
      axis.low = first * axis.step;
      axis.high = std::max(last, first + 1) * axis.step;
      break;
    }
  }
  const int count = static_cast<int>(std::lround((axis.high - axis.low) / axis.step)) + 1;
  const double first = std::round(axis.low / axis.step);
  for (int i = 0; i < count; ++i) axis.ticks.push_back({(first + i) * axis.step, 0, ""});
  return axis;
}

int XOf(const Span& span, PlotSize size, std::int64_t at) {
  const std::int64_t length = std::max<std::int64_t>(span.end - span.begin, 1);
  const std::int64_t x = (at - span.begin) * size.width / length;
  return static_cast<int>(std::clamp<std::int64_t>(x, 0, size.width - 1));
}

std::int64_t InstantAtX(const Span& span, PlotSize size, int x) {
  const std::int64_t length = span.end - span.begin;
  // The first instant whose column is x.
  return span.begin + (std::int64_t{x} * length + size.width - 1) / std::max(size.width, 1);
}

ChartModel BuildChart(const Span& span, Chart chart, PlotSize size, const Limits& limits,
                      std::string_view decimal_separator) {
  const std::vector<Meter> meters = MetersOf(chart);
  const bool temperatures = chart == Chart::kTemperatures;
  double lowest = std::numeric_limits<double>::infinity();
  double highest = -lowest;
  for (const auto& run : span.runs)
    for (const Point& p : run)
      for (Meter m : meters) {
        lowest = std::min<double>(lowest, p.low[Index(m)]);
        highest = std::max<double>(highest, p.high[Index(m)]);
      }
  if (temperatures) {
    lowest = std::min({lowest, limits.alarm, limits.shutdown});
    highest = std::max({highest, limits.alarm, limits.shutdown});
  }
  if (!std::isfinite(lowest)) lowest = 0, highest = 1;  // nothing to draw

  ChartModel model;
  model.axis = RoundAxis(lowest, highest, std::max(2, size.height / 40));
  const Axis& axis = model.axis;
  auto y_of = [&](double v) {
    return static_cast<int>(
        std::lround((axis.high - v) * (size.height - 1) / (axis.high - axis.low)));
  };
  const std::string pattern = PatternFor(axis.step);
  for (AxisTick& tick : model.axis.ticks) {
    tick.y = y_of(tick.value);
    tick.text =
        FormatPattern(tick.value, pattern, decimal_separator) + " " + std::string(UnitOf(chart));
  }

  for (Meter m : meters) {
    MeterLine line{m, {}, {}};
    for (const auto& run : span.runs) {
      std::vector<XY> piece;
      std::vector<BandColumn> band;
      for (const Point& p : run) {
        const XY xy{XOf(span, size, p.at), y_of(p.mean[Index(m)])};
        // Several seconds in one column: the line only needs them once each.
        if (piece.empty() || !(piece.back() == xy)) piece.push_back(xy);
        if (span.step > 1) band.push_back({xy.x, y_of(p.high[Index(m)]), y_of(p.low[Index(m)])});
      }
      line.pieces.push_back(std::move(piece));
      if (span.step > 1) line.bands.push_back(std::move(band));
    }
    model.lines.push_back(std::move(line));
  }

  if (temperatures) {
    model.levels.push_back({LevelLine::Kind::kAlarm, limits.alarm, y_of(limits.alarm)});
    model.levels.push_back({LevelLine::Kind::kShutdown, limits.shutdown, y_of(limits.shutdown)});
  }
  for (const Interval& stale : span.stale) {
    const int left = XOf(span, size, stale.begin);
    const int right = std::max(XOf(span, size, stale.end - 1) + 1, left + 1);
    if (!model.stale.empty() && model.stale.back().right >= left)
      model.stale.back().right = std::max(model.stale.back().right, right);
    else
      model.stale.push_back({left, right});
  }
  return model;
}

std::optional<PointerInfo> HitTest(const History& history, const Span& span, PlotSize size, int x) {
  if (x < 0 || x >= size.width) return std::nullopt;
  const std::int64_t first = InstantAtX(span, size, x);
  const std::int64_t end = std::max(InstantAtX(span, size, x + 1), first + 1);
  for (std::int64_t at = first; at < end; at += span.step) {
    if (span.step == 1) {
      if (auto second = history.SecondAt(at))
        return PointerInfo{at, history.LocalOf(at), second->stale, second->values};
    } else if (auto minute = history.MinuteAt(at)) {
      return PointerInfo{minute->at, history.LocalOf(minute->at), minute->stale_ticks > 0,
                         minute->mean};
    }
  }
  return std::nullopt;
}

}  // namespace kelvane::history
