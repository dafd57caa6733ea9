// Every Win32 service, owned in one place and handed to the core as a Platform.
#pragma once

#include "platform/platform.h"
#include "platform/win32/clock.h"
#include "platform/win32/desktop.h"
#include "platform/win32/files.h"
#include "platform/win32/forms/win32_forms.h"
#include "platform/win32/graphics.h"
#include "platform/win32/loop.h"
#include "platform/win32/power.h"
#include "platform/win32/registry.h"
#include "platform/win32/settings_store.h"
#include "platform/win32/shell.h"
#include "platform/win32/sound.h"
#include "platform/win32/tray.h"

namespace kelvane::platform::win32 {

// Create it on the UI thread, before any window, and keep it for the whole run:
// the core's timers and mixers must be gone before it is.
class Win32Platform {
 public:
  Win32Platform()
      : platform_{clock_, loop_,  store_, registry_, desktop_,  files_,
                  shell_, sound_, power_, forms_,    graphics_, tray_} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

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
  // After the desktop, whose twips per pixel it uses.
  Win32Forms forms_{desktop_};
  Win32Graphics graphics_;
  // Its window is made when the icon is first added.
  Win32Tray tray_;
  kelvane::platform::Platform platform_;
};

}  // namespace kelvane::platform::win32
