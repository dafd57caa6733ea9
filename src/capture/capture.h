// Saving a window, exactly as the screen shows it, as a bitmap file under the
// program's "BMPs" folder: whatever covers the window is in the picture, and
// what lies off the screen is not.
#pragma once

#include <string>
#include <string_view>

#include "base/wait.h"
#include "platform/form/window.h"
#include "platform/platform.h"

namespace kelvane::capture {

// `app_folder` + "BMPs/" + `prefix` + the time stamp + ".bmp".
std::string BitmapPath(const std::string& app_folder, std::string_view prefix,
                       const platform::DateTime& now, std::string_view am, std::string_view pm);

// Lets pending messages through (the menu that asked has closed and the window
// has painted), then copies the window's outer rectangle from the screen into
// a new bitmap file, replacing one of the same name (the same second). When
// the file cannot be written (no "BMPs" folder that can be made, a full disk)
// the user is told so and no file is left. Returns the path written, "" when
// none was. `window_still_there` says after the yield whether the window's
// owner still exists; when it does not, nothing is captured.
std::string CaptureWindow(platform::Platform& platform, form::Window& window,
                          std::string_view prefix, const std::string& app_folder,
                          const StillRunning& window_still_there = {});

}  // namespace kelvane::capture
