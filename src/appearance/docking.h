// Dragging a window without a title bar by its body, with the window snapping
// to the edges of the work area and sticking there until the pointer has left
// the snap zone. Each dashboard owns one handler for as long as it lives, so a
// window left snapped to an edge is still held there at the start of its next
// drag.
#pragma once

#include "appearance/placement.h"
#include "platform/form/window.h"
#include "platform/platform.h"

namespace kelvane::appearance {

// The work area in twips: left and right across, top and bottom down.
struct WorkAreaTwips {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const WorkAreaTwips&, const WorkAreaTwips&) = default;
};
WorkAreaTwips WorkAreaInTwips(const ScreenMetrics& screen);

// The edges a window is held against.
struct Snaps {
  bool left = false, top = false, right = false, bottom = false;
  friend bool operator==(const Snaps&, const Snaps&) = default;
};

// One step of a drag, as arithmetic: the window at (left, top) with its size,
// the pointer moved by (dx, dy) twips, gives the window's new corner. Edges are
// judged bottom, top, right, left, so the top edge wins for a window taller
// than the work area and the left edge for one wider. An edge within
// `snap_distance` (equality included) catches the window flush against it and
// holds it there, the window not moving along that axis, until the proposed
// place is more than the distance away; `snaps` carries that across steps.
struct DockPlace {
  int left = 0, top = 0;
};
DockPlace NextDockPlace(int left, int top, int width, int height, int dx, int dy,
                        const WorkAreaTwips& work, int snap_distance, Snaps& snaps);

class DockingHandler {
 public:
  // The snap distance is 10 pixels across, in twips.
  explicit DockingHandler(platform::Desktop& desktop);
  DockingHandler(const DockingHandler&) = delete;
  DockingHandler& operator=(const DockingHandler&) = delete;

  // The window being dragged; nothing is moved until it is set. Not owned.
  void SetParentForm(form::Window* window) { parent_ = window; }
  form::Window* ParentForm() const { return parent_; }
  void SetSnapDistance(int twips) { snap_distance_ = twips; }
  int SnapDistance() const { return snap_distance_; }

  // A left press that is to drag the window, at (x, y) twips relative to the
  // control pressed. Reads the work area afresh; the snaps stay as they are.
  void StartDockDrag(float x, float y);
  // A pointer move with the left button held, relative to the same control.
  // Because that control moves with the window, (x, y) less the press point is
  // the pointer's movement since the window last moved.
  void UpdateDockDrag(float x, float y);

  const Snaps& Snapped() const { return snaps_; }
  const WorkAreaTwips& WorkArea() const { return work_; }

 private:
  platform::Desktop& desktop_;
  form::Window* parent_ = nullptr;
  int snap_distance_;
  float drag_start_x_ = 0, drag_start_y_ = 0;
  WorkAreaTwips work_;
  Snaps snaps_;
};

}  // namespace kelvane::appearance
