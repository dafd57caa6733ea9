// The monitor's window with any texts, in any number and order of windows:
// read by the scan and derived into readings and statistics, then read by the
// whole program for a few ticks with both logs and both dashboards on.
//
// Each line of the input is one window below the monitor's main window; each
// ">" it starts with puts it one level deeper (at most one below the window
// before it). The marker is a window whose text is "MonitorForm".
#include "base/text.h"
#include "fuzz_program.h"
#include "probe/scan.h"

namespace kelvane::fuzz {
namespace {

platform::WindowId BuildMonitor(sim::SimDesktop& desktop, std::string_view text) {
  const platform::WindowId main =
      desktop.AddTopWindow("TMainForm", "Asus Probe 2", {100, 80, 740, 440});
  std::vector<platform::WindowId> path{main};  // the last window's ancestors and itself
  for (std::string_view line : Lines(text)) {
    std::size_t depth = 0;
    while (depth < line.size() && line[depth] == '>') ++depth;
    path.resize(std::min(depth + 1, path.size()));
    path.push_back(desktop.AddChild(path.back(), std::string(line.substr(depth))));
  }
  return main;
}

void ReadDirectly(std::string_view text) {
  sim::SimDesktop desktop;
  const platform::WindowId main = BuildMonitor(desktop, text);
  probe::ProbeReading reading;
  ProbeStats stats;
  stats.Reset();
  for (int tick = 1; tick <= 2; ++tick) {
    probe::ScanProbeWindow(desktop, main, reading);
    probe::DeriveReadings(reading);
    for (int slot = 1; slot <= 10; ++slot)
      FUZZ_EXPECT(CharCount(reading.texts[slot]) == probe::kSlotWidth);
    FUZZ_EXPECT(CharCount(reading.tip_text) == probe::kTipWidth);
    const TickValues values = ValuesOf(reading);
    stats.Add(values);
    const Statistics statistics = StatisticsOf(stats, reading, values, tick);
    for (int m = 0; m < kMeterCount; ++m)
      for (int c = 0; c < 4; ++c)
        StatText(statistics, static_cast<Meter>(m), static_cast<Column>(c), tick == 1 ? "." : ",");
  }
}

}  // namespace
}  // namespace kelvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  const std::string_view text = fuzz::AsText(data, size);
  fuzz::ReadDirectly(text);

  fuzz::Program program;
  program.monitor.Close();
  fuzz::BuildMonitor(program.sim.desktop, text);
  for (const char* key : {"Log", "LogHTML", "LogInterval"}) program.Store(key, "1");
  for (const char* key : {"DashSrart", "HiLoStrt"}) program.Store(key, "True");
  program.Start();
  program.Run(3);
  program.Exit();
  return 0;
}
