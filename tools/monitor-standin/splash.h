// The splash window ("TSplashForm", "SplashForm") shown while the monitor starts.
#pragma once

#include <windows.h>

#include "paint.h"
#include "win_handles.h"

namespace kelvane::standin {

class Splash {
 public:
  static bool RegisterWindowClass(HINSTANCE instance);

  // Shows the splash centred on the screen; its progress bar fills over
  // duration_ms. A WM_CLOSE sent to it ends the program.
  Splash(HINSTANCE instance, DWORD duration_ms);
  Splash(const Splash&) = delete;
  Splash& operator=(const Splash&) = delete;

  HWND hwnd() const { return window_.get(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint(HDC dc) const;

  DWORD shown_at_;
  DWORD duration_ms_;
  Fonts fonts_;
  OwnedWindow window_;
};

}  // namespace kelvane::standin
