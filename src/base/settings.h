// The per-user settings store: text values under application "Marrowby",
// section "Kelvane". Numbers, flags and colours are stored as text and converted
// back when read; a text that does not convert reads as the key's default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/keys.h"
#include "platform/platform.h"

namespace kelvane {

inline constexpr std::string_view kAppName = "Marrowby";
inline constexpr std::string_view kSectionName = "Kelvane";

// Kelvane's hidden application window, through which Dreslin and the setup
// programs ask a running Kelvane to close: found by its class and its title
// together, since an Explorer window or a message box may be titled "Kelvane"
// too. installer/kelvane.nsi spells both out again.
inline constexpr char kApplicationWindowClass[] = "KelvaneApplication";
inline constexpr std::string_view kApplicationWindowTitle = "Kelvane";

// The stored text, or `default_text` when the key, the section or the store
// itself cannot be read.
std::string ReadSetting(platform::SettingsStore& store, std::string_view app,
                        std::string_view section, std::string_view key,
                        std::string_view default_text);
// Creates or replaces a value; false when the store refused (callers go on).
bool WriteSetting(platform::SettingsStore& store, std::string_view app, std::string_view section,
                  std::string_view key, std::string_view value);
// Without a key: deletes the whole section. False when there was nothing to
// delete or the store refused; callers may ignore it.
bool RemoveSetting(platform::SettingsStore& store, std::string_view app, std::string_view section,
                   std::optional<std::string_view> key = std::nullopt);

// Conversions of stored texts; nullopt when the text does not convert.
// Integers: decimal text, rounded (ties to even), "." or "," as the point.
std::optional<std::int32_t> ParseInteger(std::string_view text);
// Flags: "True" / "False" in any letter case, or a number where 0 is false.
std::optional<bool> ParseFlag(std::string_view text);
// Floats: decimal text with "." or "," as the point, whichever locale wrote it.
std::optional<double> ParseFloat(std::string_view text);
// Colours: a decimal integer, red + 256 green + 65536 blue.
std::optional<std::uint32_t> ParseColour(std::string_view text);

// Text forms written by the program.
inline std::string CheckText(bool checked) {
  return checked ? "1" : "0";
}
inline std::string FlagText(bool flag) {
  return flag ? "True" : "False";
}
std::string FloatSettingText(double value, std::string_view decimal_separator);

// Typed access to the program's own section, with the defaults of the key index.
class Settings {
 public:
  Settings(platform::SettingsStore& store, platform::Clock& clock) : store_(store), clock_(clock) {}

  std::string Text(const KeyDef& key);
  std::int32_t Integer(const KeyDef& key);
  bool Flag(const KeyDef& key);
  double Float(const KeyDef& key);
  std::uint32_t Colour(const KeyDef& key);

  // Keys whose default is given at the place of use, and indexed keys.
  std::string Text(std::string_view name, std::string_view default_text);
  std::int32_t Integer(std::string_view name, std::int32_t default_value);
  bool Flag(std::string_view name, bool default_value);
  double Float(std::string_view name, double default_value);
  std::uint32_t Colour(std::string_view name, std::uint32_t default_value);

  void WriteText(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, std::int64_t value);
  void WriteCheck(std::string_view name, bool checked);
  void WriteFlag(std::string_view name, bool value);
  void WriteFloat(std::string_view name, double value);
  void WriteColour(std::string_view name, std::uint32_t value);
  // False when the key was absent or the store refused; callers may ignore it.
  bool Remove(std::string_view name);

 private:
  std::optional<std::string> Stored(std::string_view name);

  platform::SettingsStore& store_;
  platform::Clock& clock_;
};

}  // namespace kelvane
