// The main window's settings table against the key index, and a whole run that
// loads every main-window key and saves it again.
#include "app/main_window_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "base/keys.h"
#include "monitor_fixture.h"

namespace kelvane {
namespace {

using kelvane::testing::SimMonitor;

std::vector<std::string_view> Names(const std::vector<KeyDef>& keys) {
  std::vector<std::string_view> names;
  for (const KeyDef& key : keys) names.push_back(key.name);
  return names;
}

TEST(MainWindowSettings, BindEveryMainWindowKeyOfTheIndexInItsOrderThenComeTheTrayKeys) {
  std::vector<std::string_view> bound;
  for (const SettingBinding& row : MainWindowSettings()) bound.push_back(row.key.name);
  std::vector<std::string_view> tray = Names(TrayIconKeys());
  bound.insert(bound.end(), tray.begin(), tray.end());
  EXPECT_EQ(bound, Names(MainWindowKeys()));
}

// A stored text other than the key's default that its control can hold.
std::string OtherThanDefault(const KeyDef& key) {
  static const std::map<std::string_view, std::string> texts{
      {"Paper", "Green"},
      {"ToggleIcon", "CPU"},
      {"LnchExe", "C:\\Tools\\cool down.bat"},
      {"TrayFont", "Tahoma"}};
  switch (key.type) {
    case KeyType::kCheck:
      return key.default_text == "1" ? "0" : "1";
    case KeyType::kFlag:
      return key.default_text == "True" ? "False" : "True";
    case KeyType::kInteger:
      return "62";
    case KeyType::kFloat:
      return "18";
    case KeyType::kColour:
      return std::to_string(*ParseColour(key.default_text) ^ 0x008000);  // half green flipped
    case KeyType::kText:
      break;
  }
  auto text = texts.find(key.name);
  if (text != texts.end()) return text->second;
  ADD_FAILURE() << "no stored text to try for " << key.name;
  return "";
}

TEST(MainWindowSettings, EveryMainWindowKeyIsLoadedAtStartUpAndSavedAgain) {
  sim::SimPlatform sim;
  SimMonitor monitor(sim);
  sim.files.CreateFolder(sim.files.ExeFolder() + "BackGround\\Green");
  sim.files.WriteText(sim.files.ExeFolder() + "BackGround\\Green\\Kelvane-M.jpg", "jpg", false);
  Settings settings(sim.store, sim.clock);
  std::map<std::string_view, std::string> stored;
  for (const KeyDef& key : MainWindowKeys()) {
    stored[key.name] = OtherThanDefault(key);
    settings.WriteText(key.name, stored[key.name]);
  }
  KelvaneApp app({sim.Get(), false}, [](AppContext&) {});  // the main window alone
  app.Start();
  ASSERT_FALSE(app.Ended());
  MainWindow& main = app.Main();
  form::Window& w = main.Window();

  // From here on only what the program saves is in the store.
  RemoveSetting(sim.store, kAppName, kSectionName);

  // The tray icon is drawn in the stored look: the CPU number, then (in the
  // other mode for a while) the motherboard number.
  sim.Advance(1);
  const sim::IconPicture cpu = sim.graphics.PictureOf(sim.tray.IconHandle());
  EXPECT_EQ(cpu.font, (platform::FontSpec{"Tahoma", 18, false}));
  EXPECT_EQ(std::to_string(cpu.back), stored["TrayBcolr"]);
  EXPECT_EQ(std::to_string(cpu.fore), stored["TrayFcolr"]);
  form::ListBox& mode = main.Get<form::ListBox>(MainControl::kTrayIconMode);
  sim.tray.UserEvent(0x203);  // the settings window out of the tray
  sim.forms.PickListItem(w, mode, "CPU & MB");
  sim.Advance(1);
  EXPECT_EQ(std::to_string(sim.graphics.PictureOf(sim.tray.IconHandle()).fore),
            stored["TrayFcolr2"]);
  sim.forms.PickListItem(w, mode, "CPU");

  // A menu item's setting is saved when it is clicked: twice, back to its
  // loaded check mark.
  for (const SettingBinding& row : MainWindowSettings()) {
    if (row.save != SaveWhen::kWhenClicked) continue;
    for (int click = 0; click < 2; ++click) {
      sim.forms.QueueMenuChoice(main.Menu(row.item).Name());
      sim.tray.UserEvent(0x205);
    }
  }
  main.Exit();
  ASSERT_TRUE(app.Ended());

  for (const KeyDef& key : MainWindowKeys()) {
    SCOPED_TRACE(key.name);
    std::optional<std::string> saved = sim.store.Value(kAppName, kSectionName, key.name);
    if (std::find_if(TrayIconKeys().begin(), TrayIconKeys().end(), [&](const KeyDef& tray) {
          return tray.name == key.name;
        }) != TrayIconKeys().end()) {
      // The tray icon settings window saves these, not the main window.
      EXPECT_EQ(saved, std::nullopt);
    } else {
      EXPECT_EQ(saved, stored[key.name]);
    }
  }
}

}  // namespace
}  // namespace kelvane
