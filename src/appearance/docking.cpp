#include "appearance/docking.h"

#include <cstdlib>

#include "base/numbers.h"

namespace kelvane::appearance {
namespace {

constexpr int kSnapPixels = 10;

// One edge: `distance` is how far the proposed place lies from it, `flush` the
// place against it, `stay` where the window is now.
void JudgeEdge(bool& snapped, int distance, int snap_distance, int flush, int stay, int& place) {
  if (!snapped) {
    if (std::abs(distance) <= snap_distance) place = flush, snapped = true;
  } else if (std::abs(distance) > snap_distance) {
    snapped = false;
  } else {
    place = stay;
  }
}

}  // namespace

WorkAreaTwips WorkAreaInTwips(const ScreenMetrics& screen) {
  const platform::Rect& w = screen.work_area;
  return {RoundToInt32(static_cast<double>(w.left) * screen.twips_x),
          RoundToInt32(static_cast<double>(w.top) * screen.twips_y),
          RoundToInt32(static_cast<double>(w.right) * screen.twips_x),
          RoundToInt32(static_cast<double>(w.bottom) * screen.twips_y)};
}

DockPlace NextDockPlace(int left, int top, int width, int height, int dx, int dy,
                        const WorkAreaTwips& work, int snap_distance, Snaps& snaps) {
  DockPlace place{left + dx, top + dy};
  const int to_right = work.right - (width + place.left);
  const int to_left = place.left - work.left;
  const int to_bottom = work.bottom - (height + place.top);
  const int to_top = place.top - work.top;
  JudgeEdge(snaps.bottom, to_bottom, snap_distance, work.bottom - height, top, place.top);
  JudgeEdge(snaps.top, to_top, snap_distance, work.top, top, place.top);
  JudgeEdge(snaps.right, to_right, snap_distance, work.right - width, left, place.left);
  JudgeEdge(snaps.left, to_left, snap_distance, work.left, left, place.left);
  return place;
}

DockingHandler::DockingHandler(platform::Desktop& desktop)
    : desktop_(desktop), snap_distance_(RoundToInt32(desktop.TwipsPerPixelX() * kSnapPixels)) {}

void DockingHandler::StartDockDrag(float x, float y) {
  work_ = WorkAreaInTwips(MetricsOf(desktop_));
  drag_start_x_ = x, drag_start_y_ = y;
}

void DockingHandler::UpdateDockDrag(float x, float y) {
  if (!parent_) return;
  const int dx = RoundToInt32(static_cast<double>(x) - drag_start_x_);
  const int dy = RoundToInt32(static_cast<double>(y) - drag_start_y_);
  if (dx == 0 && dy == 0) return;
  form::Window& w = *parent_;
  const DockPlace place = NextDockPlace(w.Left(), w.Top(), w.Width(), w.Height(), dx, dy, work_,
                                        snap_distance_, snaps_);
  // The platform places the window on whole pixels, and the window reports
  // the twips of the pixel it went to.
  const int tx = desktop_.TwipsPerPixelX(), ty = desktop_.TwipsPerPixelY();
  w.Move(RoundToInt32(static_cast<double>(place.left) / tx) * tx,
         RoundToInt32(static_cast<double>(place.top) / ty) * ty);
}

}  // namespace kelvane::appearance
