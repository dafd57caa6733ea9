// The CSV log: its rows, its files by date, its batches and a locked file.
#include "history/csv_log.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "base/text.h"
#include "history_fixture.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_services.h"
#include "probe/reading.h"

namespace kelvane {
namespace {

using history::CsvLog;
using testing::TickFeed;

TEST(CsvRows, FieldsAreQuotedOnlyWhereTheyMustBe) {
  struct {
    const char* text;
    const char* field;
  } cases[] = {
      {"12.16", "12.16"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"\n", "\"\n\""},
      {"CPU Temp (\xC2\xB0"
       "C)",
       "CPU Temp (\xC2\xB0"
       "C)"},
  };
  for (const auto& c : cases) EXPECT_EQ(history::CsvField(c.text), c.field) << c.text;
}

TEST(CsvRows, TheTimeIsLocalWithItsOffset) {
  struct {
    platform::DateTime t;
    int offset;
    const char* text;
  } cases[] = {
      {{2026, 12, 7, 9, 5, 7}, 60, "2026-12-07T09:05:07+01:00"},
      {{2026, 12, 7, 9, 5, 7}, 0, "2026-12-07T09:05:07+00:00"},
      {{2026, 7, 1, 23, 59, 59}, -240, "2026-07-01T23:59:59-04:00"},
      {{2026, 1, 2, 0, 0, 0}, -210, "2026-01-02T00:00:00-03:30"},
      {{2026, 1, 2, 0, 0, 0}, 345, "2026-01-02T00:00:00+05:45"},
  };
  for (const auto& c : cases) EXPECT_EQ(history::IsoLocalTime(c.t, c.offset), c.text);
}

TEST(CsvRows, NumbersHaveAPointWhateverTheLocale) {
  // The user's locale has a comma (the C library's too, where it has one).
  sim::SimClock clock;
  clock.SetLocale(sim::Locale::German());
  const char* c_locale = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = c_locale ? c_locale : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

  probe::ProbeReading reading;
  const char* texts[] = {"1.520 ", "5.053 ", "3.312 ", "12.16 ", "45.0  ",
                         "2700  ", "3213  ", "4560  ", "101   "};
  for (int slot = probe::kVCoreSlot; slot <= probe::kMbTempSlot; ++slot)
    reading.texts[slot] = texts[slot - probe::kVCoreSlot];
  probe::DeriveReadings(reading);
  history::Tick tick{clock.Now(), clock.UtcOffsetMinutes(), ValuesOf(reading), false};
  const std::string row = history::CsvRow(tick);
  tick.stale = true;
  const std::string stale_row = history::CsvRow(tick);
  std::setlocale(LC_NUMERIC, saved.c_str());

  EXPECT_EQ(clock.DecimalSeparator(), ",");
  EXPECT_EQ(row, "2026-12-07T09:00:00+01:00,45,10,4560,3213,2700,12.16,5.053,3.312,1.52,no\r\n");
  EXPECT_TRUE(stale_row.ends_with(",yes\r\n"));
  EXPECT_EQ(history::CsvHeaderRow(),
            "Time,CPU Temp (\xC2\xB0"
            "C),MB Temp (\xC2\xB0"
            "C),CPU Fan (rpm),Power Fan (rpm),"
            "Chassis Fan (rpm),+12V (V),+5V (V),+3.3V (V),VCore (V),Stale\r\n");
}

class CsvLogTest : public ::testing::Test {
 protected:
  CsvLogTest() { files.CreateFolder("C:\\Kelvane\\Logs"); }
  // One counted tick a second, on the wall clock and the monotonic one alike.
  void Tick(int cpu) {
    log.Add(feed.Make(cpu), now);
    feed.Skip(1);
    now += 1;
  }
  std::string File(const std::string& date) {
    return files.ReadText("C:\\Kelvane\\Logs\\Kelvane-" + date + ".csv").value_or("<none>");
  }
  static int Rows(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
  }
  std::string Row(int cpu) { return history::CsvRow(feed.Make(cpu)); }

