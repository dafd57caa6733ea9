// The Digital Dashboard's design: nine tiles, each with a value label and its
// name plate above it, and the popup menu, as tables. The controls' own names
// ("DigFramez"(3), "Label1"(11)) are given here and nowhere else; behaviour
// reaches a tile by its index and a menu item by what it does.
#include "appearance/themes.h"
#include "dashboard/digital_dashboard.h"
#include "platform/form/menu_table.h"

namespace kelvane::dashboard {
namespace {

constexpr int kDesignClientWidth = 1725, kDesignClientHeight = 2145;
constexpr int kLabelTop = 15;
constexpr int kCaptionHeight = 195;
constexpr int kValueWidth = 1065;

struct TileDesign {
  const char* caption;
  int caption_width;
};
// In tile order; tile k shows reading k.
constexpr TileDesign kTiles[kTileCount] = {
    {"CPU", 600},  {"MB", 600},  {"CPU", 600},   {"Power", 600}, {"Chassis", 600},
    {"+12v", 360}, {"+5v", 270}, {"+3.3v", 405}, {"Vcore", 420},
};

// The theme's picture lies on every tile; the tiles are dropped on the grid.
constexpr appearance::Wallpaper kWallpapers[] = {{"Kelvane-D.jpg", 0, kTileCount}};
constexpr appearance::TiledWindowDesign kTiledDesign{kTileGrid, kTileCount, kWallpapers};

using enum DashboardCommand;
constexpr form::MenuRow<DashboardCommand> kMenuDesign[] = {
    {0, "mnu", "mnu", kMenu},
    {1, "DshLocked", "Lock Meters", kLock},
    {1, "mnuLine1", nullptr},
    {1, "MnuBold", "Bold Font", kBold},
    {1, "MnuBGColorS", "BackGround Colors"},
};
// The themes' items under "BackGround Colors", then the rest of the menu.
constexpr auto kThemeRows = appearance::ThemeMenuRows(2, kWallpaper);
constexpr form::MenuRow<DashboardCommand> kMenuAfterThemes[] = {
    {1, "MnuColor", "ForeGround Colors", kColourEditor},
    {1, "mnuLine2", nullptr},
    {1, "MnuLayout", " Layout"},
    {2, "MnuLoadMyLayout", "Load My Layout", kLoadMyLayout},
    {2, "mnuSavLayout", "Save as My Layout", kSaveMyLayout},
    {2, "mnuLine3", nullptr},
    {2, "MnuTop", "Top", kTopRow},
    {2, "MnuDefSize", "Default Center", kDefaultCentre},
    {2, "MnuBottom", "Bottom", kBottomRow},
    {1, "mnuLine4", nullptr},
    {1, "MnuCaptur", "Save as BMP file", kSaveBitmap},
    {1, "mnuLine5", nullptr},
    {1, "mnuEXIT", "Close", kClose},
};

}  // namespace

const appearance::TiledWindowDesign& DigitalDashboard::TiledDesign() {
  return kTiledDesign;
}

void DigitalDashboard::BuildControls() {
  window_.SetCaption("");
  window_.SetBorderStyle(form::BorderStyle::kSizableToolWindow);
  window_.SetShowInTaskbar(false);
  window_.SetClientSize(kDesignClientWidth, kDesignClientHeight);
  for (int k = 0; k < kTileCount; ++k) {
    form::Frame& tile = window_.Add<form::Frame>("DigFramez", k);
    tile.Move(0, kTileHeight * k, kTileWidth, kTileHeight);
    tiles_[k] = &tile;
    // The value first: the name plate lies above it, so that a double click on
    // the plate reaches the plate.
    form::Label& value = window_.Add<form::Label>("Label1", k + 1, &tile);
    value.Move(0, kLabelTop, kValueWidth, kTileHeight);
    value.SetAlignment(form::Alignment::kRight);
    value.SetTransparent(true);
    value.SetForeColour(0);
    value.SetTextFont({"MS Sans Serif", 8.25, true});
    labels_[k + 1] = &value;
    const int plate_index = kCaptionLabels[k];
    form::Label& plate = window_.Add<form::Label>("Label1", plate_index, &tile);
    plate.Move(0, kLabelTop, kTiles[k].caption_width, kCaptionHeight);
    plate.SetCaption(kTiles[k].caption);
    plate.SetTransparent(true);
    plate.SetForeColour(0);
    plate.SetTextFont({"MS Sans Serif", 8.25, false});
    labels_[plate_index] = &plate;
  }
}

void DigitalDashboard::BuildMenu() {
  menu_.Build(window_, {kMenuDesign, kThemeRows, kMenuAfterThemes}, kWallpaper);
  Menu(kLock).SetChecked(true);
  Menu(kBold).SetChecked(true);
}

}  // namespace kelvane::dashboard
