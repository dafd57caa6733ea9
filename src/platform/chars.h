// Counting and cutting UTF-8 text by characters. Text is UTF-8 on this side of
// the seam, and every length that matters (a window text read into a buffer of
// so many characters, a slot of six characters) counts characters, never
// bytes. These two are the only place that knows how long a character is; the
// text helpers of src/base build on them, and the simulated desktop uses them
// where it stands in for Win32's character counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvane::platform {

// Number of characters (UTF-8 code points) in `text`. A stray byte that is not
// valid UTF-8 counts as one character.
std::size_t CharCount(std::string_view text);

// The first `n` characters of `text` (all of it when shorter).
std::string LeftChars(std::string_view text, std::size_t n);

}  // namespace kelvane::platform
