// What a picture box draws over its background and picture: filled
// rectangles, lines and short texts, in the box's own pixels, in the order
// given. The window class builds the whole drawing; the renderer only paints
// it (a chart is a drawing of this kind).
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/form/types.h"

namespace kelvane::form {

struct PixelPoint {
  int x = 0, y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// [left, right) x [top, bottom).
struct FilledRect {
  Colour colour = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const FilledRect&, const FilledRect&) = default;
};

// A line through the points, `width` pixels wide.
struct Polyline {
  Colour colour = 0;
  int width = 1;
  std::vector<PixelPoint> points;
  friend bool operator==(const Polyline&, const Polyline&) = default;
};

// One line of text; `x` is its left edge, its right edge or its centre by the
// alignment, `y` its top.
struct DrawnText {
  Colour colour = 0;
  Font font;
  Alignment alignment = Alignment::kLeft;
  int x = 0, y = 0;
  std::string text;
  friend bool operator==(const DrawnText&, const DrawnText&) = default;
};

using Shape = std::variant<FilledRect, Polyline, DrawnText>;
using Drawing = std::vector<Shape>;

}  // namespace kelvane::form
