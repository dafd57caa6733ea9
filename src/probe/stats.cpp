#include "probe/stats.h"

#include <algorithm>
#include <limits>

#include "base/numbers.h"
#include "base/text.h"
#include "platform/calendar.h"

namespace kelvane {

using probe::ProbeReading;

namespace {

// A voltage as the statistics keep it; a text such as "9e99" would not fit a
// float, so it stops at the largest one.
float Voltage(const std::string& text) {
  constexpr double kMost = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(LeadingNumber(text), -kMost, kMost));
}

}  // namespace

TickValues ValuesOf(const ProbeReading& r) {
  TickValues v;
  v.vcore = Voltage(r.texts[probe::kVCoreSlot]);
  v.cpu_temp = r.cpu_temp;
  v.mb_temp = probe::MbTemp32(r);
  v.v5 = Voltage(r.texts[probe::kV5Slot]);
  v.v33 = Voltage(r.texts[probe::kV33Slot]);
  v.v12 = Voltage(r.texts[probe::kV12Slot]);
  v.cpu_fan = RoundToInt32(LeadingNumber(r.texts[probe::kCpuFanSlot]));
  v.power_fan = RoundToInt32(LeadingNumber(r.texts[probe::kPowerFanSlot]));
  v.chassis_fan = RoundToInt32(LeadingNumber(r.texts[probe::kChassisFanSlot]));
  return v;
}

void IntStat::Add(std::int32_t v) {
  sum += v;
  if (v > maximum) maximum = v;
  if (v < minimum) minimum = v;
}

void FloatStat::Add(float v) {
  sum += v;
  if (v > maximum) maximum = v;
  if (v < minimum) minimum = v;
}

void ProbeStats::Reset() {
  cpu_temp.Reset(100);
  mb_temp.Reset(100);
  for (FloatStat* s : {&v12, &v5, &v33, &vcore}) s->Reset(100.0f);
  for (IntStat* s : {&cpu_fan, &power_fan, &chassis_fan}) s->Reset(20000);
  count = 0;
}

void ProbeStats::Add(const TickValues& v) {
  count += 1;
  vcore.Add(v.vcore);
  cpu_temp.Add(v.cpu_temp);
  mb_temp.Add(v.mb_temp);
  v5.Add(v.v5);
  v33.Add(v.v33);
  v12.Add(v.v12);
  cpu_fan.Add(v.cpu_fan);
  power_fan.Add(v.power_fan);
  chassis_fan.Add(v.chassis_fan);
}

double Statistics::Figures::Of(Column c) const {
  switch (c) {
    case Column::kCurrent:
      return current;
    case Column::kAverage:
      return average;
    case Column::kLowest:
      return lowest;
    case Column::kHighest:
      return highest;
  }
  return 0;
}

Statistics StatisticsOf(const ProbeStats& s, const ProbeReading& reading, const TickValues& now,
                        double n) {
  Statistics out;
  out.counted = true;
  auto set = [&out, n](Meter m, double current, const auto& stat) {
    out.meters[static_cast<std::size_t>(m)] = {current, static_cast<double>(stat.sum) / n,
                                               static_cast<double>(stat.minimum),
                                               static_cast<double>(stat.maximum)};
  };
  set(Meter::kCpuTemp, now.cpu_temp, s.cpu_temp);
  set(Meter::kMbTemp, now.mb_temp, s.mb_temp);
  set(Meter::kCpuFan, now.cpu_fan, s.cpu_fan);
  set(Meter::kPowerFan, now.power_fan, s.power_fan);
  set(Meter::kChassisFan, now.chassis_fan, s.chassis_fan);
  set(Meter::kV12, now.v12, s.v12);
  set(Meter::kV5, now.v5, s.v5);
  set(Meter::kV33, now.v33, s.v33);
  set(Meter::kVCore, now.vcore, s.vcore);
  out.vcore_text = TrimSpaces(reading.texts[probe::kVCoreSlot]);
  return out;
}

// The figures hold the readings' own values: ints and floats, exactly.
std::string StatText(const Statistics& statistics, Meter meter, Column column,
                     std::string_view sep) {
  if (!statistics.counted) return {};
  const double v = statistics[meter].Of(column);
  const bool average = column == Column::kAverage;
  const auto whole = [v] { return IntText(static_cast<long long>(v)); };
  const auto shortest = [v, sep] { return FloatText(static_cast<float>(v), sep); };
  switch (meter) {
    case Meter::kCpuTemp:
    case Meter::kMbTemp:
      return average ? FormatPattern(v, "##.0", sep) : whole() + std::string(kDegree) + "C";
    case Meter::kCpuFan:
    case Meter::kPowerFan:
    case Meter::kChassisFan:
      return average ? FormatPattern(v, "####", sep) : whole();
    case Meter::kV12:
      // A reading is a float, and prints as one; an average is a double.
      return average ? FormatPattern(v, "##.#0", sep)
                     : FormatPattern(static_cast<float>(v), "##.#0", sep);
    case Meter::kV5:
    case Meter::kV33:
      return average ? FormatPattern(v, "#.##0", sep) : shortest();
    case Meter::kVCore:
      if (column == Column::kCurrent) return statistics.vcore_text;
      return average ? FormatPattern(v, "#.##0", sep) : shortest();
  }
  return {};
}

std::string ElapsedText(const platform::DateTime& start, const platform::DateTime& now) {
  std::int64_t s = ToSerialSeconds(now) - ToSerialSeconds(start);
  std::int64_t days = s / 86400;
  std::int64_t hours = (s - days * 86400) / 3600;
  std::int64_t rest = s - days * 86400 - hours * 3600;
  std::int64_t minutes = rest / 60;
  std::int64_t seconds = rest - minutes * 60;
  auto two = [](std::int64_t v) { return FormatPattern(static_cast<double>(v), "0#", "."); };
  return "Day:" + IntText(days) + "  " + two(hours) + ":" + two(minutes) + ":" + two(seconds);
}

}  // namespace kelvane
