// The core's reading scan and click sequence against the stand-in monitor
// (AsusProb.exe, started from this program's folder), through the Win32 desktop.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/win32/clock.h"
#include "platform/win32/desktop.h"
#include "platform/win32/files.h"
#include "platform/win32/handles.h"
#include "platform/win32/loop.h"
#include "probe/reading.h"
#include "probe/scan.h"
#include "wine_test_support.h"

namespace kelvane::probe {
namespace {

using platform::Point;
using platform::WindowId;
using platform::win32::KernelHandle;
using wine_test::PumpUntil;
using wine_test::ReadBytes;
using wine_test::ScratchFolder;

constexpr char kMainClass[] = "TMainForm";
constexpr char kMainTitle[] = "Asus Probe 2";

// One running stand-in; closed (and, failing that, ended) when the test ends.
class StandIn {
 public:
  explicit StandIn(const std::string& arguments) {
    platform::win32::Win32Files files;
    std::string folder = files.ExeFolder();
    const std::string command = "\"" + folder + "AsusProb.exe\" --splash-ms 200 " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
      process_.Reset(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
  ~StandIn() {
    if (!process_) return;
    if (const HWND window = FindWindowA(kMainClass, kMainTitle)) {
      SendMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.Get(), 1);
    }
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  HANDLE Process() const { return process_.Get(); }

 private:
  KernelHandle process_;
};

class ProbeStandInTest : public ::testing::Test {
 protected:
  // The main window of a stand-in that has just been started; kNoWindow when
  // it does not appear within 15 s.
  WindowId WaitForMainWindow() {
    WindowId window = platform::kNoWindow;
    PumpUntil(
        [&] {
          window = desktop_.FindTopWindow(kMainClass, kMainTitle);
          return window != platform::kNoWindow;
        },
        15.0);
    return window;
  }

  // Scans until `done` holds for the reading or `seconds` pass.
  bool ScanUntil(WindowId window, ProbeReading& reading,
                 const std::function<bool(const ProbeReading&)>& done, double seconds) {
    return PumpUntil(
        [&] {
          ScanProbeWindow(desktop_, window, reading);
          return done(reading);
        },
        seconds);
  }

  static void WriteFeed(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    // Write beside and rename, so the stand-in never reads half a file.
    const std::string part = path + ".part";
    ASSERT_TRUE(files_.WriteText(part, text, false));
    ASSERT_TRUE(MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
  }

  static inline platform::win32::Win32Files files_;
  platform::win32::Win32Desktop desktop_;
  platform::win32::Win32Loop loop_;
  platform::win32::Win32Clock clock_;
  ScratchFolder folder_;
};

// The nine feed lines in the reading windows' order, and the slot texts that
// the scan must make of them: commas become points, six characters exactly.
const std::vector<std::string> kFeed = {"1,52",     "5.02", "3,31", "12.10", "45",
                                        "3200 rpm", "2800", "4560", "38"};
const std::vector<std::string> kSlots = {"1.52  ", "5.02  ", "3.31  ", "12.10 ", "45    ",
                                         "3200 r", "2800  ", "4560  ", "38    "};

std::vector<std::string> SlotsTwoToTen(const ProbeReading& reading) {
  return std::vector<std::string>(reading.texts.begin() + 2, reading.texts.end());
}

TEST_F(ProbeStandInTest, ScanReadsTheMarkerAndNineReadingsInOrder) {
  const std::string feed = folder_.path() + "feed.txt";
  WriteFeed(feed, kFeed);
  StandIn standin("--no-wake --feed \"" + feed + "\"");
  ASSERT_TRUE(standin.Started());
  const WindowId window = WaitForMainWindow();
  ASSERT_NE(window, platform::kNoWindow);

  ProbeReading reading;
  EXPECT_TRUE(ScanUntil(
      window, reading, [](const ProbeReading& r) { return SlotsTwoToTen(r) == kSlots; }, 10.0));
  EXPECT_EQ(reading.texts[kMarkerSlot], "Monito");
  EXPECT_EQ(SlotsTwoToTen(reading), kSlots);
}

TEST_F(ProbeStandInTest, AChangedFeedIsSeenWithinTwoSeconds) {
  const std::string feed = folder_.path() + "feed.txt";
  WriteFeed(feed, kFeed);
  StandIn standin("--no-wake --feed \"" + feed + "\"");
  const WindowId window = WaitForMainWindow();
  ASSERT_NE(window, platform::kNoWindow);
  ProbeReading reading;
  ASSERT_TRUE(ScanUntil(
      window, reading, [](const ProbeReading& r) { return SlotsTwoToTen(r) == kSlots; }, 10.0));

  std::vector<std::string> hotter = kFeed;
  hotter[4] = "91";    // CPU temperature
  hotter[8] = "40,5";  // motherboard temperature, decimal comma
  WriteFeed(feed, hotter);
  const double start = clock_.MonotonicSeconds();
  ASSERT_TRUE(ScanUntil(
      window, reading,
      [](const ProbeReading& r) {
        return r.texts[kCpuTempSlot] == "91    " && r.texts[kMbTempSlot] == "40.5  ";
      },
      5.0));
  // The stand-in reads its feed once a second; a scan follows within the next tick.
  EXPECT_LT(clock_.MonotonicSeconds() - start, 2.5);
  EXPECT_EQ(reading.texts[kVCoreSlot], "1.52  ");
}

TEST_F(ProbeStandInTest, FewerReadingWindowsLeaveTheLaterSlotsAsTheyWere) {
  const std::string feed = folder_.path() + "feed.txt";
  WriteFeed(feed, kFeed);
  StandIn standin("--no-wake --readings 5 --feed \"" + feed + "\"");
  const WindowId window = WaitForMainWindow();
  ASSERT_NE(window, platform::kNoWindow);
  ProbeReading reading;
  for (int slot = 7; slot <= 10; ++slot) reading.texts[slot] = "old   ";
  ASSERT_TRUE(ScanUntil(
      window, reading, [](const ProbeReading& r) { return r.texts[kCpuTempSlot] == "45    "; },
      10.0));
  EXPECT_EQ(reading.texts[kVCoreSlot], "1.52  ");
  for (int slot = 7; slot <= 10; ++slot) EXPECT_EQ(reading.texts[slot], "old   ") << slot;
}

std::vector<std::pair<int, int>> ParseClicks(const std::string& log) {
  std::vector<std::pair<int, int>> clicks;
  std::istringstream lines(log);
  int x = 0;
  int y = 0;
  while (lines >> x >> y) clicks.emplace_back(x, y);
  return clicks;
}

// The wake-up as start-up runs it: shown, foreground, topmost, then the clicks.
// The monitor page appears only after its page button has been clicked, so a
// scan afterwards also proves that the clicks landed.
TEST_F(ProbeStandInTest, ClickSequenceClicksTheSixPlacesAndPutsThePointerBack) {
  const std::string feed = folder_.path() + "feed.txt";
  const std::string clicks_log = folder_.path() + "clicks.txt";
  WriteFeed(feed, kFeed);
  StandIn standin("--at 120,90 --feed \"" + feed + "\" --clicks-log \"" + clicks_log + "\"");
  const WindowId window = WaitForMainWindow();
  ASSERT_NE(window, platform::kNoWindow);
  wine_test::PumpFor(0.5);  // let the window manager map it

  ProbeReading before;
  ScanProbeWindow(desktop_, window, before);
  EXPECT_EQ(before.texts[kMarkerSlot], "      ") << "the monitor page exists before any click";

  desktop_.ShowWindow(window, platform::sw::kShow);
  desktop_.ShowWindow(window, platform::sw::kShowNormal);
  desktop_.SetForeground(window);
  PumpUntil([&] { return desktop_.Foreground() == window; }, 5.0);
  loop_.YieldToMessages();
  desktop_.SetTopmost(window, true);
  desktop_.ShowWindow(window, platform::sw::kShow);
  desktop_.ShowWindow(window, platform::sw::kShowNormal);
  loop_.YieldToMessages();

  const Point users_pointer{700, 600};
  desktop_.SetCursorPos(users_pointer);
  ClickWakeSequence(desktop_, loop_, clock_, window);

  EXPECT_EQ(desktop_.CursorPos(), users_pointer);
  EXPECT_FALSE(GetWindowLongA(platform::win32::ToHwnd(window), GWL_EXSTYLE) & WS_EX_TOPMOST);

  const std::vector<std::pair<int, int>> expected = {{150, 52},  {220, 100}, {290, 100},
                                                     {360, 100}, {150, 100}, {555, 15}};
  PumpUntil([&] { return ParseClicks(ReadBytes(clicks_log)).size() >= expected.size(); }, 3.0);
  EXPECT_EQ(ParseClicks(ReadBytes(clicks_log)), expected) << ReadBytes(clicks_log);

  ProbeReading after;
  EXPECT_TRUE(ScanUntil(
      window, after, [](const ProbeReading& r) { return SlotsTwoToTen(r) == kSlots; }, 5.0));
  EXPECT_EQ(after.texts[kMarkerSlot], "Monito");
}

TEST_F(ProbeStandInTest, SendCloseEndsTheStandIn) {
  StandIn standin("--no-wake");
  const WindowId window = WaitForMainWindow();
  ASSERT_NE(window, platform::kNoWindow);
  desktop_.SendClose(window);
  EXPECT_EQ(WaitForSingleObject(standin.Process(), 5000), WAIT_OBJECT_0);
  EXPECT_EQ(desktop_.FindTopWindow(kMainClass, kMainTitle), platform::kNoWindow);
}

}  // namespace
}  // namespace kelvane::probe
