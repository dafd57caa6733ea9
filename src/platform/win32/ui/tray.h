// The notification-area icon on Shell_NotifyIconA, with the first version of
// its record (a 64-character tip), which every Windows since 95 accepts.
#pragma once

#include <windows.h>
// <windows.h> first: shellapi.h builds on its types.
#include <shellapi.h>

#include <string>

#include "platform/graphics.h"
#include "platform/win32/handles.h"

namespace kelvane::platform::win32 {

class Win32Tray : public Tray {
 public:
  // The shell's call, replaceable so that a test can see the records it is given.
  using NotifyFunction = BOOL(WINAPI*)(DWORD operation, PNOTIFYICONDATAA record);

  explicit Win32Tray(NotifyFunction notify = &Shell_NotifyIconA);
  ~Win32Tray() override;
  Win32Tray(const Win32Tray&) = delete;
  Win32Tray& operator=(const Win32Tray&) = delete;

  bool Add(const Icon* icon, std::string_view tip, EventHandler on_event) override;
  bool Modify(const Icon* icon, std::string_view tip) override;
  bool Remove() override;
  void OnTaskbarRestart(std::function<void()> handler) override { restart_ = std::move(handler); }

  // The hidden window that receives the tray's messages.
  HWND Window() const { return window_.Get(); }

 private:
  // The hidden window, made at the first Add (a program that never adds an
  // icon makes none).
  void MakeWindow();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool Send(DWORD operation, const Icon* icon, std::string_view tip);

  NotifyFunction notify_;
  OwnedWindow window_;
  UINT taskbar_created_ = 0;
  EventHandler handler_;
  std::function<void()> restart_;
};

}  // namespace kelvane::platform::win32
