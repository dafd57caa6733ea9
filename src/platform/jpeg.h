// JPEG pictures decoded in the program itself. The wallpapers and the colour
// editor's texture are JPEG files that the user may replace with anything, so
// the decoder reads untrusted bytes: whatever it cannot read whole it refuses,
// and the caller treats a refused picture as a missing one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelvane::platform {

// The largest width or height accepted: far above any window of the program,
// and it keeps a forged header from asking for gigabytes.
inline constexpr int kMaxPictureSide = 8192;

// A decoded picture in the layout of a 24-bit device-independent bitmap: rows
// from the top down, each pixel blue, green, red, each row padded to a
// multiple of four bytes.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  int Stride() const { return (width * 3 + 3) / 4 * 4; }
};

// The picture in `bytes`: baseline or progressive JPEG, grey, colour or CMYK.
// nullopt for anything else (another format, a cut-off or damaged file, a side
// above kMaxPictureSide).
std::optional<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace kelvane::platform
