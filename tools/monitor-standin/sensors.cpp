#include "sensors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "files.h"

namespace kelvane::standin {

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::string_view Trim(std::string_view text) {
  const auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Lower case without spaces, "+", "_" and "-", so that "+3.3V", "3.3 V" and
// "in_3.3v" compare alike.
std::string Normalise(std::string_view text) {
  std::string out;
  for (char c : Lower(text)) {
    if (c != ' ' && c != '+' && c != '_' && c != '-') out.push_back(c);
  }
  return out;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Decimal digits of a non-negative integer, with the sign put back.
std::string SignedDigits(long long magnitude, bool negative) {
  std::string digits = std::to_string(magnitude);
  return (negative && magnitude != 0) ? "-" + digits : digits;
}

std::uint64_t SplitMix64(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// ---------------------------------------------------------------------------
// hwmon discovery

enum class Kind { kTemp, kFan, kVolt };

struct Channel {
  Kind kind;
  bool cpu_chip;
  std::string label;  // normalised; empty when the chip gives none
  std::string input;  // full path of the *_input file
  bool taken = false;
};

// Chips whose sensors belong to disks, graphics cards, radios or batteries, not
// to the board a monitor reports on.
bool IsForeignChip(const std::string& name) {
  static constexpr std::string_view kPrefixes[] = {"nvme", "amdgpu",    "radeon",  "nouveau",
                                                   "i915", "drivetemp", "iwlwifi", "bat",
                                                   "ucsi", "hidpp"};
  const std::string lower = Lower(name);
  if (lower == "ac" || lower == "adp1") return true;
  return std::any_of(std::begin(kPrefixes), std::end(kPrefixes),
                     [&](std::string_view prefix) { return StartsWith(lower, prefix); });
}

bool IsCpuChip(const std::string& name) {
  const std::string lower = Lower(name);
  return lower == "coretemp" || lower == "k10temp" || lower == "k8temp" || lower == "zenpower" ||
         lower == "via_cputemp" || StartsWith(lower, "cpu");
}

// "temp3_input" -> kTemp; anything else that is not a sensor input -> nullopt.
std::optional<Kind> InputKind(std::string_view file, std::string_view& stem) {
  constexpr std::string_view kSuffix = "_input";
  if (file.size() <= kSuffix.size() || file.substr(file.size() - kSuffix.size()) != kSuffix) {
    return std::nullopt;
  }
  stem = file.substr(0, file.size() - kSuffix.size());
  std::string_view digits;
  Kind kind;
  if (StartsWith(stem, "temp")) {
    kind = Kind::kTemp;
    digits = stem.substr(4);
  } else if (StartsWith(stem, "fan")) {
    kind = Kind::kFan;
    digits = stem.substr(3);
  } else if (StartsWith(stem, "in")) {
    kind = Kind::kVolt;
    digits = stem.substr(2);
  } else {
    return std::nullopt;
  }
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return kind;
}

bool HasInputs(const std::vector<std::string>& files) {
  std::string_view stem;
  return std::any_of(files.begin(), files.end(),
                     [&](const std::string& f) { return InputKind(f, stem).has_value(); });
}

std::vector<Channel> CollectChannels(const std::string& root) {
  std::vector<Channel> channels;
  for (const std::string& entry : ListDirectory(root)) {
    std::string dir = JoinPath(root, entry);
    std::vector<std::string> files = ListDirectory(dir);
    std::string name = std::string(Trim(ReadTextFile(JoinPath(dir, "name")).value_or("")));
    if (!HasInputs(files)) {
      // Older kernels keep the sensor files one level down.
      dir = JoinPath(dir, "device");
      files = ListDirectory(dir);
      if (name.empty()) name = std::string(Trim(ReadTextFile(JoinPath(dir, "name")).value_or("")));
      if (!HasInputs(files)) continue;
    }
    if (IsForeignChip(name)) continue;
    const bool cpu_chip = IsCpuChip(name);
    for (const std::string& file : files) {
      std::string_view stem;
      const std::optional<Kind> kind = InputKind(file, stem);
      if (!kind) continue;
      const std::string label_file = std::string(stem) + "_label";
      const std::string label =
          Normalise(Trim(ReadTextFile(JoinPath(dir, label_file)).value_or("")));
      channels.push_back(Channel{*kind, cpu_chip, label, JoinPath(dir, file)});
    }
  }
  return channels;
}

// Takes the first untaken channel that satisfies pred and returns its input.
template <typename Pred>
std::string Take(std::vector<Channel>& channels, Kind kind, Pred pred) {
  for (Channel& c : channels) {
    if (c.kind == kind && !c.taken && pred(c)) {
      c.taken = true;
      return c.input;
    }
  }
  return {};
}

bool AnyOf(const std::string& label, std::initializer_list<std::string_view> parts) {
  return std::any_of(parts.begin(), parts.end(),
                     [&](std::string_view p) { return Contains(label, p); });
}

bool IsCpuFanLabel(const std::string& l) {
  return Contains(l, "cpu");
}
bool IsChassisFanLabel(const std::string& l) {
  return AnyOf(l, {"chassis", "cha", "sys", "case"});
}
bool IsPowerFanLabel(const std::string& l) {
  return AnyOf(l, {"power", "psu", "pwr"});
}

// Labels are normalised ("+3.3 Voltage" -> "3.3voltage").
std::optional<Reading> VoltageForLabel(const std::string& l) {
  if (StartsWith(l, "vcore") || StartsWith(l, "cpucore") || StartsWith(l, "cpuvcore") ||
      l == "vddcrcpu") {
    return kVCore;
  }
  const auto rail = [&](std::string_view volts, std::initializer_list<std::string_view> names) {
    if (l == std::string(volts) + "v" || l == std::string(volts) + "volt" ||
        l == std::string(volts) + "voltage") {
      return true;
    }
    return std::find(names.begin(), names.end(), l) != names.end();
  };
  if (rail("5", {"vcc5", "5vcc", "in5v"})) return kV5;
  if (rail("3.3", {"3v3", "3vcc", "vcc3", "vcc33", "in3.3v"})) return kV33;
  if (rail("12", {"vcc12", "12vcc", "in12v"})) return kV12;
  return std::nullopt;
}

std::optional<double> ReadNumber(const std::string& path) {
  const std::optional<std::string> text = ReadTextFile(path);
  if (!text) return std::nullopt;
  const std::string_view digits = Trim(*text);
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return static_cast<double>(value);
}

// ---------------------------------------------------------------------------
// Sources

class FeedSource : public SensorSource {
 public:
  explicit FeedSource(std::string path) : path_(std::move(path)) {}
  void Refresh(ReadingTexts& texts, double) override {
    if (const std::optional<std::string> content = ReadTextFile(path_)) ApplyFeed(*content, texts);
  }
  std::string Describe() const override { return "feed " + path_; }

 private:
  std::string path_;
};

class SyntheticSource : public SensorSource {
 public:
  explicit SyntheticSource(std::uint64_t seed) : sensors_(seed) {}
  void Refresh(ReadingTexts& texts, double seconds) override {
    const ReadingValues values = sensors_.At(seconds);
    for (std::size_t i = 0; i < kReadingCount; ++i) {
      texts[i] = FormatReading(static_cast<Reading>(i), values[i]);
    }
  }
  std::string Describe() const override { return "synthetic"; }

 private:
  SyntheticSensors sensors_;
};

class HwmonSource : public SensorSource {
 public:
  HwmonSource(std::string root, std::uint64_t seed)
      : root_(std::move(root)), hwmon_(HwmonSensors::Discover(root_)), synthetic_(seed) {}
  void Refresh(ReadingTexts& texts, double seconds) override {
    const auto measured = hwmon_.Read();
    const ReadingValues made_up = synthetic_.At(seconds);
    for (std::size_t i = 0; i < kReadingCount; ++i) {
      texts[i] = FormatReading(static_cast<Reading>(i), measured[i].value_or(made_up[i]));
    }
  }
  std::string Describe() const override {
    int found = 0;
    for (std::size_t i = 0; i < kReadingCount; ++i) {
      if (!hwmon_.InputFile(static_cast<Reading>(i)).empty()) ++found;
    }
    return "hwmon " + root_ + " (" + std::to_string(found) + " of 9 sensors)";
  }

 private:
  std::string root_;
  HwmonSensors hwmon_;
  SyntheticSensors synthetic_;
};

}  // namespace

Unit UnitOf(Reading reading) {
  switch (reading) {
    case kCpuTemp:
    case kMbTemp:
      return Unit::kCelsius;
    case kChassisFan:
    case kPowerFan:
    case kCpuFan:
      return Unit::kRpm;
    default:
      return Unit::kVolt;
  }
}

std::string FormatTemperature(double celsius) {
  if (!std::isfinite(celsius)) return "";
  return SignedDigits(std::llround(std::fabs(celsius)), celsius < 0);
}

std::string FormatVoltage(double volts) {
  if (!std::isfinite(volts)) return "";
  const long long millivolts = std::llround(std::fabs(volts) * 1000.0);
  std::string fraction = std::to_string(millivolts % 1000);
  fraction.insert(0, 3 - fraction.size(), '0');
  const bool negative = volts < 0 && millivolts != 0;
  return (negative ? "-" : "") + std::to_string(millivolts / 1000) + "." + fraction;
}

std::string FormatFanSpeed(double rpm) {
  if (!std::isfinite(rpm) || rpm < 0) return "0";
  return std::to_string(std::llround(rpm));
}

std::string FormatReading(Reading reading, double value) {
  switch (UnitOf(reading)) {
    case Unit::kCelsius:
      return FormatTemperature(value);
    case Unit::kRpm:
      return FormatFanSpeed(value);
    case Unit::kVolt:
      break;
  }
  return FormatVoltage(value);
}

void ApplyFeed(std::string_view content, ReadingTexts& texts) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < kReadingCount && pos < content.size(); ++i) {
    std::size_t end = content.find('\n', pos);
    const std::size_t next = (end == std::string_view::npos) ? content.size() : end + 1;
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    texts[i] = std::string(line);
    pos = next;
  }
}

SyntheticSensors::SyntheticSensors(std::uint64_t seed) {
  std::uint64_t state = seed;
  for (Wave& wave : waves_) {
    for (double& phase : wave.phase) {
      phase = static_cast<double>(SplitMix64(state) >> 11) * (kTwoPi / 9007199254740992.0);
    }
  }
}

ReadingValues SyntheticSensors::At(double seconds) const {
  // Three sine waves per reading: a slow swell over ten minutes, a wobble of
  // about a minute and a little ripple. Weights add up to 1, so every value
  // stays within mid +- amplitude, and none moves more than about 7% of its
  // amplitude in a second.
  static constexpr double kPeriods[3] = {600.0, 97.0, 13.0};
  static constexpr double kWeights[3] = {0.6, 0.3, 0.1};
  const auto wave = [&](Reading r) {
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
      sum += kWeights[k] * std::sin(kTwoPi * seconds / kPeriods[k] + waves_[r].phase[k]);
    }
    return sum;
  };
  ReadingValues v{};
  v[kVCore] = 1.50 + 0.03 * wave(kVCore);
  v[kV5] = 5.00 + 0.08 * wave(kV5);
  v[kV33] = 3.30 + 0.05 * wave(kV33);
  v[kV12] = 12.00 + 0.20 * wave(kV12);
  v[kCpuTemp] = 50.0 + 9.5 * wave(kCpuTemp);
  v[kMbTemp] = 35.0 + 4.5 * wave(kMbTemp);
  // The CPU fan follows the CPU's heat, as a fan curve would.
  const double heat = (v[kCpuTemp] - 40.0) / 20.0;
  v[kCpuFan] = 2300.0 + 2400.0 * heat + 150.0 * wave(kCpuFan);
  v[kChassisFan] = 2600.0 + 500.0 * wave(kChassisFan);
  v[kPowerFan] = 3300.0 + 500.0 * wave(kPowerFan);
  return v;
}

