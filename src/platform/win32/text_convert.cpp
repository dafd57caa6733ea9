#include "platform/win32/text_convert.h"

#include <windows.h>

namespace kelvane::platform::win32 {
namespace {

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int chars = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  if (chars <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(chars), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), chars);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}
std::string WideToUtf8(std::wstring_view wide) {
  return FromWide(CP_UTF8, wide);
}
std::string Utf8ToAcp(std::string_view utf8) {
  return FromWide(CP_ACP, Utf8ToWide(utf8));
}
std::string AcpToUtf8(std::string_view acp) {
  return WideToUtf8(ToWide(CP_ACP, acp));
}

bool WidePathCalls() {
  static const bool nt = (GetVersion() & 0x80000000u) == 0;
  return nt;
}

}  // namespace kelvane::platform::win32
