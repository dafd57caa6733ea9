// The digital dashboard in the running program on the simulated desktop:
// shown from the tray menu, fed by the poll tick, dragged, rearranged, laid
// out, renamed, captured and closed.
#include <gtest/gtest.h>

#include "app/app.h"
#include "appearance/placement.h"
#include "base/settings.h"
#include "base/time_stamp.h"
#include "dashboard/digital_dashboard.h"
#include "dashboard/name_plate_editor.h"
#include "dashboard/tile_grid.h"
#include "highlow/high_low_dashboard.h"
#include "monitor_fixture.h"

namespace kelvane {
namespace {

using dashboard::DigitalDashboard;
using dashboard::TilePlace;
using form::button::kLeft;
using form::button::kRight;
using testing::SimMonitor;

constexpr int kTrayRightClick = 0x205;

// --- the grid and the time stamp, as tables --------------------------------------------------

TEST(TileGrid, ADropGoesToTheCellItLiesInAndNegativePlacesToZero) {
  struct Case {
    double left, top;
    TilePlace expected;
  } cases[] = {
      {1300, 250, {1185, 240}},
      {1185, 240, {1185, 240}},
      {-300, -20, {0, 0}},
      {1, 1, {0, 0}},
      {0.5, 239.5, {0, 240}},
      {1184, 479, {0, 240}},
      {12100, 12999, {11850, 12960}},
      {13035, 13200, {13035, 13200}},
      {14000, 20000, {14000, 20000}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dashboard::GridCellOf(c.left, c.top), c.expected) << c.left << "," << c.top;
}

TEST(TileGrid, ATileDroppedOnAnotherSwapsWithTheFirstThereOnly) {
  dashboard::TilePlaces tiles{};
  for (int k = 0; k < 9; ++k) tiles[k] = {0, 240 * k};
  tiles[7] = tiles[5];  // two tiles on one cell: only the first moves
  dashboard::DropTile(tiles, 3, 90, 1230, {0, 720});
  EXPECT_EQ(tiles[3], (TilePlace{0, 1200}));
  EXPECT_EQ(tiles[5], (TilePlace{0, 720}));
  EXPECT_EQ(tiles[7], (TilePlace{0, 1200}));
  // Onto an empty cell: nothing else moves.
  dashboard::DropTile(tiles, 0, 2400, 10, {0, 0});
  EXPECT_EQ(tiles[0], (TilePlace{2370, 0}));
  EXPECT_EQ(tiles[1], (TilePlace{0, 240}));
}

TEST(FileTimeStamp, TwelveHourClockWithTheLocalesDesignator) {
  struct Case {
    int hour;
    const char* expected;
  } cases[] = {{0, "2026-12-06_12.05.09 AM"},
               {4, "2026-12-06_04.05.09 AM"},
               {12, "2026-12-06_12.05.09 PM"},
               {23, "2026-12-06_11.05.09 PM"}};
  for (const Case& c : cases)
    EXPECT_EQ(FileTimeStamp({2026, 12, 6, c.hour, 5, 9}, "AM", "PM"), c.expected);
  EXPECT_EQ(FileTimeStamp({2026, 12, 6, 16, 5, 9}, "", ""), "2026-12-06_04.05.09");
}

// --- the dashboard in the program -----------------------------------------------------------

class DashboardTest : public ::testing::Test {
 protected:
  DashboardTest() {
    const std::string folder = sim.files.ExeFolder() + "BackGround\\";
    for (const char* theme : {"Custom", "White", "Black"}) {
      sim.files.CreateFolder(folder + theme);
      sim.files.WriteText(folder + theme + "\\Kelvane-D.jpg", "jpg", false);
    }
  }
  void Start() {
    monitor = std::make_unique<SimMonitor>(sim);
    app = std::make_unique<KelvaneApp>(AppServices{sim.Get(), false});
    app->Start();
    ASSERT_FALSE(app->Ended());
  }
  // A command of the main window's menu, opened from the tray icon.
  void TrayCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  void ShowDashboard() {
    TrayCommand("MnuDash");
    ASSERT_NE(app->DigitalDashboard(), nullptr);
  }
  DigitalDashboard& Dash() { return *app->DigitalDashboard(); }
  form::Window& W() { return Dash().Window(); }
  // A command of the dashboard's own menu, opened with a right click on a tile.
  void DashCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.forms.Click(W(), &Dash().Tile(0), 1075, 5, kRight);
  }
  std::optional<std::string> Stored(const std::string& key) const {
    return sim.store.Value(kAppName, kSectionName, key);
  }
  void Store(const std::string& key, const std::string& value) {
    sim.store.Write(kAppName, kSectionName, key, value);
  }
  TilePlace PlaceOf(int k) { return {Dash().Tile(k).Left(), Dash().Tile(k).Top()}; }
  platform::Point PixelOf(int twips_x, int twips_y) { return {twips_x / 15, twips_y / 15}; }

  sim::SimPlatform sim;
  std::unique_ptr<SimMonitor> monitor;
  std::unique_ptr<KelvaneApp> app;
};

TEST_F(DashboardTest, AFirstShowStacksNineLockedTilesOnTopAndRefreshesTheirValuesEachSecond) {
  Start();
  ShowDashboard();
  EXPECT_TRUE(app->Main().Menu(MainCommand::kShowDigitalDashboard).Checked());
  // Centred for the design size (1725 x 2145 inside a sizing border), then
  // given the default size.
  EXPECT_EQ(W().Left(), (15360 - 1845) / 2 + 1);  // 6757.5, ties to even
  EXPECT_EQ(W().Top(), (11520 - 2265) / 2 + 1);
  EXPECT_EQ(W().Width(), 1200);
  EXPECT_EQ(W().Height(), 2280);
  EXPECT_TRUE(W().Topmost());
  EXPECT_FALSE(W().ShowInTaskbar());
  EXPECT_TRUE(Dash().Locked());
  EXPECT_EQ(Dash().Theme(), "Custom");
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(PlaceOf(k), (TilePlace{0, 240 * k}));
    EXPECT_EQ(Dash().Tile(k).Picture(),
              sim.files.ExeFolder() + "BackGround\\Custom\\Kelvane-D.jpg");
    EXPECT_TRUE(Dash().Label(k + 1).TextFont().bold);
    EXPECT_EQ(Dash().Label(k + 1).Alignment(), form::Alignment::kRight);
  }
  EXPECT_EQ(Dash().Label(11).Caption(), "CPU");
  EXPECT_EQ(Dash().Label(14).Caption(), "Chassis");
  EXPECT_EQ(Dash().Label(10).Caption(), "Vcore");
  EXPECT_FALSE(Dash().Label(11).TextFont().bold);

