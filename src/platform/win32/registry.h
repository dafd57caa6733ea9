// Read-only values of HKEY_LOCAL_MACHINE.
#pragma once

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Registry final : public Registry {
 public:
  std::string MachineText(std::string_view key_path, std::string_view value_name) override;
  std::uint32_t MachineDword(std::string_view key_path, std::string_view value_name) override;
};

}  // namespace kelvane::platform::win32
