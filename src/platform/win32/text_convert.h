// Text at the Win32 boundary: the core speaks UTF-8, the A functions the system
// code page (ACP), the W functions UTF-16. Every conversion of the backend goes
// through these helpers.
//
// Lengths are explicit, so NUL characters inside a text survive a round trip.
// Characters that the code page cannot hold become the code page's default
// character ("?"), as the system's own conversion does.
#pragma once

#include <string>
#include <string_view>

namespace kelvane::platform::win32 {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// UTF-8 to the system code page, e.g. "45\xC2\xB0" -> "45\xB0" under code page 1252.
std::string Utf8ToAcp(std::string_view utf8);
std::string AcpToUtf8(std::string_view acp);

// Whether paths go to the wide calls: on NT they take any path whole, where the
// ANSI ones turn letters outside the code page (a Polish user name on a Western
// European Windows) into "?". Windows 9x has only the ANSI calls.
bool WidePathCalls();

}  // namespace kelvane::platform::win32
