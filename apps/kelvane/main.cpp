// Kelvane.exe: the tray add-on for the hardware monitor.
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "app/app.h"
#include "platform/win32/handles.h"
#include "platform/win32/ui/win32_platform.h"

namespace {

// Another copy holds this name for as long as it runs.
constexpr char kInstanceMutex[] = "Marrowby.Kelvane.SingleInstance";

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_USEREX_CLASSES;
  InitCommonControlsEx(&controls);  // a failure is harmless

  kelvane::platform::win32::KernelHandle instance(CreateMutexA(nullptr, FALSE, kInstanceMutex));
  // A copy run with other rights (elevated, or by another user in the same
  // session) holds a mutex this one may not open: that copy runs too.
  const DWORD error = GetLastError();
  const bool another_copy =
      error == ERROR_ALREADY_EXISTS || (!instance && error == ERROR_ACCESS_DENIED);

  kelvane::platform::win32::Win32Platform win32;
  {
    kelvane::KelvaneApp app({win32.Get(), another_copy});
    app.Start();
    if (!app.Ended()) win32.MessageLoop().Run();
  }
  return 0;
}
