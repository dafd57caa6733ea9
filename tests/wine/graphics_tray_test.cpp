// The number icon's pixels and the tray icon, on GDI and Shell_NotifyIconA.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/ui/graphics.h"
#include "platform/win32/ui/tray.h"
#include "tray/number_icon.h"

namespace kelvane::platform::win32 {
namespace {

// The 32 x 32 colour pixels of an icon, as 0xBBGGRR values, rows top down.
std::vector<std::uint32_t> IconPixels(const Icon& icon) {
  ICONINFO info{};
  if (!GetIconInfo(reinterpret_cast<HICON>(icon.Handle()), &info)) return {};
  GdiBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = 32;
  bmi.bmiHeader.biHeight = -32;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bgra(32 * 32);
  WindowDc screen(nullptr);
  if (!GetDIBits(screen.Get(), colour.Get(), 0, 32, bgra.data(), &bmi, DIB_RGB_COLORS)) return {};
  for (std::uint32_t& p : bgra) {  // 0x00RRGGBB in memory order B,G,R -> 0xBBGGRR
    p = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
  return bgra;
}

TEST(NumberIconTest, DefaultStyleDrawsRedDigitsOnAnOpaqueWhiteSquare) {
  Win32Graphics graphics;
  tray::TrayIconStyle style;
  FontSpec font = style.Font();
  Size extent = graphics.TextExtent(font, "45");
  // 24 points at 96 dots per inch: characters 32 pixels high, two digits
  // nearly filling the square.
  EXPECT_GE(extent.cy, 26);
  EXPECT_LE(extent.cy, 40);
  EXPECT_GT(extent.cx, 20);
  auto icon = graphics.NumberIcon(font, style.back_colour, style.cpu_colour, "45",
                                  tray::CentredOffset(extent.cx), tray::CentredOffset(extent.cy));
  ASSERT_NE(icon, nullptr);
  std::vector<std::uint32_t> px = IconPixels(*icon);
  ASSERT_EQ(px.size(), 32u * 32u);
  EXPECT_EQ(px[0], 0xFFFFFFu);  // a corner: background
  EXPECT_EQ(px[32 * 32 - 1], 0xFFFFFFu);
  int red = 0;
  for (std::uint32_t p : px) red += p == 0x0000FFu;
  EXPECT_GT(red, 40);
  // Nothing but red, white and the smoothed shades between them.
  for (std::uint32_t p : px) {
    std::uint32_t g = (p >> 8) & 0xFF, b = (p >> 16) & 0xFF;
    EXPECT_EQ(g, b) << std::hex << p;
  }
}

TEST(NumberIconTest, TheMotherboardColourChangesOnlyTheDigits) {
  Win32Graphics graphics;
  tray::TrayIconStyle style;
  Size extent = graphics.TextExtent(style.Font(), "31");
  int x = tray::CentredOffset(extent.cx), y = tray::CentredOffset(extent.cy);
  auto cpu = graphics.NumberIcon(style.Font(), style.back_colour, style.cpu_colour, "31", x, y);
  auto mb = graphics.NumberIcon(style.Font(), style.back_colour, style.mb_colour, "31", x, y);
  ASSERT_TRUE(cpu && mb);
  std::vector<std::uint32_t> a = IconPixels(*cpu), b = IconPixels(*mb);
  ASSERT_EQ(a.size(), b.size());
  int differing = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == 0xFFFFFFu) {
      EXPECT_EQ(b[i], 0xFFFFFFu);
    } else if (a[i] == 0x0000FFu) {
      EXPECT_EQ(b[i], 0xFF0000u);
    }
    differing += a[i] != b[i];
  }
  EXPECT_GT(differing, 40);
}

TEST(NumberIconTest, ManyIconsMadeAndDroppedLeaveNoIconBehind) {
  Win32Graphics graphics;
  tray::TrayIconStyle style;
  HICON last = nullptr;
  for (int i = 0; i < 300; ++i) {
    auto icon = graphics.NumberIcon(style.Font(), style.back_colour, style.cpu_colour, "45", 1, 0);
    ASSERT_NE(icon, nullptr);
    last = reinterpret_cast<HICON>(icon->Handle());
  }
  ICONINFO info{};
  // The last icon was destroyed with its owner.
  EXPECT_FALSE(GetIconInfo(last, &info));
}

// An outline font is rendered at a whole number of pixels: at 96 dots per
// inch, 16 points (21.33 pixels) become 21 pixels, 15.75 points.
TEST(NumberIconTest, AnOutlineFontTakesWholePixelSizes) {
  Win32Graphics graphics;
  WindowDc screen(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen.Get(), LOGPIXELSY), 96);
  const struct {
    double requested, rendered;
  } cases[] = {{16, 15.75}, {17, 17.25}, {18, 18}, {24, 24}, {32, 32.25}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(graphics.RenderedSize({"Arial", c.requested, false}), c.rendered)
        << c.requested << " points";
}

// The "ButtonFace" swatch gives the icon a system colour: drawn as the system has it.
TEST(NumberIconTest, ASystemColourIsDrawnAsTheSystemHasIt) {
  Win32Graphics graphics;
  auto icon = graphics.NumberIcon({"Arial", 24, true}, 0x8000000F, 0x8000000F, "", 0, 0);
  ASSERT_NE(icon, nullptr);
  std::vector<std::uint32_t> px = IconPixels(*icon);
  ASSERT_EQ(px.size(), 32u * 32u);
  EXPECT_EQ(px[0], GetSysColor(COLOR_BTNFACE));
}

TEST(NumberIconTest, FontListHasTheTrayDefault) {
  Win32Graphics graphics;
  std::vector<std::string> fonts = graphics.FontNames();
  EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));
  // The tray icon's default font must be one the user can pick again in the list.
  const std::string default_font = tray::TrayIconStyle().font_name;
  EXPECT_NE(std::find(fonts.begin(), fonts.end(), default_font), fonts.end())
      << default_font << " is not among " << fonts.size() << " fonts";
}

