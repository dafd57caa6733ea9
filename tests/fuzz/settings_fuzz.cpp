// Any text under any key. Each line "key=value" stores a value: the typed
// reads convert every value and every key of the index reads with its type;
// then the program starts on these settings, runs a few ticks, opens the tray
// icon's settings window and ends (its main window loads them, the tray icon
// and its settings window, the dashboards when they are to show at start).
#include "base/keys.h"
#include "base/settings.h"
#include "fuzz_program.h"

namespace kelvane::fuzz {
namespace {

void Convert(std::string_view text) {
  ParseFloat(text);
  ParseInteger(text);
  ParseFlag(text);
  ParseColour(text);
}

void ReadTyped(Settings& settings, const KeyDef& key) {
  switch (key.type) {
    case KeyType::kText:
      settings.Text(key);
      break;
    case KeyType::kInteger:
    case KeyType::kCheck:
      settings.Integer(key);
      break;
    case KeyType::kFlag:
      settings.Flag(key);
      break;
    case KeyType::kFloat:
      settings.Float(key);
      break;
    case KeyType::kColour:
      settings.Colour(key);
      break;
  }
}

}  // namespace
}  // namespace kelvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  const std::string_view text = fuzz::AsText(data, size);
  fuzz::Convert(text);
  for (std::string_view line : fuzz::Lines(text)) fuzz::Convert(line.substr(line.find('=') + 1));

  fuzz::Program program;
  fuzz::StoreSettings(program.sim.store, text);
  Settings settings(program.sim.store, program.sim.clock);
  for (const KeyDef& key : AllKeys()) fuzz::ReadTyped(settings, key);

  program.Start();
  program.Run(3);
  // The tray icon's settings window shows the stored look, and saves it on exit.
  if (program.Running()) program.TrayCommand("MNuTrayColrFont");
  program.Run(1);
  program.Exit();
  return 0;
}
