#include "options.h"

#include <gtest/gtest.h>

namespace kelvane::standin {
namespace {

TEST(OptionsTest, NoArgumentsGiveTheDefaults) {
  const Options o = ParseOptions({});
  EXPECT_FALSE(o.register_install);
  EXPECT_FALSE(o.feed);
  EXPECT_FALSE(o.hwmon);
  EXPECT_EQ(o.splash_ms, 1000);
  EXPECT_EQ(o.start_delay_ms, 0);
  EXPECT_EQ(o.at_x, 100);
  EXPECT_EQ(o.at_y, 80);
  EXPECT_FALSE(o.no_wake);
  EXPECT_FALSE(o.no_marker);
  EXPECT_EQ(o.readings, 9);
  EXPECT_FALSE(o.clicks_log);
  EXPECT_EQ(o.exit_after_s, 0);
  EXPECT_EQ(o.hang_for_s, 0);
}

TEST(OptionsTest, EveryOptionIsRead) {
  const Options o = ParseOptions({"--register",
                                  "--feed",
                                  "Z:\\tmp\\feed 1.txt",
                                  "--splash-ms",
                                  "250",
                                  "--start-delay-ms",
                                  "40000",
                                  "--at",
                                  "-4,0",
                                  "--no-wake",
                                  "--no-marker",
                                  "--readings",
                                  "5",
                                  "--clicks-log",
                                  "C:\\c.log",
                                  "--exit-after-s",
                                  "30",
                                  "--seed",
                                  "99",
                                  "--hang-after-s",
                                  "20",
                                  "--hang-for-s",
                                  "90"});
  EXPECT_TRUE(o.register_install);
  EXPECT_EQ(o.feed, "Z:\\tmp\\feed 1.txt");
  EXPECT_EQ(o.splash_ms, 250);
  EXPECT_EQ(o.start_delay_ms, 40000);
  EXPECT_EQ(o.at_x, -4);
  EXPECT_EQ(o.at_y, 0);
  EXPECT_TRUE(o.no_wake);
  EXPECT_TRUE(o.no_marker);
  EXPECT_EQ(o.readings, 5);
  EXPECT_EQ(o.clicks_log, "C:\\c.log");
  EXPECT_EQ(o.exit_after_s, 30);
  EXPECT_EQ(o.seed, 99u);
  EXPECT_EQ(o.hang_after_s, 20);
  EXPECT_EQ(o.hang_for_s, 90);
}

struct NumberCase {
  std::vector<std::string> args;
  int splash_ms;
  int readings;
  int at_x;
  int at_y;
};

TEST(OptionsTest, MalformedNumbersKeepTheirDefaults) {
  const NumberCase cases[] = {
      {{"--splash-ms", "12x", "--readings", "nine"}, 1000, 9, 100, 80},
      {{"--splash-ms", "-5", "--readings", "-1"}, 1000, 9, 100, 80},
      {{"--splash-ms", "", "--readings", "4.5"}, 1000, 9, 100, 80},
      {{"--splash-ms", "99999999999"}, 1000, 9, 100, 80},
      {{"--readings", "12"}, 1000, 9, 100, 80},  // more than there are: all nine
      {{"--readings", "0", "--splash-ms", "0"}, 0, 0, 100, 80},
      {{"--at", "10"}, 1000, 9, 100, 80},
      {{"--at", "10,"}, 1000, 9, 100, 80},
      {{"--at", "x,5"}, 1000, 9, 100, 80},
      {{"--at", "10;20"}, 1000, 9, 100, 80},
      {{"--at", "300,-20"}, 1000, 9, 300, -20},
      {{"--splash-ms"}, 1000, 9, 100, 80},  // value missing at the end
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Options o = ParseOptions(c.args);
    EXPECT_EQ(o.splash_ms, c.splash_ms);
    EXPECT_EQ(o.readings, c.readings);
    EXPECT_EQ(o.at_x, c.at_x);
    EXPECT_EQ(o.at_y, c.at_y);
  }
}

TEST(OptionsTest, UnknownOptionsAreIgnored) {
  const Options o = ParseOptions({"--verbose", "--colour", "red", "stray", "--no-wake", "-x"});
  EXPECT_TRUE(o.no_wake);
  EXPECT_EQ(o.splash_ms, 1000);
  EXPECT_FALSE(o.feed);
}

// An option never swallows the next option as its value.
TEST(OptionsTest, OptionsWithoutValueDoNotEatTheNextOption) {
  const Options bare = ParseOptions({"--hwmon", "--no-wake"});
  EXPECT_EQ(bare.hwmon, kDefaultHwmonRoot);
  EXPECT_TRUE(bare.no_wake);

  const Options with_dir = ParseOptions({"--hwmon", "Z:\\tmp\\hw", "--feed", "--no-marker"});
  EXPECT_EQ(with_dir.hwmon, "Z:\\tmp\\hw");
  EXPECT_FALSE(with_dir.feed);
  EXPECT_TRUE(with_dir.no_marker);

  EXPECT_EQ(ParseOptions({"--hwmon"}).hwmon, kDefaultHwmonRoot);
}

}  // namespace
}  // namespace kelvane::standin
