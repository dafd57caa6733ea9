// The renderer's translations between the model's values and Win32's, as
// tables: window styles, twips and pixels, scroll bars, mouse and key states.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

using form::BorderStyle;
using form::ScrollAction;

TEST(FormsTranslateTest, WindowStylesFollowBorderCaptionAndTaskbar) {
  constexpr DWORD kTitle = WS_CAPTION | WS_SYSMENU;
  struct Case {
    const char* what;
    BorderStyle border;
    bool caption;
    bool taskbar;
    WindowStyles want;
  };
  const Case cases[] = {
      {"settings window",
       BorderStyle::kFixedSingle,
       true,
       true,
       {kTitle | WS_MINIMIZEBOX, 0, false}},
      {"sizable window",
       BorderStyle::kSizable,
       true,
       true,
       {kTitle | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, false}},
      // The dashboard: sizing border, no title bar, no taskbar button.
      {"dashboard",
       BorderStyle::kSizableToolWindow,
       false,
       false,
       {WS_POPUP | WS_THICKFRAME, WS_EX_TOOLWINDOW, false}},
      {"borderless tiles", BorderStyle::kNone, false, false, {WS_POPUP, WS_EX_TOOLWINDOW, false}},
      // No border means no title bar, whatever the caption.
      {"borderless with a caption", BorderStyle::kNone, true, true, {WS_POPUP, 0, false}},
      {"fixed without caption",
       BorderStyle::kFixedSingle,
       false,
       true,
       {WS_POPUP | WS_DLGFRAME, 0, false}},
      {"titled tool window",
       BorderStyle::kFixedToolWindow,
       true,
       false,
       {kTitle, WS_EX_TOOLWINDOW, false}},
      {"tool window in the taskbar",
       BorderStyle::kSizableToolWindow,
       true,
       true,
       {kTitle | WS_THICKFRAME, WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, false}},
      // A titled window out of the taskbar keeps its full title bar: a hidden
      // owner keeps it out.
      {"titled window out of the taskbar",
       BorderStyle::kFixedSingle,
       true,
       false,
       {kTitle | WS_MINIMIZEBOX, 0, true}},
  };
  for (const Case& c : cases) {
    const WindowStyles got = StylesFor(c.border, c.caption, c.taskbar);
    EXPECT_EQ(got.style, c.want.style) << c.what;
    EXPECT_EQ(got.ex_style, c.want.ex_style) << c.what;
    EXPECT_EQ(got.hidden_owner, c.want.hidden_owner) << c.what;
    EXPECT_EQ(got.style & ~kStyleBitsOwned, 0u) << c.what;
    EXPECT_EQ(got.ex_style & ~kExStyleBitsOwned, 0u) << c.what;
  }
}

TEST(FormsTranslateTest, TwipsRoundToTheNearestPixelHalvesAwayFromZero) {
  struct Case {
    int twips, per_pixel, pixels;
  };
  const Case cases[] = {{0, 15, 0},     {7, 15, 0},     {8, 15, 1},      {15, 15, 1},
                        {1000, 15, 67}, {1185, 15, 79}, {-7, 15, 0},     {-8, 15, -1},
                        {-100, 15, -7}, {100, 12, 8},   {1440, 12, 120}, {5, 0, 5}};
  for (const Case& c : cases)
    EXPECT_EQ(TwipsToPixels(c.twips, c.per_pixel), c.pixels) << c.twips << " / " << c.per_pixel;
}

TEST(FormsTranslateTest, ControlsThatTouchInTwipsTouchInPixels) {
  // A column of tiles 100 twips high (6.67 pixels): every tile starts on the
  // pixel where the one above ends, however the edges round.
  for (int i = 0; i < 20; ++i) {
    const RECT upper = ControlPixels(0, i * 100, 1185, 100, 15, 15);
    const RECT lower = ControlPixels(0, (i + 1) * 100, 1185, 100, 15, 15);
    EXPECT_EQ(upper.bottom, lower.top) << i;
    EXPECT_EQ(upper.right, 79);
  }
}

