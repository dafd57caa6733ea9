// The desktop services against windows this test creates: search, enumeration,
// texts, rectangles, z-order, the pointer, clicks, pixels and screen capture.
#include "platform/win32/desktop.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "wine_test_support.h"

namespace kelvane::platform::win32 {
namespace {

using platform::win32::WindowDc;
using wine_test::PumpUntil;
using wine_test::ReadBytes;
using wine_test::ScratchFolder;
using wine_test::TestWindow;

constexpr RECT kPlace = {200, 150, 520, 390};

TEST(DesktopTest, FindTopWindowByClassAndTitleByTitleOnlyAndByClassOnly) {
  Win32Desktop desktop;
  TestWindow window("Kelvane find 1", kPlace);  // hidden windows count
  const TestWindow other("Kelvane find 2", kPlace);
  EXPECT_EQ(desktop.FindTopWindow(TestWindow::kClassName, "Kelvane find 1"), window.Id());
  EXPECT_EQ(desktop.FindTopWindow("", "Kelvane find 2"), other.Id());
  const WindowId by_class = desktop.FindTopWindow(TestWindow::kClassName, "");
  EXPECT_TRUE(by_class == window.Id() || by_class == other.Id());
  EXPECT_EQ(desktop.FindTopWindow(TestWindow::kClassName, "Kelvane find 3"), kNoWindow);
  EXPECT_EQ(desktop.FindTopWindow("TMainForm", "Kelvane find 1"), kNoWindow);
  // Titles are compared whole and exactly, not as prefixes.
  EXPECT_EQ(desktop.FindTopWindow("", "Kelvane find"), kNoWindow);
}

TEST(DesktopTest, EnumDescendantsVisitsParentsBeforeChildrenInCreationOrder) {
  Win32Desktop desktop;
  TestWindow window("Kelvane enum", kPlace);
  const HWND panel = window.AddChild("panel");
  const HWND marker = window.AddChild("MonitorForm", panel);
  const HWND reading = window.AddChild("1,52", panel);
  const HWND after = window.AddChild("after");
  const std::vector<WindowId> expected = {ToWindowId(panel), ToWindowId(marker),
                                          ToWindowId(reading), ToWindowId(after)};

  std::vector<WindowId> visited;
  desktop.EnumDescendants(window.Id(), [&](WindowId child) {
    visited.push_back(child);
    return true;
  });
  EXPECT_EQ(visited, expected);

  // Returning false stops the walk at once.
  visited.clear();
  desktop.EnumDescendants(window.Id(), [&](WindowId child) {
    visited.push_back(child);
    return child != ToWindowId(marker);
  });
  EXPECT_EQ(visited, std::vector<WindowId>(expected.begin(), expected.begin() + 2));
}

TEST(DesktopTest, EnumDescendantsOfNoWindowOrAGoneOneVisitsNothing) {
  Win32Desktop desktop;
  WindowId gone;
  {
    TestWindow window("Kelvane gone", kPlace);
    window.AddChild("child");
    gone = window.Id();
  }
  int visits = 0;
  const auto count = [&](WindowId) { return ++visits, true; };
  desktop.EnumDescendants(gone, count);
  // With no parent, Windows' EnumChildWindows lists every top-level window
  // (Wine 8's lists nothing), so the service must not pass it on.
  desktop.EnumDescendants(kNoWindow, count);
  EXPECT_EQ(visits, 0);
}

TEST(DesktopTest, WindowTextReadsAtMostBufferMinusOneCharactersInUtf8) {
  Win32Desktop desktop;
  TestWindow window("Kelvane text", kPlace);
  const std::string long_text = [] {
    std::string text;
    for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 26);
    return text;
  }();
  const HWND long_child = window.AddChild(long_text);
  const HWND degree_child = window.AddChild(
      "45\xB0"
      "C");  // as the monitor sets it, code page 1252
  const HWND empty_child = window.AddChild("");

