// Placing windows on the screen's work area: keeping a window on it, centring
// it, putting it on the bottom edge, the colour editor beside a dashboard, the
// minimum size and the always-on-top state.
//
// Each routine comes twice: as arithmetic on pixel rectangles (what the tests
// check as tables) and applied to a window. Window positions are twips in the
// model; the work area and a window's outer rectangle are pixels, and a routine
// that moves a window gives it the twips of the pixel it chose.
#pragma once

#include "platform/form/window.h"
#include "platform/platform.h"

namespace kelvane::appearance {

// What placement reads of the screen: the work area (pixels) and the twips
// per pixel across and down.
struct ScreenMetrics {
  platform::Rect work_area;
  int twips_x = 15;
  int twips_y = 15;
};
ScreenMetrics MetricsOf(platform::Desktop& desktop);

// The outer rectangle of a window placed at these twips, as the platform shows
// it: the corner's pixel and the size's pixels, each the nearest, halves away
// from zero.
platform::Rect OuterPixels(int left, int top, int width, int height, const ScreenMetrics& screen);
platform::Rect OuterPixels(const form::Window& window, const ScreenMetrics& screen);

// --- the arithmetic: new top-left corners in pixels ----------------------------------

// A window whose top or left edge is above or left of 0 goes to 0 (0, not the
// work area's top and left); one whose bottom or right edge is beyond the work
// area's comes back onto it. A window taller (wider) than the work area thus
// ends with a negative top (left).
platform::Point KeptOnScreen(const platform::Rect& window, const platform::Rect& work);
// On the bottom edge; across by `align`: -1 the work area's left edge, 0 the
// centre, 1 the right edge, 2 where it is.
platform::Point DockedToBottom(const platform::Rect& window, const platform::Rect& work, int align);
// The halves are taken in double and the difference rounded, ties to even.
// The work area's own left and top are not added, so a taskbar at the left or
// top shifts the centre.
platform::Point CentredAtBottom(const platform::Rect& window, const platform::Rect& work);
platform::Point CentredOnWorkArea(const platform::Rect& window, const platform::Rect& work);

// Whether a window shows at least `pixels` of itself across and down where the
// user can take it: on the work area, or, where there are several monitors, on
// the rectangle around them all (`all`). So a window kept on a monitor left of
// or above the primary one stays where it is.
bool Reachable(const platform::Rect& window, const platform::Rect& work,
               const platform::Rect& screen, const platform::Rect& all, int pixels);

// Whether a stored coordinate lies more than `screens` times `extent` away
// from 0 either way; any int is compared, the most negative included.
bool FarOffScreen(int value, int extent, int screens);

// The colour editor's Left (twips) beside a dashboard at `left` with `width`:
// on the dashboard's left side when there is room for nearly all of it
// (Left above 3360), else at its right edge.
int ColourEditorLeft(int left, int width);

// --- applied to windows -----------------------------------------------------------

// Each reads the work area and the window's outer rectangle, and moves the
// window (its size kept) only where the arithmetic above says it moves.
void KeepOnScreen(form::Window& window, platform::Desktop& desktop);
void DockToBottom(form::Window& window, platform::Desktop& desktop, int align);
void CentreAtBottom(form::Window& window, platform::Desktop& desktop);
void CentreOnWorkArea(form::Window& window, platform::Desktop& desktop);
// Puts the editor beside `dashboard`, at its top, and shows it (not modal).
void PlaceColourEditor(const form::Window& dashboard, form::Window& editor);
// In the normal window state only (not minimised, not maximised): a height
// below 300 becomes 300, a width below 700 becomes 700 (twips).
void EnforceMinimumSize(form::Window& window);
// Always on top, or back among the normal windows.
void SetTopmost(form::Window& window, bool on);

inline constexpr int kMinimumWidth = 700;
inline constexpr int kMinimumHeight = 300;

}  // namespace kelvane::appearance
