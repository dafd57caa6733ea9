#include "appearance/placement.h"

#include <algorithm>
#include <cstdlib>

#include "base/numbers.h"

namespace kelvane::appearance {
namespace {

// The nearest pixel of a twips value, halves away from zero, as the renderer
// converts them.
int PixelsOf(int twips, int twips_per_pixel) {
  if (twips_per_pixel <= 0) return twips;
  const int half = twips_per_pixel / 2;
  const int magnitude = (std::abs(twips) + half) / twips_per_pixel;
  return twips < 0 ? -magnitude : magnitude;
}

void MoveToPixel(form::Window& window, platform::Point corner, const ScreenMetrics& screen) {
  window.Move(corner.x * screen.twips_x, corner.y * screen.twips_y);
}

// Where `place` puts the window, applied when it moves it.
template <class Place>
void Apply(form::Window& window, platform::Desktop& desktop, Place place) {
  const ScreenMetrics screen = MetricsOf(desktop);
  const platform::Rect now = OuterPixels(window, screen);
  const platform::Point corner = place(now, screen.work_area);
  if (corner.x != now.left || corner.y != now.top) MoveToPixel(window, corner, screen);
}

}  // namespace

ScreenMetrics MetricsOf(platform::Desktop& desktop) {
  return {desktop.WorkArea(), desktop.TwipsPerPixelX(), desktop.TwipsPerPixelY()};
}

platform::Rect OuterPixels(int left, int top, int width, int height, const ScreenMetrics& screen) {
  const int x = PixelsOf(left, screen.twips_x), y = PixelsOf(top, screen.twips_y);
  return {x, y, x + PixelsOf(width, screen.twips_x), y + PixelsOf(height, screen.twips_y)};
}

platform::Rect OuterPixels(const form::Window& window, const ScreenMetrics& screen) {
  return OuterPixels(window.Left(), window.Top(), window.Width(), window.Height(), screen);
}

platform::Point KeptOnScreen(const platform::Rect& window, const platform::Rect& work) {
  const int w = window.Width(), h = window.Height();
  platform::Point corner{window.left, window.top};
  if (corner.y < 0) corner.y = 0;
  if (corner.x < 0) corner.x = 0;
  if (corner.y > work.bottom - h) corner.y = work.bottom - h;
  if (corner.x > work.right - w) corner.x = work.right - w;
  return corner;
}

platform::Point DockedToBottom(const platform::Rect& window, const platform::Rect& work,
                               int align) {
  platform::Point corner{window.left, work.bottom - window.Height()};
  switch (align) {
    case -1:
      corner.x = work.left;
      break;
    case 0:
      corner.x = CentredAtBottom(window, work).x;
      break;
    case 1:
      corner.x = work.right - window.Width();
      break;
    default:
      break;
  }
  return corner;
}

platform::Point CentredAtBottom(const platform::Rect& window, const platform::Rect& work) {
  return {RoundToInt32(work.right / 2.0 - window.Width() / 2.0), work.bottom - window.Height()};
}

platform::Point CentredOnWorkArea(const platform::Rect& window, const platform::Rect& work) {
  return {RoundToInt32(work.right / 2.0 - window.Width() / 2.0),
          RoundToInt32(work.bottom / 2.0 - window.Height() / 2.0)};
}

int ColourEditorLeft(int left, int width) {
  // The editor is 3365 twips wide with its frame; the comparison is made in
  // single precision, as the position is kept.
  if (static_cast<float>(left - 3375) > -15.0f) return left - 3365;
  return left + width;
}

void KeepOnScreen(form::Window& window, platform::Desktop& desktop) {
  Apply(window, desktop, KeptOnScreen);
}

void DockToBottom(form::Window& window, platform::Desktop& desktop, int align) {
  Apply(window, desktop, [align](const platform::Rect& now, const platform::Rect& work) {
    return DockedToBottom(now, work, align);
  });
}

void CentreAtBottom(form::Window& window, platform::Desktop& desktop) {
  Apply(window, desktop, CentredAtBottom);
}

void CentreOnWorkArea(form::Window& window, platform::Desktop& desktop) {
  Apply(window, desktop, CentredOnWorkArea);
}

void PlaceColourEditor(const form::Window& dashboard, form::Window& editor) {
  editor.Move(ColourEditorLeft(dashboard.Left(), dashboard.Width()), dashboard.Top());
  editor.Show();
}

void EnforceMinimumSize(form::Window& window) {
  if (window.WindowState() != form::WindowState::kNormal) return;
  if (window.Height() < kMinimumHeight) window.SetHeight(kMinimumHeight);
  if (window.Width() < kMinimumWidth) window.SetWidth(kMinimumWidth);
}

bool Reachable(const platform::Rect& window, const platform::Rect& work,
               const platform::Rect& screen, const platform::Rect& all, int pixels) {
  const auto shows_on = [&](const platform::Rect& area) {
    const long long across = static_cast<long long>(std::min(window.right, area.right)) -
                             std::max(window.left, area.left);
    const long long down = static_cast<long long>(std::min(window.bottom, area.bottom)) -
                           std::max(window.top, area.top);
    return across >= pixels && down >= pixels;
  };
  if (shows_on(work)) return true;
  const bool several_monitors = !(all == screen);
  return several_monitors && shows_on(all);
}

bool FarOffScreen(int value, int extent, int screens) {
  const long long limit = static_cast<long long>(screens) * extent;
  return value > limit || value < -limit;
}

void SetTopmost(form::Window& window, bool on) {
  window.SetTopmost(on);
}

}  // namespace kelvane::appearance
