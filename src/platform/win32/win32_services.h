// The Win32 services that need no window of the program's own, owned in one
// place. Dreslin runs on these alone: its Platform shows no windows, draws no
// icon and has no tray icon. Kelvane adds the rest (ui/win32_platform.h).
#pragma once

#include "platform/platform.h"
#include "platform/win32/clock.h"
#include "platform/win32/desktop.h"
#include "platform/win32/files.h"
#include "platform/win32/loop.h"
#include "platform/win32/power.h"
#include "platform/win32/registry.h"
#include "platform/win32/settings_store.h"
#include "platform/win32/shell.h"
#include "platform/win32/sound.h"

namespace kelvane::platform::win32 {

// Create it on the UI thread, before any window, and keep it for the whole run:
// the core's timers and mixers must be gone before it is.
class Win32Services {
 public:
  Win32Services()
      : platform_{clock_, loop_, store_, registry_, desktop_, files_, shell_, sound_, power_} {}
  Win32Services(const Win32Services&) = delete;
  Win32Services& operator=(const Win32Services&) = delete;

  // The services, with the do-nothing Forms, Graphics and Tray.
  kelvane::platform::Platform& Get() { return platform_; }
  // The message loop itself, for the program's main loop (Run).
  Win32Loop& MessageLoop() { return loop_; }

 private:
  Win32Clock clock_;
  Win32Loop loop_;
  Win32SettingsStore store_;
  Win32Registry registry_;
  Win32Desktop desktop_;
  Win32Files files_;
  Win32Shell shell_;
  Win32Sound sound_;
  Win32Power power_;
  kelvane::platform::Platform platform_;
};

}  // namespace kelvane::platform::win32
