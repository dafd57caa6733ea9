// The colour editor and the tray icon settings window in the running program:
// the screen colour picker, painting the dashboards' labels, Save, Delete and
// Undo, the tray icon's font sizes and colours, and the rule that only one of
// the two windows with a picker is open at a time.
#include "appearance/colour_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "program_fixture.h"
#include "tray/tray_icon_settings.h"

namespace kelvane {
namespace {

using appearance::ColourEditor;
using appearance::EditTarget;
using form::button::kRight;
using Part = ColourEditor::Part;
using SettingsPart = tray::TrayIconSettings::Part;

constexpr int kTrayRightClick = 0x205;
constexpr std::uint32_t kPicked = 0x3366CC;
constexpr platform::Point kPickedAt{300, 200};

class ColourEditorTest : public ::testing::Test, protected testing::ProgramFixture {
 protected:
  ColourEditorTest() {
    Store("Buzzer", "79");  // a later run: the program starts in the tray
    Store("ToggleIcon", "CPU");
    sim.desktop.SetPixel(kPickedAt, kPicked);
  }
  void SetUp() override { Start(); }
  void TrayCommand(const char* item) {
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kTrayRightClick);
  }
  dashboard::DigitalDashboard& Dash() { return *app->DigitalDashboard(); }
  highlow::HighLowDashboard& HighLow() { return *app->HighLow(); }
  ColourEditor& Editor() { return *app->ColourEditor(); }
  form::Window& E() { return Editor().Window(); }
  void OpenEditorOnDashboard() {
    TrayCommand("MnuDash");
    OpenEditorFromDashboardMenu();
  }
  void OpenEditorFromDashboardMenu() {
    sim.forms.QueueMenuChoice("MnuColor");
    sim.forms.Click(Dash().Window(), &Dash().Tile(0), 1075, 5, kRight);
    ASSERT_NE(app->ColourEditor(), nullptr);
  }
  // One click on the pick button, the editor in front as a click puts it.
  void ClickPickButton() {
    sim.forms.Activate(E());
    sim.forms.Click(E(), &Editor().Get(Part::kPickButton), 100, 100);
  }
  void PickAt(platform::Point at) {
    sim.desktop.SetCursorPos(at);
    sim.Advance(0.07);
  }
  void ClickEditor(Part part) { sim.forms.Click(E(), &Editor().Get(part), 10, 10); }
};

TEST_F(ColourEditorTest, APickedColourPaintsALabelThatSaveKeepsAndDeleteGivesBackItsDesignColour) {
  OpenEditorOnDashboard();
  const form::Colour design = Dash().Label(12).ForeColour();
  ClickPickButton();
  EXPECT_TRUE(Editor().Picker().Picking());
  EXPECT_EQ(Editor().Get(Part::kPickButton).PointerImage().file,
            AppFile("Cursors\\PickerCursor.cur"));
  PickAt(kPickedAt);
  EXPECT_EQ(Editor().SelectedColour(), kPicked);
  ClickPickButton();
  EXPECT_FALSE(Editor().Picker().Picking());

  // A press on a label paints it and makes the dashboard the editor's target.
  sim.forms.Click(Dash().Window(), &Dash().Label(12), 10, 10);
  EXPECT_EQ(Dash().Label(12).ForeColour(), kPicked);
  EXPECT_EQ(app->CurrentEditTarget(), EditTarget::kDigitalDashboard);
  ClickEditor(Part::kSave);
  EXPECT_EQ(Stored("DshColr12"), std::to_string(kPicked));
  EXPECT_TRUE(Stored("DshColr0") && Stored("DshColr17"));
  EXPECT_FALSE(Stored("DshColr18"));
  EXPECT_TRUE(Editor().Open()) << "the editor stays open after Save";

  // A fresh load of the dashboard shows the stored colour.
  TrayCommand("MnuDash");
  TrayCommand("MnuDash");
  EXPECT_EQ(Dash().Label(12).ForeColour(), kPicked);

  // Delete removes DshColr0 to DshColr49 and shows the dashboard afresh.
  Store("DshColr40", "255");
  Store("DshColr49", "255");
  Store("DshColr50", "255");  // no key of the editor's
  OpenEditorFromDashboardMenu();
  sim.forms.Activate(Dash().Window());
  ClickEditor(Part::kDelete);
  for (const char* key : {"DshColr0", "DshColr12", "DshColr17", "DshColr40", "DshColr49"})
    EXPECT_FALSE(Stored(key)) << key;
  EXPECT_EQ(Stored("DshColr50"), "255");
  ASSERT_NE(app->DigitalDashboard(), nullptr);
  EXPECT_TRUE(Dash().Window().Visible());
  EXPECT_EQ(Dash().Label(12).ForeColour(), design);
  EXPECT_EQ(app->ColourEditor(), nullptr) << "Delete closes the editor";
  EXPECT_EQ(Stored("db-Wpaper"), "") << "the dashboard's unload saved its theme";
}

TEST_F(ColourEditorTest, UndoRestoresTheColoursLastLoadedOrSaved) {
  TrayCommand("MnuHiLo");
  ASSERT_NE(app->HighLow(), nullptr);
  sim.forms.QueueMenuChoice("Color");
  sim.forms.Click(HighLow().Window(), &HighLow().Tile(0), 100, 100, kRight);
  ASSERT_NE(app->ColourEditor(), nullptr);
  EXPECT_EQ(app->CurrentEditTarget(), EditTarget::kHighLow);
  const form::Colour loaded = HighLow().Label(20).ForeColour();
  ClickPickButton();
  PickAt(kPickedAt);
  for (int i : {3, 20}) sim.forms.Click(HighLow().Window(), &HighLow().Label(i), 5, 5);
  EXPECT_EQ(HighLow().Label(20).ForeColour(), kPicked);
  ClickEditor(Part::kUndo);
  EXPECT_EQ(HighLow().Label(20).ForeColour(), loaded);

  sim.forms.Click(HighLow().Window(), &HighLow().Label(3), 5, 5);
  ClickEditor(Part::kSave);
  EXPECT_EQ(Stored("HLcolor3"), std::to_string(kPicked));
  EXPECT_FALSE(Stored("HLcolor50")) << "label 50 is restored, never stored";
  HighLow().Label(3).SetForeColour(0);
  ClickEditor(Part::kUndo);
  EXPECT_EQ(HighLow().Label(3).ForeColour(), kPicked);
}

TEST_F(ColourEditorTest, DeleteOnTheHighLowWindowRemovesItsColourKeysZeroToFortyNine) {
  for (const char* key : {"HLcolor0", "HLcolor25", "HLcolor49", "HLcolor50", "DshColr3"})
    Store(key, "255");
  TrayCommand("MnuHiLo");
  sim.forms.QueueMenuChoice("Color");
  sim.forms.Click(HighLow().Window(), &HighLow().Tile(0), 100, 100, kRight);
  ASSERT_NE(app->ColourEditor(), nullptr);
  ClickEditor(Part::kDelete);
  for (const char* key : {"HLcolor0", "HLcolor25", "HLcolor49"}) EXPECT_FALSE(Stored(key)) << key;
  EXPECT_EQ(Stored("HLcolor50"), "255");
  EXPECT_EQ(Stored("DshColr3"), "255") << "the other dashboard's colours stay";
  ASSERT_NE(app->HighLow(), nullptr);
  EXPECT_TRUE(HighLow().Window().Visible());
}

TEST_F(ColourEditorTest, ThePickerReadsOnlyAMovedPointerAndStopsWhenAnotherWindowComesToTheFront) {
  OpenEditorOnDashboard();
  ClickPickButton();
  PickAt(kPickedAt);
  const int reads = sim.desktop.PixelReads();
  sim.Advance(1);  // fifteen ticks, the pointer at rest
  EXPECT_EQ(sim.desktop.PixelReads(), reads);

  sim.forms.Activate(Dash().Window());
  PickAt({kPickedAt.x + 1, kPickedAt.y});
  EXPECT_FALSE(Editor().Picker().Picking());
  EXPECT_EQ(sim.desktop.PixelReads(), reads + 1) << "the tick that stops still reads once";
  EXPECT_EQ(Editor().Get(Part::kPickButton).PointerImage().file,
            AppFile("Cursors\\NormalCursor.cur"));
  PickAt(kPickedAt);
  EXPECT_EQ(sim.desktop.PixelReads(), reads + 1);

  // Closing the editor stops a picker that runs.
  ColourEditor& editor = Editor();
  ClickPickButton();
  ClickEditor(Part::kClose);
  EXPECT_EQ(app->ColourEditor(), nullptr);
  EXPECT_FALSE(editor.Picker().Picking());
}

TEST_F(ColourEditorTest, TheEditorOpensOnTheDashboardsLeftWhenThereIsRoomElseOnItsRight) {
  TrayCommand("MnuDash");
  for (const auto& [dashboard_left, editor_left] : {std::pair{3400, 35}, std::pair{3360, 4560}}) {
    Dash().Window().Move(dashboard_left, 900, 1200, 2280);
    sim.forms.QueueMenuChoice("MnuColor");
    sim.forms.Click(Dash().Window(), &Dash().Tile(0), 1075, 5, kRight);
    EXPECT_EQ(E().Left(), editor_left);
    EXPECT_EQ(E().Top(), 900);
    EXPECT_TRUE(E().Topmost());
  }
}

// A theme is a folder of pictures: each window takes the ones it finds there
// and remembers the theme only when its own main picture was there.
TEST_F(ColourEditorTest, AThemeChangesOnlyThePicturesItsFolderHolds) {
  const std::string folder = AppFile("BackGround\\");
  for (const char* theme : {"Strip", "Full", "Hollow"}) sim.files.CreateFolder(folder + theme);
  sim.files.WriteText(folder + "Strip\\Kelvane-U.jpg", "jpg", false);
  sim.files.WriteText(folder + "Full\\Kelvane-H.jpg", "jpg", false);
  sim.files.CreateFolder(folder + "Hollow\\Kelvane-D.jpg");  // a folder is no picture
  TrayCommand("MnuDash");
  TrayCommand("MnuHiLo");
  HighLow().ChangePaper("Strip");
  EXPECT_EQ(HighLow().Tile(5).Picture(), folder + "Strip\\Kelvane-U.jpg");
  EXPECT_EQ(HighLow().Tile(0).Picture(), "");
  EXPECT_EQ(HighLow().Theme(), "Custom");  // as its load read it
  HighLow().ChangePaper("Full");
  for (int k = 0; k < highlow::kColumnCount; ++k)
    EXPECT_EQ(HighLow().Tile(k).Picture(), folder + "Full\\Kelvane-H.jpg");
  EXPECT_EQ(HighLow().Tile(5).Picture(), folder + "Strip\\Kelvane-U.jpg");
  EXPECT_EQ(HighLow().Theme(), "Full");
  Dash().ChangePaper("Hollow");
  EXPECT_EQ(Dash().Theme(), "");
  EXPECT_EQ(Dash().Tile(0).Picture(), "");
}

// A theme item does nothing unless a folder of that name holds the window's
// picture: every caption of the three windows' theme menus is checked against
// the folders the build ships.
TEST_F(ColourEditorTest, EveryThemeOfTheThreeMenusIsAFolderTheBuildShipsWithThatWindowsPicture) {
  TrayCommand("MnuDash");
  TrayCommand("MnuHiLo");
  ASSERT_NE(app->DigitalDashboard(), nullptr);
  ASSERT_NE(app->HighLow(), nullptr);
  const std::filesystem::path shipped = std::filesystem::path(KELVANE_RESOURCES_DIR) / "BackGround";
  struct Menu {
    form::Window& window;
    const char* submenu;
    const char* picture;
    std::size_t themes;
  } menus[] = {
      {Main().Window(), "mnuBckGrnd", "Kelvane-M.jpg", 6},
      {Dash().Window(), "MnuBGColorS", "Kelvane-D.jpg", 9},
      {HighLow().Window(), "mnuBGrcolr", "Kelvane-H.jpg", 9},
  };
  for (const Menu& m : menus) {
    const form::MenuItem* submenu = m.window.FindMenu(m.submenu);
    ASSERT_NE(submenu, nullptr) << m.submenu;
    std::size_t themes = 0;
    for (const auto& item : submenu->Items()) {
      if (!item->IsCommand()) continue;
      ++themes;
      EXPECT_TRUE(std::filesystem::is_regular_file(shipped / item->Caption() / m.picture))
          << m.window.Name() << ": \"" << item->Caption() << "\"";
    }
    EXPECT_EQ(themes, m.themes) << m.window.Name();
  }
}

// --- the tray icon settings window ---------------------------------------------------------

class TrayIconSettingsTest : public ColourEditorTest {
 protected:
  tray::TrayIconSettings& Settings() { return *app->TrayIconSettings(); }
  form::Window& S() { return Settings().Window(); }
  void Open() {
    TrayCommand("MNuTrayColrFont");
    ASSERT_NE(app->TrayIconSettings(), nullptr);
  }
  void ClickOn(SettingsPart part) { sim.forms.Click(S(), &Settings().Get(part), 10, 10); }
};

TEST_F(TrayIconSettingsTest, OliveGreenForTheCpuDigitsDrawsOnTheNextTickAndIsStoredOnClose) {
  Open();
  EXPECT_EQ(S().Caption(), "Kelvane Icon Settings");
  sim.forms.Click(S(), &Settings().Preset(0), 10, 10);
  EXPECT_TRUE(Settings().Preset(0).Border());
  ClickOn(SettingsPart::kApplyCpu);
  EXPECT_EQ(Settings().Get(SettingsPart::kCpuSwatch).BackColour(), 11723498u);
  sim.Advance(1);
  EXPECT_EQ(sim.graphics.Made().back().fore, 11723498u);

  // "ButtonFace" is a system colour: stored as the negative number it is.
  sim.forms.Click(S(), &Settings().Preset(3), 10, 10);
  EXPECT_FALSE(Settings().Preset(0).Border());
  ClickOn(SettingsPart::kApplyBack);
  sim.forms.Click(S(), &Settings().Get(SettingsPart::kBold), 5, 5);  // stored ticked: now off
  sim.forms.CloseBox(S());
  EXPECT_EQ(Stored("TrayFcolr"), "11723498");
  EXPECT_EQ(Stored("TrayBcolr"), "-2147483633");
  EXPECT_EQ(Stored("TrayFcolr2"), "16711680");
  EXPECT_EQ(Stored("TrayBold"), "False");
  EXPECT_EQ(Stored("TrayFont"), "Arial");
  EXPECT_EQ(Stored("TraySize"), "24");
}

TEST_F(TrayIconSettingsTest, TheMbAndBackButtonsEachSetTheirOwnColourOnly) {
  Open();
  const form::Colour cpu = Settings().Get(SettingsPart::kCpuSwatch).BackColour();
  sim.forms.Click(S(), &Settings().Preset(1), 10, 10);
  const form::Colour mb = Settings().Get(SettingsPart::kSelected).BackColour();
  ClickOn(SettingsPart::kApplyMb);
  sim.forms.Click(S(), &Settings().Preset(2), 10, 10);
  const form::Colour back = Settings().Get(SettingsPart::kSelected).BackColour();
  ASSERT_NE(mb, back);
  ClickOn(SettingsPart::kApplyBack);
  EXPECT_EQ(Settings().Get(SettingsPart::kCpuSwatch).BackColour(), cpu);
  EXPECT_EQ(Settings().Get(SettingsPart::kMbSwatch).BackColour(), mb);
  EXPECT_EQ(Settings().Get(SettingsPart::kBackSwatch).BackColour(), back);
  sim.Advance(1);  // the next icon is drawn on the new background
  EXPECT_EQ(sim.graphics.Made().back().back, back);
  EXPECT_EQ(sim.graphics.Made().back().fore, cpu);
  sim.forms.CloseBox(S());
  EXPECT_EQ(Stored("TrayFcolr"), std::to_string(cpu));
  EXPECT_EQ(Stored("TrayFcolr2"), std::to_string(mb));
  EXPECT_EQ(Stored("TrayBcolr"), std::to_string(back));
}

TEST_F(TrayIconSettingsTest, TheSizeListHoldsEachSizeTheTypefaceReallyTakes) {
  sim.graphics.AddBitmapFont("Fixedsys", {8, 10, 12, 14, 18, 24});
  Open();
  EXPECT_EQ(Settings().FontList().Text(), "Arial");
  const std::vector<std::string> outline{"15.75", "17.25", "18", "18.75", "20.25", "21",
                                         "21.75", "23.25", "24", "24.75", "26.25", "27",
                                         "27.75", "29.25", "30", "30.75", "32.25"};
  EXPECT_EQ(Settings().SizeList().Items(), outline);
  EXPECT_EQ(Settings().SizeList().Text(), "24");

  sim.forms.PickListItem(S(), Settings().FontList(), "Fixedsys");
  EXPECT_EQ(Settings().SizeList().Items(), (std::vector<std::string>{"14", "18", "24"}));
  EXPECT_EQ(Main().IconStyle().font_name, "Fixedsys");
  sim.forms.PickListItem(S(), Settings().SizeList(), "18");
  EXPECT_EQ(Main().IconStyle().font_size, 18);
  // Typing a size changes nothing until one is chosen from the list.
  sim.forms.Type(S(), Settings().SizeList(), "2");
  EXPECT_EQ(Main().IconStyle().font_size, 18);
  sim.clock.SetLocale(sim::Locale::German());
  sim.forms.PickListItem(S(), Settings().FontList(), "Arial");
  sim.forms.PickListItem(S(), Settings().SizeList(), "20.25");
  EXPECT_EQ(Settings().SizeList().Text(), "20.25");
  sim.forms.CloseBox(S());
  EXPECT_EQ(Stored("TraySize"), "20,25");
  EXPECT_EQ(Stored("TrayFont"), "Arial");
}

class TrayIconSettingsLostFontTest : public TrayIconSettingsTest {
 protected:
  void SetUp() override {
    Store("TrayFont", "Gone Sans");
    Start();
  }
};

TEST_F(TrayIconSettingsLostFontTest, AStoredTypefaceTheScreenLacksLeavesBothListsWithoutAChoice) {
  Open();
  EXPECT_EQ(Settings().FontList().ListIndex(), -1);
  EXPECT_TRUE(Settings().SizeList().Items().empty());
  EXPECT_EQ(Main().IconStyle().font_name, "Gone Sans");
}

TEST_F(TrayIconSettingsTest, OnlyOneWindowWithAPickerIsOpenAtATime) {
  Open();
  ClickOn(SettingsPart::kBold);
  tray::TrayIconSettings* first = app->TrayIconSettings();
  Open();  // a second open does nothing
  EXPECT_EQ(app->TrayIconSettings(), first);
  // The palette starts and stops the picker like the editor's pick button.
  sim.forms.Activate(S());
  sim.forms.Click(S(), &Settings().Get(SettingsPart::kPalette), 10, 10);
  PickAt(kPickedAt);
  EXPECT_EQ(Settings().SelectedColour(), kPicked);

  OpenEditorOnDashboard();
  EXPECT_EQ(app->TrayIconSettings(), nullptr);
  EXPECT_EQ(Stored("TrayBold"), "False") << "closing stored the settings";
  Open();
  EXPECT_EQ(app->ColourEditor(), nullptr);
  EXPECT_NE(app->TrayIconSettings(), nullptr);
}

}  // namespace
}  // namespace kelvane
