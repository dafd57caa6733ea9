#include "platform/chars.h"

namespace kelvane::platform {
namespace {

// Length in bytes of the character at `pos`: a whole UTF-8 sequence, or 1 for
// a byte that starts none (a stray continuation byte, a lead byte without all
// its continuation bytes). Malformed text thus still advances, and a text cut
// or padded keeps the count of what it holds.
std::size_t CharLength(std::string_view text, std::size_t pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 1;
  if ((lead & 0xE0) == 0xC0)
    length = 2;
  else if ((lead & 0xF0) == 0xE0)
    length = 3;
  else if ((lead & 0xF8) == 0xF0)
    length = 4;
  if (pos + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 1;
  return length;
}

// Byte offset just past the first `n` characters of `text`.
std::size_t ByteOffsetOfChar(std::string_view text, std::size_t n) {
  std::size_t pos = 0;
  for (; n > 0 && pos < text.size(); --n) pos += CharLength(text, pos);
  return pos;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) pos += CharLength(text, pos);
  return count;
}

std::string LeftChars(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, ByteOffsetOfChar(text, n)));
}

}  // namespace kelvane::platform
