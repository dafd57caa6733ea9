// Files by Windows path, their text in the system code page.
#pragma once

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Files final : public Files {
 public:
  bool Exists(std::string_view path) override;
  bool FileExists(std::string_view path) override;
  std::optional<std::string> ReadText(std::string_view path) override;
  bool WriteText(std::string_view path, std::string_view text, bool append) override;
  bool ReplaceText(std::string_view path, std::string_view text) override;
  bool CreateFolder(std::string_view path) override;
  std::string ExeFolder() override;
  bool Rename(std::string_view from, std::string_view to) override;
};

}  // namespace kelvane::platform::win32