TEST(FormsTranslateTest, RealBoundsReportOnlyWhatMovedAndKeepTheModelsTwips) {
  const TwipsRect model{1000, 2000, 1200, 2280};  // 67, 133 (+80 x 152) pixels
  struct Case {
    const char* what;
    RECT real;
    TwipsRect want;
  };
  const Case cases[] = {
      {"where the model put it", {67, 133, 147, 285}, model},
      {"moved right", {70, 133, 150, 285}, {1050, 2000, 1200, 2280}},
      {"moved up", {67, 100, 147, 252}, {1000, 1500, 1200, 2280}},
      {"taller", {67, 133, 147, 300}, {1000, 2000, 1200, 2505}},
      {"moved and narrowed", {0, 0, 60, 152}, {0, 0, 900, 2280}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReportedBounds(model, c.real, 15, 15), c.want) << c.what;
}

TEST(FormsTranslateTest, ScrollBarPositionsRunFromMinAlsoForReversedBars) {
  struct Case {
    int min, max, value, position;
  };
  const Case cases[] = {{1, 32767, 1, 0}, {1, 32767, 15, 14}, {0, 100, 100, 100},
                        {100, 0, 100, 0}, {100, 0, 0, 100},   {10, -10, -5, 15}};
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollPosition(c.min, c.max, c.value), c.position) << c.min << ".." << c.max;
    EXPECT_EQ(ScrollValue(c.min, c.max, c.position), c.value) << c.min << ".." << c.max;
  }
}

TEST(FormsTranslateTest, ScrollCodesBecomeTheModelsActions) {
  struct Case {
    int code, thumb;
    std::optional<ScrollRequest> want;
  };
  const Case cases[] = {
      {SB_LINEUP, 0, ScrollRequest{ScrollAction::kLineLess, 0}},
      {SB_LINEDOWN, 0, ScrollRequest{ScrollAction::kLineMore, 0}},
      {SB_PAGEUP, 0, ScrollRequest{ScrollAction::kPageLess, 0}},
      {SB_PAGEDOWN, 0, ScrollRequest{ScrollAction::kPageMore, 0}},
      // The thumb's native position on the reversed bar 100..0: 30 is value 70.
      {SB_THUMBPOSITION, 30, ScrollRequest{ScrollAction::kTo, 70}},
      {SB_TOP, 0, ScrollRequest{ScrollAction::kTo, 100}},
      {SB_BOTTOM, 0, ScrollRequest{ScrollAction::kTo, 0}},
      {SB_THUMBTRACK, 30, std::nullopt},
      {SB_ENDSCROLL, 0, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScrollRequestFor(c.code, c.thumb, 100, 0), c.want) << c.code;
}

TEST(FormsTranslateTest, MouseFlagsAndShiftKeysUseTheEventsCodes) {
  EXPECT_EQ(HeldButtons(0), 0);
  EXPECT_EQ(HeldButtons(MK_LBUTTON), 1);
  EXPECT_EQ(HeldButtons(MK_RBUTTON), 2);
  EXPECT_EQ(HeldButtons(MK_MBUTTON), 4);
  EXPECT_EQ(HeldButtons(MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL), 3);
  EXPECT_EQ(ShiftState(true, false, false), 1);
  EXPECT_EQ(ShiftState(false, true, false), 2);
  EXPECT_EQ(ShiftState(false, false, true), 4);
  EXPECT_EQ(ShiftState(true, true, true), 7);
}

TEST(FormsTranslateTest, ColoursFontsAndTextFlags) {
  EXPECT_EQ(ResolveColour(0x0000FF), RGB(255, 0, 0));
  EXPECT_EQ(ResolveColour(0xFF0000), RGB(0, 0, 255));
  EXPECT_EQ(ResolveColour(form::kButtonFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ResolveColour(form::kWindowText), GetSysColor(COLOR_WINDOWTEXT));

  EXPECT_EQ(FontHeight(8.25, 96), -11);
  EXPECT_EQ(FontHeight(24, 96), -32);
  EXPECT_EQ(FontHeight(8.25, 120), -14);

  EXPECT_EQ(LabelTextFlags(form::Alignment::kRight) & (DT_RIGHT | DT_CENTER), UINT{DT_RIGHT});
  EXPECT_EQ(LabelTextFlags(form::Alignment::kCentre) & (DT_RIGHT | DT_CENTER), UINT{DT_CENTER});
  EXPECT_NE(LabelTextFlags(form::Alignment::kLeft) & DT_NOPREFIX, 0u);

  // Every stock shape is a system cursor of its own; the default is left to the window.
  EXPECT_EQ(StockCursorName(form::StockPointer::kDefault), nullptr);
  std::vector<HCURSOR> seen;
  for (auto shape : {form::StockPointer::kArrow, form::StockPointer::kCross,
                     form::StockPointer::kIBeam, form::StockPointer::kSizeAll}) {
    const HCURSOR cursor = LoadCursorW(nullptr, StockCursorName(shape));
    EXPECT_NE(cursor, nullptr) << static_cast<int>(shape);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0) << static_cast<int>(shape);
    seen.push_back(cursor);
  }
}

}  // namespace
}  // namespace kelvane::platform::win32::forms
