// The history file: a round trip, and files cut short, changed or foreign.
#include "history/history_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "history_fixture.h"
#include "platform/sim/sim_services.h"

namespace kelvane {
namespace {

using history::History;
using history::HistoryFile;
using history::HistoryText;
using history::ReadHistoryText;
using Status = history::ReadOutcome::Status;
using testing::Cpu;
using testing::TickFeed;

// `seconds` ticks with stale ones and fresh ones, voltages with many digits, and
// a gap of 45 s after the tick `gap_at`: minutes fresh, stale and partly stale.
std::unique_ptr<History> Sample(int seconds, int gap_at) {
  auto h = std::make_unique<History>();
  TickFeed feed;
  for (int s = 0; s < seconds; ++s) {
    history::Tick t = feed.Make(35 + s % 17, s % 97 < 8);
    t.values.v33 = 3.3f + static_cast<float>(s % 13) / 1000.0f;
    t.values.chassis_fan = 70000 + s;  // above what 16 bits hold
    h->Add(t);
    feed.Skip(s == gap_at ? 45 : 1);
  }
  return h;
}
std::unique_ptr<History> Sample(int minutes) {
  return Sample(minutes * 60, 100);
}
// Every kind of line, few of each: the tests that read the file once for each
// of its bytes (a history to read into is a third of a megabyte).
std::unique_ptr<History> SmallSample() {
  return Sample(20, 5);
}

// The lines of a text up to and with the line break ending at `end`.
int LinesIn(const std::string& text, std::size_t end) {
  int n = 0;
  for (std::size_t i = 0; i < end; ++i) n += text[i] == '\n';
  return n;
}

TEST(HistoryFile, ARoundTripGivesTheSameHistory) {
  const auto h = Sample(5);
  const std::string text = HistoryText(*h);
  EXPECT_TRUE(text.starts_with("Kelvane history 1\r\n"));
  History back;
  const auto outcome = ReadHistoryText(text, back);
  EXPECT_EQ(outcome.status, Status::kComplete);
  EXPECT_EQ(outcome.records, LinesIn(text, text.size()) - 1);
  EXPECT_EQ(HistoryText(back), text);
  EXPECT_EQ(back.Newest(), h->Newest());
  // What the graph draws is the same, floats to the last bit.
  const std::int64_t now = *h->Newest();
  for (auto kind : {history::SpanKind::kHour, history::SpanKind::kDay}) {
    const auto a = h->Query(kind, now), b = back.Query(kind, now);
    ASSERT_EQ(a.runs.size(), b.runs.size());
    EXPECT_EQ(a.stale, b.stale);
    for (std::size_t r = 0; r < a.runs.size(); ++r) {
      ASSERT_EQ(a.runs[r].size(), b.runs[r].size());
      for (std::size_t i = 0; i < a.runs[r].size(); ++i) {
        EXPECT_EQ(a.runs[r][i].at, b.runs[r][i].at);
        EXPECT_EQ(a.runs[r][i].low, b.runs[r][i].low);
        EXPECT_EQ(a.runs[r][i].mean, b.runs[r][i].mean);
        EXPECT_EQ(a.runs[r][i].high, b.runs[r][i].high);
      }
    }
  }
  // The newest minute goes on filling after the restart, its average as before.
  TickFeed feed;
  feed.Skip(5 * 60 + 44);  // the second after the sample's last tick, in the same minute
  History more = back;
  const auto before = *more.MinuteAt(now);
  more.Add(feed.Make(0));
  ASSERT_EQ(feed.Now(), now + 1);
  const auto after = *more.MinuteAt(now);
  EXPECT_EQ(after.fresh_ticks, before.fresh_ticks + 1);
  EXPECT_EQ(Cpu(after.low), 0.0f);
}

TEST(HistoryFile, AFileCutAtAnyByteIsReadUpToItsLastWholeLine) {
  const auto h = SmallSample();
  const std::string text = HistoryText(*h);
  ASSERT_NE(text.find("\nM", text.find("\nM") + 1), std::string::npos)
      << "no two minutes in the sample:\n"
      << text;
  for (std::size_t size = 0; size <= text.size(); ++size) {
    History back;
    const std::string cut = text.substr(0, size);
    const auto outcome = ReadHistoryText(cut, back);
    const int whole = LinesIn(text, size);
    const bool at_line_end = size > 0 && text[size - 1] == '\n';
    SCOPED_TRACE(size);
    ASSERT_EQ(outcome.status, at_line_end ? Status::kComplete : Status::kDamaged);
    ASSERT_EQ(outcome.records, std::max(whole - 1, 0));
    // Exactly the whole lines were taken, nothing of the cut one.
    if (whole > 0) {
      const std::size_t last_break = cut.find_last_of('\n');
      ASSERT_EQ(HistoryText(back), text.substr(0, last_break + 1));
    }
  }
}

TEST(HistoryFile, AChangedByteStopsTheReadingAtItsLine) {
  const auto h = SmallSample();
  const std::string text = HistoryText(*h);
  for (std::size_t at = 0; at < text.size(); ++at) {
    for (unsigned char flip : {0x01, 0x20, 0x80}) {
      std::string changed = text;
      changed[at] = static_cast<char>(changed[at] ^ flip);
      History back;
      const auto outcome = ReadHistoryText(changed, back);
      const int line = LinesIn(text, at) + 1;
      SCOPED_TRACE(::testing::Message() << "byte " << at << " line " << line);
      if (line == 1) {
        ASSERT_EQ(outcome.status, Status::kForeign);
        continue;
      }
      ASSERT_EQ(outcome.status, Status::kDamaged);
      ASSERT_EQ(outcome.bad_line, line);
      ASSERT_EQ(outcome.records, line - 2);
    }
  }
}

// A record whose checksum holds but whose content does not fit is damage too.
TEST(HistoryFile, WellSealedRecordsThatDoNotFitAreDamage) {
  auto sealed = [](std::string line) {
    char crc[16];
    std::snprintf(crc, sizeof crc, " *%08x\r\n", static_cast<unsigned>(history::Crc32(line)));
    return line + crc;
  };
  auto upper = [](std::string line) {
    for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return line;
  };
  const std::string header = "Kelvane history 1\r\n";
  const std::string nine = " 1 1 1 1 1 1 1 1 1";
  const std::string band = "M 1800000000 60 60 0" + nine + nine + nine;
  struct Case {
    const char* what;
    std::string lines;
    int records;
  } cases[] = {
      {"in order", sealed(band) + sealed("M 1800000060 60 60 0" + nine + nine + nine), 2},
      {"a band not later", sealed(band) + sealed(band), 1},
      {"a band before 1970", sealed("M -60 60 60 0" + nine + nine + nine), 0},
      {"a band after 9999", sealed("M 253402300800 60 60 0" + nine + nine + nine), 0},
      {"a band off its minute", sealed("M 1800000001 60 60 0" + nine + nine + nine), 0},
      {"not a number", sealed("M 1800000000 60 60 0" + nine + nine + " 1 1 1 1 1 1 1 1 nan"), 0},
      {"average above highest",
       sealed("M 1800000000 60 60 0" + nine + " 2" + nine.substr(2) + nine), 0},
      {"a second after its band", sealed(band) + sealed("S 1800000060 0" + nine), 1},
      {"a second in its band", sealed(band) + sealed("S 1800000059 0" + nine), 2},
      {"a band after the seconds",
       sealed(band) + sealed("S 1800000059 0" + nine) +
           sealed("M 1800000120 60 60 0" + nine + nine + nine),
       2},
      {"a word too many", sealed(band) + sealed("S 1800000059 0" + nine + " 1"), 1},
      {"an upper-case checksum",
       sealed(band) + upper(sealed("M 1800000060 60 60 0" + nine + nine + nine)), 1},
  };
  for (const Case& c : cases) {
    History h;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadHistoryText(header + c.lines, h).records, c.records);
  }
}

class HistoryFileOnDisk : public ::testing::Test {
 protected:
  HistoryFileOnDisk() { files.CreateFolder("C:\\Kelvane\\Logs"); }
  std::string Text(const std::string& path) { return files.ReadText(path).value_or("<none>"); }
  sim::SimFiles files;
  const std::string path = "C:\\Kelvane\\Logs\\history.dat";
};

TEST_F(HistoryFileOnDisk, IsWrittenWholeAndReadBack) {
  const auto h = Sample(3);
  HistoryFile file(files, path);
  History none;
  EXPECT_EQ(file.Load(none).status, Status::kComplete);  // no file yet
  ASSERT_TRUE(file.Save(*h));
  History back;
  EXPECT_EQ(HistoryFile(files, path).Load(back).status, Status::kComplete);
  EXPECT_EQ(HistoryText(back), HistoryText(*h));
  // A file that cannot be replaced stays as it was.
  files.MakeUnwritable(path);
  EXPECT_FALSE(file.Save(*Sample(1)));
  EXPECT_EQ(Text(path), HistoryText(*h));
}

TEST_F(HistoryFileOnDisk, AForeignFileIsSetAsideNeverWrittenOver) {
  const std::string foreign = "name,value\r\nsomething else,1\r\n";
  const auto h = Sample(1);
  for (const std::string& aside : {path + ".foreign", path + ".foreign2"}) {
    files.WriteText(path, foreign, false);
    HistoryFile file(files, path);
    History back;
    EXPECT_EQ(file.Load(back).status, Status::kForeign);
    EXPECT_FALSE(back.Newest());
    EXPECT_EQ(file.SetAsidePath(), aside);
    EXPECT_EQ(Text(aside), foreign);
    EXPECT_TRUE(file.Save(*h));
  }
  EXPECT_EQ(Text(path), HistoryText(*h));
  EXPECT_EQ(Text(path + ".foreign"), foreign);  // the first one is still there

  // A later version of the file is not ours to read or replace either; while
  // it cannot be set aside, nothing is written over it.
  const std::string later = "Kelvane history 2\r\nM 1 *00000000\r\n";
  files.WriteText(path, later, false);
  files.MakeUnwritable(path);
  HistoryFile file(files, path);
  History back;
  EXPECT_EQ(file.Load(back).status, Status::kForeign);
  files.MakeWritable(path);
  files.MakeUnwritable(path + ".foreign3");
  EXPECT_FALSE(file.Save(*h));
  EXPECT_EQ(Text(path), later);
  files.MakeWritable(path + ".foreign3");
  EXPECT_TRUE(file.Save(*h));
  EXPECT_EQ(Text(path + ".foreign3"), later);
  EXPECT_EQ(Text(path), HistoryText(*h));
}

TEST_F(HistoryFileOnDisk, ASaveBeforeAnyLoadStillSetsAForeignFileAside) {
  files.WriteText(path, "not a history\r\n", false);
  HistoryFile file(files, path);
  EXPECT_TRUE(file.Save(*Sample(1)));
  EXPECT_EQ(Text(path + ".foreign"), "not a history\r\n");
}

TEST_F(HistoryFileOnDisk, ADamagedFileIsReadUpToTheDamageAndThenReplaced) {
  const auto h = Sample(3);
  std::string text = HistoryText(*h);
  const std::size_t third = text.find('\n', text.find('\n', text.find('\n') + 1) + 1);
  text[third - 5] ^= 1;  // in the third line's checksum
  files.WriteText(path, text, false);
  HistoryFile file(files, path);
  History back;
  const auto outcome = file.Load(back);
  EXPECT_EQ(outcome.status, Status::kDamaged);
  EXPECT_EQ(outcome.records, 1);
  EXPECT_TRUE(file.SetAsidePath().empty());
  EXPECT_TRUE(file.Save(back));
  EXPECT_EQ(Text(path), HistoryText(back));
}

}  // namespace
}  // namespace kelvane
