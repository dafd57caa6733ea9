// Helpers of the wine suite: a window of our own to point the desktop services
// at, message pumping with a deadline, and scratch folders.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace kelvane::wine_test {

// A top-level test window, painted red above its middle and blue below, that
// counts the left-button presses and releases in its client area.
class TestWindow {
 public:
  static constexpr char kClassName[] = "KelvaneWineTestWindow";
  static constexpr COLORREF kTopColour = RGB(255, 0, 0);
  static constexpr COLORREF kBottomColour = RGB(0, 0, 255);

  // `outer` is the window rectangle in screen pixels; `extra_style` is added to
  // WS_OVERLAPPEDWINDOW. Hidden until ShowOnTop().
  TestWindow(std::string_view title, const RECT& outer, DWORD extra_style = 0);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Get() const { return window_.Get(); }
  platform::WindowId Id() const { return reinterpret_cast<platform::WindowId>(window_.Get()); }

  // Shows the window on top of everything and waits until the screen shows its
  // colours; false when that does not happen within a few seconds.
  bool ShowOnTop();

  // A STATIC child of `parent` (this window when null) with this text.
  HWND AddChild(std::string_view text, HWND parent = nullptr);

  // The client area in screen pixels.
  RECT ClientOnScreen() const;

  struct Clicks {
    int presses = 0;
    int releases = 0;
    POINT last_press = {};
  };
  const Clicks& clicks() const { return clicks_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  Clicks clicks_;
  platform::win32::OwnedWindow window_;
};

// Pumps this thread's messages until `done` holds or `seconds` have passed;
// returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, double seconds);
// Pumps messages for `seconds`.
void PumpFor(double seconds);

// A fresh folder under the temporary folder, removed with its files when the
// object goes. The path ends in "\".
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The raw bytes of a file ("" when unreadable), without any conversion.
std::string ReadBytes(const std::string& path);

// Runs a command line, waits for it up to `seconds` and returns its exit code
// (-1 when it did not start or did not end in time).
int RunAndWait(const std::string& command_line, double seconds);

}  // namespace kelvane::wine_test
