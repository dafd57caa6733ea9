// The program's own JPEG decoder: the shipped pictures decode at their sizes,
// colours come out in the bitmap's blue-green-red order with padded rows, and
// whatever is not a whole JPEG is refused, so that the window shows it as it
// shows a missing file.
#include "platform/jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::DecodedPicture;
using platform::DecodeJpeg;

const std::filesystem::path kResources(KELVANE_RESOURCES_DIR);

Bytes ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An RGB picture as a JPEG of the best quality.
Bytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb) {
  Bytes out;
  stbi_write_jpg_to_func(
      [](void* context, void* data, int size) {
        auto* bytes = static_cast<const std::uint8_t*>(data);
        static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes,
                                             bytes + size);
      },
      &out, width, height, 3, rgb.data(), 100);
  return out;
}

struct Bgr {
  int b, g, r;
};
Bgr PixelAt(const DecodedPicture& picture, int x, int y) {
  const std::uint8_t* p = picture.pixels.data() + y * picture.Stride() + x * 3;
  return {p[0], p[1], p[2]};
}

TEST(Jpeg, EveryShippedPictureDecodesAtItsSize) {
  struct Shipped {
    const char* name;
    int width, height;
  } sizes[] = {{"Kelvane-M.jpg", 480, 400},
               {"Kelvane-D.jpg", 79, 16},
               {"Kelvane-H.jpg", 43, 193},
               {"Kelvane-U.jpg", 533, 16}};
  int decoded = 0;
  for (const auto& theme : std::filesystem::directory_iterator(kResources / "BackGround")) {
    for (const Shipped& s : sizes) {
      const std::filesystem::path file = theme.path() / s.name;
      if (!std::filesystem::exists(file)) continue;
      const auto picture = DecodeJpeg(ReadAll(file));
      ASSERT_TRUE(picture) << file;
      EXPECT_EQ(picture->width, s.width) << file;
      EXPECT_EQ(picture->height, s.height) << file;
      EXPECT_EQ(picture->pixels.size(), static_cast<std::size_t>(picture->Stride() * s.height));
      ++decoded;
    }
  }
  EXPECT_GE(decoded, 30);
  const auto editor = DecodeJpeg(ReadAll(kResources / "Images" / "ColourEditor.jpg"));
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->width, 250);
  EXPECT_EQ(editor->height, 87);
}

// Four flat quarters, red, green, blue and white, in a picture whose rows need
// padding (34 pixels are 102 bytes, stored in 104): each quarter's middle comes
// out in its colour, blue first.
TEST(Jpeg, ColoursComeOutBlueGreenRedInRowsPaddedToFourBytes) {
  constexpr int kWidth = 34, kHeight = 32;
  std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
  const Bgr quarters[2][2] = {{{0, 0, 255}, {0, 255, 0}}, {{255, 0, 0}, {255, 255, 255}}};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Bgr c = quarters[y / 16][x / 17];
      std::uint8_t* p = &rgb[(y * kWidth + x) * 3];
      p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
  const auto picture = DecodeJpeg(EncodeJpeg(kWidth, kHeight, rgb));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Stride(), 104);
  for (int qy = 0; qy < 2; ++qy)
    for (int qx = 0; qx < 2; ++qx) {
      const Bgr want = quarters[qy][qx];
      const Bgr got = PixelAt(*picture, qx * 17 + 8, qy * 16 + 8);
      EXPECT_LE(std::abs(got.b - want.b), 8) << qx << "," << qy;
      EXPECT_LE(std::abs(got.g - want.g), 8) << qx << "," << qy;
      EXPECT_LE(std::abs(got.r - want.r), 8) << qx << "," << qy;
    }
}

// `bytes` with the first segment of `marker` changed by `edit` (given the
// segment from its marker on); the test fails when there is no such segment.
Bytes Forged(Bytes bytes, std::uint8_t marker, void (*edit)(std::uint8_t* segment)) {
  for (std::size_t i = 0; i + 32 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == marker) {
      edit(&bytes[i]);
      return bytes;
    }
  ADD_FAILURE() << "no segment " << std::hex << int{marker};
  return {};
}

TEST(Jpeg, WhatIsNotAWholeJpegIsRefused) {
  const Bytes good = ReadAll(kResources / "BackGround" / "Custom" / "Kelvane-M.jpg");
  ASSERT_GT(good.size(), 1000u);
  // A file cut off half-way through its picture data, and one cut off in its headers.
  const Bytes half(good.begin(), good.begin() + good.size() / 2);
  const Bytes headers_cut(good.begin(), good.begin() + 200);
  // A frame header that claims 20000 x 20000 pixels.
  const Bytes too_large = Forged(good, 0xC0, [](std::uint8_t* segment) {
    segment[5] = 0x4E, segment[6] = 0x20;  // height
    segment[7] = 0x4E, segment[8] = 0x20;  // width
  });
  // A Huffman table that claims 16 x 32 symbols, twice what a table can hold.
  const Bytes overfull = Forged(good, 0xC4, [](std::uint8_t* segment) {
    for (int bits = 1; bits <= 16; ++bits) segment[4 + bits] = 32;
  });
  // A scan that decodes its first component with AC table 3, which no segment defines.
  const Bytes undefined_table =
      Forged(good, 0xDA, [](std::uint8_t* segment) { segment[6] = (segment[6] & 0xF0) | 3; });
  const std::string text = "jpg";
  const struct {
    const char* what;
    Bytes bytes;
  } refused[] = {
      {"nothing", {}},
      {"a text", Bytes(text.begin(), text.end())},
      {"a bitmap file", ReadAll(kResources / "Images" / "Picker.bmp")},
      {"a JPEG cut off half-way", half},
      {"a JPEG cut off in its headers", headers_cut},
      {"a JPEG larger than any window", too_large},
      {"a JPEG with an overfull Huffman table", overfull},
      {"a JPEG whose scan uses a table it never defines", undefined_table},
  };
  for (const auto& r : refused) EXPECT_FALSE(DecodeJpeg(r.bytes)) << r.what;
}

}  // namespace
}  // namespace kelvane
