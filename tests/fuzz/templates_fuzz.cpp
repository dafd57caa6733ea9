// The two HTML templates filled with any readings: the log's template and the
// High/Low/Avg report's, and the text log's entry from the same readings.
//
// The lines before the first empty line are the readings: the date-time of now,
// the started text, the elapsed time, the decimal separator, then the
// report's 36 captions (the first ten also fill the reading slots, whose
// statistics the log shows). The rest is the template. Both pages must hold
// the template's markup and none from the readings.
#include <algorithm>

#include "base/text.h"
#include "fuzz_input.h"
#include "highlow/report.h"
#include "logs/logs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  std::string_view input = fuzz::AsText(data, size);
  const std::size_t blank = input.find("\n\n");
  const std::string_view html = blank == std::string_view::npos ? "" : input.substr(blank + 2);
  const std::vector<std::string_view> lines = fuzz::Lines(input.substr(0, blank));
  auto line = [&](std::size_t i) { return std::string(i < lines.size() ? lines[i] : ""); };

  probe::ProbeReading reading;
  highlow::ReportContent report{{}, line(2), line(1), line(0)};
  for (int n = 1; n <= 36; ++n) report.values[n] = line(3 + n);
  for (int slot = 1; slot <= 10; ++slot) reading.texts[slot] = FixedWidth(report.values[slot], 6);
  probe::DeriveReadings(reading);
  ProbeStats stats;
  stats.Reset();
  const TickValues values = ValuesOf(reading);
  stats.Add(values);
  const Statistics statistics = StatisticsOf(stats, reading, values, 1);

  logs::LogEntry entry{reading, statistics,           line(3), line(0), line(1),
                       line(2), input.size() % 2 == 1};
  logs::TextLogEntry(entry);
  // Markup comes from the template alone: whatever the readings and date-times
  // hold, a filled page has the template's tags and quoted values, no more.
  const auto same_markup = [html](std::string_view page) {
    for (char c : {'<', '>', '"'})
      if (std::count(page.begin(), page.end(), c) != std::count(html.begin(), html.end(), c))
        return false;
    return true;
  };
  FUZZ_EXPECT(same_markup(logs::FillHtmlTemplate(std::string(html), entry)));
  FUZZ_EXPECT(same_markup(highlow::FillReport(std::string(html), report)));
  return 0;
}
