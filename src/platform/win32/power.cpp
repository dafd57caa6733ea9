#include "platform/win32/power.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace kelvane::platform::win32 {

std::uint32_t Win32Power::Version() {
  return GetVersion();
}

void Win32Power::EnableShutdownPrivilege() {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                        token.Receive())) {
    return;
  }
  TOKEN_PRIVILEGES wanted = {};
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &wanted.Privileges[0].Luid)) return;
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous = {};
  DWORD previous_size = 0;
  AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof previous, &previous, &previous_size);
}

bool Win32Power::ExitWindowsWith(std::uint32_t flags) {
  return ExitWindowsEx(flags, 0) != FALSE;
}

}  // namespace kelvane::platform::win32
