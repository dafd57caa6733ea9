// Dreslin.exe: removes Kelvane's stored settings, after asking.
#include <windows.h>

#include "platform/win32/win32_services.h"
#include "remover/remover.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Message boxes are all it shows: the platform's do-nothing windows, icon
  // drawing and tray serve it.
  kelvane::platform::win32::Win32Services win32;
  kelvane::platform::Platform& p = win32.Get();
  kelvane::remover::Outcome outcome =
      kelvane::remover::RunRemover({p.store, p.loop, p.desktop, p.clock});
  return outcome == kelvane::remover::Outcome::kFailed ? 1 : 0;
}
