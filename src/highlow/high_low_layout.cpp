// The High/Low/Avg dashboard's design: five column tiles under the elapsed-time
// strip, the 51 labels in them, and the popup menu, as tables. The controls'
// own names ("Framez1"(3), "Label1"(47)) are given here and nowhere else;
// behaviour reaches a tile or label by its index and a menu item by what it
// does.
#include "appearance/themes.h"
#include "highlow/high_low_dashboard.h"
#include "platform/form/menu_table.h"

namespace kelvane::highlow {
namespace {

constexpr int kDesignClientWidth = 3225, kDesignClientHeight = 2445;
constexpr form::Colour kBlack = 0;
constexpr form::Colour kLightYellow = 255 + 255 * 256 + 128 * 65536;
constexpr form::Colour kTeal = 128 * 256 + 128 * 65536;
// const, not constexpr: clang cannot build a libstdc++ std::string in a constant expression.
const form::Font kValueFont{"MS Sans Serif", 9.75, false};
constexpr int kLabelHeight = 195;

// The nine rows of values, by their top within a column.
constexpr int kRowTops[9] = {480, 721, 962, 1203, 1444, 1685, 1926, 2167, 2415};

struct PlateDesign {
  int label;
  const char* caption;
  const char* tooltip;
};
// The name plates of column 0, row by row.
constexpr PlateDesign kPlates[9] = {
    {42, "CPU", nullptr},   {43, "MB", nullptr},   {38, "CPU", "Fan"},
    {39, "Power", nullptr}, {40, "Chassis", nullptr}, {46, "+12V", nullptr},
    {44, "+5V", nullptr},   {45, "+3.3V", nullptr},   {0, "Vcore", nullptr},
};

struct HeaderDesign {
  int tile;
  int label;
  const char* caption;
  int top;
  form::Colour colour;
};
constexpr HeaderDesign kHeaders[kColumnCount] = {
    {0, 50, "<------>", 195, kTeal},      {1, 41, "Current", 210, kLightYellow},
    {2, 37, "Avg", 210, kLightYellow},    {3, 48, "Low", 210, kLightYellow},
    {4, 49, " High", 210, kLightYellow},
};

// The columns take the theme's column picture and name the theme; the strip
// takes its own picture where the theme has one. Only the columns lie on the grid.
constexpr appearance::Wallpaper kWallpapers[] = {{"Kelvane-H.jpg", 0, kColumnCount},
                                                 {"Kelvane-U.jpg", kStripTile, 1}};
constexpr appearance::TiledWindowDesign kTiledDesign{kColumnGrid, kColumnCount, kWallpapers};

using enum HighLowCommand;
constexpr form::MenuRow<HighLowCommand> kMenuDesign[] = {
    {0, "MuMain", "MnuMain", kMenu},
    {1, "MnuReset", "Reset Values", kReset},
    {1, "mnuLine1", nullptr},
    {1, "LockHLow", "Lock Meters", kLock},
    {1, "DefHite", "Default Window Size", kDefaultSize},
    {1, "mnuLine2", nullptr},
    {1, "mnuAutoHideRt", "Auto Hide Right", kAutoHide},
    {1, "mnuLine3", nullptr},
    {1, "MnuBold", "Bold Font", kBold},
    {1, "mnuBGrcolr", "BackGround Colors"},
};
// The themes' items under "BackGround Colors", then the rest of the menu.
constexpr auto kThemeRows = appearance::ThemeMenuRows(2, kWallpaper);
constexpr form::MenuRow<HighLowCommand> kMenuAfterThemes[] = {
    {1, "Color", "ForeGround Colors", kColourEditor},
    {1, "mnuLine4", nullptr},
    {1, "mnuSavHTML", "Save as HTML", kSaveHtml},
    {1, "MnuCapture", "Save as .BMP", kSaveBitmap},
    {1, "mnuLine5", nullptr},
    {1, "MnuClose", "Close", kClose},
};

}  // namespace

const appearance::TiledWindowDesign& HighLowDashboard::TiledDesign() {
  return kTiledDesign;
}

void HighLowDashboard::BuildControls() {
  window_.SetCaption("");
  window_.SetBorderStyle(form::BorderStyle::kSizableToolWindow);
  window_.SetShowInTaskbar(false);
  window_.SetClientSize(kDesignClientWidth, kDesignClientHeight);
  window_.Move(window_.Left(), window_.Top(), kDefaultWidth, kDefaultHeight);
  for (int k = 0; k < kColumnCount; ++k) {
    tiles_[k] = &window_.Add<form::Frame>("Framez1", k);
    tiles_[k]->Move(kColumnWidth * k, 0, kColumnWidth, kColumnHeight);
  }
  tiles_[kStripTile] = &window_.Add<form::Frame>("Framez1", kStripTile);
  tiles_[kStripTile]->Move(0, -45, 8000, 240);

  const auto add_label = [this](int tile, int index, int left, int top, int width) {
    form::Label& label = window_.Add<form::Label>("Label1", index, tiles_[tile]);
    label.Move(left, top, width, kLabelHeight);
    label.SetTransparent(true);
    label.SetForeColour(kBlack);
    labels_[index] = &label;
    return &label;
  };
  for (const HeaderDesign& h : kHeaders) {
    form::Label* header = add_label(h.tile, h.label, 0, h.top, 600);
    header->SetCaption(h.caption);
    header->SetAlignment(form::Alignment::kCentre);
    header->SetForeColour(h.colour);
    header->SetTextFont({"MS Sans Serif", 8.25, true});
  }
  for (int row = 0; row < 9; ++row) {
    form::Label* plate = add_label(0, kPlates[row].label, -30, kRowTops[row], 720);
    plate->SetCaption(kPlates[row].caption);
    plate->SetAlignment(form::Alignment::kCentre);
    if (kPlates[row].tooltip) plate->SetTooltip(kPlates[row].tooltip);
    for (int column = 0; column < 4; ++column) {
      form::Label* value = add_label(column + 1, 4 * row + column + 1, 0, kRowTops[row], 600);
      value->SetCaption("0");
      value->SetAlignment(form::Alignment::kRight);
      value->SetTextFont(kValueFont);
    }
  }
  form::Label* elapsed = add_label(kStripTile, kElapsedLabel, 15, 45, 7395);
  elapsed->Move(15, 45, 7395, 210);
  elapsed->SetTextFont({"Verdana", 8.25, true});

  hide_timer_ = &window_.AddTimer("Timer1");
  watch_timer_ = &window_.AddTimer("Timer2");
}

void HighLowDashboard::BuildMenu() {
  menu_.Build(window_, {kMenuDesign, kThemeRows, kMenuAfterThemes}, kWallpaper);
  Menu(kLock).SetChecked(true);
}

}  // namespace kelvane::highlow
