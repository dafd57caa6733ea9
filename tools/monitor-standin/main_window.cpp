#include "main_window.h"

#include <cstdio>
#include <cwchar>
#include <string_view>

namespace kelvane::standin {

namespace {

constexpr char kMainClass[] = "TMainForm";
constexpr char kMainTitle[] = "Asus Probe 2";
constexpr char kPageClass[] = "TMonitorForm";
constexpr char kMarkerText[] = "MonitorForm";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 1000;
constexpr int kFirstButtonId = 100;
constexpr int kPageId = 200;
constexpr int kFirstReadingId = 300;

int LowX(LPARAM lparam) {
  return static_cast<short>(LOWORD(lparam));
}
int HighY(LPARAM lparam) {
  return static_cast<short>(HIWORD(lparam));
}

std::wstring Widen(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  return wide;
}

const wchar_t* UnitText(Reading reading) {
  switch (UnitOf(reading)) {
    case Unit::kCelsius:
      return L"\u00B0C";
    case Unit::kRpm:
      return L"rpm";
    case Unit::kVolt:
      break;
  }
  return L"V";
}

Box Inset(const Box& box, int left, int top, int right, int bottom) {
  return {box.left + left, box.top + top, box.right - right, box.bottom - bottom};
}

MainWindow* Self(HWND hwnd) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Keeps the creating MainWindow in the window's user data from WM_NCCREATE on.
void Attach(HWND hwnd, LPARAM lparam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

}  // namespace

bool MainWindow::RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXA main{};
  main.cbSize = sizeof(main);
  main.lpfnWndProc = MainProc;
  main.hInstance = instance;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  main.lpszClassName = kMainClass;
  WNDCLASSEXA page = main;
  page.lpfnWndProc = PageProc;
  page.hIcon = nullptr;
  page.lpszClassName = kPageClass;
  return RegisterClassExA(&main) != 0 && RegisterClassExA(&page) != 0;
}

MainWindow::MainWindow(HINSTANCE instance, MainWindowSettings settings)
    : settings_(std::move(settings)), display_brush_(CreateSolidBrush(colour::kDisplay)) {
  // No system frame: the caption is painted, so every clickable place is ours.
  // Under Wine a system caption would belong to the X window manager, and
  // clicks on it would never reach the program. WS_SYSMENU keeps the window
  // managed (taskbar, focus) all the same.
  window_.reset(CreateWindowExA(WS_EX_APPWINDOW, kMainClass, kMainTitle,
                                WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                settings_.x, settings_.y, kWindowWidth, kWindowHeight, nullptr,
                                nullptr, instance, this));
  if (!window_) return;
  CreateButtons(hwnd());
  Refresh();
  SelectPage(settings_.monitor_page_at_start ? Page::kMonitor : Page::kOverview);
  SetTimer(hwnd(), kRefreshTimer, kRefreshMs, nullptr);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
  PlaceAtRequestedCorner();
}

// A window manager may pull a new window fully onto the screen when it maps
// it, but a program that moves its window afterwards is obeyed: "--at -4,0"
// must leave the window partly off screen.
void MainWindow::PlaceAtRequestedCorner() {
  SetWindowPos(hwnd(), nullptr, settings_.x, settings_.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::CreateButtons(HWND hwnd) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ControlPlace& place = kControls[i];
    if (place.painted) continue;
    // Push-like radio buttons: the page shown stays pressed.
    buttons_[i] = CreateWindowExA(
        0, "BUTTON", std::string(place.caption).c_str(),
        WS_CHILD | WS_VISIBLE | BS_PUSHLIKE | BS_RADIOBUTTON, place.box.left, place.box.top,
        place.box.Width(), place.box.Height(), hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)), instance, nullptr);
    SendMessageA(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.label.get()), FALSE);
  }
}

