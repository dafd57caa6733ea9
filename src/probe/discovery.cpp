#include "probe/discovery.h"

#include <algorithm>

#include "base/text.h"
#include "probe/scan.h"

namespace kelvane::probe {

std::string FindInstallFolder(platform::Registry& registry, platform::Files& files) {
  std::string path;
  std::string v = registry.MachineText(kInstallKey, kInstallValue);
  if (!v.empty()) {
    v.erase(std::remove(v.begin(), v.end(), '"'), v.end());
    path = v;
  }
  path = TrimSpaces(path);
  // The program file itself: a folder of that name is no monitor to start.
  if (path.empty() || !files.FileExists(path)) return "";
  // The folder is what stands before the last backslash, if that backslash is
  // at least the third character.
  for (std::size_t i = path.size(); i >= 3; --i) {
    if (path[i - 1] == '\\') return path.substr(0, i - 1);
  }
  return "";
}

bool WakeProbe(platform::Platform& p, platform::WindowId probe, std::string& probe_path,
               const StillRunning& still_running) {
  platform::Desktop& d = p.desktop;
  auto yield = [&] {
    p.loop.YieldToMessages();
    return !Stopped(still_running);
  };
  // The splash window first; however long it stays, the user can still act.
  while (d.FindTopWindow(kSplashClass, kSplashTitle) != platform::kNoWindow)
    if (!yield()) return false;

  bool in_front = false;
  const double start = p.clock.MonotonicSeconds();
  while (p.clock.MonotonicSeconds() - start < kForegroundSeconds) {
    if (!yield()) return false;
    if (d.Foreground() == probe) {
      in_front = true;
      break;
    }
    d.ShowWindow(probe, platform::sw::kShow);
    d.ShowWindow(probe, platform::sw::kShowNormal);
    d.SetForeground(probe);
  }

  if (!yield()) return false;
  d.SetTopmost(probe, true);
  d.ShowWindow(probe, platform::sw::kShow);
  d.ShowWindow(probe, platform::sw::kShowNormal);
  if (!yield()) {
    d.SetTopmost(probe, false);
    return false;
  }

  std::optional<platform::Rect> rect = d.WindowRect(probe);
  const int x = rect ? rect->left + 150 : -1;
  const int y = rect ? rect->top + 100 : -1;
  if (x >= 150 && y >= 100 && in_front) {
    ClickWakeSequence(d, p.loop, p.clock, probe, still_running);
    return !Stopped(still_running);
  }
  probe_path = kNotSupported;
  d.SetTopmost(probe, false);
  return false;
}

}  // namespace kelvane::probe
