#include "options.h"

#include <charconv>
#include <string_view>

namespace kelvane::standin {

namespace {

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

bool IsOption(const std::string& arg) {
  return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // The value after an option, if there is one. A following "--x" is the
    // next option, never a value, so "--hwmon --no-wake" keeps both meanings.
    // ("--at -4,0" stays a value: a single dash is not an option.)
    const bool has_value = i + 1 < args.size() && !IsOption(args[i + 1]);
    const auto value = [&]() -> std::optional<std::string> {
      if (!has_value) return std::nullopt;
      return args[++i];
    };
    const auto number = [&](int fallback, int min) {
      const std::optional<std::string> text = value();
      if (!text) return fallback;
      const std::optional<int> n = ParseNumber<int>(*text);
      return (n && *n >= min) ? *n : fallback;
    };

    if (arg == "--register") {
      o.register_install = true;
    } else if (arg == "--feed") {
      if (auto v = value()) o.feed = *v;
    } else if (arg == "--hwmon") {
      o.hwmon = value().value_or(kDefaultHwmonRoot);
    } else if (arg == "--splash-ms") {
      o.splash_ms = number(o.splash_ms, 0);
    } else if (arg == "--start-delay-ms") {
      o.start_delay_ms = number(o.start_delay_ms, 0);
    } else if (arg == "--at") {
      if (const std::optional<std::string> text = value()) {
        const std::size_t comma = text->find(',');
        if (comma != std::string::npos) {
          const auto x = ParseNumber<int>(std::string_view(*text).substr(0, comma));
          const auto y = ParseNumber<int>(std::string_view(*text).substr(comma + 1));
          if (x && y) {
            o.at_x = *x;
            o.at_y = *y;
          }
        }
      }
    } else if (arg == "--no-wake") {
      o.no_wake = true;
    } else if (arg == "--no-marker") {
      o.no_marker = true;
    } else if (arg == "--readings") {
      const int n = number(o.readings, 0);
      o.readings = n > 9 ? 9 : n;
    } else if (arg == "--clicks-log") {
      if (auto v = value()) o.clicks_log = *v;
    } else if (arg == "--exit-after-s") {
      o.exit_after_s = number(o.exit_after_s, 0);
    } else if (arg == "--hang-after-s") {
      o.hang_after_s = number(o.hang_after_s, 0);
    } else if (arg == "--hang-for-s") {
      o.hang_for_s = number(o.hang_for_s, 0);
    } else if (arg == "--seed") {
      if (const std::optional<std::string> text = value()) {
        o.seed = ParseNumber<std::uint64_t>(*text).value_or(o.seed);
      }
    }
  }
  return o;
}

}  // namespace kelvane::standin
