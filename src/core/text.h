// Character-based text helpers. Texts are UTF-8; every length the program gives
// in characters (six-character slots, the 64-character tip, "the first two
// characters") counts characters, so nothing else slices text by byte offsets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvane {

// The degree sign. Written to files and read from other programs' windows in the
// system code page, where it is the single byte 0xB0.
inline constexpr std::string_view kDegree = "\xC2\xB0";

// Number of characters (UTF-8 code points) in `text`. A stray byte that is not
// valid UTF-8 counts as one character.
std::size_t CharCount(std::string_view text);

// The first `n` characters of `text` (all of it when shorter).
std::string LeftChars(std::string_view text, std::size_t n);

// `text` cut to exactly `width` characters, or filled on the right with spaces.
std::string FixedWidth(std::string_view text, std::size_t width);

// `text` without leading and trailing spaces.
std::string TrimSpaces(std::string_view text);

// `text` up to its first NUL character.
std::string_view CutAtNul(std::string_view text);

}  // namespace kelvane
