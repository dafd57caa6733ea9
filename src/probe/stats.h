// Running statistics of the readings since the last reset, per meter as
// numbers, and the text each statistic shows where it is shown.
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
  // Samples added since the reset.
  double count = 0;

  void Reset();
  // Adds one sample, in the order VCore, CPU, MB, +5 V, +3.3 V, +12 V, CPU fan,
  // power fan, chassis fan.
  void Add(const TickValues& v);
};

// The nine sensors.
enum class Meter { kCpuTemp, kMbTemp, kCpuFan, kPowerFan, kChassisFan, kV12, kV5, kV33, kVCore };
inline constexpr int kMeterCount = 9;
// The meters in the order every window and log lists them: the temperatures,
// the fans, the voltages.
inline constexpr std::array<Meter, kMeterCount> kMetersInOrder{
    Meter::kCpuTemp, Meter::kMbTemp, Meter::kCpuFan, Meter::kPowerFan, Meter::kChassisFan,
    Meter::kV12,     Meter::kV5,     Meter::kV33,    Meter::kVCore};
// What the statistics tell of a meter.
enum class Column { kCurrent, kAverage, kLowest, kHighest };

// The statistics of the last counted tick: for each meter the current value,
// the average, the lowest and the highest since the last reset.
struct Statistics {
  struct Figures {
    double current = 0, average = 0, lowest = 0, highest = 0;
    double Of(Column c) const;
  };
  bool counted = false;  // false until the first counted tick
  std::array<Figures, kMeterCount> meters{};
  // The VCore reading as the monitor wrote it: its current value is shown so.
  std::string vcore_text;
  const Figures& operator[](Meter m) const { return meters[static_cast<std::size_t>(m)]; }
};

// The statistics after `sample_count` samples, `now` the last of them.
Statistics StatisticsOf(const ProbeStats& stats, const probe::ProbeReading& reading,
                        const TickValues& now, double sample_count);

// The text a statistic shows: temperatures as 45°C (averages "##.0"), fans
// in whole rpm (averages "####"), +12 V as "##.#0", the other voltages as the
// shortest text of their float (averages "#.##0"), the current VCore as read.
// "" before the first counted tick.
std::string StatText(const Statistics& statistics, Meter meter, Column column,
                     std::string_view decimal_separator);

// "Day:" days, two spaces, then hh:mm:ss of the whole seconds from start to now.
std::string ElapsedText(const platform::DateTime& start, const platform::DateTime& now);

}  // namespace kelvane
