// Running statistics of the readings since the last reset, and their 36
// display texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "probe/reading.h"

namespace kelvane {

// One tick's values as numbers, taken from the reading record.
struct TickValues {
  float vcore = 0, v5 = 0, v33 = 0, v12 = 0;
  std::int32_t cpu_temp = 0, mb_temp = 0;
  std::int32_t cpu_fan = 0, power_fan = 0, chassis_fan = 0;
};
TickValues ValuesOf(const probe::ProbeReading& reading);

// Sums and extremes are wider than the readings they count, so a fan above
// 32767 rpm or a run of many days is shown as read instead of wrapping.
struct IntStat {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int64_t sum = 0;
  void Reset(std::int32_t reset_minimum) { minimum = reset_minimum, maximum = 0, sum = 0; }
  void Add(std::int32_t v);
};

struct FloatStat {
  float minimum = 0;
  float maximum = 0;
  double sum = 0;  // a float sum would stop growing after some days of 12 V samples
  void Reset(float reset_minimum) { minimum = reset_minimum, maximum = 0, sum = 0; }
  void Add(float v);
};

struct ProbeStats {
  IntStat cpu_temp, mb_temp, cpu_fan, power_fan, chassis_fan;
  FloatStat v12, v5, v33, vcore;

  void Reset();
  // Adds one sample, in the order VCore, CPU, MB, +5 V, +3.3 V, +12 V, CPU fan,
  // power fan, chassis fan.
  void Add(const TickValues& v);
};

// Slots 1 to 36 (slot 0 unused): current, average, lowest, highest of CPU
// temperature, motherboard temperature, CPU fan, power fan, chassis fan, +12 V,
// +5 V, +3.3 V and VCore.
using StatsTable = std::array<std::string, 37>;

// The current-value slots of the nine sensors, in table order.
inline constexpr std::array<int, 9> kCurrentSlots{1, 5, 9, 13, 17, 21, 25, 29, 33};

void FillStatsTable(const ProbeStats& stats, const probe::ProbeReading& reading,
                    const TickValues& now, double sample_count, std::string_view decimal_separator,
                    StatsTable& table);

// "Day:" days, two spaces, then hh:mm:ss of the whole seconds from start to now.
std::string ElapsedText(const platform::DateTime& start, const platform::DateTime& now);

}  // namespace kelvane
