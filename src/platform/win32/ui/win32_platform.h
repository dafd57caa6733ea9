// Every Win32 service, the visible ones included (the renderer of the form
// model, icon drawing, the tray icon), handed to the core as one Platform.
#pragma once

#include "platform/platform.h"
#include "platform/win32/ui/forms/win32_forms.h"
#include "platform/win32/ui/graphics.h"
#include "platform/win32/ui/tray.h"
#include "platform/win32/win32_services.h"

namespace kelvane::platform::win32 {

// Create it on the UI thread, before any window, and keep it for the whole run:
// the core's timers and mixers must be gone before it is.
class Win32Platform {
 public:
  Win32Platform() : platform_(WithWindows(services_.Get())) {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  kelvane::platform::Platform& Get() { return platform_; }
  // The message loop itself, for the program's main loop (Run).
  Win32Loop& MessageLoop() { return services_.MessageLoop(); }

 private:
  kelvane::platform::Platform WithWindows(const kelvane::platform::Platform& s) {
    return {s.clock, s.loop,  s.store, s.registry, s.desktop, s.files,
            s.shell, s.sound, s.power, forms_,     graphics_, tray_};
  }

  Win32Services services_;
  // After the services: it uses the desktop's twips per pixel.
  Win32Forms forms_{services_.Get().desktop};
  Win32Graphics graphics_;
  // Its window is made when the icon is first added.
  Win32Tray tray_;
  kelvane::platform::Platform platform_;
};

}  // namespace kelvane::platform::win32
