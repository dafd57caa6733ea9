// The number icon and the tray icon.
#include <gtest/gtest.h>

#include "platform/sim/sim_graphics.h"
#include "platform/sim/sim_platform.h"
#include "tray/tray_icon.h"

namespace kelvane::tray {
namespace {

TEST(IconDigits, ShowsTheFirstTwoCharactersOfAtLeastTwoDigits) {
  struct Case {
    int num;
    const char* expected;
  } cases[] = {{0, "00"},   {9, "09"},   {7, "07"},   {45, "45"}, {99, "99"},
               {100, "10"}, {255, "25"}, {123, "12"}, {-5, "-0"}, {-45, "-4"}};
  for (const Case& c : cases)
    EXPECT_EQ(IconDigits(static_cast<std::int16_t>(c.num)), c.expected) << c.num;
}

TEST(CentredOffset, TruncatesTowardZeroSoOversizedTextClipsEvenly) {
  struct Case {
    int extent, offset;
  } cases[] = {{32, 0}, {30, 1}, {29, 1}, {31, 0}, {0, 16}, {33, 0}, {35, -1}, {40, -4}, {41, -4}};
  for (const Case& c : cases) EXPECT_EQ(CentredOffset(c.extent), c.offset) << c.extent;
}

class TrayTest : public ::testing::Test {
 protected:
  sim::SimGraphics graphics;
  sim::SimTray tray;
  TrayIconStyle style;
  NumberIcons icons{graphics, style};
  int shows = 0, menus = 0;
  TrayIcon icon{tray, icons, style, {[this] { ++shows; }, [this] { ++menus; }}};
};

TEST_F(TrayTest, DrawsCentredDigitsInTheStylesFontAndColours) {
  ASSERT_TRUE(icons.Draw(45));
  const sim::IconPicture& p = graphics.Made().back();
  EXPECT_EQ(p.text, "45");
  EXPECT_EQ(p.font, (platform::FontSpec{"Arial", 24, true}));
  EXPECT_EQ(p.back, 16777215u);
  platform::Size extent = graphics.TextExtent(p.font, "45");
  EXPECT_EQ(p.x, (32 - extent.cx) / 2);
  EXPECT_EQ(p.y, (32 - extent.cy) / 2);
}

TEST_F(TrayTest, OnlyOneIconIsAliveHoweverOftenItIsRedrawn) {
  for (int i = 0; i < 1000; ++i) icons.Draw(static_cast<std::int16_t>(i % 120));
  EXPECT_EQ(graphics.LiveIcons(), 1);
  EXPECT_EQ(graphics.Made().size(), 1000u);
  icons.Clear();
  EXPECT_EQ(graphics.LiveIcons(), 0);
}

TEST_F(TrayTest, AFailedDrawingKeepsThePreviousIconInTheTray) {
  icon.Add();
  icon.Show("tip", 45, false);
  std::uintptr_t before = tray.IconHandle();
  graphics.FailIcons(true);
  icon.Show("tip2", 46, false);
  EXPECT_EQ(tray.IconHandle(), before);
  EXPECT_EQ(graphics.LiveIcons(), 1);
}

TEST_F(TrayTest, TheIconStartsBlankWithTheProgramsNameThenShowsDigitsAndTheTip) {
  icon.Add();
  EXPECT_TRUE(tray.Shown());
  EXPECT_EQ(tray.IconHandle(), 0u);
  EXPECT_EQ(tray.Tip().substr(0, 7), "Kelvane");
  EXPECT_EQ(tray.Tip().size(), 64u);
  icon.Show("CPU:45", 31, true);
  EXPECT_EQ(tray.Tip(), "CPU:45");
  const sim::IconPicture& p = graphics.PictureOf(tray.IconHandle());
  EXPECT_EQ(p.text, "31");
  EXPECT_EQ(p.fore, 16711680u);  // motherboard: blue
  icon.Show("CPU:45", 45, false);
  EXPECT_EQ(graphics.PictureOf(tray.IconHandle()).fore, 255u);  // CPU: red
}

TEST_F(TrayTest, TwoColoursGiveIconsThatDifferOnlyInTheDigitsColour) {
  icon.Show("t", 45, false);
  icon.Show("t", 45, true);
  sim::IconPicture cpu = graphics.Made()[0], mb = graphics.Made()[1];
  EXPECT_NE(cpu.fore, mb.fore);
  mb.fore = cpu.fore;
  EXPECT_EQ(cpu, mb);
}

TEST_F(TrayTest, DoubleClickShowsTheWindowRightReleaseOpensTheMenuOthersNothing) {
  icon.Add();
  for (int message : {0x200, 0x201, 0x202, 0x204, 0x206, 0x207}) tray.UserEvent(message);
  EXPECT_EQ(shows + menus, 0);
  tray.UserEvent(0x203);
  tray.UserEvent(0x205);
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(menus, 1);
}

TEST_F(TrayTest, RebuildRemovesAndAddsTheIconAgain) {
  icon.Add();
  icon.Show("t", 45, false);
  icon.Rebuild();
  EXPECT_TRUE(tray.Shown());
  EXPECT_EQ(graphics.LiveIcons(), 0);
  const auto& r = tray.Requests();
  EXPECT_EQ(std::vector<std::string>(r.end() - 2, r.end()),
            (std::vector<std::string>{"delete", "add"}));
}

TEST(TrayIconStyle, LoadsTheSixTrayKeysWithTheirDefaults) {
  sim::SimPlatform sim;
  Settings settings(sim.store, sim.clock);
  TrayIconStyle d = TrayIconStyle::Load(settings);
  EXPECT_EQ(d.Font(), (platform::FontSpec{"Arial", 24, true}));
  EXPECT_EQ(d.cpu_colour, 255u);
  EXPECT_EQ(d.mb_colour, 16711680u);
  EXPECT_EQ(d.back_colour, 16777215u);
  settings.WriteText("TrayFont", "Tahoma");
  settings.WriteText("TraySize", "18,5");
  settings.WriteFlag("TrayBold", false);
  settings.WriteColour("TrayFcolr", 65280);
  TrayIconStyle s = TrayIconStyle::Load(settings);
  EXPECT_EQ(s.Font(), (platform::FontSpec{"Tahoma", 18.5, false}));
  EXPECT_EQ(s.cpu_colour, 65280u);
}

TEST(TrayIconStyle, AStoredSizeThatNoFontHasReadsAsTheDefault) {
  sim::SimPlatform sim;
  Settings settings(sim.store, sim.clock);
  for (const char* size : {"299999999999999999999999994", "1000,5", "0", "-12"}) {
    settings.WriteText("TraySize", size);
    EXPECT_EQ(TrayIconStyle::Load(settings).font_size, 24) << size;
  }
  settings.WriteText("TraySize", "1000");
  EXPECT_EQ(TrayIconStyle::Load(settings).font_size, 1000);
}

}  // namespace
}  // namespace kelvane::tray
