// The CSV log as a user meets it in the program: its box beside the other
// logs, kept in the store after the settings window's own settings, and a row
// for every counted tick once it is ticked, the last ones written at exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "program_fixture.h"

namespace kelvane {
namespace {

using testing::ProgramFixture;

class CsvFeatureTest : public ::testing::Test, protected ProgramFixture {
 protected:
  CsvFeatureTest() {
    Store("Buzzer", "70");  // a later run: the program starts in the tray
  }
  form::CheckBox& CsvBox() { return Main().Window().Get<form::CheckBox>("Check12"); }
  // The rows of today's file (the simulated clock starts on 2026-12-07).
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const std::optional<std::string> text = FileText("Logs\\Kelvane-2026-12-07.csv");
    if (!text) return rows;
    std::size_t at = 0;
    while (at < text->size()) {
      const std::size_t end = text->find("\r\n", at);
      rows.push_back(text->substr(at, end - at));
      if (end == std::string::npos) break;
      at = end + 2;
    }
    return rows;
  }
};

TEST_F(CsvFeatureTest, OffAtFirstItsBoxStandsBesideTheLogsAndNothingIsWritten) {
  Start();
  EXPECT_EQ(CsvBox().Value(), 0);
  EXPECT_EQ(CsvBox().Parent(), &Main().Get(MainControl::kWallpaper));
  sim.Advance(30);
  Main().Exit();
  EXPECT_EQ(FileText("Logs\\Kelvane-2026-12-07.csv"), std::nullopt);
  EXPECT_EQ(Stored("LogCSV"), "0");
  // The settings window's own keys keep their order; the new key comes after.
  const std::vector<std::string> order = sim.store.WriteOrder();
  const auto closes = std::find(order.begin(), order.end(), "ClosAsus");
  const auto csv = std::find(order.begin(), order.end(), "LogCSV");
  ASSERT_NE(csv, order.end());
  EXPECT_LT(closes, csv);
}

TEST_F(CsvFeatureTest, TickedEveryCountedTickGivesARowAndExitWritesTheLast) {
  Store("LogCSV", "1");
  Start();
  EXPECT_EQ(CsvBox().Value(), 1);
  sim.Advance(25);
  const std::size_t in_batches = Rows().size();
  EXPECT_GE(in_batches, 1u + 10u) << "a header and at least one batch of ten seconds";
  Main().Exit();
  const std::vector<std::string> rows = Rows();
  ASSERT_GT(rows.size(), in_batches) << "exit writes the rows kept since the last batch";
  EXPECT_EQ(rows[0].substr(0, 5), "Time,");
  // The first tick is not counted: one row a second from the second on.
  EXPECT_EQ(rows.size(), 1u + static_cast<std::size_t>(Main().State().sample_count));
  EXPECT_EQ(rows[1].substr(0, 20), "2026-12-07T09:00:02+");
  EXPECT_EQ(Stored("LogCSV"), "1");
}

}  // namespace
}  // namespace kelvane
