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
}

void ProbeStats::Add(const TickValues& v) {
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

void FillStatsTable(const ProbeStats& s, const ProbeReading& reading, const TickValues& now,
                    double n, std::string_view sep, StatsTable& t) {
  auto degrees = [](long long v) { return IntText(v) + std::string(kDegree) + "C"; };
  auto average = [n](auto sum) { return static_cast<double>(sum) / n; };

  t[1] = degrees(now.cpu_temp);
  t[2] = FormatPattern(average(s.cpu_temp.sum), "##.0", sep);
  t[3] = degrees(s.cpu_temp.minimum);
  t[4] = degrees(s.cpu_temp.maximum);

  t[5] = degrees(now.mb_temp);
  t[6] = FormatPattern(average(s.mb_temp.sum), "##.0", sep);
  t[7] = degrees(s.mb_temp.minimum);
  t[8] = degrees(s.mb_temp.maximum);

  int slot = 9;
  for (auto [current, stat] : {std::pair{now.cpu_fan, &s.cpu_fan},
                               {now.power_fan, &s.power_fan},
                               {now.chassis_fan, &s.chassis_fan}}) {
    t[slot] = IntText(current);
    t[slot + 1] = FormatPattern(average(stat->sum), "####", sep);
    t[slot + 2] = IntText(stat->minimum);
    t[slot + 3] = IntText(stat->maximum);
    slot += 4;
  }

  t[21] = FormatPattern(now.v12, "##.#0", sep);
  t[22] = FormatPattern(average(s.v12.sum), "##.#0", sep);
  t[23] = FormatPattern(s.v12.minimum, "##.#0", sep);
  t[24] = FormatPattern(s.v12.maximum, "##.#0", sep);

  slot = 25;
  for (auto [current, stat] : {std::pair{now.v5, &s.v5}, {now.v33, &s.v33}}) {
    t[slot] = FloatText(current, sep);
    t[slot + 1] = FormatPattern(average(stat->sum), "#.##0", sep);
    t[slot + 2] = FloatText(stat->minimum, sep);
    t[slot + 3] = FloatText(stat->maximum, sep);
    slot += 4;
  }

  t[33] = TrimSpaces(reading.texts[probe::kVCoreSlot]);
  t[34] = FormatPattern(average(s.vcore.sum), "#.##0", sep);
  t[35] = FloatText(s.vcore.minimum, sep);
  t[36] = FloatText(s.vcore.maximum, sep);
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
