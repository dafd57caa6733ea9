// Character-based text helpers. Texts are UTF-8; every length the program gives
// in characters (six-character slots, the 64-character tip, "the first two
// characters") counts characters, so nothing else slices text by byte offsets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/chars.h"

namespace kelvane {

// The degree sign. Written to files and read from other programs' windows in the
// system code page, where it is the single byte 0xB0.
inline constexpr std::string_view kDegree = "\xC2\xB0";

// CharCount(text) and LeftChars(text, n), from the platform's chars.h.
using platform::CharCount;
using platform::LeftChars;

// Up to `n` characters of `text` from character `first` on (counted from 0).
std::string MidChars(std::string_view text, std::size_t first, std::size_t n);

// Replaces every occurrence of `marker` (case-sensitive, left to right) by
// `by`; a replacement is not searched again.
void ReplaceAll(std::string& text, std::string_view marker, std::string_view by);

// `text` as character data of an HTML page: "&", "<", ">" and '"' become their
// character references, every other byte stays as it is. A text cut or padded
// to a width of characters is cut or padded before: a reference shows as one
// character on the page.
std::string HtmlEscaped(std::string_view text);

// `text` cut to exactly `width` characters, or filled on the right with spaces.
std::string FixedWidth(std::string_view text, std::size_t width);

// `text` without leading and trailing spaces.
std::string TrimSpaces(std::string_view text);

// `text` up to its first NUL character.
std::string_view CutAtNul(std::string_view text);

}  // namespace kelvane
