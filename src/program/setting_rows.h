// The settings window's settings as one table of rows: each stored key bound
// to the control that holds it, with the codec that turns the stored text into
// the control's state and back. The same rows drive the load at start-up and
// the saves, so the two cannot disagree. The settings window has its rows, and
// every part of the program may add its own.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/keys.h"
#include "base/settings.h"
#include "platform/form/form.h"

namespace kelvane {

// How a stored text and the state of its control become one another.
enum class Binding {
  kCheckBox,         // ticked by a stored 1 only (a stored 2 shows clear); saved as 0 or 1
  kSpeakerCheckBox,  // as kCheckBox where the PC speaker is offered, else cleared and disabled
  kThresholdText,    // a list's text: the stored text as it stands, listed or not
  kListChoice,       // the list item the stored text names; anything else selects the default
  kScrollBar,        // the position: the stored number
  kTextBox,          // the text itself
  kCustom,           // the row's own load and save (a wallpaper theme, say)
  kMenuCheck,        // a menu item's check mark: a flag
};

// When start-up loads a setting into its control: before the threshold lists
// are filled, after them, or after the CPU name is shown.
enum class LoadStage { kBeforeLists, kAfterLists, kAfterCpuName };

enum class SaveWhen { kAtShutDown, kWhenClicked };

struct SettingRow {
  const KeyDef* key = nullptr;
  Binding binding = Binding::kCheckBox;
  // The control that holds the setting (kMenuCheck: `item`).
  form::Control* control = nullptr;
  form::MenuItem* item = nullptr;
  // Start-up loads each stage's rows in their load order; the shut-down saves
  // the rows in their save order.
  LoadStage stage = LoadStage::kAfterCpuName;
  int load_order = 0;
  int save_order = 0;
  SaveWhen save = SaveWhen::kAtShutDown;
  // kCustom: what the stored text does, and the text to store.
  std::function<void(const std::string&)> load;
  std::function<std::string()> text;
};

class SettingsTable {
 public:
  // `speaker_offered`: whether the PC speaker can be used here.
  SettingsTable(Settings& store, std::function<bool()> speaker_offered)
      : store_(store), speaker_offered_(std::move(speaker_offered)) {}

  void Add(std::span<const SettingRow> rows);
  // The rows, in their save order.
  const std::vector<SettingRow>& Rows() const { return rows_; }

  // Loads the stage's rows into their controls, in their load order. Setting a
  // control runs the same click or change handling as a user's change would.
  void Load(LoadStage stage);
  // Saves every row that is saved at shut-down, in the save order.
  void SaveAtShutDown();
  // Saves the row of a menu item that holds its setting (when it is clicked);
  // false when no row holds it.
  bool SaveItem(const form::MenuItem& item);

 private:
  void Save(const SettingRow& row);

  Settings& store_;
  std::function<bool()> speaker_offered_;
  std::vector<SettingRow> rows_;
};

}  // namespace kelvane
