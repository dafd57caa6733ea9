// Placing windows on the screen's work area.
#pragma once

#include "platform/form/window.h"
#include "platform/platform.h"

namespace kelvane::appearance {

// Centres `window` on the work area, in pixels: left = rounded(right / 2 - w / 2),
// top = rounded(bottom / 2 - h / 2), ties to even. The work area's own left and
// top are not added, so a taskbar at the left or top shifts the centre.
void CentreOnWorkArea(form::Window& window, platform::Desktop& desktop);

}  // namespace kelvane::appearance
