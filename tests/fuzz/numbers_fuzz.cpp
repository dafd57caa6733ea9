// The number reader and the display patterns on any text. The first line is a
// display pattern, the rest is a text to read a number from (a monitor's
// reading, a stored setting).
#include <cmath>
#include <limits>

#include "base/numbers.h"
#include "fuzz_input.h"

namespace kelvane::fuzz {
namespace {

// A pattern's text: a sign, digits, at most one separator.
bool IsPatternText(std::string_view text, char separator) {
  if (text.starts_with('-')) text.remove_prefix(1);
  int separators = 0;
  for (char c : text) {
    if (c == separator)
      ++separators;
    else if (c < '0' || c > '9')
      return false;
  }
  return separators <= 1;
}

}  // namespace
}  // namespace kelvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t eol = input.find('\n');
  const std::string_view pattern = input.substr(0, eol);
  const std::string_view text = eol == std::string_view::npos ? "" : input.substr(eol + 1);

  for (std::string_view t : {input, text}) {
    const double value = LeadingNumber(t);
    // Too large a number saturates; nothing reads as infinite or NaN.
    FUZZ_EXPECT(std::isfinite(value));
    RoundToInt16(value);
    RoundToInt32(value);
    for (const char separator : {'.', ','}) {
      const std::string sep(1, separator);
      FUZZ_EXPECT(fuzz::IsPatternText(FormatPattern(value, pattern, sep), separator));
      if (std::fabs(value) <= std::numeric_limits<float>::max()) {
        const float single = static_cast<float>(value);
        FUZZ_EXPECT(fuzz::IsPatternText(FormatPattern(single, pattern, sep), separator));
        FloatText(single, sep);
      }
    }
  }
  return 0;
}
