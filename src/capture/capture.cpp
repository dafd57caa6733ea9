#include "capture/capture.h"

#include "appearance/placement.h"
#include "base/time_stamp.h"

namespace kelvane::capture {

namespace mb = platform::mb;

std::string BitmapPath(const std::string& app_folder, std::string_view prefix,
                       const platform::DateTime& now, std::string_view am, std::string_view pm) {
  return app_folder + "BMPs/" + std::string(prefix) + FileTimeStamp(now, am, pm) + ".bmp";
}

std::string CaptureWindow(platform::Platform& p, form::Window& window, std::string_view prefix,
                          const std::string& app_folder, const StillRunning& window_still_there) {
  p.loop.YieldToMessages();
  if (Stopped(window_still_there) || !window.Loaded() || !window.Visible()) return {};
  // The platform's own rectangle of the window, as the screen shows it.
  std::optional<platform::Rect> rect = p.desktop.WindowRect(window.Handle());
  if (!rect) rect = appearance::OuterPixels(window, appearance::MetricsOf(p.desktop));
  // The folder is made at start-up; someone may have removed it since.
  p.files.CreateFolder(app_folder + "BMPs");
  const std::string path =
      BitmapPath(app_folder, prefix, p.clock.Now(), p.clock.AmDesignator(), p.clock.PmDesignator());
  if (p.desktop.CaptureToBmp(*rect, path)) return path;
  p.loop.ShowMessageBox("Unable to save the picture as \"" + path + "\"", "Kelvane",
                        mb::kOk | mb::kIconExclamation);
  return {};
}

}  // namespace kelvane::capture