  sim::SimFiles files;
  CsvLog log{files, "C:\\Kelvane\\"};
  TickFeed feed;
  double now = 100;
  const std::string header = history::CsvHeaderRow();
};

TEST_F(CsvLogTest, RowsGoOutInBatchesAtMostTenSecondsApartAndOnFlush) {
  for (int s = 0; s < 10; ++s) Tick(s);
  EXPECT_EQ(File("2026-12-07"), "<none>");  // nine seconds old: not yet
  Tick(10);
  EXPECT_EQ(Rows(File("2026-12-07")), 1 + 11);
  for (int s = 11; s < 20; ++s) Tick(s);
  EXPECT_EQ(Rows(File("2026-12-07")), 1 + 11);
  Tick(20);
  EXPECT_EQ(Rows(File("2026-12-07")), 1 + 21);
  Tick(21);
  EXPECT_TRUE(log.Flush());
  const std::string text = File("2026-12-07");
  EXPECT_EQ(Rows(text), 1 + 22);
  EXPECT_TRUE(text.starts_with(header));
  EXPECT_FALSE(log.Waiting());
}

TEST_F(CsvLogTest, ARowGoesIntoTheFileOfItsOwnDateAndEachFileBeginsWithItsHeader) {
  feed.local = {2026, 12, 7, 23, 59, 55};
  for (int s = 0; s < 10; ++s) Tick(s);
  log.Flush();
  const std::string evening = File("2026-12-07"), morning = File("2026-12-08");
  ASSERT_TRUE(evening.starts_with(header));
  ASSERT_TRUE(morning.starts_with(header));
  EXPECT_EQ(Rows(evening), 1 + 5);
  EXPECT_EQ(Rows(morning), 1 + 5);
  EXPECT_TRUE(evening.ends_with(",4,2,3004,0,0,12.16,0,0,1.52,no\r\n"));
  EXPECT_NE(morning.find("2026-12-08T00:00:00+01:00,5,"), std::string::npos);

  // A later run the same day appends to the file without a second header.
  CsvLog again(files, "C:\\Kelvane\\");
  again.Add(feed.Make(77), now);
  again.Flush();
  const std::string later = File("2026-12-08");
  EXPECT_EQ(later.find(header, 1), std::string::npos);
  EXPECT_EQ(Rows(later), 1 + 6);
}

TEST_F(CsvLogTest, ALockedFileKeepsTheRowsWaitingAndLosesNoneWhenTheLockGoes) {
  const std::string path = "C:\\Kelvane\\Logs\\Kelvane-2026-12-07.csv";
  std::string expected = header;
  for (int s = 0; s < 11; ++s) expected += Row(s), Tick(s);
  ASSERT_EQ(File("2026-12-07"), expected);

  files.MakeUnwritable(path);
  for (int s = 11; s < 45; ++s) expected += Row(s), Tick(s);
  EXPECT_TRUE(log.Waiting());
  EXPECT_TRUE(log.TakeWaitingNews());
  EXPECT_FALSE(log.TakeWaitingNews());  // said once, however many batches fail
  EXPECT_FALSE(log.Flush());
  EXPECT_EQ(log.RowsKept(), 34u);

  files.MakeWritable(path);
  for (int s = 45; s < 51; ++s) expected += Row(s), Tick(s);
  EXPECT_FALSE(log.Waiting());
  EXPECT_EQ(File("2026-12-07"), expected);
  // Waiting again is news again.
  files.MakeUnwritable(path);
  Tick(0);
  EXPECT_FALSE(log.Flush());
  EXPECT_TRUE(log.TakeWaitingNews());
}

TEST_F(CsvLogTest, AnHourOfRowsWaitsAndBeyondThatTheOldestGo) {
  const std::string path = "C:\\Kelvane\\Logs\\Kelvane-2026-12-07.csv";
  files.MakeUnwritable(path);
  for (int s = 0; s < 3600 + 25; ++s) Tick(s % 100);
  EXPECT_EQ(log.RowsKept(), 3600u);
  EXPECT_EQ(log.RowsDropped(), 25u);
  files.MakeWritable(path);
  EXPECT_TRUE(log.Flush());
  const std::string text = File("2026-12-07");
  EXPECT_EQ(Rows(text), 1 + 3600);
  EXPECT_NE(text.find(header + "2026-12-07T09:00:25+01:00,25,"), std::string::npos);
}

TEST_F(CsvLogTest, ANewFileLeftEmptyByAFailedAppendStillGetsItsHeader) {
  // A full disk: the file was made, its first append did not fit.
  const std::string path = "C:\\Kelvane\\Logs\\Kelvane-2026-12-07.csv";
  std::string expected = header + Row(1);
  files.MakeUnwritable(path);
  Tick(1);
  EXPECT_FALSE(log.Flush());
  files.MakeWritable(path);
  files.WriteText(path, "", false);
  expected += Row(2);
  Tick(2);
  EXPECT_TRUE(log.Flush());
  EXPECT_EQ(File("2026-12-07"), expected);
}

}  // namespace
}  // namespace kelvane
