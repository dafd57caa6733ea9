// The history kept across restarts: a text file of Kelvane's own in the logs
// folder, the last 24 hours of minute bands and the last hour of seconds.
//
// Its first line is the header "Kelvane history 1" (the number is the
// format's version). Each further line is one record and ends in its own
// checksum, so that a file cut short, changed or half written is read up to
// the first line that is not whole and well formed, and never past it:
//   M <instant> <utc offset> <fresh ticks> <stale ticks> <9 lowest> <9 averages> <9 highest> *<crc>
//   S <instant> <0 fresh | 1 stale> <9 readings> *<crc>
// Bands come first, then seconds, each oldest first; instants are seconds
// since 1970 (UTC), readings in the meters' order with "." as the decimal
// point, <crc> the CRC-32 of the line before " *" in eight hex digits. Lines
// end in CR LF.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "history/history.h"
#include "platform/platform.h"

namespace kelvane::history {

// Relative to the program's folder.
inline constexpr char kHistoryFile[] = "Logs\\history.dat";
inline constexpr char kHistoryHeader[] = "Kelvane history 1";

// CRC-32 (the polynomial of ZIP and PNG).
std::uint32_t Crc32(std::string_view bytes);

// The whole file for `history`.
std::string HistoryText(const History& history);

struct ReadOutcome {
  enum class Status {
    kComplete,  // every line read
    kDamaged,   // read up to `bad_line`; an empty or cut-off header reads as this too
    kForeign,   // not a history file of this version: nothing read
  };
  Status status = Status::kComplete;
  int records = 0;   // records put into the history
  int bad_line = 0;  // the first line not read (1 = the header), 0 when complete
};

// Reads `text` into `history` (empty, or holding only older records).
ReadOutcome ReadHistoryText(std::string_view text, History& history);

class HistoryFile {
 public:
  // `path`: the file's whole path (the program's folder and kHistoryFile).
  HistoryFile(platform::Files& files, std::string path);

  // Reads the file into `history`. A missing file reads as complete and
  // empty. A foreign file is set aside under a name of its own (the path and
  // ".foreign", ".foreign2", ...), never deleted; while that fails, Save
  // refuses to write over it.
  ReadOutcome Load(History& history);
  // Replaces the file with `history` in one step; false when it cannot be
  // written (nothing half written is left) or a foreign file is in the way.
  bool Save(const History& history);
  // Where the foreign file went; "" when none was set aside.
  const std::string& SetAsidePath() const { return set_aside_; }

 private:
  // Whether the file in place may be replaced: ours, absent, or set aside.
  bool MayReplace();
  bool SetAside();

  platform::Files& files_;
  std::string path_;
  std::string set_aside_;
  bool checked_ = false;
  bool foreign_in_place_ = false;
};

}  // namespace kelvane::history
