// The Win32 message loop: window timers on a hidden message-only window,
// yielding to pending messages, message boxes and the program's main loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace kelvane::platform::win32 {

class Win32Loop final : public Loop {
 public:
  Win32Loop();
  ~Win32Loop() override;
  Win32Loop(const Win32Loop&) = delete;
  Win32Loop& operator=(const Win32Loop&) = delete;

  std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) override;
  void YieldToMessages() override;
  int ShowMessageBox(std::string_view text, std::string_view title, unsigned style) override;
  void Quit() override;

  // Runs the message loop until Quit (or WM_QUIT from anywhere) and returns the
  // exit code. Returns at once when a yield has already taken the WM_QUIT.
  int Run();

  // The hidden window that receives the timers' WM_TIMER messages.
  HWND MessageWindow() const { return window_.Get(); }

 private:
  friend class Win32Timer;
  using Callback = std::shared_ptr<const std::function<void()>>;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnTimer(UINT_PTR id);
  UINT_PTR AddTimer(Callback callback);
  void RemoveTimer(UINT_PTR id);

  OwnedWindow window_;
  // Live timers by id. Ids are never reused, so a WM_TIMER of a timer that is
  // already gone (posted before its KillTimer) finds nothing and is dropped.
  std::map<UINT_PTR, Callback> timers_;
  UINT_PTR next_timer_id_ = 1;
  bool quit_taken_ = false;
  int quit_code_ = 0;
};

}  // namespace kelvane::platform::win32
