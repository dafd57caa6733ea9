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
  HINSTANCE result;
  // An empty verb must be NULL: the default verb, which is not always "open".
  if (WidePathCalls()) {
    const std::wstring verb_w = Utf8ToWide(verb), file_w = Utf8ToWide(file),
                       parameters_w = Utf8ToWide(parameters), folder_w = Utf8ToWide(folder);
    result = ShellExecuteW(ToHwnd(owner), verb.empty() ? nullptr : verb_w.c_str(), file_w.c_str(),
                           parameters.empty() ? nullptr : parameters_w.c_str(),
                           folder.empty() ? nullptr : folder_w.c_str(), show_command);
  } else {
    const std::string verb_acp = Utf8ToAcp(verb), file_acp = Utf8ToAcp(file),
                      parameters_acp = Utf8ToAcp(parameters), folder_acp = Utf8ToAcp(folder);
    result = ShellExecuteA(ToHwnd(owner), verb.empty() ? nullptr : verb_acp.c_str(),
                           file_acp.c_str(), parameters.empty() ? nullptr : parameters_acp.c_str(),
                           folder.empty() ? nullptr : folder_acp.c_str(), show_command);
  }
  return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace kelvane::platform::win32
