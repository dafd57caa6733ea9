#include "history/chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "appearance/alarm_colours.h"

namespace kelvane::history {
namespace {

using form::Rgb;

int Red(form::Colour c) {
  return static_cast<int>(c & 0xFF);
}
int Green(form::Colour c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(form::Colour c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
// Brightness as the eye takes it, 0 to 1.
double Lightness(form::Colour c) {
  return (0.299 * Red(c) + 0.587 * Green(c) + 0.114 * Blue(c)) / 255;
}
// `share` of `a`, the rest of `b`.
form::Colour Blend(form::Colour a, form::Colour b, double share) {
  auto mix = [share](int x, int y) {
    return static_cast<int>(std::lround(x * share + y * (1 - share)));
  };
  return Rgb(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

std::string_view ChartName(Chart chart) {
  switch (chart) {
    case Chart::kTemperatures:
      return "Temperatures";
    case Chart::kFans:
      return "Fans";
    case Chart::kVoltages:
      break;
  }
  return "Voltages";
}

// Half the width of a time along the bottom, about.
constexpr int kLastLabelRoom = 26;

// Local seconds are counted from a midnight, so round times are multiples.
std::int64_t FloorTo(std::int64_t value, std::int64_t step) {
  const std::int64_t q = value / step;
  return (value % step < 0 ? q - 1 : q) * step;
}

}  // namespace

std::string_view MeterName(Meter meter) {
  switch (meter) {
    case Meter::kCpuTemp:
      return "CPU";
    case Meter::kMbTemp:
      return "MB";
    case Meter::kCpuFan:
      return "CPU fan";
    case Meter::kPowerFan:
      return "Power fan";
    case Meter::kChassisFan:
      return "Chassis fan";
    case Meter::kV12:
      return "+12V";
    case Meter::kV5:
      return "+5V";
    case Meter::kV33:
      return "+3.3V";
    case Meter::kVCore:
      break;
  }
  return "Vcore";
}

PlotSize PlotIn(int width, int height) {
  return {std::max(2, width - kAxisWidth - kRightMargin),
          std::max(2, height - kTitleHeight - kTimesHeight)};
}

ChartLook DefaultLook() {
  ChartLook look;
  look.back = Rgb(40, 44, 52);
  look.plot = Rgb(18, 20, 26);
  look.grid = Rgb(62, 66, 76);
  look.text = Rgb(215, 218, 224);
  look.stale = Rgb(78, 78, 86);
  // The alarm window's pale yellow and a red that shows on the dark plot.
  look.alarm = appearance::kAlarmText;
  look.shutdown = Rgb(235, 52, 52);
  look.cursor = Rgb(250, 250, 250);
  look.meters = {Rgb(255, 120, 90),  Rgb(90, 190, 255),  Rgb(255, 205, 70),
                 Rgb(130, 230, 120), Rgb(200, 150, 255), Rgb(255, 150, 60),
                 Rgb(90, 225, 215),  Rgb(235, 235, 110), Rgb(255, 125, 200)};
  return look;
}

form::Colour ReadableOn(form::Colour wanted, form::Colour background, form::Colour fallback) {
  if (wanted & form::kSystemColourBit) return fallback;
  return std::fabs(Lightness(wanted) - Lightness(background)) >= 0.3 ? wanted : fallback;
}

void TakeUserColours(ChartLook& look,
                     const std::array<std::optional<form::Colour>, kMeterCount>& user) {
  for (std::size_t i = 0; i < user.size(); ++i)
    if (user[i]) look.meters[i] = ReadableOn(*user[i], look.plot, look.meters[i]);
}

std::vector<TimeLabel> TimeLabels(const History& history, const Span& span, PlotSize plot,
                                  const std::function<std::string(std::int64_t)>& text) {
  const std::int64_t length = span.end - span.begin;
  const std::int64_t step = length <= 600 ? 120 : length <= 3600 ? 600 : 10800;
  // The offset of the span's newest time: a daylight saving change inside
  // the day shifts the labels before it by its hour, no more.
  const std::int64_t offset = history.LocalOf(span.end - 1) - (span.end - 1);
  std::vector<TimeLabel> labels;
  for (std::int64_t local = FloorTo(span.begin + offset, step) + step; local - offset < span.end;
       local += step) {
    const int x = XOf(span, plot, local - offset);
    // A time centred on the right edge would be cut off.
    if (x <= plot.width - kLastLabelRoom) labels.push_back({x, text(local)});
  }
  return labels;
}

form::Drawing DrawChart(const ChartModel& model, Chart chart, PlotSize plot, const ChartLook& look,
                        const std::vector<TimeLabel>& times, std::optional<int> cursor_x) {
  const int ox = kAxisWidth, oy = kTitleHeight;
  const int right = ox + plot.width, bottom = oy + plot.height;
  form::Drawing d;
  // Each shape is made in place: the drawing of a day holds thousands.
  auto line = [&d](form::Colour colour, int width, std::vector<form::PixelPoint> points) {
    auto& shape = std::get<form::Polyline>(d.emplace_back(std::in_place_type<form::Polyline>));
    shape.colour = colour;
    shape.width = width;
    shape.points = std::move(points);
  };
  auto text = [&d, &look](form::Colour colour, form::Alignment align, int x, int y,
                          std::string words) {
    auto& shape = std::get<form::DrawnText>(d.emplace_back(std::in_place_type<form::DrawnText>));
    shape.colour = colour;
    shape.font = look.font;
    shape.alignment = align;
    shape.x = x;
    shape.y = y;
    shape.text = std::move(words);
  };

  d.push_back(form::FilledRect{look.back, 0, 0, right + kRightMargin, bottom + kTimesHeight});
  d.push_back(form::FilledRect{look.plot, ox, oy, right, bottom});
  for (const ShadedColumns& s : model.stale)
    d.push_back(form::FilledRect{look.stale, ox + s.left, oy, ox + s.right, bottom});
  for (const AxisTick& tick : model.axis.ticks) {
    line(look.grid, 1, {{ox, oy + tick.y}, {right, oy + tick.y}});
    text(look.text, form::Alignment::kRight, ox - 4, std::clamp(oy + tick.y - 7, 0, bottom - 7),
         tick.text);
  }
  for (const TimeLabel& t : times) {
    line(look.grid, 1, {{ox + t.x, oy}, {ox + t.x, bottom + 3}});
    text(look.text, form::Alignment::kCentre, ox + t.x, bottom + 2, t.text);
  }

  // The minute bands under every line, then the lines over them.
  // A band is one line going up and down its columns in turn: a day holds
  // thousands of them, and one line costs the renderer one call.
  for (const MeterLine& m : model.lines) {
    const form::Colour dim = Blend(look.meters[static_cast<std::size_t>(m.meter)], look.plot, 0.4);
    for (const auto& band : m.bands) {
      if (band.empty()) continue;
      std::vector<form::PixelPoint> points;
      points.reserve(2 * band.size());
      bool down = true;
      for (const BandColumn& c : band) {
        const form::PixelPoint top{ox + c.x, oy + c.top}, bottom{ox + c.x, oy + c.bottom + 1};
        points.push_back(down ? top : bottom);
        points.push_back(down ? bottom : top);
        down = !down;
      }
      line(dim, 1, std::move(points));
    }
  }
  for (const LevelLine& level : model.levels) {
    const bool alarm = level.kind == LevelLine::Kind::kAlarm;
    const form::Colour colour = alarm ? look.alarm : look.shutdown;
    line(colour, 1, {{ox, oy + level.y}, {right, oy + level.y}});
    text(colour, form::Alignment::kRight, right - 2, std::max(oy, oy + level.y - 14),
         alarm ? "alarm" : "shutdown");
  }
  for (const MeterLine& m : model.lines) {
    const form::Colour colour = look.meters[static_cast<std::size_t>(m.meter)];
    for (const auto& piece : m.pieces) {
      if (piece.empty()) continue;
      std::vector<form::PixelPoint> points;
      points.reserve(piece.size() + 1);
      for (const XY& p : piece) points.push_back({ox + p.x, oy + p.y});
      // A lone point is drawn as a short dash.
      if (points.size() == 1) points.push_back({points[0].x + 1, points[0].y});
      // Two pixels thick, as two thin lines: a thick pen costs the system's
      // drawing many times more.
      std::vector<form::PixelPoint> below = points;
      for (form::PixelPoint& p : below) p.y += 1;
      line(colour, 1, std::move(points));
      line(colour, 1, std::move(below));
    }
  }
  if (cursor_x && *cursor_x >= 0 && *cursor_x < plot.width)
    line(look.cursor, 1, {{ox + *cursor_x, oy}, {ox + *cursor_x, bottom}});
  line(look.grid, 1,
       {{ox, oy}, {right - 1, oy}, {right - 1, bottom - 1}, {ox, bottom - 1}, {ox, oy}});

  // The name, then each meter's name in its colour.
  text(look.text, form::Alignment::kLeft, ox, 1,
       std::string(ChartName(chart)) + " (" + std::string(UnitOf(chart)) + ")");
  int x = ox + 140;
  for (Meter m : MetersOf(chart)) {
    text(look.meters[static_cast<std::size_t>(m)], form::Alignment::kLeft, x, 1,
         std::string(MeterName(m)));
    x += 90;
  }
  return d;
}

}  // namespace kelvane::history