// What the tray handed to the shell, recorded on the way to the real call.
std::vector<NOTIFYICONDATAA> sent_records;
BOOL WINAPI RecordingNotify(DWORD operation, PNOTIFYICONDATAA record) {
  sent_records.push_back(*record);
  return Shell_NotifyIconA(operation, record);
}

// The record must have the first version's size for this bitness (88 bytes in a 32-bit
// program, 104 in a 64-bit one). A wrong size still returns TRUE under 64-bit Wine, which only
// warns "Invalid cbSize" and goes on, so the size is checked on the record itself.
TEST(TrayTest, AddModifyDeleteWithTheFirstVersionRecord) {
  sent_records.clear();
  Win32Tray tray(&RecordingNotify);
  Win32Graphics graphics;
  tray::TrayIconStyle style;
  auto icon = graphics.NumberIcon(style.Font(), style.back_colour, style.cpu_colour, "45", 1, 0);
  std::string tip =
      "CPU:45\xC2\xB0"
      "C  MB:31\xC2\xB0"
      "C";
  tip += '\0';
  tip += std::string(64 - tip.size(), ' ');
  EXPECT_TRUE(tray.Add(nullptr, "Kelvane", [](int) {}));
  EXPECT_TRUE(tray.Modify(icon.get(), tip));
  EXPECT_TRUE(tray.Remove());
  // A second delete finds nothing to remove.
  EXPECT_FALSE(tray.Remove());

  ASSERT_EQ(sent_records.size(), 4u);
  const DWORD expected_size = sizeof(void*) == 4 ? 88 : 104;
  for (const NOTIFYICONDATAA& record : sent_records) {
    EXPECT_EQ(record.cbSize, expected_size);
    EXPECT_EQ(record.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(record.uID, 2u);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  }
  // The tip in the system code page, cut at its end: the degree sign is one byte.
  EXPECT_STREQ(sent_records[1].szTip,
               "CPU:45\xB0"
               "C  MB:31\xB0"
               "C");
  EXPECT_NE(sent_records[1].hIcon, nullptr);
}

TEST(TrayTest, CallbackMessagesReachTheHandlerWithTheMouseMessage) {
  Win32Tray tray;
  std::vector<int> seen;
  ASSERT_TRUE(tray.Add(nullptr, "Kelvane", [&](int m) { seen.push_back(m); }));
  // What the shell sends for a right click: WM_MOUSEMOVE, wParam the icon id.
  SendMessageA(tray.Window(), WM_MOUSEMOVE, 2, WM_RBUTTONUP);
  SendMessageA(tray.Window(), WM_MOUSEMOVE, 2, WM_LBUTTONDBLCLK);
  EXPECT_EQ(seen, (std::vector<int>{WM_RBUTTONUP, WM_LBUTTONDBLCLK}));
  int restarts = 0;
  tray.OnTaskbarRestart([&] { ++restarts; });
  SendMessageA(tray.Window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_EQ(restarts, 1);
  tray.Remove();
}

}  // namespace
}  // namespace kelvane::platform::win32
