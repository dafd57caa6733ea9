#include "platform/win32/shell.h"

#include <windows.h>
// shellapi.h builds on the types of windows.h.
#include <shellapi.h>

#include <string>

#include "platform/win32/desktop.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {

std::intptr_t Win32Shell::Execute(WindowId owner, std::string_view verb, std::string_view file,
                                  std::string_view parameters, std::string_view folder,
                                  int show_command) {
  const std::string verb_acp = Utf8ToAcp(verb);
  const std::string file_acp = Utf8ToAcp(file);
  const std::string parameters_acp = Utf8ToAcp(parameters);
  const std::string folder_acp = Utf8ToAcp(folder);
  // An empty verb must be NULL: the default verb, which is not always "open".
  const HINSTANCE result =
      ShellExecuteA(ToHwnd(owner), verb.empty() ? nullptr : verb_acp.c_str(), file_acp.c_str(),
                    parameters.empty() ? nullptr : parameters_acp.c_str(),
                    folder.empty() ? nullptr : folder_acp.c_str(), show_command);
  return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace kelvane::platform::win32