  sim.Advance(1);
  EXPECT_EQ(Dash().Label(1).Caption(),
            "45\xC2\xB0"
            "C");  // the CPU
  EXPECT_EQ(Dash().Label(2).Caption(),
            "31\xC2\xB0"
            "C");                                 // the motherboard
  EXPECT_EQ(Dash().Label(3).Caption(), "4560");   // the CPU fan
  EXPECT_EQ(Dash().Label(9).Caption(), "1.520");  // VCore
  monitor->SetCpu("52.0");
  sim.Advance(1);
  EXPECT_EQ(Dash().Label(1).Caption(),
            "52\xC2\xB0"
            "C");

  // "Close" hides it, still loaded; hidden, it keeps the last values shown.
  DashCommand("mnuEXIT");
  EXPECT_FALSE(W().Visible());
  EXPECT_FALSE(app->Main().Menu(MainCommand::kShowDigitalDashboard).Checked());
  monitor->SetCpu("60.0");
  sim.Advance(2);
  EXPECT_EQ(Dash().Label(1).Caption(),
            "52\xC2\xB0"
            "C");
}

TEST_F(DashboardTest, DraggedLockedByATileItSnapsFlushToTheRightEdge) {
  Start();
  ShowDashboard();
  form::Frame& tile = Dash().Tile(2);
  // Pressed on the tile's strip right of its labels.
  sim.forms.Press(W(), &tile, 1075, 100);
  const platform::Point start = sim.desktop.CursorPos();
  // The right edge comes to 8 pixels from the work area's: it jumps flush,
  // 115 twips ahead of the pointer.
  const int right = (W().Left() + W().Width()) / 15;
  sim.forms.MovePointer(W(), {start.x + (1024 - right) - 8, start.y + 30});
  EXPECT_EQ(W().Left() + W().Width(), 15360);
  // Held there while the pointer goes 10 pixels further (35 twips past where
  // it holds the window), followed again 10 pixels later (185 past).
  sim.forms.MovePointer(W(), {sim.desktop.CursorPos().x + 10, start.y + 30});
  EXPECT_EQ(W().Left() + W().Width(), 15360);
  sim.forms.MovePointer(W(), {sim.desktop.CursorPos().x + 10, start.y + 30});
  EXPECT_EQ(W().Left(), 14340);  // 14160 + 185, on a whole pixel
  sim.forms.Release(W(), &tile, 1075, 100);
  // The tiles stay where they were: a locked drag moves the window only.
  EXPECT_EQ(PlaceOf(2), (TilePlace{0, 480}));
}

TEST_F(DashboardTest, UnlockedTheTilesMoveAndSwapOnTheGrid) {
  Start();
  ShowDashboard();
  DashCommand("MnuTop");  // a row: every tile's free strip shows
  DashCommand("DshLocked");
  ASSERT_FALSE(Dash().Locked());
  EXPECT_EQ(W().PointerImage().file, sim.files.ExeFolder() + "Cursors\\MoveCursor.cur");
  const int window_left = W().Left(), window_top = W().Top();
  // Tile 3 by its free strip, onto tile 5's cell: the pointer where tile 3's
  // corner lands inside the cell.
  sim.forms.Press(W(), &Dash().Tile(3), 1150, 100);
  EXPECT_EQ(W().Children().back(), &Dash().Tile(3)) << "a pressed tile comes to the front";
  sim.forms.MovePointer(W(), PixelOf(window_left + 5 * 1185 + 700, window_top + 200));
  EXPECT_EQ(W().Left(), window_left);  // the window stays
  sim.forms.Release(W(), &Dash().Tile(3), 0, 0);
  EXPECT_EQ(PlaceOf(3), (TilePlace{5 * 1185, 0}));
  EXPECT_EQ(PlaceOf(5), (TilePlace{3 * 1185, 0}));
  // Dropped above and left of the window: at 0, 0, tile 0 going to tile 5's place.
  sim.forms.Press(W(), &Dash().Tile(5), 1150, 100);
  sim.forms.MovePointer(W(), PixelOf(window_left - 600, window_top - 300));
  sim.forms.Release(W(), &Dash().Tile(5), 0, 0);
  EXPECT_EQ(PlaceOf(5), (TilePlace{0, 0}));
  EXPECT_EQ(PlaceOf(0), (TilePlace{3 * 1185, 0}));

  // A resize below the minimum is held at it and locks the meters again.
  sim.forms.Resize(W(), 500, 200);
  EXPECT_EQ(W().Width(), 700);
  EXPECT_EQ(W().Height(), 300);
  EXPECT_TRUE(Dash().Locked());
}

TEST_F(DashboardTest, MyLayoutComesBackAsSavedWithTheThemeOfTheLastUnload) {
  Start();
  ShowDashboard();
  DashCommand("MnuBold");
  DashCommand("mnuSavLayout");
  EXPECT_EQ(Stored("dbBold"), "False");
  // Hanging over the right screen edge: pulled in before it is saved.
  W().Move(15000, 3000);
  Dash().SaveLayout();
  EXPECT_EQ(W().Left(), 15360 - 1200);
  EXPECT_EQ(Stored("DBLeft"), "14160");
  EXPECT_EQ(Stored("DBTop"), "3000");
  EXPECT_EQ(Stored("DBWidth"), "1200");
  EXPECT_EQ(Stored("DBHite"), "2280");
  EXPECT_EQ(Stored("DBFtop8"), "1920");

  W().Move(300, 450, 4000, 900);
  Dash().Tile(4).Move(2370, 0);
  DashCommand("MnuWhite");
  DashCommand("MnuBold");
  EXPECT_EQ(Dash().Theme(), "White");
  DashCommand("MnuLoadMyLayout");
  EXPECT_EQ(W().Left(), 14160);
  EXPECT_EQ(W().Top(), 3000);
  EXPECT_EQ(W().Width(), 1200);
  EXPECT_EQ(PlaceOf(4), (TilePlace{0, 960}));
  EXPECT_FALSE(Dash().Label(1).TextFont().bold);
  EXPECT_EQ(Dash().Theme(), "Custom");  // "db-Wpaper" is stored at unload only

  // The unload stores the theme; the next show is a fresh load of it.
  DashCommand("MnuBlack");
  TrayCommand("MnuDash");
  EXPECT_EQ(app->DigitalDashboard(), nullptr);
  EXPECT_EQ(Stored("db-Wpaper"), "Black");
  ShowDashboard();
  EXPECT_EQ(Dash().Theme(), "Black");
  EXPECT_EQ(W().Left(), 14160);
  // A theme without the dashboard's picture changes nothing.
  DashCommand("MnuAsus");
  EXPECT_EQ(Dash().Theme(), "Black");
}

TEST_F(DashboardTest, TheFixedLayoutsPlaceColumnAndRows) {
  Start();
  ShowDashboard();
  DashCommand("DshLocked");
  DashCommand("MnuDefSize");
  EXPECT_FALSE(Dash().Locked());  // the column leaves the lock as it was
  EXPECT_EQ(W().Left(), (512 - 40) * 15);
  EXPECT_EQ(W().Top(), (369 - 76) * 15);
  // A row at the top: 717 pixels wide, so 512 - 358.5 rounds to 154.
  DashCommand("MnuTop");
  EXPECT_TRUE(Dash().Locked());
  EXPECT_EQ(W().Left(), 154 * 15);
  EXPECT_EQ(W().Top(), 0);
  EXPECT_EQ(W().Width(), 10750);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(PlaceOf(k), (TilePlace{1185 * k, 0}));
  // At the bottom: directly above the taskbar.
  DashCommand("MnuBottom");
  EXPECT_EQ(W().Top(), (738 - 22) * 15);
  EXPECT_EQ(W().Left(), 154 * 15);
}

TEST_F(DashboardTest, OpeningTheMenuPullsTheWindowIntoTheWorkAreaWithABottomAllowance) {
  Start();
  ShowDashboard();
  // 10 pixels below the work area: stays; 20 below: its bottom goes to the
  // work area's bottom.
  W().Move(3000, (738 + 10) * 15 - 2280);
  DashCommand("");
  EXPECT_EQ(W().Top(), (738 + 10) * 15 - 2280);
  W().Move(3000, (738 + 20) * 15 - 2280);
  DashCommand("");
  EXPECT_EQ(W().Top(), 738 * 15 - 2280);
  // Over the right and left edges.
  W().Move(15000, 3000);
  DashCommand("");
  EXPECT_EQ(W().Left(), 15360 - 1200);
  W().Move(-300, 3000);
  DashCommand("");
  EXPECT_EQ(W().Left(), 0);
  // A taskbar at the top: a window above the work area goes to 0, not to it.
  sim.desktop.SetWorkArea({0, 30, 1024, 768});
  W().Move(3000, 150);
  DashCommand("");
  EXPECT_EQ(W().Top(), 0);
}

TEST_F(DashboardTest, AbsurdStoredPlacesNeverPutTheWindowOutOfReach) {
  struct Case {
    const char* key;
    const char* value;
    int left, top, width, height;  // expected
  } cases[] = {
      {"DBLeft", "99999999", 6758, 4500, 1200, 2280},  // far off: the default place
      {"DBLeft", "-99999999", 6758, 4500, 1200, 2280},
      {"DBLeft", "-2147483649", 6758, 4500, 1200, 2280},    // beyond any int
      {"DBTop", "abc", 3000, 4628, 1200, 2280},             // not a number: the default
      {"DBLeft", "16000", 15360 - 1200, 4500, 1200, 2280},  // just off the right: brought back
      {"DBTop", "-2400", 3000, 0, 1200, 2280},              // just above: brought back
      {"DBWidth", "-5", 3000, 4500, 1200, 2280},
      {"DBHite", "0", 3000, 4500, 1200, 2280},
      {"DBHite", "50000", 3000, 4500, 1200, 2280},  // more than four screens high
      {"DBHite", "99999999", 3000, 4500, 1200, 2280},
      {"DBWidth", "99999999", 3000, 4500, 1200, 2280},
      {"DBWidth", "500", 3000, 4500, 700, 2280},  // small but a size: the minimum
  };
  for (const Case& c : cases) {
    sim::SimPlatform run;
    SimMonitor mon(run);
    Settings s(run.store, run.clock);
    s.WriteText("DBLeft", "3000");
    s.WriteText("DBTop", "4500");
    s.WriteText(c.key, c.value);
    KelvaneApp kelvane(AppServices{run.Get(), false});
    kelvane.Start();
    run.forms.QueueMenuChoice("MnuDash");
    run.tray.UserEvent(kTrayRightClick);
    form::Window& w = kelvane.DigitalDashboard()->Window();
    EXPECT_EQ(w.Left(), c.left) << c.key << " " << c.value;
    EXPECT_EQ(w.Top(), c.top) << c.key << " " << c.value;
    EXPECT_EQ(w.Width(), c.width) << c.key << " " << c.value;
    EXPECT_EQ(w.Height(), c.height) << c.key << " " << c.value;
  }
}

// Only a dashboard that no monitor shows is brought back at the start: one kept
// on a monitor left of the primary one stays there.
TEST_F(DashboardTest, ALayoutOnAnotherMonitorStaysWhereItWas) {
  sim.desktop.AddMonitor({-1280, 0, 0, 1024});
  Store("DBLeft", "-15000");  // 1000 pixels left of the primary monitor
  Store("DBTop", "4500");
  Start();
  ShowDashboard();
  EXPECT_EQ(W().Left(), -15000);
  EXPECT_EQ(W().Top(), 4500);
  TrayCommand("MnuDash");
  Store("DBLeft", "-30000");  // beyond that monitor too
  ShowDashboard();
  EXPECT_EQ(W().Left(), 0);
}

TEST(Placement, AWindowIsReachableWhereAnyMonitorShowsSixteenPixelsOfIt) {
  const platform::Rect screen{0, 0, 1024, 768}, work{0, 0, 1024, 738};
  const platform::Rect two_monitors{-1280, 0, 1024, 1024};
  struct Case {
    platform::Rect window;
    platform::Rect all;
    bool reachable;
  } cases[] = {
      {{100, 100, 180, 250}, screen, true},
      {{1008, 100, 1088, 250}, screen, true},   // 16 pixels in
      {{1009, 100, 1089, 250}, screen, false},  // 15
      {{100, 730, 180, 880}, screen, false},    // under the taskbar only
      {{-1000, 100, -920, 250}, screen, false},
      {{-1000, 100, -920, 250}, two_monitors, true},
      {{-1400, 100, -1320, 250}, two_monitors, false},
      {{-2147483647 - 1, 100, -2147483547, 250}, two_monitors, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(appearance::Reachable(c.window, work, screen, c.all, 16), c.reachable)
        << c.window.left << "," << c.window.top;
}

TEST_F(DashboardTest, ANamePlateRenamedShowsAtOnceAndSurvivesARestart) {
  Start();
  ShowDashboard();
  form::Label& chassis = Dash().Label(14);
  // The voltages and the values have no plates to edit.
  sim.forms.DoubleClick(W(), &Dash().Label(15), 10, 10);
  sim.forms.DoubleClick(W(), &Dash().Label(5), 1000, 10);
  EXPECT_EQ(Dash().PlateEditor(), nullptr);
  sim.forms.DoubleClick(W(), &chassis, 10, 10);
  dashboard::NamePlateEditor* editor = Dash().PlateEditor();
  ASSERT_NE(editor, nullptr);
  form::Window& e = editor->Window();
  EXPECT_TRUE(e.Visible());
  EXPECT_TRUE(e.Topmost());
  EXPECT_EQ(e.Caption(), "Kelvane - Edit Name Plate");
  EXPECT_EQ(editor->NameBox().Text(), "Chassis");
  // There is room on the dashboard's left (6758 twips): it opens there.
  EXPECT_EQ(e.Left(), W().Left() - e.Width());
  EXPECT_EQ(e.Top(), W().Top());
  // A second plate double-clicked brings it forward, still on "Chassis".
  sim.forms.DoubleClick(W(), &Dash().Label(12), 10, 10);
  EXPECT_EQ(Dash().PlateEditor(), editor);
  EXPECT_EQ(editor->PlateIndex(), 14);

  sim.forms.Type(e, editor->NameBox(), std::string(7, '\b') + "Rear\r");
  EXPECT_FALSE(e.Loaded());
  EXPECT_EQ(chassis.Caption(), "Rear");
  EXPECT_EQ(Stored("dPlate14"), "Rear");
  EXPECT_EQ(Stored("hlPlate40"), "Rear");

  // Unchanged or empty: nothing stored; a dashboard near the left edge has
  // the editor at its right.
  W().Move(1000, 3000);
  const int writes = sim.store.WriteCount();
  sim.forms.DoubleClick(W(), &Dash().Label(0), 10, 10);
  editor = Dash().PlateEditor();
  EXPECT_EQ(editor->Window().Left(), 1000 + 1200);
  sim.forms.Click(editor->Window(), &editor->OkButton(), 10, 10);
  sim.forms.DoubleClick(W(), &Dash().Label(0), 10, 10);
  editor = Dash().PlateEditor();
  sim.forms.Type(editor->Window(), editor->NameBox(), std::string(5, '\b'));
  sim.forms.Click(editor->Window(), &editor->OkButton(), 10, 10);
  EXPECT_EQ(sim.store.WriteCount(), writes);
  EXPECT_EQ(Dash().Label(0).Caption(), "Power");

  app->Main().Exit();
  app.reset();
  Start();
  ShowDashboard();
  EXPECT_EQ(Dash().Label(14).Caption(), "Rear");
}

// Each temperature and fan plate is renamed together with its own plate of
// the High/Low window, which is made (hidden) when it is not there yet.
TEST_F(DashboardTest, EachPlateRenamesItsOwnHighLowPlate) {
  Start();
  ShowDashboard();
  ASSERT_EQ(app->HighLow(), nullptr);
  const std::pair<int, int> pairs[] = {{11, 42}, {12, 43}, {13, 38}, {0, 39}, {14, 40}};
  for (const auto& [plate, high_low] : pairs) {
    const std::string name = "Plate" + std::to_string(plate);
    sim.forms.DoubleClick(W(), &Dash().Label(plate), 10, 10);
    dashboard::NamePlateEditor* editor = Dash().PlateEditor();
    ASSERT_NE(editor, nullptr);
    sim.forms.Type(editor->Window(), editor->NameBox(), std::string(8, '\b') + name + "\r");
    EXPECT_EQ(Stored("dPlate" + std::to_string(plate)), name);
    EXPECT_EQ(Stored("hlPlate" + std::to_string(high_low)), name);
    ASSERT_NE(app->HighLow(), nullptr);
    EXPECT_EQ(app->HighLow()->Label(high_low).Caption(), name);
  }
  EXPECT_FALSE(app->HighLow()->Window().Visible());
}

TEST_F(DashboardTest, SaveAsBmpCapturesTheWindowsPixelsOrSaysWhyNot) {
  Start();
  ShowDashboard();
  W().Move(3000, 1500);
  DashCommand("MnuCaptur");
  ASSERT_EQ(sim.desktop.Captures().size(), 1u);
  const sim::SimDesktop::Capture& shot = sim.desktop.Captures()[0];
  EXPECT_EQ(shot.rect, (platform::Rect{200, 100, 280, 252}));
  // The clock reads 9 in the morning of 2026-12-07, give or take the seconds.
  const std::string folder = sim.files.ExeFolder() + "BMPs/db_2026-12-07_09.00.";
  EXPECT_EQ(shot.path.substr(0, folder.size()), folder);
  EXPECT_EQ(shot.path.substr(folder.size() + 2), " AM.bmp");
  const std::size_t boxes = sim.loop.MessageBoxes().size();

  sim.desktop.FailCaptures(true);
  DashCommand("MnuCaptur");
  ASSERT_EQ(sim.loop.MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(sim.loop.MessageBoxes().back().text,
            "Unable to save the picture as \"" + sim.desktop.Captures().back().path + "\"");
  EXPECT_TRUE(W().Visible());
}

TEST_F(DashboardTest, CentreFromTheMainMenuAndCloseAtExitSavingTheTheme) {
  Start();
  TrayCommand("MnuDashTop");
  ASSERT_NE(app->DigitalDashboard(), nullptr);
  EXPECT_TRUE(app->Main().Menu(MainCommand::kShowDigitalDashboard).Checked());
  EXPECT_EQ(W().Left(), (512 - 40) * 15);
  EXPECT_EQ(W().Top(), (369 - 76) * 15);
  // Shown again from the menu while beyond the right edge: pulled in there only.
  DashCommand("mnuEXIT");
  W().Move(15000, -600);
  TrayCommand("MnuDash");
  EXPECT_EQ(W().Left(), 15360 - 1200);
  EXPECT_EQ(W().Top(), -600);
  DashCommand("MnuWhite");
  app->Main().Exit();
  EXPECT_EQ(Stored("db-Wpaper"), "White");
  EXPECT_EQ(app->DigitalDashboard(), nullptr);
}

// The colour editor, when it shows, takes the presses: a tile or a label is
// painted, and nothing is dragged.
TEST(DashboardPainting, WithTheColourEditorOpenAPressPaintsInsteadOfDragging) {
  struct Host : dashboard::DashboardHost {
    std::string AppFolder() override { return "C:\\Kelvane\\"; }
    void DashboardClosed() override {}
  } host;
  struct EditorOpen : appearance::ColourEditorLink {
    bool Open() override { return true; }
    form::Colour Colour() override { return 0x00FF00; }
    bool TargetsThis() override { return true; }
    void TargetThis() override {}
    void ShowBeside(form::Window&) override {}
    void Close() override {}
  } editor;
  sim::SimPlatform sim;
  DigitalDashboard dash(sim.Get(), host, editor);
  dash.Show();
  const int left = dash.Window().Left();
  sim.forms.Press(dash.Window(), &dash.Tile(4), 1170, 100);
  sim.forms.MoveTo(dash.Window(), &dash.Tile(4), 1170 + 900, 100);
  sim.forms.Release(dash.Window(), &dash.Tile(4), 1170 + 900, 100);
  EXPECT_EQ(dash.Tile(4).BackColour(), 0x00FF00u);
  EXPECT_EQ(dash.Window().Left(), left);
  sim.forms.Press(dash.Window(), &dash.Label(12), 10, 10);
  sim.forms.MoveTo(dash.Window(), &dash.Label(12), 900, 10);
  sim.forms.Release(dash.Window(), &dash.Label(12), 900, 10);
  EXPECT_EQ(dash.Label(12).ForeColour(), 0x00FF00u);
  EXPECT_EQ(dash.Window().PointerImage().file, "C:\\Kelvane\\Cursors\\PaintCursor.cur");
  EXPECT_EQ(dash.Window().Left(), left);
}

// The capture lets messages through first; a dashboard released meanwhile (its
// "Show Digital Dashboard" unchecked) is not captured, and nothing touches it.
TEST_F(DashboardTest, ADashboardReleasedWhileItsCaptureWaitsIsLeftAlone) {
  Start();
  ShowDashboard();
  bool released = false;
  sim.loop.OnYield([&](int) {
    if (released) return;
    released = true;
    TrayCommand("MnuDash");
  });
  sim.forms.QueueMenuChoice("MnuCaptur");
  Dash().OnMouseUp({&Dash().Tile(0), kRight, 0, 0, 0});
  sim.loop.OnYield(nullptr);
  EXPECT_TRUE(released);
  EXPECT_EQ(app->DigitalDashboard(), nullptr);
  EXPECT_TRUE(sim.desktop.Captures().empty());
}

}  // namespace
}  // namespace kelvane
