// The program's parts as they are wired through the program context: the
// windows shown at start-up, the order in which the shut-down closes them, and
// nothing that opens or runs once the shut-down has begun.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "program_fixture.h"

namespace kelvane {
namespace {

using testing::ProgramFixture;

constexpr int kTrayDoubleClick = 0x203;
constexpr int kTrayRightClick = 0x205;
constexpr int kRight = 2;

class ProgramTest : public ::testing::Test, protected ProgramFixture {
 protected:
  ProgramTest() {
    Store("Buzzer", "70");  // a later run: the program starts in the tray
    Store("ToggleIcon", "CPU");
  }
  void TrayCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  // The windows whose model was made (or destroyed) from change `from` on, in
  // order.
  std::vector<std::string> Windows(const char* what, std::size_t from = 0) const {
    std::vector<std::string> names;
    const std::string suffix = std::string(" ") + what;
    const auto& changes = sim.forms.Changes();
    for (std::size_t i = from; i < changes.size(); ++i) {
      const std::string& c = changes[i];
      if (c.size() > suffix.size() && c.ends_with(suffix) && c.find('.') == std::string::npos)
        names.push_back(c.substr(0, c.size() - suffix.size()));
    }
    return names;
  }
};

TEST_F(ProgramTest, TheWindowsAskedForAtStartShowHighLowFirstWithTheirMenuItemsTicked) {
  Store("HiLoStrt", "True");
  Store("DashSrart", "True");
  Start();
  ASSERT_NE(app->HighLow(), nullptr);
  ASSERT_NE(app->DigitalDashboard(), nullptr);
  EXPECT_TRUE(app->HighLow()->Window().Visible());
  EXPECT_TRUE(app->DigitalDashboard()->Window().Visible());
  EXPECT_TRUE(Main().Menu(MainCommand::kShowHighLow).Checked());
  EXPECT_TRUE(Main().Menu(MainCommand::kShowDigitalDashboard).Checked());
  const std::vector<std::string> made = Windows("created");
  const auto high_low = std::find(made.begin(), made.end(), "HighLowDashboard");
  const auto dashboard = std::find(made.begin(), made.end(), "DigitalDashboard");
  ASSERT_NE(dashboard, made.end());
  EXPECT_LT(high_low, dashboard);
}

// The shut-down closes the other windows in a fixed order, each saving its own
// keys: the High/Low window, the digital dashboard, the alarm window, the tray
// icon settings, the name plate editor, the colour editor. The name plate
// editor edits the dashboard's plates and keeps nothing at close: it goes
// with the dashboard's unload, before the dashboard's window itself.
TEST_F(ProgramTest, TheShutDownClosesTheWindowsInTheirOrder) {
  Store("HiLoStrt", "True");
  Store("DashSrart", "True");
  Store("MsgAlarm", "1");
  Start();
  monitor.SetCpu("85.0");
  RunToFirstCheck();
  ASSERT_TRUE(app->AlarmWindow()->IsOpen());
  TrayCommand("MNuTrayColrFont");
  ASSERT_NE(app->TrayIconSettings(), nullptr);
  dashboard::DigitalDashboard& dash = *app->DigitalDashboard();
  sim.forms.DoubleClick(dash.Window(), &dash.Label(14), 10, 10);
  ASSERT_NE(dash.PlateEditor(), nullptr);

  const std::size_t before = sim.forms.Changes().size();
  Main().Exit();
  ASSERT_TRUE(app->Ended());
  std::vector<std::string> closed = Windows("destroyed", before);
  // The settings window and the application window go last.
  closed.erase(std::remove_if(closed.begin(), closed.end(),
                              [](const std::string& w) { return w == "MainWindow"; }),
               closed.end());
  const std::vector<std::string> expected{"HighLowDashboard", "NamePlateEditor", "DigitalDashboard",
                                          "AlarmWindow", "TrayIconSettings"};
  EXPECT_EQ(closed, expected);
}

TEST_F(ProgramTest, TheColourEditorClosesAfterTheDashboardItWorksOn) {
  Start();
  TrayCommand("MnuDash");
  dashboard::DigitalDashboard& dash = *app->DigitalDashboard();
  sim.forms.QueueMenuChoice("MnuColor");
  sim.forms.Click(dash.Window(), &dash.Tile(0), 1075, 5, kRight);
  ASSERT_NE(app->ColourEditor(), nullptr);
  const std::size_t before = sim.forms.Changes().size();
  Main().Exit();
  const std::vector<std::string> closed = Windows("destroyed", before);
  const auto dashboard = std::find(closed.begin(), closed.end(), "DigitalDashboard");
  const auto editor = std::find(closed.begin(), closed.end(), "ColourEditor");
  ASSERT_NE(editor, closed.end());
  EXPECT_LT(dashboard, editor);
}

// The shut-down yields to messages several times. A right click on the tray
// icon then, or a double click, or the next poll tick, must find the program
// ending: a window opened then would never be saved or closed.
TEST_F(ProgramTest, OnceTheShutDownHasBegunNoWindowOpensAndNoTickRuns) {
  Start();
  bool shutting_down = false;
  int commands_tried = 0;
  sim.loop.OnYield([&](int) {
    if (!shutting_down) return;
    ++commands_tried;
    sim.forms.QueueMenuChoice("MnuDash");
    sim.tray.UserEvent(kTrayRightClick);
    sim.forms.QueueMenuChoice("MnuHiLo");
    sim.tray.UserEvent(kTrayRightClick);
    sim.forms.QueueMenuChoice("MNuTrayColrFont");
    sim.tray.UserEvent(kTrayRightClick);
    sim.tray.UserEvent(kTrayDoubleClick);
  });
  const std::size_t before = sim.forms.Changes().size();
  const std::size_t tray_requests = sim.tray.Requests().size();
  const std::size_t popups = sim.forms.Popups().size();
  shutting_down = true;
  Main().Exit();
  sim.loop.OnYield(nullptr);
  ASSERT_TRUE(app->Ended());
  EXPECT_GT(commands_tried, 0);
  EXPECT_EQ(sim.forms.Popups().size(), popups) << "no menu opens";
  EXPECT_EQ(Windows("created", before), std::vector<std::string>{});
  EXPECT_EQ(app->DigitalDashboard(), nullptr);
  EXPECT_EQ(app->TrayIconSettings(), nullptr);
  EXPECT_FALSE(Main().Window().Visible());
  // No tick drew the icon meanwhile; the shut-down removed it.
  const std::vector<std::string> requests(
      sim.tray.Requests().begin() + static_cast<std::ptrdiff_t>(tray_requests),
      sim.tray.Requests().end());
  EXPECT_EQ(requests, std::vector<std::string>{"delete"});
}

// A later run hides the settings window before its first tick, and the hide
// yields: a close request from the settings remover may arrive just then.
TEST_F(ProgramTest, AShutDownWhileTheWindowHidesBeforeTheFirstTickRunsNoTick) {
  bool closed = false;
  sim.loop.OnYield([&](int) {
    if (closed || !app || Main().Window().WindowState() != form::WindowState::kMinimised) return;
    closed = true;
    app->ApplicationWindow().UserCloseBox();
  });
  Start();
  sim.loop.OnYield(nullptr);
  ASSERT_TRUE(closed);
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(Main().State().sample_count, -1) << "no tick counted";
  EXPECT_EQ(sim.tray.Requests(), std::vector<std::string>{}) << "no tick drew the icon";
  EXPECT_EQ(Stored("Buzzer"), "70") << "the settings were saved as loaded";
}

}  // namespace
}  // namespace kelvane
