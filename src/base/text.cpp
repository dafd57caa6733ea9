#include "base/text.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kelvane {

std::string FixedWidth(std::string_view text, std::size_t width) {
  std::string out = LeftChars(text, width);
  std::size_t have = CharCount(out);
  if (have < width) out.append(width - have, ' ');
  return out;
}

std::string TrimSpaces(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string_view CutAtNul(std::string_view text) {
  std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

void ReplaceAll(std::string& text, std::string_view marker, std::string_view by) {
  if (marker.empty()) return;
  std::size_t at = 0;
  while ((at = text.find(marker, at)) != std::string::npos) {
    text.replace(at, marker.size(), by);
    at += by.size();
  }
}

std::string HtmlEscaped(std::string_view text) {
  // These four are ASCII, and no byte of a longer UTF-8 character is ASCII.
  static constexpr std::pair<char, std::string_view> kReferences[] = {
      {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto* hit = std::find_if(std::begin(kReferences), std::end(kReferences),
                                   [c](const auto& r) { return r.first == c; });
    if (hit == std::end(kReferences))
      out += c;
    else
      out += hit->second;
  }
  return out;
}

std::string MidChars(std::string_view text, std::size_t first, std::size_t n) {
  return LeftChars(text.substr(LeftChars(text, first).size()), n);
}

}  // namespace kelvane
