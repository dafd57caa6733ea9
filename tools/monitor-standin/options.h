// The stand-in monitor's command line. Tests and people rely on it, so every
// option keeps its meaning; unknown options are ignored, and a number that does
// not parse leaves its default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::standin {

inline constexpr const char* kDefaultHwmonRoot = "Z:\\sys\\class\\hwmon";

struct Options {
  bool register_install = false;     // --register
  std::optional<std::string> feed;   // --feed FILE
  std::optional<std::string> hwmon;  // --hwmon [DIR]
  int splash_ms = 1000;              // --splash-ms N (0: no splash window)
  int start_delay_ms = 0;            // --start-delay-ms N
  int at_x = 100;                    // --at X,Y
  int at_y = 80;
  bool no_wake = false;                   // --no-wake
  bool no_marker = false;                 // --no-marker
  int readings = 9;                       // --readings N (0 to 9)
  std::optional<std::string> clicks_log;  // --clicks-log FILE
  int exit_after_s = 0;                   // --exit-after-s N (0: never)
  std::uint64_t seed = 1;                 // --seed N, for the synthetic readings
};

// args are the arguments after the program name.
Options ParseOptions(const std::vector<std::string>& args);

}  // namespace kelvane::standin
