#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kelvane {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

template <typename Int>
Int RoundToEvenSaturated(double value) {
  if (std::isnan(value)) return 0;
  double r = std::nearbyint(value);  // the default rounding mode: ties to even
  if (r >= static_cast<double>(std::numeric_limits<Int>::max()))
    return std::numeric_limits<Int>::max();
  if (r <= static_cast<double>(std::numeric_limits<Int>::min()))
    return std::numeric_limits<Int>::min();
  return static_cast<Int>(r);
}

// A decimal value rounded to a fixed number of places: "-", integer digits
// without leading zeros ("" for zero), and exactly `places` fraction digits.
struct RoundedDecimal {
  bool negative = false;
  std::string integer_digits;
  std::string fraction_digits;
};

RoundedDecimal RoundHalfAwayFromZero(double value, int places, int significant_digits) {
  RoundedDecimal out;
  std::string kept;  // the rounded value times 10^places, as decimal digits
  if (value != 0 && std::isfinite(value)) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant_digits - 1, std::fabs(value));
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
      if (IsDigit(*p)) mantissa += *p;
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    // `mantissa` read as d.ddd... x 10^exponent; keep the digits down to 10^-places.
    int keep = exponent + 1 + places;
    bool round_up = false;
    if (keep >= static_cast<int>(mantissa.size())) {
      kept = mantissa + std::string(keep - mantissa.size(), '0');
    } else if (keep >= 0) {
      kept = mantissa.substr(0, keep);
      round_up = mantissa[keep] >= '5';
    }
    if (round_up) {
      int i = static_cast<int>(kept.size()) - 1;
      while (i >= 0 && kept[i] == '9') kept[i--] = '0';
      if (i >= 0)
        ++kept[i];
      else
        kept.insert(kept.begin(), '1');
    }
  }
  if (kept.size() < static_cast<std::size_t>(places) + 1)
    kept.insert(0, places + 1 - kept.size(), '0');
  out.integer_digits = kept.substr(0, kept.size() - places);
  out.fraction_digits = kept.substr(kept.size() - places);
  std::size_t nonzero = out.integer_digits.find_first_not_of('0');
  out.integer_digits = nonzero == std::string::npos ? "" : out.integer_digits.substr(nonzero);
  bool is_zero =
      out.integer_digits.empty() && out.fraction_digits.find_first_not_of('0') == std::string::npos;
  out.negative = value < 0 && !is_zero;
  return out;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  // Collects the number's characters, blanks left out, into a plain C form.
  std::string number;
  std::string exponent;
  bool seen_digit = false, seen_point = false, in_exponent = false;
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skip_blanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (IsBlank(c)) continue;
    if (!in_exponent) {
      if (IsDigit(c)) {
        number += c;
        seen_digit = true;
      } else if (c == '.' && !seen_point) {
        number += c;
        seen_point = true;
      } else if ((c == 'E' || c == 'e' || c == 'D' || c == 'd') && seen_digit) {
        in_exponent = true;
        // An optional sign right after the exponent letter (blanks allowed).
        std::size_t j = i + 1;
        while (j < text.size() && IsBlank(text[j])) ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
          if (text[j] == '-') exponent += '-';
          i = j;
        }
      } else {
        break;
      }
    } else if (IsDigit(c)) {
      exponent += c;
    } else {
      break;
    }
  }
  if (!seen_digit) return 0;
  if (!exponent.empty() && exponent != "-") number += "e" + exponent;
  double value = 0;
  const char* first = number.data();
  const char* last = first + number.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // Too large (or too small) for a double: saturate, as the rounding does.
    bool tiny = exponent.starts_with('-');
    bool negative = number.starts_with('-');
    if (tiny) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
  (void)ptr;
  return value;
}

std::int16_t RoundToInt16(double value) {
  return RoundToEvenSaturated<std::int16_t>(value);
}
std::int32_t RoundToInt32(double value) {
  return RoundToEvenSaturated<std::int32_t>(value);
}

std::string FormatPattern(double value, std::string_view pattern,
                          std::string_view decimal_separator, int significant_digits) {
  std::size_t point = pattern.find('.');
  std::string_view integer_part = pattern.substr(0, point);
  int places = point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
  std::size_t first_zero = integer_part.find('0');
  std::size_t min_integer_digits =
      first_zero == std::string_view::npos ? 0 : integer_part.size() - first_zero;

  RoundedDecimal d = RoundHalfAwayFromZero(value, places, significant_digits);
  std::string out = d.negative ? "-" : "";
  if (d.integer_digits.size() < min_integer_digits)
    out.append(min_integer_digits - d.integer_digits.size(), '0');
  out += d.integer_digits;
  if (places > 0) {
    out += decimal_separator;
    out += d.fraction_digits;
  }
  return out;
}

std::string FloatText(float value, std::string_view decimal_separator) {
  if (value == 0 || !std::isfinite(value)) return "0";
  // The fewest significant digits (up to seven) that read back as the same float.
  char buf[64];
  int digits = 1;
  for (; digits < 7; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(value));
    if (std::strtof(buf, nullptr) == value) break;
  }
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, static_cast<double>(value));
  std::string mantissa;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (IsDigit(*p)) mantissa += *p;
  int exponent = std::atoi(p + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent >= 7 || exponent < -7) {
    // Out of plain range: scientific, as "1.5E+08".
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1) {
      out += decimal_separator;
      out += mantissa.substr(1);
    }
    char e[16];
    std::snprintf(e, sizeof e, "E%+03d", exponent);
    return out + e;
  }
  if (exponent < 0) {
    out += "0";
    out += decimal_separator;
    out += std::string(-exponent - 1, '0') + mantissa;
    return out;
  }
  std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
  if (mantissa.size() <= integer_digits) {
    out += mantissa + std::string(integer_digits - mantissa.size(), '0');
  } else {
    out += mantissa.substr(0, integer_digits);
    out += decimal_separator;
    out += mantissa.substr(integer_digits);
  }
  return out;
}

std::string IntText(long long value) {
  return std::to_string(value);
}

}  // namespace kelvane
