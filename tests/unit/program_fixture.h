// The whole program with its features on the simulated desktop, beside a
// running monitor, with settings that an earlier run left in the store.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "alarms/temperature_check.h"
#include "app/app.h"
#include "appearance/colour_editor.h"
#include "base/settings.h"
#include "dashboard/digital_dashboard.h"
#include "highlow/high_low_dashboard.h"
#include "monitor_fixture.h"
#include "tray/tray_icon_settings.h"

namespace kelvane::testing {

class ProgramFixture {
 public:
  ProgramFixture() {
    sim.sound.AddMixerLine(4, 0, 65535, 30000);       // speakers
    sim.sound.AddMixerLine(0x1008, 0, 65535, 20000);  // wave out
  }
  // Settings as an earlier run left them; with "Buzzer" stored the program
  // starts in the tray.
  void Store(const char* key, const std::string& value) {
    Settings(sim.store, sim.clock).WriteText(key, value);
  }
  void Start() {
    app = std::make_unique<KelvaneApp>(AppServices{sim.Get(), false});
    app->Start();
  }
  // Runs the poll timer to the first tick on which the alarms are checked.
  void RunToFirstCheck() { sim.Advance(3); }

  MainWindow& Main() { return app->Main(); }
  form::CheckBox& Box(MainControl c) { return Main().Get<form::CheckBox>(c); }
  form::ListBox& List(MainControl c) { return Main().Get<form::ListBox>(c); }
  std::optional<std::string> Stored(const char* key) const {
    return sim.store.Value(kAppName, kSectionName, key);
  }
  std::string AppFile(const std::string& name) { return sim.files.ExeFolder() + name; }
  std::optional<std::string> FileText(const std::string& name) {
    return sim.files.ReadText(AppFile(name));
  }
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& e : sim.sound.Events()) n += e.what.rfind(prefix, 0) == 0;
    return n;
  }

  sim::SimPlatform sim;
  SimMonitor monitor{sim};
  std::unique_ptr<KelvaneApp> app;
};

}  // namespace kelvane::testing
