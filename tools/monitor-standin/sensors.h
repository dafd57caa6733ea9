// Where the stand-in monitor's readings come from, and how they are written.
//
// Portable: no <windows.h>. The program asks a SensorSource for fresh texts once a
// second and puts them into its nine reading windows unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane::standin {

// The nine readings, in the order their windows are created (and enumerated).
enum Reading : std::size_t {
  kVCore,
  kV5,
  kV33,
  kV12,
  kCpuTemp,
  kChassisFan,
  kPowerFan,
  kCpuFan,
  kMbTemp,
  kReadingCount
};

using ReadingTexts = std::array<std::string, kReadingCount>;
using ReadingValues = std::array<double, kReadingCount>;

enum class Unit { kVolt, kCelsius, kRpm };
Unit UnitOf(Reading reading);

// Texts as the monitor shows them, always with "." as the decimal point:
// whole degrees ("45", "-3"), volts with three decimals ("1.520"), whole rpm
// ("3000", never negative). Rounding is half away from zero.
std::string FormatTemperature(double celsius);
std::string FormatVoltage(double volts);
std::string FormatFanSpeed(double rpm);
std::string FormatReading(Reading reading, double value);

// Applies a feed file's content: line i (counted from 0) becomes the text of
// reading i, byte for byte, except for the line end ("\n" or "\r\n"). Readings
// past the last line keep their texts; lines past the ninth are ignored. An
// empty line present in the file is an empty text.
void ApplyFeed(std::string_view content, ReadingTexts& texts);

// Plausible readings that drift slowly, a pure function of seed and time:
// CPU 40-60 degC, board 30-40 degC, fans 2000-5000 rpm, VCore about 1.5 V, the
// rails about 5.0, 3.3 and 12.0 V.
class SyntheticSensors {
 public:
  explicit SyntheticSensors(std::uint64_t seed);
  ReadingValues At(double seconds) const;

 private:
  struct Wave {
    double phase[3];
  };
  std::array<Wave, kReadingCount> waves_;
};

// The sensors found in a Linux hwmon tree (/sys/class/hwmon: hwmonN/name,
// tempN_input in millidegrees, fanN_input in rpm, inN_input in millivolts, with
// optional *_label files). Each reading is bound to at most one input file.
class HwmonSensors {
 public:
  // Looks through the tree once. A missing or empty tree binds nothing.
  static HwmonSensors Discover(const std::string& root);

  // The input file bound to a reading, or empty when none was found.
  const std::string& InputFile(Reading reading) const { return inputs_[reading]; }

  // Current values in the readings' units (degC, rpm, V). A reading with no
  // file, or whose file cannot be read or parsed right now, is nullopt.
  std::array<std::optional<double>, kReadingCount> Read() const;

 private:
  std::array<std::string, kReadingCount> inputs_;
};

// A source of reading texts, asked once a second.
class SensorSource {
 public:
  virtual ~SensorSource() = default;
  // Updates texts for the given time in seconds since the program started.
  virtual void Refresh(ReadingTexts& texts, double seconds) = 0;
  // A short description for people ("feed C:\x.txt").
  virtual std::string Describe() const = 0;
};

// Re-reads the file on every refresh; an unreadable file changes nothing.
std::unique_ptr<SensorSource> MakeFeedSource(std::string path);
// Hwmon values where sensors were found, synthetic ones for the rest.
std::unique_ptr<SensorSource> MakeHwmonSource(std::string root, std::uint64_t seed);
std::unique_ptr<SensorSource> MakeSyntheticSource(std::uint64_t seed);

}  // namespace kelvane::standin