  const std::string read = desktop.WindowText(ToWindowId(long_child), 255);
  EXPECT_EQ(read, long_text.substr(0, 254));
  EXPECT_EQ(desktop.WindowText(ToWindowId(long_child), 3), "ab");
  EXPECT_EQ(desktop.WindowText(ToWindowId(long_child), 1), "");
  EXPECT_EQ(desktop.WindowText(ToWindowId(empty_child), 255), "");
  if (GetACP() == 1252) {
    EXPECT_EQ(desktop.WindowText(ToWindowId(degree_child), 255),
              "45\xC2\xB0"
              "C");
  }
  EXPECT_EQ(desktop.WindowText(window.Id(), 255), "Kelvane text");

  DestroyWindow(degree_child);
  EXPECT_EQ(desktop.WindowText(ToWindowId(degree_child), 255), "");
}

// A control whose text holds a NUL, as a window procedure answering WM_GETTEXT
// itself may give it: "45", NUL, "C".
LRESULT CALLBACK NulTextProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  static constexpr char kText[] = "45\0C";
  constexpr int kLength = 4;
  if (message == WM_GETTEXTLENGTH) return kLength;
  if (message == WM_GETTEXT) {
    const int copied = std::min(static_cast<int>(wparam) - 1, kLength);
    if (copied < 0) return 0;
    std::memcpy(reinterpret_cast<char*>(lparam), kText, static_cast<std::size_t>(copied));
    reinterpret_cast<char*>(lparam)[copied] = '\0';
    return copied;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST(DesktopTest, WindowTextKeepsTheNulsTheWindowGave) {
  Win32Desktop desktop;
  TestWindow window("Kelvane nul", kPlace);
  const HWND child = window.AddChild("");
  SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NulTextProc));
  EXPECT_EQ(desktop.WindowText(ToWindowId(child), 255), std::string("45\0C", 4));
  EXPECT_EQ(desktop.WindowText(ToWindowId(child), 4), std::string("45\0", 3));
}

