// The text log and the HTML log: one entry into each log that is switched on,
// written from the current reading and the statistics, and the two buttons
// that open the logs.
#pragma once

#include <string>

#include "base/wait.h"
#include "platform/platform.h"
#include "probe/reading.h"
#include "probe/stats.h"

namespace kelvane::logs {

// Relative to the program's folder.
inline constexpr char kLogFolder[] = "Logs";
inline constexpr char kTextLog[] = "Logs\\log.txt";
inline constexpr char kHtmlLog[] = "Logs\\log.htm";
inline constexpr char kHtmlTemplate[] = "Template\\Kelvane.log.plt";
// The first line of the entry written just before the machine shuts down.
inline constexpr char kShutdownLine[] = "*** PC ShutDown Initiated ***";

struct LogOptions {
  bool text_log = false;
  bool overwrite_text_log = false;
  bool html_log = false;
  bool overwrite_html_log = true;
};

// What one entry shows.
struct LogEntry {
  const probe::ProbeReading& reading;
  const Statistics& statistics;
  std::string decimal_separator;  // the user's, for the statistics' texts
  std::string now;           // the user's general date-time text of now
  std::string started_text;  // "Started: " and the last statistics reset
  std::string elapsed_text;  // the time since then
  bool shutdown = false;     // the last entry before a shutdown
};

// The text log's lines of one entry, each ending in CR LF: the date-time, nine
// labelled readings, an empty line.
std::string TextLogEntry(const LogEntry& entry);
// The HTML template with its markers filled, in this order: "Last Update",
// "Started", "Date-Time", then "*1*" to "*36*": current, average, lowest and
// highest of the CPU and motherboard temperatures, the CPU, power-supply and
// chassis fans, +12 V, +5 V, +3.3 V and VCore, in that order; the
// texts go in as HTML text, their "&", "<", ">" and '"' as references.
std::string FillHtmlTemplate(std::string html, const LogEntry& entry);

struct WriteResult {
  bool text_written = false;
  bool html_written = false;
};

class LogWriter {
 public:
  LogWriter(platform::Platform& platform, const std::string& app_folder);

  // Writes the entry into each log that is on. A log that cannot be written
  // loses this entry only; the HTML log is replaced or extended whole or not
  // at all. Yields once, after reading the template.
  WriteResult Write(const LogOptions& options, const LogEntry& entry,
                    const StillRunning& still_running = {});

  // The view buttons: the text log (an old Notepad view of it is closed
  // first), the HTML log.
  void OpenTextLog(platform::WindowId owner);
  void OpenHtmlLog(platform::WindowId owner);

 private:
  // Writes, creating the log folder once when it is missing.
  bool Put(const std::string& path, const std::string& text, bool overwrite);

  platform::Platform& p_;
  // The program's folder, ending in "\\"; set once start-up has found it.
  const std::string& app_folder_;
};

}  // namespace kelvane::logs
