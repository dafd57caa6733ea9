// A monitor window on the simulated desktop, laid out as the real one: a main
// window, a marker child "MonitorForm" and nine reading windows after it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace kelvane::testing {

struct SimMonitor {
  // VCore, +5 V, +3.3 V, +12 V, CPU temperature, chassis fan, power fan, CPU
  // fan, motherboard temperature.
  using Readings = std::array<std::string, 9>;
  static Readings Typical() {
    return {"1.520", "5.053", "3.312", "12.16", "45.0", "2700", "3213", "4560", "31.0"};
  }

  SimMonitor(sim::SimPlatform& sim, const Readings& readings = Typical(),
             platform::Rect rect = {100, 80, 740, 440})
      : sim(sim) {
    window = sim.desktop.AddTopWindow("TMainForm", "Asus Probe 2", rect);
    // Some unrelated controls before the monitor page, as a real window has.
    platform::WindowId toolbar = sim.desktop.AddChild(window, "", "TPanel");
    sim.desktop.AddChild(toolbar, "Monitor", "TButton");
    AddPage(readings);
  }
  // The monitor page: the marker and its nine readings, after whatever the
  // window already holds.
  void AddPage(const Readings& readings) {
    marker = sim.desktop.AddChild(window, "MonitorForm", "TMonitorForm");
    AddReadings(readings);
  }
  void AddReadings(const Readings& readings) {
    for (std::size_t i = 0; i < readings.size(); ++i)
      children[i] = sim.desktop.AddChild(marker, readings[i]);
  }
  // The monitor shows another page: the marker and the readings are gone.
  void RemovePage() { sim.desktop.RemoveWindow(marker); }
  // The marker stays, the readings are gone.
  void RemoveReadings() {
    for (platform::WindowId child : children) sim.desktop.RemoveWindow(child);
  }
  void Set(const Readings& readings) {
    for (std::size_t i = 0; i < readings.size(); ++i) sim.desktop.SetText(children[i], readings[i]);
  }
  void SetCpu(const std::string& text) { sim.desktop.SetText(children[4], text); }
  void Close() { sim.desktop.RemoveWindow(window); }

  sim::SimPlatform& sim;
  platform::WindowId window = 0;
  platform::WindowId marker = 0;
  std::array<platform::WindowId, 9> children{};
};

}  // namespace kelvane::testing
