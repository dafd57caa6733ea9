#include "history/csv_log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::history {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string IsoLocalTime(const platform::DateTime& t, int utc_offset_minutes) {
  const int offset = std::abs(utc_offset_minutes);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month,
                t.day, t.hour, t.minute, t.second, utc_offset_minutes < 0 ? '-' : '+', offset / 60,
                offset % 60);
  return text;
}

std::string CsvHeaderRow() {
  const std::string degrees = " (" + std::string(kDegree) + "C)";
  const std::string names[] = {"Time",
                               "CPU Temp" + degrees,
                               "MB Temp" + degrees,
                               "CPU Fan (rpm)",
                               "Power Fan (rpm)",
                               "Chassis Fan (rpm)",
                               "+12V (V)",
                               "+5V (V)",
                               "+3.3V (V)",
                               "VCore (V)",
                               "Stale"};
  std::string row;
  for (const std::string& name : names) row += (row.empty() ? "" : ",") + CsvField(name);
  return row + "\r\n";
}

std::string CsvRow(const Tick& tick) {
  const TickValues& v = tick.values;
  // The columns in the order of the logs' meters.
  const std::string fields[] = {IsoLocalTime(tick.local, tick.utc_offset_minutes),
                                IntText(v.cpu_temp),
                                IntText(v.mb_temp),
                                IntText(v.cpu_fan),
                                IntText(v.power_fan),
                                IntText(v.chassis_fan),
                                FloatText(v.v12, "."),
                                FloatText(v.v5, "."),
                                FloatText(v.v33, "."),
                                FloatText(v.vcore, "."),
                                tick.stale ? "yes" : "no"};
  std::string row;
  for (const std::string& field : fields) row += (row.empty() ? "" : ",") + CsvField(field);
  return row + "\r\n";
}

std::string CsvFileOf(const platform::DateTime& t) {
  char name[48];
  std::snprintf(name, sizeof name, "Logs\\Kelvane-%04d-%02d-%02d.csv", t.year, t.month, t.day);
  return name;
}

CsvLog::CsvLog(platform::Files& files, std::string app_folder)
    : files_(files), app_folder_(std::move(app_folder)) {}

void CsvLog::Add(const Tick& tick, double now) {
  rows_.push_back({CsvFileOf(tick.local), CsvRow(tick)});
  // An hour of rows is kept for a file that stays locked; past that the
  // oldest go first, so that the log resumes with the newest hour and the
  // memory stays bounded however long the lock lasts.
  while (rows_.size() > kMostRowsKept) {
    rows_.pop_front();
    ++dropped_;
  }
  if (!batch_started_) {
    batch_started_ = true;
    last_batch_ = now;
  }
  if (now - last_batch_ >= kBatchSeconds) {
    last_batch_ = now;
    WriteBatch();
  }
}

bool CsvLog::Flush() {
  WriteBatch();
  return rows_.empty();
}

bool CsvLog::TakeWaitingNews() {
  const bool news = waiting_news_;
  waiting_news_ = false;
  return news;
}

void CsvLog::WriteBatch() {
  std::deque<Row> kept;
  std::vector<std::string> refused;
  while (!rows_.empty()) {
    // Each run of rows of one file (more than one only when the clock went
    // back over midnight) is one append.
    const std::string file = rows_.front().file;
    const std::string path = app_folder_ + file;
    // Not after an earlier run of the same file failed: its rows keep their order.
    const bool tried = std::find(refused.begin(), refused.end(), file) != refused.end();
    const bool needs_header =
        file != file_with_header_ && (file == failed_new_file_ || !files_.FileExists(path));
    std::string text = needs_header ? CsvHeaderRow() : "";
    std::deque<Row> batch;
    while (!rows_.empty() && rows_.front().file == file) {
      text += rows_.front().text;
      batch.push_back(std::move(rows_.front()));
      rows_.pop_front();
    }
    // One append: the Files contract leaves the file as it was when it fails,
    // so a row is never half written.
    if (!tried && files_.WriteText(path, text, true)) {
      file_with_header_ = file;
      if (failed_new_file_ == file) failed_new_file_.clear();
    } else {
      if (!tried) refused.push_back(file);
      if (!tried && needs_header) failed_new_file_ = file;
      for (Row& row : batch) kept.push_back(std::move(row));
    }
  }
  rows_ = std::move(kept);
  const bool failed = !refused.empty();
  if (failed && !waiting_) waiting_news_ = true;
  waiting_ = failed;
}

}  // namespace kelvane::history