// The marker window and its nine reading windows, created in reading order and
// before anything else inside the marker, so that enumerating the main window's
// descendants meets the marker and then exactly these nine.
void MainWindow::CreateMonitorPage() {
  if (page_ != nullptr) return;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd(), GWLP_HINSTANCE));
  page_ = CreateWindowExA(0, kPageClass, settings_.marker ? kMarkerText : "Monitor",
                          WS_CHILD | WS_CLIPCHILDREN, kPageArea.left, kPageArea.top,
                          kPageArea.Width(), kPageArea.Height(), hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageId)), instance, this);
  if (page_ == nullptr) return;
  for (int i = 0; i < settings_.readings && i < static_cast<int>(kReadingCount); ++i) {
    // Inside the painted display box, with a little room on the right.
    const Box box = Inset(ReadingValueBox(static_cast<Reading>(i)), 2, 2, 6, 2);
    reading_windows_[i] = CreateWindowExA(
        0, "STATIC", texts_[i].c_str(), WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_CENTERIMAGE, box.left,
        box.top, box.Width(), box.Height(), page_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstReadingId + i)), instance, nullptr);
    SendMessageA(reading_windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.value.get()),
                 FALSE);
    shown_[i] = texts_[i];
  }
}

void MainWindow::SelectPage(Page page) {
  if (page == Page::kMonitor) CreateMonitorPage();
  page_shown_ = page;
  // SW_SHOWNA and SW_HIDE leave a child's place in the z-order, and with it
  // the enumeration order, alone.
  if (page_ != nullptr) ShowWindow(page_, page == Page::kMonitor ? SW_SHOWNA : SW_HIDE);
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (buttons_[i] == nullptr) continue;
    const bool on = static_cast<int>(kControls[i].control) == static_cast<int>(page);
    SendMessageA(buttons_[i], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  const RECT area = ToRect(kPageArea);
  InvalidateRect(hwnd(), &area, TRUE);
}

void MainWindow::Refresh() {
  const double seconds = static_cast<DWORD>(GetTickCount() - settings_.start_tick) / 1000.0;
  settings_.source->Refresh(texts_, seconds);
  GetLocalTime(&updated_);
  for (std::size_t i = 0; i < kReadingCount; ++i) {
    if (reading_windows_[i] != nullptr && shown_[i] != texts_[i]) {
      SetWindowTextA(reading_windows_[i], texts_[i].c_str());
      shown_[i] = texts_[i];
    }
  }
  if (!hwnd()) return;
  const RECT status = ToRect(kStatusBar);
  InvalidateRect(hwnd(), &status, FALSE);
  if (page_shown_ != Page::kMonitor) {
    const RECT area = ToRect(kPageArea);
    InvalidateRect(hwnd(), &area, FALSE);
  }
}

void MainWindow::OnCaptionButton(Control control) {
  switch (control) {
    case Control::kAbout: {
      about_since_ = GetTickCount() | 1;
      const RECT status = ToRect(kStatusBar);
      InvalidateRect(hwnd(), &status, FALSE);
      break;
    }
    case Control::kMinimise:
      ShowWindow(hwnd(), SW_MINIMIZE);
      break;
    case Control::kClose:
      PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainWindow::MainProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) Attach(hwnd, lparam);
  MainWindow* self = Self(hwnd);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  return self->OnMain(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::PageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) Attach(hwnd, lparam);
  MainWindow* self = Self(hwnd);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  return self->OnPage(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::OnMain(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
      ScopedPaint paint(hwnd);
      PaintMain(paint.dc());
      return 0;
    }
    case WM_TIMER:
      if (wparam == kRefreshTimer) Refresh();
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wparam) - kFirstButtonId;
      if (HIWORD(wparam) == BN_CLICKED && id >= 0 && id < static_cast<int>(kControls.size())) {
        const Control control = kControls[id].control;
        // Pages are listed in the same order as their buttons.
        SelectPage(static_cast<Page>(static_cast<int>(control)));
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      const int x = LowX(lparam);
      const int y = HighY(lparam);
      const std::optional<Control> control = ControlAt(x, y);
      if (control && PlaceOf(*control).painted) {
        pressed_ = control;
        SetCapture(hwnd);
      } else if (kCaptionBar.Contains(x, y)) {
        dragging_ = true;
        drag_from_ = {x, y};
        SetCapture(hwnd);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT at;
        GetCursorPos(&at);
        SetWindowPos(hwnd, nullptr, at.x - drag_from_.x, at.y - drag_from_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_LBUTTONUP: {
      const std::optional<Control> pressed = pressed_;
      const bool released_on_it = pressed && ControlAt(LowX(lparam), HighY(lparam)) == pressed;
      pressed_.reset();
      dragging_ = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      if (released_on_it) OnCaptionButton(*pressed);
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_.reset();
      dragging_ = false;
      return 0;
    case WM_CLOSE:
      window_.reset();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // Destroyed by the system rather than through window_: forget it.
      window_.release();
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::OnPage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      ScopedPaint paint(hwnd);
      PaintMonitorPage(paint.dc());
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, colour::kDisplayText);
      SetBkColor(dc, colour::kDisplay);
      return reinterpret_cast<LRESULT>(display_brush_.get());
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      page_ = nullptr;
      reading_windows_.fill(nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

void MainWindow::PaintMain(HDC dc) {
  PaintCaption(dc);
  FillBox(dc, kToolBar, colour::kBar);
  DrawTextIn(dc, {12, kToolBar.top, 102, kToolBar.bottom}, "View", fonts_.heading.get(),
             colour::kText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  DrawTextIn(dc, {210, kToolBar.top, kWindowWidth - 12, kToolBar.bottom},
             "Readings: " + settings_.source->Describe(), fonts_.label.get(), colour::kDimText,
             DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  FillBox(dc, {0, kToolBar.bottom, kWindowWidth, kPageArea.top}, colour::kFace);
  DrawTextIn(dc, {12, kTabRow.top, 108, kTabRow.bottom - 4}, "Pages", fonts_.heading.get(),
             colour::kText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  FillBox(dc, {8, kTabRow.bottom - 2, kWindowWidth - 8, kTabRow.bottom}, colour::kCaption);
  FillBox(dc, {0, kPageArea.top, kPageArea.left, kStatusBar.top}, colour::kFace);
  FillBox(dc, {kPageArea.right, kPageArea.top, kWindowWidth, kStatusBar.top}, colour::kFace);
  FillBox(dc, {kPageArea.left, kPageArea.bottom, kPageArea.right, kStatusBar.top}, colour::kFace);
  if (page_shown_ != Page::kMonitor || page_ == nullptr) PaintPageText(dc);
  PaintStatus(dc);
  FrameBox(dc, {0, 0, kWindowWidth, kWindowHeight}, colour::kCaption);
}

void MainWindow::PaintCaption(HDC dc) {
  FillBox(dc, kCaptionBar, colour::kCaption);
  // A small gauge as the program's mark.
  FillBox(dc, {10, 8, 26, 24}, colour::kDisplay);
  FillBox(dc, {13, 17, 16, 21}, colour::kDisplayText);
  FillBox(dc, {17, 14, 20, 21}, colour::kDisplayText);
  FillBox(dc, {21, 11, 24, 21}, colour::kDisplayText);
  DrawTextIn(dc, {34, 0, 400, kCaptionBar.bottom}, kMainTitle, fonts_.caption.get(),
             colour::kCaptionText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  for (const ControlPlace& place : kControls) {
    if (!place.painted) continue;
    const bool down = pressed_ == place.control;
    FillBox(dc, place.box, down ? colour::kCaption : colour::kCaptionButton);
    FrameBox(dc, place.box, colour::kEdge);
    DrawTextIn(dc, place.box, place.caption, fonts_.caption.get(), colour::kCaptionText,
               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void MainWindow::PaintPageText(HDC dc) {
  FillBox(dc, kPageArea, colour::kPanel);
  FrameBox(dc, kPageArea, colour::kEdge);
  const auto line_box = [](int line) {
    const int top = kPageArea.top + 40 + line * 24;
    return Box{kPageArea.left + 20, top, kPageArea.right - 20, top + 22};
  };
  const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
  const auto line = [&](int n, const std::wstring& text) {
    DrawWideIn(dc, line_box(n), text, fonts_.label.get(), colour::kText, format);
  };
  const auto value = [&](Reading r) { return Widen(texts_[r]) + L" " + UnitText(r); };
  std::wstring heading;
  switch (page_shown_) {
    case Page::kOverview:
    case Page::kMonitor:  // the page window failed to appear: show what it would
      heading = L"Overview";
      line(0, L"CPU Temp: " + value(kCpuTemp) + L"     MB Temp: " + value(kMbTemp));
      line(1, L"CPU Fan: " + value(kCpuFan) + L"     Chassis Fan: " + value(kChassisFan) +
                  L"     Power Fan: " + value(kPowerFan));
      line(2, L"CPU Core: " + value(kVCore) + L"     +5V: " + value(kV5) + L"     +3.3V: " +
                  value(kV33) + L"     +12V: " + value(kV12));
      line(4, L"The Monitor page shows every reading in its own window.");
      break;
    case Page::kUsage: {
      const DWORD s = (GetTickCount() - settings_.start_tick) / 1000;
      wchar_t uptime[64];
      std::swprintf(uptime, 64, L"Running for %lu:%02lu:%02lu",
                    static_cast<unsigned long>(s / 3600), static_cast<unsigned long>(s / 60 % 60),
                    static_cast<unsigned long>(s % 60));
      heading = L"Usage";
      line(0, uptime);
      line(1, L"Readings are refreshed every second.");
      break;
    }
    case Page::kConfig: {
      heading = L"Config";
      line(0, L"Readings from: " + Widen(settings_.source->Describe()));
      wchar_t at[64];
      std::swprintf(at, 64, L"Window placed at: %d, %d", settings_.x, settings_.y);
      line(1, at);
      line(2, L"Reading windows: " + std::to_wstring(settings_.readings) + L" of 9, marker: " +
                  (settings_.marker ? L"\"MonitorForm\"" : L"none"));
      line(3, L"Clicks log: " + (settings_.clicks_log.empty() ? std::wstring(L"none")
                                                              : Widen(settings_.clicks_log)));
      break;
    }
    case Page::kInfo:
      heading = L"Info";
      line(0, L"Asus Probe 2 (stand-in monitor)");
      line(1, L"Shows hardware readings in its own windows, for programs that read them.");
      line(2, L"Sources: a feed file, a Linux hwmon tree, or synthetic readings.");
      break;
  }
  DrawWideIn(dc,
             {kPageArea.left + 20, kPageArea.top + 10, kPageArea.right - 20, kPageArea.top + 34},
             heading, fonts_.heading.get(), colour::kCaption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

std::string MainWindow::StatusText() const {
  // The about line stays for a few seconds; the refresh puts the status back.
  if (about_since_ != 0 && GetTickCount() - about_since_ < 5000) {
    return "Asus Probe 2 - hardware monitor (stand-in). Readings refresh every second.";
  }
  char text[160];
  std::snprintf(text, sizeof(text), "Updated %02d:%02d:%02d     Reading windows: %d     Clicks: %d",
                updated_.wHour, updated_.wMinute, updated_.wSecond,
                page_ != nullptr ? settings_.readings : 0, clicks_);
  return text;
}

void MainWindow::PaintStatus(HDC dc) {
  FillBox(dc, kStatusBar, colour::kBar);
  FillBox(dc, {0, kStatusBar.top, kWindowWidth, kStatusBar.top + 1}, colour::kEdge);
  DrawTextIn(dc, Inset(kStatusBar, 12, 0, 12, 0), StatusText(), fonts_.label.get(), colour::kText,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void MainWindow::PaintMonitorPage(HDC dc) {
  const Box page{0, 0, kPageArea.Width(), kPageArea.Height()};
  FillBox(dc, page, colour::kFace);
  for (int p = 0; p < kPanelCount; ++p) {
    const Box panel = PanelBox(p);
    FillBox(dc, panel, colour::kPanel);
    FrameBox(dc, panel, colour::kEdge);
    FillBox(dc, {panel.left, panel.top, panel.right, panel.top + 24}, colour::kBar);
    DrawTextIn(dc, Inset(panel, 10, 0, 10, panel.Height() - 24), PanelTitle(p),
               fonts_.heading.get(), colour::kCaption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  for (std::size_t i = 0; i < kReadingCount; ++i) {
    const auto r = static_cast<Reading>(i);
    const bool has_window = reading_windows_[i] != nullptr;
    DrawTextIn(dc, ReadingCaptionBox(r), ReadingCaption(r), fonts_.label.get(), colour::kText,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const Box value = ReadingValueBox(r);
    FillBox(dc, value, has_window ? colour::kDisplay : colour::kBar);
    FrameBox(dc, value, colour::kEdge);
    if (!has_window) {
      DrawTextIn(dc, value, "--", fonts_.value.get(), colour::kDimText,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DrawWideIn(dc, ReadingUnitBox(r), UnitText(r), fonts_.label.get(), colour::kText,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

}  // namespace kelvane::standin
