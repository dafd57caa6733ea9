#include "history/history_file.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace kelvane::history {
namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

void PutNumber(std::string& line, float value) {
  char buffer[32];
  // Shortest text that reads back as the same float, "." whatever the locale.
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  line += ' ';
  line.append(buffer, result.ptr);
}

void PutNumber(std::string& line, std::int64_t value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  line += ' ';
  line.append(buffer, result.ptr);
}

void PutValues(std::string& line, const MeterValues& values) {
  for (float v : values) PutNumber(line, v);
}

// Ends the record that begins at `start` with its checksum and the line break.
void Seal(std::string& text, std::size_t start) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::uint32_t crc = Crc32(std::string_view(text).substr(start));
  char end[] = " *00000000\r\n";
  for (int k = 0; k < 8; ++k) end[2 + k] = kHex[(crc >> (28 - 4 * k)) & 0xF];
  text += end;
}

// The words of a record line, read strictly: single spaces, every word a number.
class Words {
 public:
  explicit Words(std::string_view text) : rest_(text) {}
  bool Next(std::string_view& word) {
    if (rest_.empty()) return false;
    const std::size_t space = rest_.find(' ');
    word = rest_.substr(0, space);
    rest_ = space == std::string_view::npos ? std::string_view{} : rest_.substr(space + 1);
    return !word.empty();
  }
  template <typename T>
  bool Read(T& value) {
    std::string_view word;
    if (!Next(word)) return false;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc{} && result.ptr == word.data() + word.size();
  }
  bool Read(MeterValues& values) {
    for (float& v : values)
      if (!Read(v)) return false;
    return true;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// The record of a line whose checksum holds: the part before " *".
std::optional<std::string_view> Verified(std::string_view line) {
  constexpr std::size_t kTail = 10;  // " *" and eight hex digits
  if (line.size() < kTail || line.substr(line.size() - kTail, 2) != " *") return std::nullopt;
  const std::string_view digits = line.substr(line.size() - 8);
  std::uint32_t crc = 0;
  for (char c : digits) {
    const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return std::nullopt;
    crc = crc << 4 | static_cast<std::uint32_t>(d);
  }
  const std::string_view record = line.substr(0, line.size() - kTail);
  if (Crc32(record) != crc) return std::nullopt;
  return record;
}

bool ReadMinute(Words& words, History& history) {
  MinuteRecord r;
  int offset = 0, fresh = 0, stale = 0;
  if (!words.Read(r.at) || !words.Read(offset) || !words.Read(fresh) || !words.Read(stale) ||
      !words.Read(r.low) || !words.Read(r.mean) || !words.Read(r.high) || !words.AtEnd())
    return false;
  if (offset < -32768 || offset > 32767 || fresh < 0 || fresh > 255 || stale < 0 || stale > 255)
    return false;
  r.utc_offset_minutes = static_cast<std::int16_t>(offset);
  r.fresh_ticks = static_cast<std::uint8_t>(fresh);
  r.stale_ticks = static_cast<std::uint8_t>(stale);
  return history.RestoreMinute(r);
}

bool ReadSecond(Words& words, History& history) {
  SecondRecord r;
  int stale = 0;
  if (!words.Read(r.at) || !words.Read(stale) || !words.Read(r.values) || !words.AtEnd())
    return false;
  if (stale != 0 && stale != 1) return false;
  r.stale = stale == 1;
  return history.RestoreSecond(r);
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (char b : bytes) c = kCrcTable[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string HistoryText(const History& history) {
  std::string text = std::string(kHistoryHeader) + "\r\n";
  // Each record is written straight into the text (a full file is about
  // 460 KB, written once a minute).
  text.reserve(512 * 1024);
  history.ForEachMinute([&text](const MinuteRecord& r) {
    const std::size_t start = text.size();
    text += 'M';
    PutNumber(text, r.at);
    PutNumber(text, std::int64_t{r.utc_offset_minutes});
    PutNumber(text, std::int64_t{r.fresh_ticks});
    PutNumber(text, std::int64_t{r.stale_ticks});
    PutValues(text, r.low);
    PutValues(text, r.mean);
    PutValues(text, r.high);
    Seal(text, start);
  });
  history.ForEachSecond([&text](const SecondRecord& r) {
    const std::size_t start = text.size();
    text += 'S';
    PutNumber(text, r.at);
    PutNumber(text, std::int64_t{r.stale});
    PutValues(text, r.values);
    Seal(text, start);
  });
  return text;
}

ReadOutcome ReadHistoryText(std::string_view text, History& history) {
  using Status = ReadOutcome::Status;
  ReadOutcome outcome;
  int number = 0;
  bool seconds_begun = false;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    // A last line without its line break may have been cut anywhere.
    if (end == std::string_view::npos) {
      if (text.ends_with('\r')) text.remove_suffix(1);
      if (number == 1 && std::string_view(kHistoryHeader).starts_with(text))
        return {Status::kDamaged, 0, 1};
      return {number == 1 ? Status::kForeign : Status::kDamaged, outcome.records, number};
    }
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (number == 1) {
      if (line != kHistoryHeader) return {Status::kForeign, 0, 1};
      continue;
    }
    const auto record = Verified(line);
    bool read = false;
    if (record) {
      Words words(*record);
      std::string_view kind;
      words.Next(kind);
      if (kind == "M" && !seconds_begun) {
        read = ReadMinute(words, history);
      } else if (kind == "S") {
        seconds_begun = true;
        read = ReadSecond(words, history);
      }
    }
    if (!read) return {Status::kDamaged, outcome.records, number};
    ++outcome.records;
  }
  // An empty file: its header is missing, cut off before its first byte.
  if (number == 0) return {Status::kDamaged, 0, 1};
  return outcome;
}

HistoryFile::HistoryFile(platform::Files& files, std::string path)
    : files_(files), path_(std::move(path)) {}

bool HistoryFile::SetAside() {
  for (int n = 1; n <= 99; ++n) {
    const std::string aside = path_ + ".foreign" + (n == 1 ? "" : std::to_string(n));
    if (files_.Exists(aside)) continue;
    if (files_.Rename(path_, aside)) {
      set_aside_ = aside;
      return true;
    }
    return false;
  }
  return false;
}

ReadOutcome HistoryFile::Load(History& history) {
  checked_ = true;
  foreign_in_place_ = false;
  if (!files_.FileExists(path_)) return {};
  const std::optional<std::string> text = files_.ReadText(path_);
  if (!text) {
    // Unread, it might be anyone's: not replaced before a later look.
    checked_ = false;
    return {ReadOutcome::Status::kDamaged, 0, 1};
  }
  const ReadOutcome outcome = ReadHistoryText(*text, history);
  if (outcome.status == ReadOutcome::Status::kForeign) foreign_in_place_ = !SetAside();
  return outcome;
}

bool HistoryFile::MayReplace() {
  if (!checked_) {
    History ignored;
    Load(ignored);
    if (!checked_) return false;
  }
  if (foreign_in_place_) foreign_in_place_ = !SetAside();
  return !foreign_in_place_;
}

bool HistoryFile::Save(const History& history) {
  return MayReplace() && files_.ReplaceText(path_, HistoryText(history));
}

}  // namespace kelvane::history
