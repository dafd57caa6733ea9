// Numbers read from other programs' texts and numbers shown to the user. Every
// rounding rule of the program lives here:
//  - integer conversion rounds ties to the even neighbour (2.5 -> 2, 3.5 -> 4);
//  - display patterns round half away from zero (3.25 -> "3.3");
//  - a 32-bit float without a pattern shows its shortest text of at most seven
//    significant digits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

// The number at the start of `text`, with "." as the decimal point whatever the
// locale. Spaces, tabs and line feeds are skipped anywhere before the number
// ends; an optional sign, digits with at most one point, an optional exponent
// ("E" or "D", either case, optional sign, digits). Parsing stops at the first
// character that cannot continue the number. No number gives 0.
double LeadingNumber(std::string_view text);

// Nearest integer, ties to even, saturated at the type's limits (NaN gives 0).
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// Formats `value` with a display pattern made of "#", "0" and at most one ".":
//  - every place after the point is shown ("##.#0" shows 12 as "12.00");
//  - before the point, digits from the first "0" on are always shown ("0#"
//    shows 4 as "04"), "#" places show nothing for leading zeros ("##.0" shows
//    0.5 as ".5", "####" shows 0 as "");
//  - rounding is half away from zero on the value's decimal text of
//    `significant_digits` digits (15 for a double, 7 for a 32-bit float).
// The point prints as `decimal_separator`.
std::string FormatPattern(double value, std::string_view pattern,
                          std::string_view decimal_separator, int significant_digits = 15);

// The same for a value that the program keeps as a 32-bit float.
inline std::string FormatPattern(float value, std::string_view pattern,
                                 std::string_view decimal_separator) {
  return FormatPattern(static_cast<double>(value), pattern, decimal_separator, 7);
}

// A 32-bit float's shortest decimal text of at most seven significant digits,
// without trailing zeros: 1.52 -> "1.52", 12 -> "12", 0.5 -> "0.5".
std::string FloatText(float value, std::string_view decimal_separator);

// A whole number in plain decimal digits.
std::string IntText(long long value);

}  // namespace kelvane
