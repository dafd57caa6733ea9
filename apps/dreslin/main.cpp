// Dreslin.exe: removes Kelvane's stored settings, after asking.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "remover/remover.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  kelvane::platform::win32::Win32Platform win32;
  kelvane::platform::Platform& p = win32.Get();
  kelvane::remover::Outcome outcome =
      kelvane::remover::RunRemover({p.store, p.loop, p.desktop, p.clock});
  return outcome == kelvane::remover::Outcome::kFailed ? 1 : 0;
}
