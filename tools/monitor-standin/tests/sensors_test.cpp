#include "sensors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "files.h"
#include "temp_dir.h"

namespace kelvane::standin {
namespace {

struct FormatCase {
  double value;
  const char* temperature;
  const char* voltage;
  const char* fan;
};

// Half away from zero everywhere; never a "-0"; fans never negative.
TEST(FormatTest, RoundsHalfAwayFromZeroWithoutNegativeZero) {
  const FormatCase cases[] = {
      {45.0, "45", "45.000", "45"},
      {45.5, "46", "45.500", "46"},
      {44.5, "45", "44.500", "45"},
      {-2.5, "-3", "-2.500", "0"},
      {-0.4, "0", "-0.400", "0"},
      {-0.0004, "0", "0.000", "0"},
      {0.0, "0", "0.000", "0"},
      {1.52, "2", "1.520", "2"},
      {1.0625, "1", "1.063", "1"},  // exactly halfway at three decimals
      {11.9996, "12", "12.000", "12"},
      {3.3049, "3", "3.305", "3"},
      {2999.5, "3000", "2999.500", "3000"},
      {101.4, "101", "101.400", "101"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FormatTemperature(c.value), c.temperature);
    EXPECT_EQ(FormatVoltage(c.value), c.voltage);
    EXPECT_EQ(FormatFanSpeed(c.value), c.fan);
  }
}

TEST(FormatTest, EachReadingUsesItsUnitsForm) {
  EXPECT_EQ(FormatReading(kVCore, 1.5), "1.500");
  EXPECT_EQ(FormatReading(kV5, 5.02), "5.020");
  EXPECT_EQ(FormatReading(kV33, 3.3), "3.300");
  EXPECT_EQ(FormatReading(kV12, 12.16), "12.160");
  EXPECT_EQ(FormatReading(kCpuTemp, 51.6), "52");
  EXPECT_EQ(FormatReading(kMbTemp, 34.2), "34");
  EXPECT_EQ(FormatReading(kChassisFan, 2650.4), "2650");
  EXPECT_EQ(FormatReading(kPowerFan, 3301), "3301");
  EXPECT_EQ(FormatReading(kCpuFan, 4099.5), "4100");
}

ReadingTexts Texts(std::initializer_list<const char*> texts) {
  ReadingTexts out;
  std::copy(texts.begin(), texts.end(), out.begin());
  return out;
}

struct FeedCase {
  const char* name;
  std::string content;
  ReadingTexts expected;
};

TEST(FeedTest, LinesReplaceReadingsInOrderAndMissingLinesKeepOldTexts) {
  const ReadingTexts old = Texts({"o1", "o2", "o3", "o4", "o5", "o6", "o7", "o8", "o9"});
  const FeedCase cases[] = {
      {"nine lines, spaces and commas kept",
       "1,520\n 5.00 \n3,30\n12.1 V\n45\xB0"
       "C\n3000 rpm\n2500\n4100\n35\n",
       Texts({"1,520", " 5.00 ", "3,30", "12.1 V",
              "45\xB0"
              "C",
              "3000 rpm", "2500", "4100", "35"})},
      {"three lines", "a\nb\nc\n", Texts({"a", "b", "c", "o4", "o5", "o6", "o7", "o8", "o9"})},
      {"last line without newline", "a\nb",
       Texts({"a", "b", "o3", "o4", "o5", "o6", "o7", "o8", "o9"})},
      {"CRLF line ends", "a\r\nb\r\n", Texts({"a", "b", "o3", "o4", "o5", "o6", "o7", "o8", "o9"})},
      {"empty line is an empty text", "a\n\nc\n",
       Texts({"a", "", "c", "o4", "o5", "o6", "o7", "o8", "o9"})},
      {"empty file changes nothing", "", old},
      {"extra lines ignored", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n",
       Texts({"1", "2", "3", "4", "5", "6", "7", "8", "9"})},
  };
  for (const FeedCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReadingTexts texts = old;
    ApplyFeed(c.content, texts);
    EXPECT_EQ(texts, c.expected);
  }
}

using FeedSourceTest = TempDirTest;

TEST_F(FeedSourceTest, RereadsTheFileOnEveryRefreshAndKeepsTextsWhenItIsGone) {
  Write("feed.txt", "1,500\n5.0\n3.3\n12.0\n40\n2000\n2100\n2200\n30\n");
  const auto source = MakeFeedSource(Path("feed.txt"));
  ReadingTexts texts;
  source->Refresh(texts, 0);
  EXPECT_EQ(texts, Texts({"1,500", "5.0", "3.3", "12.0", "40", "2000", "2100", "2200", "30"}));

  Write("feed.txt", "1,600\n4.9\n");
  source->Refresh(texts, 1);
  EXPECT_EQ(texts, Texts({"1,600", "4.9", "3.3", "12.0", "40", "2000", "2100", "2200", "30"}));

  std::filesystem::remove(dir_ / "feed.txt");
  source->Refresh(texts, 2);
  EXPECT_EQ(texts, Texts({"1,600", "4.9", "3.3", "12.0", "40", "2000", "2100", "2200", "30"}));
  EXPECT_NE(source->Describe().find("feed.txt"), std::string::npos);
}

struct Range {
  double low;
  double high;
};

TEST(SyntheticTest, ValuesStayInPlausibleRangesAndDriftSlowly) {
  const Range ranges[kReadingCount] = {
      {1.45, 1.55}, {4.9, 5.1},   {3.2, 3.4},   {11.7, 12.3}, {40, 60},
      {2000, 5000}, {2000, 5000}, {2000, 5000}, {30, 40},
  };
  for (std::uint64_t seed : {1ull, 2ull, 12345ull, 0xFFFFFFFFFFFFull}) {
    SCOPED_TRACE(seed);
    const SyntheticSensors sensors(seed);
    std::array<std::set<std::string>, kReadingCount> shown;
    ReadingValues previous = sensors.At(0);
    for (int t = 1; t <= 1800; ++t) {
      const ReadingValues v = sensors.At(t);
      for (std::size_t i = 0; i < kReadingCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_GE(v[i], ranges[i].low);
        ASSERT_LE(v[i], ranges[i].high);
        // A second's step is a small part of the range: a drift, not noise.
        ASSERT_LE(std::fabs(v[i] - previous[i]), 0.1 * (ranges[i].high - ranges[i].low));
        shown[i].insert(FormatReading(static_cast<Reading>(i), v[i]));
      }
      previous = v;
    }
    // Over half an hour a person sees every reading change, again and again.
    for (std::size_t i = 0; i < kReadingCount; ++i) {
      SCOPED_TRACE(i);
      EXPECT_GE(shown[i].size(), 4u);
    }
  }
}

TEST(SyntheticTest, SameSeedAndTimeGiveSameValuesOtherSeedsDiffer) {
  const SyntheticSensors a(7);
  const SyntheticSensors b(7);
  const SyntheticSensors c(8);
  EXPECT_EQ(a.At(123.0), b.At(123.0));
  EXPECT_NE(a.At(123.0), c.At(123.0));
  EXPECT_NE(a.At(123.0), a.At(183.0));
}

TEST(SyntheticTest, SourceWritesFormattedValues) {
  const auto source = MakeSyntheticSource(3);
  const ReadingValues values = SyntheticSensors(3).At(60);
  ReadingTexts texts;
  source->Refresh(texts, 60);
  for (std::size_t i = 0; i < kReadingCount; ++i) {
    EXPECT_EQ(texts[i], FormatReading(static_cast<Reading>(i), values[i]));
  }
}

TEST(FilesTest, NaturalOrderComparesDigitRunsByValue) {
  std::vector<std::string> names = {"hwmon10",  "hwmon2", "hwmon1", "device",
                                    "hwmon02b", "in10",   "in9"};
  std::sort(names.begin(), names.end(), NaturalLess);
  const std::vector<std::string> expected = {"device",  "hwmon1", "hwmon2", "hwmon02b",
                                             "hwmon10", "in9",    "in10"};
  EXPECT_EQ(names, expected);
  EXPECT_FALSE(NaturalLess("a1", "a1"));
  EXPECT_TRUE(NaturalLess("a", "a1"));
  EXPECT_FALSE(NaturalLess("a1", "a"));
}

TEST(FilesTest, JoinPathAddsOneSeparator) {
  EXPECT_EQ(JoinPath("Z:\\sys\\class\\hwmon", "hwmon0"), "Z:\\sys\\class\\hwmon/hwmon0");
  EXPECT_EQ(JoinPath("Z:\\sys\\", "x"), "Z:\\sys\\x");
  EXPECT_EQ(JoinPath("/sys/", "x"), "/sys/x");
  EXPECT_EQ(JoinPath("", "x"), "x");
}

}  // namespace
}  // namespace kelvane::standin
