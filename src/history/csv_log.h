// The CSV log: one row per counted tick in Logs\Kelvane-YYYY-MM-DD.csv (a new
// file at local midnight), RFC 4180: fields separated by commas, quoted where
// they must be, rows ending in CR LF, a header row naming each column with its
// unit at the top of each file.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "history/history.h"
#include "platform/platform.h"

namespace kelvane::history {

// The field as RFC 4180 writes it: in double quotes, its quotes doubled, when
// it holds a comma, a quote, a carriage return or a line feed.
std::string CsvField(std::string_view text);
// "2026-12-07T09:00:05+01:00": the local time and its offset from UTC.
std::string IsoLocalTime(const platform::DateTime& local, int utc_offset_minutes);
// The header row and one tick's row, each with its CR LF. Numbers have "." as
// the decimal point whatever the user's locale; the last column says "yes"
// when the readings were stale.
std::string CsvHeaderRow();
std::string CsvRow(const Tick& tick);
// "Logs\Kelvane-2026-12-07.csv", relative to the program's folder.
std::string CsvFileOf(const platform::DateTime& local);

class CsvLog {
 public:
  // Rows are appended in batches at most this far apart.
  static constexpr double kBatchSeconds = 10;
  // Rows kept while appends fail: an hour of ticks.
  static constexpr std::size_t kMostRowsKept = 3600;

  // `app_folder`: the program's folder, ending in "\".
  CsvLog(platform::Files& files, std::string app_folder);

  // Keeps the row of one counted tick, taken at monotonic time `now`, and
  // appends the rows kept once the last batch is kBatchSeconds old.
  void Add(const Tick& tick, double now);
  // Appends every row kept now (at exit, before the overheat power-off).
  // True when none is left waiting.
  bool Flush();

  // Whether rows are kept after a failed append (a spreadsheet holds the file
  // locked, the disk is full); each later batch tries them again.
  bool Waiting() const { return waiting_; }
  // True once each time the log begins to wait, so that the program says so
  // once.
  bool TakeWaitingNews();
  std::size_t RowsKept() const { return rows_.size(); }
  // Rows given up since the start: the oldest, once more than an hour waited.
  std::size_t RowsDropped() const { return dropped_; }

 private:
  struct Row {
    std::string file;  // relative to the program's folder
    std::string text;
  };
  // One append per file, the file's rows in their order; the rows of a file
  // that refuses stay kept, in order.
  void WriteBatch();

  platform::Files& files_;
  std::string app_folder_;
  std::deque<Row> rows_;
  bool batch_started_ = false;
  double last_batch_ = 0;
  bool waiting_ = false;
  bool waiting_news_ = false;
  std::size_t dropped_ = 0;
  // The file known to begin with its header (written by us, or found there),
  // and a new file whose first append failed: it may exist now, empty.
  std::string file_with_header_;
  std::string failed_new_file_;
};

}  // namespace kelvane::history
