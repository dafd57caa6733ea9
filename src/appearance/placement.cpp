#include "appearance/placement.h"

#include "base/numbers.h"

namespace kelvane::appearance {

void CentreOnWorkArea(form::Window& window, platform::Desktop& desktop) {
  const int tx = desktop.TwipsPerPixelX(), ty = desktop.TwipsPerPixelY();
  const platform::Rect work = desktop.WorkArea();
  const int w = window.Width() / tx, h = window.Height() / ty;
  const int left = RoundToInt32(work.right / 2.0 - w / 2.0);
  const int top = RoundToInt32(work.bottom / 2.0 - h / 2.0);
  window.Move(left * tx, top * ty);
}

}  // namespace kelvane::appearance
