// The monitor's main window ("TMainForm", "Asus Probe 2"): a painted caption,
// page buttons at the places a waking program clicks, and the monitor page:
// the marker window "MonitorForm" holding the nine reading windows.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "layout.h"
#include "paint.h"
#include "sensors.h"
#include "win_handles.h"

namespace kelvane::standin {

struct MainWindowSettings {
  int x = 100;  // top-left corner on the screen
  int y = 80;
  bool monitor_page_at_start = false;  // otherwise it appears on its button's click
  bool marker = true;                  // the page's text is "MonitorForm"
  int readings = 9;                    // reading windows on the page, 0 to 9
  std::unique_ptr<SensorSource> source;
  DWORD start_tick = 0;    // GetTickCount at program start: the sources' time base
  std::string clicks_log;  // shown to people on the Config page
};

class MainWindow {
 public:
  static bool RegisterClasses(HINSTANCE instance);

  // Creates and shows the window; hwnd() is null when that failed.
  MainWindow(HINSTANCE instance, MainWindowSettings settings);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND hwnd() const { return window_.get(); }
  // Counts a left click received anywhere in the window (shown in the status bar).
  void NoteClick() { ++clicks_; }

 private:
  enum class Page { kOverview, kMonitor, kUsage, kConfig, kInfo };

  static LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMain(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnPage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  void PlaceAtRequestedCorner();
  void CreateButtons(HWND hwnd);
  void CreateMonitorPage();
  void SelectPage(Page page);
  void Refresh();
  void OnCaptionButton(Control control);

  void PaintMain(HDC dc);
  void PaintCaption(HDC dc);
  void PaintPageText(HDC dc);
  void PaintStatus(HDC dc);
  void PaintMonitorPage(HDC dc);
  std::string StatusText() const;

  MainWindowSettings settings_;
  Fonts fonts_;
  OwnedBrush display_brush_;  // behind the reading windows' texts
  OwnedWindow window_;
  HWND page_ = nullptr;  // the marker window; a child, owned by window_
  std::array<HWND, kReadingCount> reading_windows_{};  // children of page_
  std::array<HWND, kControls.size()> buttons_{};       // children of window_
  Page page_shown_ = Page::kOverview;
  ReadingTexts texts_;
  ReadingTexts shown_;  // what the reading windows hold now
  SYSTEMTIME updated_{};
  int clicks_ = 0;
  DWORD about_since_ = 0;  // when "?" was last clicked; 0: never

  // Pointer state: a painted caption button held down, or a drag by the caption.
  std::optional<Control> pressed_;
  bool dragging_ = false;
  POINT drag_from_{};  // the pointer's offset from the window's corner
};

}  // namespace kelvane::standin
