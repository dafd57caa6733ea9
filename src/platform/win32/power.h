// The system version, the shutdown right and the shutdown itself.
//
// ExitWindowsWith really shuts the machine down (under Wine: ends every process
// of the prefix). Nothing but the program's overheat action may call it.
#pragma once

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Power final : public Power {
 public:
  std::uint32_t Version() override;
  void EnableShutdownPrivilege() override;
  bool ExitWindowsWith(std::uint32_t flags) override;
};

}  // namespace kelvane::platform::win32
