// Number reading and display forms: every rounding rule the program shows.
#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvane {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATextLikeTheMonitorShowsIt) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"45\xC2\xB0"
       "C",
       45},
      {"3000rp", 3000},
      {"  12.1", 12.1},
      {"1.5200", 1.52},
      {"", 0},
      {"      ", 0},
      {"rpm", 0},
      {"-5.5", -5.5},
      {"+7", 7},
      {".5", 0.5},
      {"1.2.3", 1.2},
      {"1 2 3", 123},
      {"- 5", -5},
      {"\t\n 4", 4},
      {"1E2", 100},
      {"1D2", 100},
      {"2.5E-1", 0.25},
      {"1e3", 1000},
      {"1E", 1},
      {"1E+", 1},
      {"3 E 2", 300},
      {"E5", 0},
      {".", 0},
      {"-", 0},
      {"12,16", 12},
      {"3200 r", 3200},
      {"0x10", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << c.text;
}

TEST(LeadingNumber, SaturatesInsteadOfFailingOnHugeExponents) {
  EXPECT_EQ(LeadingNumber("1E999"), std::numeric_limits<double>::max());
  EXPECT_EQ(LeadingNumber("-1E999"), -std::numeric_limits<double>::max());
  EXPECT_EQ(LeadingNumber("1E-999"), 0.0);
}

TEST(IntegerConversion, RoundsTiesToEvenAndSaturates) {
  struct Case {
    double value;
    int expected;
  } cases[] = {{2.5, 2},  {3.5, 4},  {45.5, 46}, {44.5, 44},   {-2.5, -2},    {-3.5, -4},
               {2.49, 2}, {2.51, 3}, {0, 0},     {1e9, 32767}, {-1e9, -32768}};
  for (const Case& c : cases) EXPECT_EQ(RoundToInt16(c.value), c.expected) << c.value;
  EXPECT_EQ(RoundToInt32(2712.5), 2712);
  EXPECT_EQ(RoundToInt32(40000.5), 40000);
  EXPECT_EQ(RoundToInt32(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToInt16(std::nan("")), 0);
}

TEST(FormatPattern, RoundsHalfAwayFromZeroInEveryDisplayForm) {
  struct Case {
    double value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      // "##.0": one decimal, no leading zero.
      {45, "##.0", "45.0"},
      {3.25, "##.0", "3.3"},
      {0.5, "##.0", ".5"},
      {1234.56, "##.0", "1234.6"},
      {44.25, "##.0", "44.3"},
      {0, "##.0", ".0"},
      {-3.25, "##.0", "-3.3"},
      {0.04, "##.0", ".0"},
      {-0.04, "##.0", ".0"},
      {99.95, "##.0", "100.0"},
      // "####": whole number, zero prints as nothing.
      {2712.5, "####", "2713"},
      {0, "####", ""},
      {0.4, "####", ""},
      {0.5, "####", "1"},
      {4560, "####", "4560"},
      {-2.5, "####", "-3"},
      {123456.5, "####", "123457"},
      // "##.#0": two decimals, the last always shown.
      {12.1, "##.#0", "12.10"},
      {12.156, "##.#0", "12.16"},
      {12, "##.#0", "12.00"},
      {12.005, "##.#0", "12.01"},
      {0.25, "##.#0", ".25"},
      // "#.##0": three decimals.
      {1.52, "#.##0", "1.520"},
      {1.5237, "#.##0", "1.524"},
      {3.31, "#.##0", "3.310"},
      {1.5, "#.##0", "1.500"},
      {0.0005, "#.##0", ".001"},
      {1.0005, "#.##0", "1.001"},
      // "0#" and "00": at least two digits.
      {4, "0#", "04"},
      {0, "0#", "00"},
      {59, "0#", "59"},
      {123, "0#", "123"},
      {7, "00", "07"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatPattern(c.value, c.pattern, "."), c.expected) << c.value << " " << c.pattern;
}

TEST(FormatPattern, PrintsTheLocaleSeparator) {
  EXPECT_EQ(FormatPattern(12.16, "##.#0", ","), "12,16");
  EXPECT_EQ(FormatPattern(45.0, "##.0", ","), "45,0");
  EXPECT_EQ(FormatPattern(2713.0, "####", ","), "2713");
}

TEST(FormatPattern, RoundsA32BitFloatOnItsOwnDigits) {
  // 12.155f is 12.15499973... as a double; shown as a float it is 12.155 and
  // rounds up, as the value the user saw.
  EXPECT_EQ(FormatPattern(12.155f, "##.#0", "."), "12.16");
  EXPECT_EQ(FormatPattern(1.5205f, "#.##0", "."), "1.521");
}

TEST(FloatText, IsTheShortestTextOfAtMostSevenDigits) {
  struct Case {
    float value;
    const char* expected;
  } cases[] = {{1.52f, "1.52"},   {12.0f, "12"},           {0.5f, "0.5"},
               {3.3f, "3.3"},     {100.0f, "100"},         {-1.5f, "-1.5"},
               {0.0f, "0"},       {12.16f, "12.16"},       {1.2345678f, "1.234568"},
               {0.001f, "0.001"}, {1234567.0f, "1234567"}, {5.003f, "5.003"}};
  for (const Case& c : cases) EXPECT_EQ(FloatText(c.value, "."), c.expected) << c.value;
  EXPECT_EQ(FloatText(1.52f, ","), "1,52");
}

}  // namespace
}  // namespace kelvane
