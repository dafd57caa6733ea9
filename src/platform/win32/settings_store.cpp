#include "platform/win32/settings_store.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

// The key path below HKEY_CURRENT_USER, in the system code page.
std::string SectionPath(std::string_view app, std::string_view section) {
  return std::string(kSettingsRoot) + "\\" + Utf8ToAcp(app) + "\\" + Utf8ToAcp(section);
}

StoreResult Failed(LONG error) {
  return {StoreStatus::kFailed, ErrorText(error)};
}

// An empty name would address the parent key itself (and a removal would take
// the whole application's settings with it), so names must not be empty.
bool AnyEmpty(std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (name.empty()) return true;
  }
  return false;
}

StoreResult EmptyName() {
  return Failed(ERROR_INVALID_PARAMETER);
}

// Deletes `name` under `parent` with every key below it. XP has no
// RegDeleteTree, and RegDeleteKey refuses a key that still has subkeys, so the
// subkeys go first, deepest first.
LONG DeleteKeyTree(HKEY parent, const std::string& name) {
  RegKey key;
  LONG status = RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, key.Receive());
  if (status != ERROR_SUCCESS) return status;
  for (;;) {
    char child[MAX_PATH + 1];
    DWORD length = sizeof child;
    // Always index 0: each deletion moves the next subkey to the front.
    status = RegEnumKeyExA(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) return status;
    status = DeleteKeyTree(key.Get(), std::string(child, length));
    if (status != ERROR_SUCCESS) return status;
  }
  key.Reset();
  return RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

std::string ErrorText(unsigned long error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (buffer) {
    text.assign(buffer, length);
    LocalFree(buffer);
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  if (text.empty()) return "Error " + std::to_string(error);
  return AcpToUtf8(text);
}

StoreRead Win32SettingsStore::Read(std::string_view app, std::string_view section,
                                   std::string_view key) {
  if (AnyEmpty({app, section, key})) {
    return {StoreStatus::kFailed, {}, ErrorText(ERROR_INVALID_PARAMETER)};
  }
  RegKey section_key;
  LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(app, section).c_str(), 0,
                              KEY_QUERY_VALUE, section_key.Receive());
  if (status == ERROR_FILE_NOT_FOUND) return {StoreStatus::kMissing, {}, {}};
  if (status != ERROR_SUCCESS) return {StoreStatus::kFailed, {}, ErrorText(status)};

  const std::string name = Utf8ToAcp(key);
  DWORD type = 0;
  DWORD size = 0;
  status = RegQueryValueExA(section_key.Get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return {StoreStatus::kMissing, {}, {}};
  if (status != ERROR_SUCCESS) return {StoreStatus::kFailed, {}, ErrorText(status)};
  // Only text values are settings; anything else reads as absent.
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {StoreStatus::kMissing, {}, {}};

  std::vector<char> data(size + 1, '\0');
  status = RegQueryValueExA(section_key.Get(), name.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &size);
  if (status != ERROR_SUCCESS) return {StoreStatus::kFailed, {}, ErrorText(status)};
  std::string_view text(data.data(), size);
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  return {StoreStatus::kOk, AcpToUtf8(text), {}};
}

StoreResult Win32SettingsStore::Write(std::string_view app, std::string_view section,
                                      std::string_view key, std::string_view value) {
  if (AnyEmpty({app, section, key})) return EmptyName();
  RegKey section_key;
  LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(app, section).c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                section_key.Receive(), nullptr);
  if (status != ERROR_SUCCESS) return Failed(status);
  const std::string data = Utf8ToAcp(value);
  status = RegSetValueExA(section_key.Get(), Utf8ToAcp(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1));
  if (status != ERROR_SUCCESS) return Failed(status);
  return {};
}

StoreResult Win32SettingsStore::RemoveKey(std::string_view app, std::string_view section,
                                          std::string_view key) {
  if (AnyEmpty({app, section, key})) return EmptyName();
  RegKey section_key;
  LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(app, section).c_str(), 0,
                              KEY_SET_VALUE, section_key.Receive());
  if (status == ERROR_FILE_NOT_FOUND) return {StoreStatus::kMissing, {}};
  if (status != ERROR_SUCCESS) return Failed(status);
  status = RegDeleteValueA(section_key.Get(), Utf8ToAcp(key).c_str());
  if (status == ERROR_FILE_NOT_FOUND) return {StoreStatus::kMissing, {}};
  if (status != ERROR_SUCCESS) return Failed(status);
  return {};
}

StoreResult Win32SettingsStore::RemoveSection(std::string_view app, std::string_view section) {
  if (AnyEmpty({app, section})) return EmptyName();
  RegKey app_key;
  const std::string app_path = std::string(kSettingsRoot) + "\\" + Utf8ToAcp(app);
  LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, app_path.c_str(), 0, KEY_READ | KEY_WRITE,
                              app_key.Receive());
  if (status == ERROR_FILE_NOT_FOUND) return {StoreStatus::kMissing, {}};
  if (status != ERROR_SUCCESS) return Failed(status);
  status = DeleteKeyTree(app_key.Get(), Utf8ToAcp(section));
  if (status == ERROR_FILE_NOT_FOUND) return {StoreStatus::kMissing, {}};
  if (status != ERROR_SUCCESS) return Failed(status);
  return {};
}

}  // namespace kelvane::platform::win32
