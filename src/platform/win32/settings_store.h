// The settings store in the registry, where Visual Basic programs keep theirs:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, one
// REG_SZ value per key, in the system code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvane::platform::win32 {

inline constexpr char kSettingsRoot[] = "Software\\VB and VBA Program Settings";

class Win32SettingsStore final : public SettingsStore {
 public:
  StoreRead Read(std::string_view app, std::string_view section, std::string_view key) override;
  StoreResult Write(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view value) override;
  StoreResult RemoveKey(std::string_view app, std::string_view section,
                        std::string_view key) override;
  StoreResult RemoveSection(std::string_view app, std::string_view section) override;
};

// The system's text for a Win32 error code, as UTF-8 without the trailing line break.
std::string ErrorText(unsigned long error);

}  // namespace kelvane::platform::win32
