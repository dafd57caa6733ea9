// The whole simulated desktop in one object: a test builds one, hands
// `Get()` to the core, and drives time, windows and answers through the parts.
#pragma once

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_forms.h"
#include "platform/sim/sim_graphics.h"
#include "platform/sim/sim_services.h"

namespace kelvane::sim {

class SimPlatform {
 public:
  SimPlatform() : loop(clock), sound(&clock), forms(desktop) {}
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  platform::Platform& Get() { return platform_; }
  // Moves the clock, firing the timers that fall due.
  void Advance(double seconds) { loop.Advance(seconds); }

  SimClock clock;
  SimLoop loop;
  SimStore store;
  SimRegistry registry;
  SimDesktop desktop;
  SimFiles files;
  SimShell shell;
  SimSound sound;
  SimPower power;
  SimForms forms;
  SimGraphics graphics;
  SimTray tray;

 private:
  platform::Platform platform_{clock, loop,  store, registry, desktop,  files,
                               shell, sound, power, forms,    graphics, tray};
};

}  // namespace kelvane::sim
