#include "platform/win32/registry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

// The 64-bit build reads the machine values that the 32-bit build would see on 64-bit Windows:
// the monitor is a 32-bit program, and its installer writes its record into the 32-bit view of
// SOFTWARE (HARDWARE, where the processor's values are, is the same in both views). The 32-bit
// build keeps the plain access, which on 64-bit Windows is that view anyway.
LONG OpenMachineKey(const std::string& path, HKEY* key) {
#ifdef _WIN64
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key);
#else
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key);
#endif
}

}  // namespace

std::string Win32Registry::MachineText(std::string_view key_path, std::string_view value_name) {
  RegKey key;
  if (OpenMachineKey(Utf8ToAcp(key_path), key.Receive()) != ERROR_SUCCESS) {
    return {};
  }
  // First the size, then the data into a buffer of that size.
  const std::string name = Utf8ToAcp(value_name);
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) !=
          ERROR_SUCCESS ||
      size == 0) {
    return {};
  }
  std::vector<char> data(size, '\0');
  if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  std::string_view text(data.data(), size);
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  return AcpToUtf8(text);
}

std::uint32_t Win32Registry::MachineDword(std::string_view key_path, std::string_view value_name) {
  HKEY key = nullptr;
#ifdef _WIN64
  const LONG opened = OpenMachineKey(Utf8ToAcp(key_path), &key);
#else
  const LONG opened = RegOpenKeyA(HKEY_LOCAL_MACHINE, Utf8ToAcp(key_path).c_str(), &key);
#endif
  if (opened != ERROR_SUCCESS) {
    return 0;
  }
  // For an empty path RegOpenKeyA hands back the root itself, which is not ours to close.
  const RegKey owner(key == HKEY_LOCAL_MACHINE ? nullptr : key);
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, Utf8ToAcp(value_name).c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
    return 0;
  }
  return value;
}

}  // namespace kelvane::platform::win32
