// The simulated desktop itself: the unit tests rely on its time and timers.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/wait.h"
#include "platform/sim/sim_platform.h"

namespace kelvane::sim {
namespace {

TEST(SimLoop, TimersFireInTimeOrderAndOnlyWhileRunning) {
  SimPlatform sim;
  std::vector<std::string> fired;
  auto fast = sim.loop.CreateTimer([&] { fired.push_back("fast"); });
  auto slow = sim.loop.CreateTimer([&] { fired.push_back("slow"); });
  fast->SetInterval(400);
  slow->SetInterval(1000);
  sim.Advance(1.0);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast", "slow"}));
  fired.clear();
  fast->SetEnabled(false);
  sim.Advance(1.0);
  EXPECT_EQ(fired, (std::vector<std::string>{"slow"}));
  slow->SetInterval(0);
  fired.clear();
  sim.Advance(5);
  EXPECT_TRUE(fired.empty());
}

TEST(SimLoop, ATimerCanYieldInsideItsCallbackAndAnotherFiresMeanwhile) {
  SimPlatform sim;
  int inner = 0, busy_entries = 0;
  auto other = sim.loop.CreateTimer([&] { ++inner; });
  // As on Windows, the busy timer itself is dispatched again inside its wait;
  // only a guard (the poll tick's busy flag) keeps it from nesting forever.
  bool in_wait = false;
  auto busy = sim.loop.CreateTimer([&] {
    ++busy_entries;
    if (in_wait) return;
    in_wait = true;
    Wait(sim.loop, sim.clock, 2);
    in_wait = false;
  });
  other->SetInterval(500);
  busy->SetInterval(1000);
  sim.Advance(1.0);
  // The two-second wait inside the busy timer let the other timer run.
  EXPECT_GE(inner, 5);
  EXPECT_GE(busy_entries, 2);  // at 1 s, and nested at 2 s
  EXPECT_GE(sim.clock.MonotonicSeconds(), 3.0);
}

TEST(SimLoop, ATimerDestroyedByItsOwnCallbackNeverFiresAgain) {
  SimPlatform sim;
  int count = 0;
  std::unique_ptr<platform::Timer> self;
  self = sim.loop.CreateTimer([&] {
    ++count;
    self.reset();
  });
  self->SetInterval(100);
  sim.Advance(1);
  EXPECT_EQ(count, 1);
}

TEST(SimLoop, MessageBoxesAreRecordedAndAnsweredFromTheQueue) {
  SimPlatform sim;
  sim.loop.QueueAnswer(platform::mb::kIdNo);
  EXPECT_EQ(sim.loop.ShowMessageBox("Sure?", "T", platform::mb::kYesNo), platform::mb::kIdNo);
  EXPECT_EQ(sim.loop.ShowMessageBox("Done", "T", 0), platform::mb::kIdOk);
  ASSERT_EQ(sim.loop.MessageBoxes().size(), 2u);
  EXPECT_EQ(sim.loop.MessageBoxes()[0].text, "Sure?");
}

TEST(SimFiles, WritesTheSystemCodePageAndReadsBackUtf8) {
  SimPlatform sim;
  ASSERT_TRUE(sim.files.CreateFolder("C:\\Kelvane\\Logs"));
  ASSERT_TRUE(sim.files.WriteText("C:\\Kelvane\\Logs\\log.txt",
                                  "45\xC2\xB0"
                                  "C\r\n",
                                  false));
  ASSERT_TRUE(sim.files.WriteText("C:\\Kelvane\\Logs\\log.txt", "x", true));
  std::ifstream raw(sim.files.HostPath("C:\\Kelvane\\Logs\\log.txt"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes,
            "45\xB0"
            "C\r\nx");
  EXPECT_EQ(sim.files.ReadText("C:\\Kelvane\\Logs\\log.txt"),
            "45\xC2\xB0"
            "C\r\nx");
  EXPECT_FALSE(sim.files.WriteText("C:\\Nowhere\\log.txt", "x", false));
  EXPECT_FALSE(sim.files.ReadText("C:\\Nowhere\\log.txt").has_value());
}

// As on Windows: a rename never replaces a file, so a file set aside stays.
TEST(SimFiles, ARenameNeverReplacesAFile) {
  SimPlatform sim;
  ASSERT_TRUE(sim.files.CreateFolder("C:\\Kelvane\\Logs"));
  const std::string from = "C:\\Kelvane\\Logs\\history.dat", to = from + ".foreign";
  sim.files.WriteText(from, "ours", false);
  sim.files.WriteText(to, "set aside before", false);
  EXPECT_FALSE(sim.files.Rename(from, to));
  EXPECT_EQ(sim.files.ReadText(from), "ours");
  EXPECT_EQ(sim.files.ReadText(to), "set aside before");
  EXPECT_TRUE(sim.files.Rename(from, from + ".foreign2"));
  EXPECT_FALSE(sim.files.FileExists(from));
  EXPECT_EQ(sim.files.ReadText(from + ".foreign2"), "ours");
  EXPECT_FALSE(sim.files.Rename(from, from + ".foreign3"));  // nothing to rename
}

// Daylight saving moves the wall clock with the offset, as the system does.
TEST(SimClock, AChangeOfTheUtcOffsetMovesTheWallClock) {
  SimClock clock;
  const platform::DateTime before = clock.Now();
  EXPECT_EQ(clock.UtcOffsetMinutes(), 60);
  clock.SetUtcOffsetMinutes(120);
  EXPECT_EQ(clock.Now(), platform::DateTime(before.year, before.month, before.day, before.hour + 1,
                                            before.minute, before.second));
}

}  // namespace
}  // namespace kelvane::sim