TEST(DesktopTest, ShowTopmostForegroundAndRectangleOfAWindow) {
  Win32Desktop desktop;
  TestWindow window("Kelvane show", kPlace);
  EXPECT_FALSE(desktop.ShowWindow(window.Id(), sw::kShow));  // was hidden
  EXPECT_TRUE(desktop.ShowWindow(window.Id(), sw::kShowNormal));
  EXPECT_TRUE(IsWindowVisible(window.Get()));

  EXPECT_TRUE(desktop.SetTopmost(window.Id(), true));
  EXPECT_TRUE(GetWindowLongA(window.Get(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(desktop.SetTopmost(window.Id(), false));
  EXPECT_FALSE(GetWindowLongA(window.Get(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  EXPECT_TRUE(desktop.SetForeground(window.Id()));
  EXPECT_EQ(desktop.Foreground(), window.Id());

  // Topmost on and off keeps the window where it was put.
  PumpUntil([] { return false; }, 0.3);
  EXPECT_EQ(desktop.WindowRect(window.Id()),
            (Rect{kPlace.left, kPlace.top, kPlace.right, kPlace.bottom}));
  EXPECT_TRUE(desktop.IsWindow(window.Id()));

  EXPECT_TRUE(desktop.ShowWindow(window.Id(), sw::kHide));
  EXPECT_FALSE(IsWindowVisible(window.Get()));
}

TEST(DesktopTest, SendCloseReturnsWithTheWindowGone) {
  Win32Desktop desktop;
  TestWindow window("Kelvane close", kPlace);
  desktop.ShowWindow(window.Id(), sw::kShow);
  desktop.SendClose(window.Id());
  EXPECT_FALSE(desktop.IsWindow(window.Id()));
  EXPECT_EQ(desktop.WindowRect(window.Id()), std::nullopt);
  EXPECT_EQ(desktop.FindTopWindow(TestWindow::kClassName, "Kelvane close"), kNoWindow);
  EXPECT_FALSE(desktop.IsWindow(kNoWindow));
}

TEST(DesktopTest, ScreenWorkAreaAndTwips) {
  Win32Desktop desktop;
  const Rect screen = desktop.ScreenRect();
  const Rect work = desktop.WorkArea();
  EXPECT_EQ(screen.left, 0);
  EXPECT_EQ(screen.top, 0);
  EXPECT_GT(screen.Width(), 0);
  EXPECT_GT(screen.Height(), 0);
  EXPECT_GE(work.left, screen.left);
  EXPECT_GE(work.top, screen.top);
  EXPECT_LE(work.right, screen.right);
  EXPECT_LE(work.bottom, screen.bottom);
  EXPECT_GT(work.Width(), 0);
  EXPECT_GT(work.Height(), 0);
  // One monitor (the bench's Xvfb): the rectangle around all monitors is the
  // screen, which is what keeps the dashboards' reachability rule as it was.
  EXPECT_EQ(desktop.VirtualScreenRect(), screen);
  // Wine's screen is 96 dots per inch unless its settings say otherwise; a
  // Windows machine at 120 dots per inch gives 12.
  EXPECT_EQ(desktop.TwipsPerPixelX(), 15);
  EXPECT_EQ(desktop.TwipsPerPixelY(), 15);
}

TEST(DesktopTest, CursorMovesWhereToldAndAClickReachesTheWindowUnderIt) {
  Win32Desktop desktop;
  TestWindow window("Kelvane click", kPlace);
  ASSERT_TRUE(window.ShowOnTop());
  const RECT client = window.ClientOnScreen();
  const Point target{client.left + 40, client.top + 30};

  desktop.SetCursorPos(target);
  EXPECT_EQ(desktop.CursorPos(), target);
  desktop.BlockInput(true);  // no effect under Wine; must not disturb the click
  desktop.LeftButtonDown();
  desktop.LeftButtonUp();
  desktop.BlockInput(false);
  EXPECT_TRUE(PumpUntil([&] { return window.clicks().releases >= 1; }, 3.0));
  EXPECT_EQ(window.clicks().presses, 1);
  EXPECT_EQ(window.clicks().last_press.x, 40);
  EXPECT_EQ(window.clicks().last_press.y, 30);
}

TEST(DesktopTest, WindowFromPointAndPixelAtSeeTheWindowOnTop) {
  Win32Desktop desktop;
  TestWindow window("Kelvane pixel", kPlace);
  ASSERT_TRUE(window.ShowOnTop());
  const RECT client = window.ClientOnScreen();
  const int x = (client.left + client.right) / 2;
  const Point upper{x, client.top + 10};
  const Point lower{x, client.bottom - 10};
  EXPECT_EQ(desktop.WindowFromPoint(upper), window.Id());
  EXPECT_EQ(desktop.PixelAt(upper), std::optional<std::uint32_t>(0x0000FF));  // red
  EXPECT_EQ(desktop.PixelAt(lower), std::optional<std::uint32_t>(0xFF0000));  // blue
}

// The BMP written by CaptureToBmp, decoded just enough to check it.
struct Bmp {
  int width = 0;
  int height = 0;  // positive: bottom row first
  int bits = 0;
  std::string pixels;
  // The colour (red + 256 green + 65536 blue) at column x, row y from the top.
  std::uint32_t At(int x, int y) const {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t offset = stride * static_cast<std::size_t>(height - 1 - y) + 3u * x;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(pixels[offset + i]); };
    return byte(2) | byte(1) << 8 | byte(0) << 16;  // stored blue, green, red
  }
};

std::optional<Bmp> LoadBmp(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  if (bytes.size() < sizeof file + sizeof info) return std::nullopt;
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  if (file.bfType != 0x4D42 || file.bfSize != bytes.size()) return std::nullopt;
  return Bmp{info.biWidth, info.biHeight, info.biBitCount, bytes.substr(file.bfOffBits)};
}

TEST(CaptureTest, BmpHasTheRectanglesSizeAndTheScreensPixelsTopRowFirstOnScreen) {
  Win32Desktop desktop;
  ScratchFolder folder;
  TestWindow window("Kelvane capture", kPlace);
  ASSERT_TRUE(window.ShowOnTop());
  const RECT client = window.ClientOnScreen();
  // An odd width, so that every row carries padding.
  const Rect area{client.left + 10, client.top + 10, client.left + 10 + 123, client.bottom - 10};
  const std::string path = folder.path() + "db_capture.bmp";

  ASSERT_TRUE(desktop.CaptureToBmp(area, path));
  const std::optional<Bmp> bmp = LoadBmp(path);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, area.Width());
  EXPECT_EQ(bmp->height, area.Height());
  EXPECT_EQ(bmp->bits, 24);
  EXPECT_EQ(bmp->At(0, 0), 0x0000FFu);                             // top left: red
  EXPECT_EQ(bmp->At(bmp->width - 1, bmp->height - 1), 0xFF0000u);  // bottom right: blue

  // A second capture under the same name replaces the first.
  ASSERT_TRUE(desktop.CaptureToBmp(Rect{0, 0, 7, 5}, path));
  const std::optional<Bmp> small = LoadBmp(path);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->width, 7);
  EXPECT_EQ(small->height, 5);
}

TEST(CaptureTest, EmptyRectangleOrUnwritablePathFails) {
  Win32Desktop desktop;
  ScratchFolder folder;
  EXPECT_FALSE(desktop.CaptureToBmp(Rect{10, 10, 10, 50}, folder.path() + "a.bmp"));
  EXPECT_FALSE(desktop.CaptureToBmp(Rect{10, 10, 50, 5}, folder.path() + "b.bmp"));
  EXPECT_FALSE(desktop.CaptureToBmp(Rect{0, 0, 8, 8}, folder.path() + "NoFolder\\c.bmp"));
}

// Where the DC of the window under the point has no pixel, PixelAt reads the
// screen instead. On Windows that is a window's caption and frame; under Wine
// with a window manager the caption belongs to the desktop window there
// (WindowFromPoint gives the desktop), so a scroll bar, which Wine draws itself
// outside the client area, serves as the place. Either way the colour must be
// the screen's, as a capture of the same spot shows it.
TEST(CaptureTest, PixelAtOutsideAnyClientAreaAgreesWithACapture) {
  Win32Desktop desktop;
  ScratchFolder folder;
  TestWindow window("Kelvane frame", kPlace, WS_VSCROLL);
  ASSERT_TRUE(window.ShowOnTop());
  const RECT client = window.ClientOnScreen();
  const Point scroll_bar{client.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
                         (client.top + client.bottom) / 2};
  const Point caption{kPlace.left + 60, kPlace.top + 8};
  {
    ASSERT_EQ(desktop.WindowFromPoint(scroll_bar), window.Id());
    const WindowDc dc(window.Get());
    ASSERT_EQ(GetPixel(dc.Get(), scroll_bar.x - client.left, scroll_bar.y - client.top),
              CLR_INVALID)
        << "the window's own DC reads the scroll bar: the fallback is not exercised";
  }
  for (const Point& p : {scroll_bar, caption}) {
    SCOPED_TRACE(::testing::Message() << p.x << "," << p.y);
    // The window manager repaints its caption when the focus moves (active and
    // inactive colours differ), so compare a capture with a read of the same
    // spot that did not change around it.
    for (int attempt = 0; attempt < 20; ++attempt) {
      const std::optional<std::uint32_t> pixel = desktop.PixelAt(p);
      ASSERT_TRUE(pixel);
      const std::string path = folder.path() + "spot.bmp";
      ASSERT_TRUE(desktop.CaptureToBmp(Rect{p.x, p.y, p.x + 1, p.y + 1}, path));
      const std::optional<Bmp> bmp = LoadBmp(path);
      ASSERT_TRUE(bmp);
      if (desktop.PixelAt(p) != pixel && attempt < 19) {
        Sleep(100);
        continue;
      }
      EXPECT_EQ(bmp->At(0, 0), *pixel);
      break;
    }
  }
}

}  // namespace
}  // namespace kelvane::platform::win32
