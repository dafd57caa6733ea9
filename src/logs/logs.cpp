#include "logs/logs.h"

#include <string_view>

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::logs {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string TextLogEntry(const LogEntry& e) {
  const auto& slot = e.reading.texts;
  const std::pair<std::string_view, std::string> lines[] = {
      {"CPU Temp.... ", IntText(e.reading.cpu_temp)},
      {"MB Temp..... ", LeftChars(slot[probe::kMbTempSlot], 2)},
      {"CPU Fan..... ", slot[probe::kCpuFanSlot]},
      {"Power Fan... ", slot[probe::kPowerFanSlot]},
      {"Chassis Fan. ", slot[probe::kChassisFanSlot]},
      {"+12V........ ", slot[probe::kV12Slot]},
      {"+5V......... ", slot[probe::kV5Slot]},
      {"+3.3V....... ", slot[probe::kV33Slot]},
      {"VCore....... ", slot[probe::kVCoreSlot]},
  };
  std::string out;
  if (e.shutdown) out.append(kShutdownLine).append(kLineEnd);
  out.append(e.now).append(kLineEnd);
  for (const auto& [label, value] : lines) out.append(label).append(value).append(kLineEnd);
  out.append(kLineEnd);
  return out;
}

std::string FillHtmlTemplate(std::string html, const LogEntry& e) {
  // The readings and the locale's date-time texts come from other programs; in
  // the page they stay text.
  const auto fill = [&html](std::string_view marker, std::string_view text) {
    ReplaceAll(html, marker, HtmlEscaped(text));
  };
  fill("Last Update", "Last Update: " + e.now);
  fill("Started", " " + e.started_text);
  fill("Date-Time", "Elapsed Time: " + e.elapsed_text);
  // The template's markers count four columns per meter, meters in their
  // order.
  for (int n = 1; n <= 36; ++n)
    fill("*" + std::to_string(n) + "*",
         StatText(e.statistics, static_cast<Meter>((n - 1) / 4), static_cast<Column>((n - 1) % 4),
                  e.decimal_separator));
  return html;
}

LogWriter::LogWriter(platform::Platform& platform, const std::string& app_folder)
    : p_(platform), app_folder_(app_folder) {}

bool LogWriter::Put(const std::string& path, const std::string& text, bool overwrite) {
  const auto put = [&] {
    return overwrite ? p_.files.ReplaceText(path, text) : p_.files.WriteText(path, text, true);
  };
  if (put()) return true;
  // The folder made at start-up may have been removed since.
  const std::string folder = app_folder_ + kLogFolder;
  if (p_.files.Exists(folder) || !p_.files.CreateFolder(folder)) return false;
  return put();
}

WriteResult LogWriter::Write(const LogOptions& options, const LogEntry& entry,
                             const StillRunning& still_running) {
  WriteResult result;
  if (options.text_log) {
    result.text_written =
        Put(app_folder_ + kTextLog, TextLogEntry(entry), options.overwrite_text_log);
  }
  if (!options.html_log) return result;
  const std::optional<std::string> html = p_.files.ReadText(app_folder_ + kHtmlTemplate);
  p_.loop.YieldToMessages();
  if (!html || Stopped(still_running)) return result;
  result.html_written = Put(app_folder_ + kHtmlLog,
                            FillHtmlTemplate(*html, entry) + std::string(kLineEnd),
                            options.overwrite_html_log);
  return result;
}

void LogWriter::OpenTextLog(platform::WindowId owner) {
  const platform::WindowId old_view = p_.desktop.FindTopWindow("Notepad", "log.txt - Notepad");
  if (old_view != platform::kNoWindow) p_.desktop.SendClose(old_view);
  p_.shell.Execute(owner, "open", app_folder_ + kTextLog, "0", app_folder_,
                   platform::sw::kShowNormal);
}

void LogWriter::OpenHtmlLog(platform::WindowId owner) {
  p_.shell.Execute(owner, "open", app_folder_ + kHtmlLog, "0", app_folder_,
                   platform::sw::kShowNormal);
}

}  // namespace kelvane::logs
