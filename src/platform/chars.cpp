#include "platform/chars.h"

namespace kelvane::platform {
namespace {

// Length in bytes of the UTF-8 sequence that starts with `lead`; 1 for a byte
// that cannot start one, so malformed text still advances.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// Byte offset just past the first `n` characters of `text`.
std::size_t ByteOffsetOfChar(std::string_view text, std::size_t n) {
  std::size_t pos = 0;
  while (n > 0 && pos < text.size()) {
    std::size_t len = SequenceLength(static_cast<unsigned char>(text[pos]));
    // A truncated sequence at the end counts as what is left of it.
    pos = (pos + len <= text.size()) ? pos + len : text.size();
    --n;
  }
  return pos;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    pos += SequenceLength(static_cast<unsigned char>(text[pos]));
  }
  return count;
}

std::string LeftChars(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, ByteOffsetOfChar(text, n)));
}

}  // namespace kelvane::platform
