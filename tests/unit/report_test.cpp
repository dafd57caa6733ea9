// The High/Low/Avg report: its markers, its file name, and a page that is
// whole or not there.
#include <gtest/gtest.h>

#include "highlow/report.h"
#include "platform/sim/sim_platform.h"

namespace kelvane::highlow {
namespace {

ReportContent Sample() {
  ReportContent c;
  for (int n = 1; n <= 36; ++n) c.values[n] = "v" + std::to_string(n);
  c.values[1] = "45\xC2\xB0" "C";
  c.values[10] = "4560.25";  // longer than six characters
  c.values[36] = "-";
  c.elapsed = "Day:0  00:47:34     >>";
  c.started_text = "Started: 12/6/2026 4:12:33 AM";
  c.now = "12/6/2026 5:00:07 AM";
  return c;
}

TEST(ReportTest, MarkersAreFilledInOrderAndOnlyWhole) {
  const ReportContent c = Sample();
  EXPECT_EQ(FillReport("<p>Started</p><p>ReStarted</p><p>Date-Time</p>", c),
            "<p>  12/6/2026 4:12:33 AM to 12/6/2026 5:00:07 AM</p>"
            "<p>Re  12/6/2026 4:12:33 AM to 12/6/2026 5:00:07 AM</p>"
            "<p>Elapsed Time: Day:0  00:47:34     &gt;&gt;</p>");
  // "*1*" is not found inside "*10*"; values are cut to six characters.
  EXPECT_EQ(FillReport("*1*|*10*|*36*|*1*|*37*", c), "45\xC2\xB0" "C|4560.2|-|45\xC2\xB0" "C|*37*");
  EXPECT_EQ(FillReport("no markers", c), "no markers");
  // Before the first reset the started text is empty.
  ReportContent fresh = c;
  fresh.started_text.clear();
  EXPECT_EQ(FillReport("Started", fresh), "  to 12/6/2026 5:00:07 AM");
}

// The captions show readings and the locale's date-time texts, which are other
// programs' text: in the page the characters that HTML reads as markup stay
// text, and a value is cut to its six characters before.
TEST(ReportTest, CaptionsGoIntoThePageAsText) {
  struct Case {
    const char* text;  // a value's caption, the elapsed time and both date-times
    const char* page;  // the text in the page
    const char* cut;   // the value in the page
  };
  const Case cases[] = {
      {"<5.0", "&lt;5.0", "&lt;5.0"},
      {"N&A", "N&amp;A", "N&amp;A"},
      {"5.0>", "5.0&gt;", "5.0&gt;"},
      {"\"1.5\"", "&quot;1.5&quot;", "&quot;1.5&quot;"},
      {"<b>1.5</b>", "&lt;b&gt;1.5&lt;/b&gt;", "&lt;b&gt;1.5"},
      {"&&&&&&&", "&amp;&amp;&amp;&amp;&amp;&amp;&amp;", "&amp;&amp;&amp;&amp;&amp;&amp;"},
      {"12.16", "12.16", "12.16"},  // ordinary texts, unchanged
      {"45\xC2\xB0", "45\xC2\xB0", "45\xC2\xB0"},
      {"-", "-", "-"},
  };
  for (const Case& c : cases) {
    ReportContent content = Sample();
    content.values[33] = c.text;
    content.elapsed = c.text;
    content.started_text = std::string("Started: ") + c.text;
    content.now = c.text;
    const std::string page = c.page;
    EXPECT_EQ(FillReport("<p>Started</p><p>Date-Time</p><td>*33*</td>", content),
              "<p>  " + page + " to " + page + "</p><p>Elapsed Time: " + page + "</p><td>" + c.cut +
                  "</td>")
        << c.text;
  }
}

TEST(ReportTest, TheFileNameCarriesTheTimeStampInTheLogsFolder) {
  EXPECT_EQ(ReportFileName({2026, 12, 6, 4, 12, 33}, "AM", "PM"),
            "Logs\\hla_2026-12-06_04.12.33 AM.htm");
}

TEST(ReportTest, APageIsWrittenWholeOrNotAtAllAndAFailureIsSaid) {
  sim::SimPlatform sim;
  const std::string app = sim.files.ExeFolder();
  sim.files.CreateFolder(app + "Template");
  sim.files.CreateFolder(app + "Logs");
  sim.clock.SetWallClockStart({2026, 12, 6, 16, 0, 7});
  const std::string page = app + "Logs\\hla_2026-12-06_04.00.07 PM.htm";

  EXPECT_FALSE(SaveReport(sim.Get(), app, Sample()));  // no template
  ASSERT_EQ(sim.loop.MessageBoxes().size(), 1u);
  EXPECT_NE(sim.loop.MessageBoxes()[0].text.find("Template\\Kelvane.plt"), std::string::npos);
  EXPECT_FALSE(sim.files.Exists(page));

  sim.files.WriteText(app + "Template\\Kelvane.plt", "<td>*1*</td>", false);
  ASSERT_TRUE(SaveReport(sim.Get(), app, Sample()));
  EXPECT_EQ(sim.files.ReadText(page), "<td>45\xC2\xB0" "C</td>\r\n");
  EXPECT_EQ(sim.loop.MessageBoxes().size(), 1u);

  // The logs folder gone: a message, and nothing written.
  std::filesystem::remove_all(sim.files.HostPath(app + "Logs"));
  EXPECT_FALSE(SaveReport(sim.Get(), app, Sample()));
  EXPECT_EQ(sim.loop.MessageBoxes().size(), 2u);
  EXPECT_FALSE(sim.files.Exists(app + "Logs"));
}

}  // namespace
}  // namespace kelvane::highlow
