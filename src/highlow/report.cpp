#include "highlow/report.h"

#include "base/text.h"
#include "base/time_stamp.h"

namespace kelvane::highlow {
namespace {

// The reset's date-time in the started text: its characters 9 to 38.
constexpr std::size_t kStartedFirst = 8, kStartedLength = 30;
constexpr std::size_t kValueWidth = 6;

}  // namespace

std::string FillReport(std::string html, const ReportContent& c) {
  // The captions show readings and the locale's date-time texts, which come
  // from other programs; in the page they stay text. They are cut first, so
  // that a reference counts as the one character it shows.
  const auto fill = [&html](std::string_view marker, std::string_view text) {
    ReplaceAll(html, marker, HtmlEscaped(text));
  };
  fill("Started", " " + MidChars(c.started_text, kStartedFirst, kStartedLength) + " to " + c.now);
  fill("Date-Time", "Elapsed Time: " + c.elapsed);
  for (int n = 1; n <= 36; ++n)
    fill("*" + std::to_string(n) + "*", LeftChars(c.values[n], kValueWidth));
  return html;
}

std::string ReportFileName(const platform::DateTime& t, const std::string& am,
                           const std::string& pm) {
  return "Logs\\hla_" + FileTimeStamp(t, am, pm) + ".htm";
}

bool SaveReport(platform::Platform& p, const std::string& app_folder,
                const ReportContent& content) {
  const std::string template_path = app_folder + kReportTemplate;
  std::string problem;
  if (const std::optional<std::string> html = p.files.ReadText(template_path)) {
    const std::string path =
        app_folder + ReportFileName(p.clock.Now(), p.clock.AmDesignator(), p.clock.PmDesignator());
    if (!p.files.ReplaceText(path, FillReport(*html, content) + "\r\n"))
      problem = "The report could not be written to " + path + ".";
  } else {
    problem = "The report template " + template_path + " could not be read.";
  }
  if (problem.empty()) {
    p.loop.YieldToMessages();
    return true;
  }
  p.loop.ShowMessageBox(problem, "Kelvane", platform::mb::kOk);
  return false;
}

}  // namespace kelvane::highlow
