// Any text under the keys of both dashboards (place, size, tile places,
// colours, name plates, wallpaper, bold, auto-hide), one "key=value" per line:
// both dashboards are loaded from them and shown, fed for two ticks, the
// digital dashboard's own layout loaded and saved again from its menu, and both
// unloaded as the program ends.
#include <algorithm>

#include "appearance/placement.h"
#include "fuzz_program.h"

namespace kelvane::fuzz {
namespace {

// Whatever place was stored, the digital dashboard shows some of itself on the
// work area, where the user can take it.
void ExpectReachable(Program& program) {
  const dashboard::DigitalDashboard* dash = program.app->DigitalDashboard();
  if (!program.Running() || !dash || !dash->Window().Visible()) return;
  const appearance::ScreenMetrics screen = appearance::MetricsOf(program.sim.desktop);
  const platform::Rect r = appearance::OuterPixels(dash->Window(), screen);
  const platform::Rect& work = screen.work_area;
  FUZZ_EXPECT(std::min(r.right, work.right) > std::max(r.left, work.left));
  FUZZ_EXPECT(std::min(r.bottom, work.bottom) > std::max(r.top, work.top));
}

}  // namespace
}  // namespace kelvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  fuzz::Program program;
  program.Store("Buzzer", "79");  // a later run: the program starts in the tray
  fuzz::StoreSettings(program.sim.store, fuzz::AsText(data, size));
  program.Start();
  if (program.Running()) program.TrayCommand("MnuDash");
  fuzz::ExpectReachable(program);
  if (program.Running()) program.TrayCommand("MnuHiLo");
  program.Run(2);
  for (const char* command : {"MnuLoadMyLayout", "mnuSavLayout"}) {
    dashboard::DigitalDashboard* dash = program.app->DigitalDashboard();
    if (!program.Running() || !dash || !dash->Window().Visible()) break;
    program.sim.forms.QueueMenuChoice(command);
    program.sim.forms.Click(dash->Window(), &dash->Tile(0), 1075, 5, form::button::kRight);
    fuzz::ExpectReachable(program);
  }
  program.Run(1);
  program.Exit();
  return 0;
}
