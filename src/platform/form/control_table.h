// Controls laid out by a table. A window class lists its controls as rows
// (kind, name and index, place, caption, tooltip) and builds them in one loop;
// what only one window wants (a font, a border, a picture) it sets afterwards
// on the controls the loop returns.
#pragma once

#include <span>
#include <vector>

#include "platform/form/controls.h"
#include "platform/form/window.h"

namespace kelvane::form {

struct ControlRow {
  ControlKind kind;
  const char* name;
  int index;                      // kNoIndex for a control of its own
  int left, top, width, height;   // twips in the window's client area
  const char* caption = nullptr;  // labels, buttons and check boxes; nullptr keeps the default
  const char* tooltip = nullptr;
};

// Adds a control for each row to `window` (on the container `on`, nullptr: on
// the window itself), placed and with its caption and tooltip, and returns
// them in the rows' order.
std::vector<Control*> AddControls(Window& window, std::span<const ControlRow> rows,
                                  Container* on = nullptr);

}  // namespace kelvane::form
