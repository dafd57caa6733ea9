// The text and HTML logs as the running program writes them.
#include <gtest/gtest.h>

#include "base/text.h"
#include "logs/logs.h"
#include "program_fixture.h"

namespace kelvane {
namespace {

using testing::ProgramFixture;
using enum MainControl;

class LogsTest : public ::testing::Test, public ProgramFixture {
 protected:
  LogsTest() {
    sim.files.CreateFolder(AppFile("Template"));
    monitor.Set({"1.520", "5.053", "3.312", "12.16", "45.0", "2700", "3213", "4560", "101"});
  }
  void Template(const std::string& html) {
    sim.files.WriteText(AppFile("Template\\Kelvane.log.plt"), html, false);
  }
  // The text of statistic n of the HTML log's markers (four columns per meter).
  std::string Text(int n) {
    return StatText(Main().State().statistics, static_cast<Meter>((n - 1) / 4),
                    static_cast<Column>((n - 1) % 4), sim.clock.DecimalSeparator());
  }
  int Entries(const std::string& log) {
    int n = 0;
    for (std::size_t at = 0; (at = log.find("CPU Temp.... ", at)) != std::string::npos; ++at) ++n;
    return n;
  }
};

TEST_F(LogsTest, TheTextLogHoldsLabelledSlotsWrittenWholeAtStartAndEveryInterval) {
  Store("Log", "1");
  Store("LogInterval", "1");
  Start();
  sim.Advance(1);
  EXPECT_FALSE(FileText("Logs\\log.txt"));
  sim.Advance(1);  // the tick that counts the first sample writes the first entry
  const std::string first = *FileText("Logs\\log.txt");
  EXPECT_EQ(first,
            sim.clock.GeneralDateTime(sim.clock.Now()) + "\r\n"
            "CPU Temp.... 45\r\n"
            "MB Temp..... 10\r\n"  // the first two characters of 101
            "CPU Fan..... 4560  \r\n"
            "Power Fan... 3213  \r\n"
            "Chassis Fan. 2700  \r\n"
            "+12V........ 12.16 \r\n"
            "+5V......... 5.053 \r\n"
            "+3.3V....... 3.312 \r\n"
            "VCore....... 1.520 \r\n"
            "\r\n");
  // Appended a minute after start, then every minute.
  sim.Advance(58);
  EXPECT_EQ(Entries(*FileText("Logs\\log.txt")), 2);
  sim.Advance(60);
  EXPECT_EQ(Entries(*FileText("Logs\\log.txt")), 3);
  EXPECT_FALSE(FileText("Logs\\log.htm"));

  // Overwriting keeps one entry.
  Box(kOverwriteTextLog).SetValue(1);
  sim.Advance(60);
  EXPECT_EQ(Entries(*FileText("Logs\\log.txt")), 1);
}

TEST_F(LogsTest, TheHtmlLogIsTheTemplateWithItsMarkersFilledInOrder) {
  Template("<p>Last Update</p><p>Started</p><p>Date-Time</p><td>*1*</td><td>*10*</td>"
           "<td>*36*</td><td>*1*</td>");
  Store("LogHTML", "1");
  Start();
  sim.Advance(2);
  const ProbeState& state = Main().State();
  const std::string html = *FileText("Logs\\log.htm");
  EXPECT_EQ(html, "<p>Last Update: " + sim.clock.GeneralDateTime(sim.clock.Now()) + "</p><p> " +
                      state.started_text + "</p><p>Elapsed Time: Day:0  00:00:01</p><td>" +
                      Text(1) + "</td><td>" + Text(10) + "</td><td>" + Text(36) + "</td><td>" +
                      Text(1) + "</td>\r\n");
  EXPECT_FALSE(FileText("Logs\\log.txt"));  // the text log is off
  // Appending adds one whole page per entry.
  Box(kOverwriteHtmlLog).SetValue(0);
  Main().Poll().LogTick();
  Main().Get<form::ScrollBar>(kLogInterval).SetValue(1);
  Main().Poll().LogTick();
  const std::string two = *FileText("Logs\\log.htm");
  EXPECT_EQ(two.substr(0, html.size()), html);
  EXPECT_EQ(two.size(), 2 * html.size());
}

// A reading and the locale's date-time text are other programs' text: in the
// page the characters that HTML reads as markup stay text, a reading's slot is
// cut to six characters before, and the text log keeps them as read.
TEST_F(LogsTest, ReadingsAndDateTimesGoIntoTheHtmlLogAsText) {
  Template("<p>Last Update</p><td>*33*</td>");
  Store("Log", "1");
  Store("LogWrite", "1");
  Store("LogHTML", "1");
  Store("LogInterval", "1");
  Start();
  sim.Advance(2);
  struct Case {
    const char* text;  // the VCore reading and the morning designator
    const char* page;  // the designator in the page
    const char* slot;  // the six-character VCore slot in the page
  };
  const Case cases[] = {
      {"<5.0", "&lt;5.0", "&lt;5.0"},
      {"N&A", "N&amp;A", "N&amp;A"},
      {"5.0>", "5.0&gt;", "5.0&gt;"},
      {"\"1.5\"", "&quot;1.5&quot;", "&quot;1.5&quot;"},
      {"<b>1.5</b>", "&lt;b&gt;1.5&lt;/b&gt;", "&lt;b&gt;1.5"},
      {"&&&&&&&", "&amp;&amp;&amp;&amp;&amp;&amp;&amp;", "&amp;&amp;&amp;&amp;&amp;&amp;"},
      {"1.520", "1.520", "1.520"},  // an ordinary reading, unchanged
      {"\xC2\xB0", "\xC2\xB0", "\xC2\xB0"},
  };
  for (const Case& c : cases) {
    sim.clock.SetLocale({".", false, false, c.text, "PM"});
    monitor.Set({c.text, "5.053", "3.312", "12.16", "45.0", "2700", "3213", "4560", "31"});
    sim.Advance(60);
    const std::string html = *FileText("Logs\\log.htm");
    const std::string tail = std::string(" ") + c.page + "</p><td>" + c.slot + "</td>\r\n";
    ASSERT_GE(html.size(), tail.size()) << c.text;
    EXPECT_EQ(html.substr(html.size() - tail.size()), tail) << c.text;
    EXPECT_EQ(html.find('<', 1), html.find("</p>")) << c.text;  // no tag but the template's
    const std::string text = *FileText("Logs\\log.txt");
    EXPECT_NE(text.find("VCore....... " + FixedWidth(c.text, 6) + "\r\n"), std::string::npos)
        << c.text;
  }
}

TEST_F(LogsTest, ALogThatCannotBeWrittenLosesThatEntryOnlyAndTheHtmlLogStaysWhole) {
  Store("Log", "1");
  Store("LogHTML", "1");
  Store("LogInterval", "1");
  Template("<b>*1*</b>");
  sim.files.CreateFolder(AppFile("Logs"));
  sim.files.WriteText(AppFile("Logs\\log.htm"), "previous page", false);
  sim.files.MakeUnwritable(AppFile("Logs\\log.htm"));
  Start();
  sim.Advance(2);
  EXPECT_EQ(FileText("Logs\\log.htm"), "previous page");
  EXPECT_FALSE(sim.files.Exists(AppFile("Logs\\log.htm.new")));
  EXPECT_EQ(Entries(*FileText("Logs\\log.txt")), 1);

  // Writable again later: the next interval tries again.
  sim.files.MakeWritable(AppFile("Logs\\log.htm"));
  sim.Advance(60);
  EXPECT_EQ(FileText("Logs\\log.htm"), "<b>" + Text(1) + "</b>\r\n");

  // No template: the text log goes on, the HTML log is left exactly as it was.
  sim.files.WriteText(AppFile("Logs\\log.htm"), "previous page", false);
  std::filesystem::remove(sim.files.HostPath(AppFile("Template\\Kelvane.log.plt")));
  sim.Advance(60);
  EXPECT_EQ(Entries(*FileText("Logs\\log.txt")), 3);
  EXPECT_EQ(FileText("Logs\\log.htm"), "previous page");
}

// A text log that cannot be written loses its own entry only: the HTML log is
// still written, whole, rather than given up with it.
TEST_F(LogsTest, ATextLogThatCannotBeWrittenStillLeavesAWholeHtmlEntry) {
  Store("Log", "1");
  Store("LogWrite", "1");
  Store("LogHTML", "1");
  Template("<b>*1*</b>");
  sim.files.CreateFolder(AppFile("Logs"));
  sim.files.WriteText(AppFile("Logs\\log.txt"), "earlier entries", false);
  sim.files.MakeUnwritable(AppFile("Logs\\log.txt"));
  Start();
  sim.Advance(2);
  EXPECT_EQ(FileText("Logs\\log.txt"), "earlier entries");
  EXPECT_FALSE(sim.files.Exists(AppFile("Logs\\log.txt.new")));
  EXPECT_EQ(FileText("Logs\\log.htm"), "<b>" + Text(1) + "</b>\r\n");
}

TEST_F(LogsTest, AMissingLogsFolderIsMadeAgainAndTheEntryWritten) {
  Store("Log", "1");
  Start();
  std::filesystem::remove_all(sim.files.HostPath(AppFile("Logs")));
  sim.Advance(2);
  EXPECT_EQ(Entries(*FileText("Logs\\log.txt")), 1);
}

TEST_F(LogsTest, ATemplateWithoutMarkersIsCopiedAndTheViewButtonsOpenTheLogs) {
  Template("<html>no markers</html>");
  Store("LogHTML", "1");
  const platform::WindowId notepad =
      sim.desktop.AddTopWindow("Notepad", "log.txt - Notepad", {0, 0, 300, 200});
  Start();
  sim.Advance(2);
  EXPECT_EQ(FileText("Logs\\log.htm"), "<html>no markers</html>\r\n");

  form::Window& w = Main().Window();
  w.UserClickButton(Main().Get<form::Button>(kViewTextLog));
  EXPECT_FALSE(sim.desktop.IsWindow(notepad));  // an old view closes first
  w.UserClickButton(Main().Get<form::Button>(kViewHtmlLog));
  const auto& requests = sim.shell.Requests();
  ASSERT_GE(requests.size(), 2u);
  const auto& text = requests[requests.size() - 2];
  const auto& html = requests.back();
  EXPECT_EQ(text.verb, "open");
  EXPECT_EQ(text.file, AppFile("Logs\\log.txt"));
  EXPECT_EQ(text.parameters, "0");
  EXPECT_EQ(text.folder, sim.files.ExeFolder());
  EXPECT_EQ(html.file, AppFile("Logs\\log.htm"));
}

TEST_F(LogsTest, ReadingsThatAreNoNumbersAreLoggedAsReadAndCheckedWithoutHarm) {
  Store("Log", "1");
  Store("LogInterval", "1");
  Store("SndCard", "1");
  Store("SndPC", "1");
  Start();
  struct Case {
    const char* text;  // of the CPU, a fan and a voltage
    const char* cpu;   // the CPU line's number
    const char* slot;  // the slot as read (a decimal comma reads as a point)
  };
  const Case cases[] = {{"1E999", "32767", "1E999 "},
                        {"-0", "0", "-0    "},
                        {"  45,5", "46", "  45.5"},
                        {"", "0", "      "},
                        {"abc", "0", "abc   "}};
  sim.Advance(2);  // the entry at start
  int entries = 1;
  for (const Case& c : cases) {
    monitor.Set({"1.520", c.text, "3.312", "12.16", c.text, c.text, "3213", c.text, "31.0"});
    sim.Advance(60);
    const std::string log = *FileText("Logs\\log.txt");
    ASSERT_EQ(Entries(log), ++entries) << c.text;
    const std::string tail = log.substr(log.rfind("CPU Temp.... "));
    EXPECT_EQ(tail.substr(0, tail.find("\r\n")), std::string("CPU Temp.... ") + c.cpu) << c.text;
    EXPECT_NE(tail.find(std::string("CPU Fan..... ") + c.slot + "\r\n"), std::string::npos)
        << c.text;
    EXPECT_NE(tail.find(std::string("+5V......... ") + c.slot + "\r\n"), std::string::npos)
        << c.text;
  }
  EXPECT_GT(Count("beep"), 0);  // 32767 is over any threshold
}

TEST_F(LogsTest, OnlyTheLogTimerResetsTheCountdownWhenOnlyTheHtmlLogIsOn) {
  Template("x");
  Store("LogHTML", "1");
  Store("LogInterval", "3");
  Start();
  sim.Advance(2);  // the first entry leaves the countdown alone
  EXPECT_EQ(Main().Poll().LogCountdown(), 3);
  sim.Advance(60);
  EXPECT_EQ(Main().Poll().LogCountdown(), 2);
  // Switching both logs off stops the timer.
  Box(kHtmlLog).SetValue(0);
  EXPECT_FALSE(Main().Poll().LogTimerRunning());
}

}  // namespace
}  // namespace kelvane
