// Where everything sits in the stand-in's main window, in pixels from its
// top-left outer corner. The window draws its own caption and has no system
// frame, so these are window and client coordinates alike; the clicks that a
// waking program sends land by these numbers.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "sensors.h"

namespace kelvane::standin {

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;  // exclusive
  int bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  constexpr bool Overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 360;

inline constexpr Box kCaptionBar{0, 0, kWindowWidth, 32};
inline constexpr Box kToolBar{0, 32, kWindowWidth, 72};
inline constexpr Box kTabRow{0, 80, kWindowWidth, 116};
inline constexpr Box kPageArea{8, 120, kWindowWidth - 8, 332};  // the monitor page lives here
inline constexpr Box kStatusBar{0, 336, kWindowWidth, kWindowHeight};

enum class Control {
  kOverview,  // page buttons: child BUTTON windows
  kMonitor,
  kUsage,
  kConfig,
  kInfo,
  kAbout,  // caption buttons: painted
  kMinimise,
  kClose,
};

struct ControlPlace {
  Control control;
  std::string_view caption;
  Box box;
  bool painted;  // drawn on the caption bar rather than a child window
};

inline constexpr std::array<ControlPlace, 8> kControls{{
    {Control::kOverview, "Overview", {110, 40, 190, 64}, false},
    {Control::kMonitor, "Monitor", {116, 88, 184, 112}, false},
    {Control::kUsage, "Usage", {186, 88, 254, 112}, false},
    {Control::kConfig, "Config", {256, 88, 324, 112}, false},
    {Control::kInfo, "Info", {326, 88, 394, 112}, false},
    {Control::kAbout, "?", {542, 4, 568, 28}, true},
    {Control::kMinimise, "_", {574, 4, 600, 28}, true},
    {Control::kClose, "x", {606, 4, 632, 28}, true},
}};

// The control under a point of the window, if any.
std::optional<Control> ControlAt(int x, int y);
const ControlPlace& PlaceOf(Control control);

// Inside the monitor page (coordinates relative to kPageArea's corner): three
// panels, volts, temperatures and fans; each reading a row of caption, value
// window and unit.
inline constexpr int kPanelCount = 3;
Box PanelBox(int panel);
std::string_view PanelTitle(int panel);
Box ReadingValueBox(Reading reading);
Box ReadingCaptionBox(Reading reading);
Box ReadingUnitBox(Reading reading);
std::string_view ReadingCaption(Reading reading);

}  // namespace kelvane::standin
