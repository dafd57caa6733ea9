// The High/Low/Avg report: the dashboard's captions, as they stand, filled
// into the report template and saved as a new page in the logs folder.
#pragma once

#include <array>
#include <string>

#include "platform/platform.h"

namespace kelvane::highlow {

// Relative to the program's folder.
inline constexpr char kReportTemplate[] = "Template\\Kelvane.plt";

// What the dashboard shows when the report is made.
struct ReportContent {
  std::array<std::string, 37> values;  // captions of value labels 1 to 36
  std::string elapsed;                 // the elapsed-time strip's caption
  std::string started_text;            // its tooltip: "Started: " and the reset
  std::string now;                     // the user's general date-time text of now
};

// The template with "Started" (two spaces, the reset, " to ", now), then
// "Date-Time" ("Elapsed Time: " and the strip), then "*1*" to "*36*" (the
// first six characters of each value) replaced, in that order. The texts go in
// as HTML text, their "&", "<", ">" and '"' as references.
std::string FillReport(std::string html, const ReportContent& content);

// "Logs\hla_2026-12-06_04.12.33 AM.htm": the 12-hour clock and the locale's
// designator.
std::string ReportFileName(const platform::DateTime& t, const std::string& am,
                           const std::string& pm);

// Saves a report; the page is whole or not there. False, with a message box
// that says why, when the template cannot be read or the page not written.
bool SaveReport(platform::Platform& platform, const std::string& app_folder,
                const ReportContent& content);

}  // namespace kelvane::highlow
