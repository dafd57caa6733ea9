#include "base/settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane {

std::string ReadSetting(platform::SettingsStore& store, std::string_view app,
                        std::string_view section, std::string_view key,
                        std::string_view default_text) {
  platform::StoreRead r = store.Read(app, section, key);
  if (r.status == platform::StoreStatus::kOk) return r.value;
  return std::string(default_text);
}

bool WriteSetting(platform::SettingsStore& store, std::string_view app, std::string_view section,
                  std::string_view key, std::string_view value) {
  return store.Write(app, section, key, value).status == platform::StoreStatus::kOk;
}

bool RemoveSetting(platform::SettingsStore& store, std::string_view app, std::string_view section,
                   std::optional<std::string_view> key) {
  platform::StoreResult r =
      key ? store.RemoveKey(app, section, *key) : store.RemoveSection(app, section);
  return r.status == platform::StoreStatus::kOk;
}

std::optional<double> ParseFloat(std::string_view text) {
  std::string t = TrimSpaces(text);
  // Exactly one optional point, written as "." or "," by whichever locale
  // stored it; nothing else may follow the number.
  std::replace(t.begin(), t.end(), ',', '.');
  if (t.empty() || std::count(t.begin(), t.end(), '.') > 1) return std::nullopt;
  const char* first = t.data();
  const char* last = first + t.size();
  if (*first == '+') ++first;
  double value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  std::optional<double> v = ParseFloat(text);
  if (!v) return std::nullopt;
  return RoundToInt32(*v);
}

std::optional<bool> ParseFlag(std::string_view text) {
  std::string t = TrimSpaces(text);
  std::transform(t.begin(), t.end(), t.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (t == "true") return true;
  if (t == "false") return false;
  std::optional<double> v = ParseFloat(t);
  if (!v) return std::nullopt;
  return *v != 0;
}

std::optional<std::uint32_t> ParseColour(std::string_view text) {
  std::string t = TrimSpaces(text);
  long long value = 0;
  const char* first = t.data();
  const char* last = first + t.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (t.empty() || ec != std::errc() || ptr != last) return std::nullopt;
  // Negative values are system colours (0x80000000 and up), kept bit for bit.
  if (value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::string FloatSettingText(double value, std::string_view decimal_separator) {
  return FloatText(static_cast<float>(value), decimal_separator);
}

// --- Settings ---------------------------------------------------------------

std::optional<std::string> Settings::Stored(std::string_view name) {
  platform::StoreRead r = store_.Read(kAppName, kSectionName, name);
  if (r.status != platform::StoreStatus::kOk) return std::nullopt;
  return r.value;
}

std::string Settings::Text(const KeyDef& key) {
  return Text(key.name, key.default_text);
}
std::int32_t Settings::Integer(const KeyDef& key) {
  return Integer(key.name, ParseInteger(key.default_text).value_or(0));
}
bool Settings::Flag(const KeyDef& key) {
  return Flag(key.name, ParseFlag(key.default_text).value_or(false));
}
double Settings::Float(const KeyDef& key) {
  return Float(key.name, ParseFloat(key.default_text).value_or(0));
}
std::uint32_t Settings::Colour(const KeyDef& key) {
  return Colour(key.name, ParseColour(key.default_text).value_or(0));
}

std::string Settings::Text(std::string_view name, std::string_view default_text) {
  return Stored(name).value_or(std::string(default_text));
}
std::int32_t Settings::Integer(std::string_view name, std::int32_t default_value) {
  auto s = Stored(name);
  return s ? ParseInteger(*s).value_or(default_value) : default_value;
}
bool Settings::Flag(std::string_view name, bool default_value) {
  auto s = Stored(name);
  return s ? ParseFlag(*s).value_or(default_value) : default_value;
}
double Settings::Float(std::string_view name, double default_value) {
  auto s = Stored(name);
  return s ? ParseFloat(*s).value_or(default_value) : default_value;
}
std::uint32_t Settings::Colour(std::string_view name, std::uint32_t default_value) {
  auto s = Stored(name);
  return s ? ParseColour(*s).value_or(default_value) : default_value;
}

void Settings::WriteText(std::string_view name, std::string_view value) {
  WriteSetting(store_, kAppName, kSectionName, name, value);
}
void Settings::WriteInteger(std::string_view name, std::int64_t value) {
  WriteText(name, IntText(value));
}
void Settings::WriteCheck(std::string_view name, bool checked) {
  WriteText(name, CheckText(checked));
}
void Settings::WriteFlag(std::string_view name, bool value) {
  WriteText(name, FlagText(value));
}
void Settings::WriteFloat(std::string_view name, double value) {
  WriteText(name, FloatSettingText(value, clock_.DecimalSeparator()));
}
void Settings::WriteColour(std::string_view name, std::uint32_t value) {
  // The signed text of the 32-bit value: a system colour is negative.
  WriteText(name, IntText(static_cast<std::int32_t>(value)));
}
bool Settings::Remove(std::string_view name) {
  return RemoveSetting(store_, kAppName, kSectionName, name);
}

}  // namespace kelvane
