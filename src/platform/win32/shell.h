// Opening documents, folders and addresses, and starting programs, through the shell.
#pragma once

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Shell final : public Shell {
 public:
  std::intptr_t Execute(WindowId owner, std::string_view verb, std::string_view file,
                        std::string_view parameters, std::string_view folder,
                        int show_command) override;
};

}  // namespace kelvane::platform::win32
