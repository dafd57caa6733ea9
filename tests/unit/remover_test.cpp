// Dreslin, the settings remover, on the simulated desktop.
#include "remover/remover.h"

#include <gtest/gtest.h>

#include "base/settings.h"
#include "platform/sim/sim_platform.h"

namespace kelvane::remover {
namespace {

namespace mb = platform::mb;

class RemoverTest : public ::testing::Test {
 protected:
  Outcome Run() { return RunRemover({sim.store, sim.loop, sim.desktop, sim.clock}); }
  void StoreSettings() {
    Settings settings(sim.store, sim.clock);
    settings.WriteInteger("Buzzer", 79);
    settings.WriteInteger("ShutDown", 89);
    settings.WriteText("TrayFont", "Arial");
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& box : sim.loop.MessageBoxes()) out.push_back(box.text);
    return out;
  }
  // A running Kelvane: its hidden application window, which saves the
  // settings when asked to close and then goes away `close_after` seconds later.
  platform::WindowId StartKelvane(double close_after = 0.2) {
    platform::WindowId w = sim.desktop.AddTopWindow("KelvaneApplication", "Kelvane", {});
    sim.desktop.OnClose(w, [this, w, close_after] {
      sim.loop.At(sim.clock.MonotonicSeconds() + close_after, [this, w] {
        Settings(sim.store, sim.clock).WriteInteger("Buzzer", 80);  // the closing save
        sim.desktop.RemoveWindow(w);
      });
    });
    return w;
  }
  sim::SimPlatform sim;
};

TEST_F(RemoverTest, AnEmptyStoreOnlySaysThereIsNothingToRemove) {
  EXPECT_EQ(Run(), Outcome::kNothingToRemove);
  ASSERT_EQ(Texts(), std::vector<std::string>{std::string(kNothingText)});
  const auto& box = sim.loop.MessageBoxes()[0];
  EXPECT_EQ(box.title, "Kelvane v1.0 Uninstaller");
  EXPECT_EQ(box.style, mb::kOk | mb::kIconInformation | mb::kSystemModal | mb::kSetForeground);
  EXPECT_EQ(kNothingText, "Nothing To Remove -  Kelvane not found in registry!");
}

TEST_F(RemoverTest, AStoredMinusOneHundredCountsAsNothingStored) {
  Settings(sim.store, sim.clock).WriteInteger("Buzzer", -100);
  EXPECT_EQ(Run(), Outcome::kNothingToRemove);
}

TEST_F(RemoverTest, AnsweringNoLeavesEverySettingAndSaysNothingMore) {
  StoreSettings();
  sim.loop.QueueAnswer(mb::kIdNo);
  EXPECT_EQ(Run(), Outcome::kDeclined);
  EXPECT_EQ(Texts(), std::vector<std::string>{std::string(kAskText)});
  EXPECT_EQ(sim.loop.MessageBoxes()[0].style,
            mb::kYesNo | mb::kIconQuestion | mb::kSystemModal | mb::kSetForeground);
  EXPECT_EQ(sim.store.Size(), 3u);
}

TEST_F(RemoverTest, AnsweringYesRemovesTheWholeSection) {
  StoreSettings();
  WriteSetting(sim.store, kAppName, "Elsewhere", "Keep", "1");
  sim.loop.QueueAnswer(mb::kIdYes);
  EXPECT_EQ(Run(), Outcome::kRemoved);
  EXPECT_EQ(Texts(), (std::vector<std::string>{std::string(kAskText), std::string(kRemovedText)}));
  EXPECT_FALSE(sim.store.HasSection(kAppName, kSectionName));
  EXPECT_TRUE(sim.store.Value(kAppName, "Elsewhere", "Keep").has_value());
}

// An Explorer window open on a folder named Kelvane, or a message box of
// Kelvane's, has the title too; only the application window is asked to close.
TEST_F(RemoverTest, OnlyKelvanesApplicationWindowIsAskedToClose) {
  StoreSettings();
  int closes = 0;
  for (const char* window_class : {"CabinetWClass", "#32770"}) {
    platform::WindowId other = sim.desktop.AddTopWindow(window_class, "Kelvane", {});
    sim.desktop.OnClose(other, [&closes] { ++closes; });
  }
  platform::WindowId kelvane = StartKelvane(0.2);
  sim.loop.QueueAnswer(mb::kIdYes);
  Run();
  EXPECT_EQ(closes, 0);
  EXPECT_FALSE(sim.desktop.IsWindow(kelvane));
}

TEST_F(RemoverTest, ARunningKelvaneIsClosedAndHasSavedBeforeTheSectionGoes) {
  StoreSettings();
  platform::WindowId kelvane = StartKelvane(0.2);
  sim.loop.QueueAnswer(mb::kIdYes);
  EXPECT_EQ(Run(), Outcome::kRemoved);
  EXPECT_FALSE(sim.desktop.IsWindow(kelvane));
  EXPECT_EQ(std::count(sim.desktop.Calls().begin(), sim.desktop.Calls().end(), "close"), 1);
  EXPECT_FALSE(sim.store.HasSection(kAppName, kSectionName));
  EXPECT_EQ(Texts().back(), kRemovedText);
}

TEST_F(RemoverTest, AKelvaneThatSavesAfterTheDeletionIsReportedNotIgnored) {
  StoreSettings();
  // Far slower than the remover waits: its save lands after the deletion.
  StartKelvane(30);
  sim.loop.QueueAnswer(mb::kIdYes);
  sim.loop.At(sim.clock.MonotonicSeconds() + 6.5,
              [this] { Settings(sim.store, sim.clock).WriteInteger("Buzzer", 80); });
  EXPECT_EQ(Run(), Outcome::kStillPresent);
  EXPECT_EQ(Texts().back(), kStillThereText);
  EXPECT_EQ(sim.loop.MessageBoxes().back().title, kTitle);
}

TEST_F(RemoverTest, AStoreThatCannotBeReadShowsThePlatformsErrorWithAStopIcon) {
  sim.store.FailReads("Access is denied.");
  EXPECT_EQ(Run(), Outcome::kFailed);
  ASSERT_EQ(Texts(), std::vector<std::string>{"Access is denied."});
  EXPECT_EQ(sim.loop.MessageBoxes()[0].style,
            mb::kOk | mb::kIconStop | mb::kSystemModal | mb::kSetForeground);
}

TEST_F(RemoverTest, AStoreThatCannotBeDeletedShowsTheErrorAndStops) {
  StoreSettings();
  sim.store.FailRemoves("Access is denied.");
  sim.loop.QueueAnswer(mb::kIdYes);
  EXPECT_EQ(Run(), Outcome::kFailed);
  EXPECT_EQ(Texts().back(), "Access is denied.");
  EXPECT_TRUE(sim.store.HasSection(kAppName, kSectionName));
}

}  // namespace
}  // namespace kelvane::remover
