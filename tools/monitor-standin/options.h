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
  // A monitor that hangs: it stops handling its messages for hang_for_s
  // seconds, hang_after_s seconds after it started; its window stays and its
  // texts keep their last values. The H key in its window hangs it by hand
  // for as long (30 s when no time is given).
  int hang_after_s = 0;                   // --hang-after-s N
  int hang_for_s = 0;                     // --hang-for-s N (0: never by itself)
  std::uint64_t seed = 1;                 // --seed N, for the synthetic readings
};

// args are the arguments after the program name.
Options ParseOptions(const std::vector<std::string>& args);

}  // namespace kelvane::standin
