// Foreign windows, the pointer and the screen through user32 and gdi32.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace kelvane::platform::win32 {

inline HWND ToHwnd(WindowId window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowId ToWindowId(HWND window) {
  return reinterpret_cast<WindowId>(window);
}

class Win32Desktop final : public Desktop {
 public:
  WindowId FindTopWindow(std::string_view class_name, std::string_view title) override;
  void EnumDescendants(WindowId parent, const std::function<bool(WindowId)>& visit) override;
  std::string WindowText(WindowId window, int buffer_chars) override;
  std::optional<Rect> WindowRect(WindowId window) override;
  bool IsWindow(WindowId window) override;
  bool ShowWindow(WindowId window, int command) override;
  bool SetForeground(WindowId window) override;
  WindowId Foreground() override;
  bool SetTopmost(WindowId window, bool topmost) override;
  void SendClose(WindowId window) override;
  bool IsHung(WindowId window) override;
  bool Answers(WindowId window, int timeout_ms) override;

  Point CursorPos() override;
  void SetCursorPos(Point p) override;
  void LeftButtonDown() override;
  void LeftButtonUp() override;
  void BlockInput(bool block) override;

  Rect WorkArea() override;
  Rect ScreenRect() override;
  Rect VirtualScreenRect() override;
  int TwipsPerPixelX() override;
  int TwipsPerPixelY() override;
  WindowId WindowFromPoint(Point p) override;
  std::optional<std::uint32_t> PixelAt(Point p) override;
  bool CaptureToBmp(const Rect& r, std::string_view path) override;
};

}  // namespace kelvane::platform::win32