HwmonSensors HwmonSensors::Discover(const std::string& root) {
  std::vector<Channel> channels = CollectChannels(root);
  HwmonSensors found;
  auto& in = found.inputs_;

  // CPU: the package sensor of a CPU chip, else its first sensor, else a
  // board sensor labelled as the CPU's.
  const auto any = [](const Channel&) { return true; };
  in[kCpuTemp] = Take(channels, Kind::kTemp, [](const Channel& c) {
    return c.cpu_chip && (c.label == "packageid0" || c.label == "tctl" || c.label == "tdie");
  });
  if (in[kCpuTemp].empty()) {
    in[kCpuTemp] = Take(channels, Kind::kTemp, [](const Channel& c) { return c.cpu_chip; });
  }
  if (in[kCpuTemp].empty()) {
    in[kCpuTemp] =
        Take(channels, Kind::kTemp, [](const Channel& c) { return Contains(c.label, "cpu"); });
  }
  // A lone temperature on a board without a CPU chip most likely is the CPU's.
  if (in[kCpuTemp].empty()) in[kCpuTemp] = Take(channels, Kind::kTemp, any);
  // Board: a sensor labelled as the system's, else any sensor of another chip.
  in[kMbTemp] = Take(channels, Kind::kTemp, [](const Channel& c) {
    return !c.cpu_chip && AnyOf(c.label, {"sys", "mb", "motherboard", "board"});
  });
  if (in[kMbTemp].empty()) {
    in[kMbTemp] = Take(channels, Kind::kTemp,
                       [](const Channel& c) { return !c.cpu_chip && !Contains(c.label, "cpu"); });
  }

  // Fans: by label first, then unlabelled ones in order: CPU, chassis, power.
  in[kCpuFan] = Take(channels, Kind::kFan, [](const Channel& c) { return IsCpuFanLabel(c.label); });
  in[kChassisFan] =
      Take(channels, Kind::kFan, [](const Channel& c) { return IsChassisFanLabel(c.label); });
  in[kPowerFan] =
      Take(channels, Kind::kFan, [](const Channel& c) { return IsPowerFanLabel(c.label); });
  for (Reading fan : {kCpuFan, kChassisFan, kPowerFan}) {
    if (in[fan].empty()) in[fan] = Take(channels, Kind::kFan, any);
  }

  // Voltages only by label: an unlabelled inN has an unknown divider, except
  // in0, which is the core voltage on the usual board chips.
  for (Channel& c : channels) {
    if (c.kind != Kind::kVolt || c.taken) continue;
    const std::optional<Reading> r = VoltageForLabel(c.label);
    if (r && in[*r].empty()) {
      in[*r] = c.input;
      c.taken = true;
    }
  }
  if (in[kVCore].empty()) {
    in[kVCore] = Take(channels, Kind::kVolt, [](const Channel& c) {
      const std::string_view path = c.input;
      return c.label.empty() && path.size() >= 9 && path.substr(path.size() - 9) == "in0_input";
    });
  }
  return found;
}

std::array<std::optional<double>, kReadingCount> HwmonSensors::Read() const {
  std::array<std::optional<double>, kReadingCount> values;
  for (std::size_t i = 0; i < kReadingCount; ++i) {
    if (inputs_[i].empty()) continue;
    const std::optional<double> raw = ReadNumber(inputs_[i]);
    if (!raw) continue;
    switch (UnitOf(static_cast<Reading>(i))) {
      case Unit::kCelsius:
      case Unit::kVolt:
        values[i] = *raw / 1000.0;  // millidegrees, millivolts
        break;
      case Unit::kRpm:
        values[i] = *raw;
        break;
    }
  }
  return values;
}

std::unique_ptr<SensorSource> MakeFeedSource(std::string path) {
  return std::make_unique<FeedSource>(std::move(path));
}

std::unique_ptr<SensorSource> MakeHwmonSource(std::string root, std::uint64_t seed) {
  return std::make_unique<HwmonSource>(std::move(root), seed);
}

std::unique_ptr<SensorSource> MakeSyntheticSource(std::uint64_t seed) {
  return std::make_unique<SyntheticSource>(seed);
}

}  // namespace kelvane::standin
