// The JPEG decoder on any bytes: the wallpapers and the colour editor's texture
// are files the user may replace. A picture it accepts has a size the program
// can show and exactly the pixels that size needs; anything else is refused.
#include "fuzz_input.h"
#include "platform/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  const auto picture = platform::DecodeJpeg({data, size});
  if (!picture) return 0;
  FUZZ_EXPECT(picture->width > 0 && picture->width <= platform::kMaxPictureSide);
  FUZZ_EXPECT(picture->height > 0 && picture->height <= platform::kMaxPictureSide);
  FUZZ_EXPECT(picture->Stride() % 4 == 0 && picture->Stride() >= picture->width * 3);
  FUZZ_EXPECT(picture->pixels.size() ==
              static_cast<std::size_t>(picture->Stride()) * picture->height);
  return 0;
}
