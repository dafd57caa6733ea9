#include "platform/jpeg.h"

#include <climits>
#include <cstdlib>

// stb_image, reduced to its JPEG decoder: no files (the caller reads them), no
// floating-point formats, no failure texts (kept in thread-local storage that
// the program does not need), and its functions private to this file.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS kelvane::platform::kMaxPictureSide
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wtype-limits"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace kelvane::platform {
namespace {

// Whether the file's Huffman tables are safe to decode with. The decoder as
// Debian ships it trusts two things a forged file breaks: it builds a table
// before it checks that the table holds at most 256 symbols (and writes past
// its arrays), and it decodes a scan with a table that no segment defined (and
// reads whatever memory held). Such a file is no picture. Walks the segments
// from the start of the image on, skipping each scan's coded data, so that the
// tables and scans of a progressive file count too.
bool HuffmanTablesSafe(std::span<const std::uint8_t> b) {
  // The decoder reads past the end of the file as zeros.
  const auto at = [&b](std::size_t i) -> unsigned { return i < b.size() ? b[i] : 0; };
  bool defined[2][4] = {};  // [DC, AC][table]
  bool progressive = false;
  std::size_t i = 2;  // after the start-of-image marker
  while (i + 1 < b.size()) {
    if (b[i] != 0xFF) {  // coded data of a scan
      ++i;
      continue;
    }
    const std::uint8_t marker = b[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    // A stuffed zero byte, a restart marker or a marker without a length.
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
      i += 2;
      continue;
    }
    if (marker == 0xD9 || i + 4 > b.size()) return true;  // end of image
    const std::size_t end = i + 2 + (at(i + 2) << 8 | at(i + 3));
    if (marker == 0xC2) progressive = true;
    if (marker == 0xC4) {
      for (std::size_t table = i + 4; table < end && table < b.size();) {
        unsigned symbols = 0;
        for (std::size_t bits = 1; bits <= 16; ++bits) symbols += at(table + bits);
        if (symbols > 256) return false;
        const unsigned kind = at(table) >> 4, id = at(table) & 15;
        if (kind <= 1 && id <= 3) defined[kind][id] = true;
        table += 17 + symbols;
      }
    }
    if (marker == 0xDA) {
      // Which tables the scan decodes with: a first DC scan its DC tables, an
      // AC scan its AC tables, a sequential scan both.
      const std::size_t components = at(i + 4);
      const std::size_t after = i + 5 + 2 * components;
      const bool dc_scan = at(after) == 0;
      const bool first_pass = (at(after + 2) >> 4) == 0;
      const bool uses_dc = !progressive || (dc_scan && first_pass);
      const bool uses_ac = !progressive || !dc_scan;
      for (std::size_t c = 0; c < components; ++c) {
        const unsigned tables = at(i + 6 + 2 * c);
        if (uses_dc && (tables >> 4) <= 3 && !defined[0][tables >> 4]) return false;
        if (uses_ac && (tables & 15) <= 3 && !defined[1][tables & 15]) return false;
      }
    }
    i = end;
  }
  return true;
}

}  // namespace

std::optional<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  if (!HuffmanTablesSafe(bytes)) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                       &height, &channels, 3);
  if (!rgb) return std::nullopt;
  DecodedPicture picture;
  picture.width = width;
  picture.height = height;
  const int stride = picture.Stride();
  picture.pixels.assign(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    const stbi_uc* from = rgb + static_cast<std::size_t>(y) * width * 3;
    std::uint8_t* to = picture.pixels.data() + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  stbi_image_free(rgb);
  return picture;
}

}  // namespace kelvane::platform
