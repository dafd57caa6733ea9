// The program on the simulated desktop, as the unit tests run it, with
// settings that a fuzz input stored.
#pragma once

#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "program_fixture.h"

namespace kelvane::fuzz {

// Lines of the form "key=value" as stored settings: every key the program
// reads can be given any text. A line without "=" stores nothing.
inline void StoreSettings(sim::SimStore& store, std::string_view text) {
  for (std::string_view line : Lines(text)) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    store.Write(kAppName, kSectionName, line.substr(0, eq), line.substr(eq + 1));
  }
}

// The program as the unit tests run it, with the files that its windows and
// logs look for: three wallpaper themes and the HTML log's template.
class Program : public testing::ProgramFixture {
 public:
  Program() {
    const std::string themes = AppFile("BackGround\\");
    for (const char* theme : {"Custom", "White", "Black"}) {
      sim.files.CreateFolder(themes + theme);
      for (const char* picture : {"\\Kelvane-M.jpg", "\\Kelvane-D.jpg", "\\Kelvane-H.jpg"})
        sim.files.WriteText(themes + theme + picture, "jpg", false);
    }
    sim.files.CreateFolder(AppFile("Template"));
    sim.files.WriteText(AppFile("Template\\Kelvane.log.plt"),
                        "<p>Last Update</p><p>Started</p><p>Date-Time</p><p>*1* *2* *36*</p>",
                        false);
  }
  // A command of the main window's menu, opened from the tray icon.
  void TrayCommand(const char* item) {
    constexpr int kRightButtonUp = 0x205;
    sim.forms.QueueMenuChoice(item);
    sim.tray.UserEvent(kRightButtonUp);
  }
  // Runs `seconds` of the program's time, while it runs.
  void Run(double seconds) {
    if (Running()) sim.Advance(seconds);
  }
  bool Running() const { return app && !app->Ended(); }
  // "Exit Kelvane": every window closes and saves its settings.
  void Exit() {
    if (Running()) Main().Exit();
  }
};

}  // namespace kelvane::fuzz
