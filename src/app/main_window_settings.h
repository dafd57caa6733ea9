// The main window's settings as one table: each control bound to its key, in
// the order the shut-down saves them. The same rows drive the load at start-up
// (in the order start-up loads them) and the saves, so the two cannot disagree;
// the key index lists the same keys in the same order (MainWindowKeys), then
// the six tray icon keys, which the tray icon's style loads instead.
#pragma once

#include <span>
#include <variant>

#include "app/main_window.h"
#include "base/keys.h"
#include "base/options.h"

namespace kelvane {

// How a stored text and the state of its control become one another.
enum class Binding {
  kCheckBox,         // ticked by a stored 1 only (a stored 2 shows clear); saved as 0 or 1
  kSpeakerCheckBox,  // as kCheckBox where the PC speaker is offered, else cleared and disabled
  kThresholdText,    // a list's text: the stored text as it stands, listed or not
  kListChoice,       // the list item the stored text names; anything else selects the default
  kScrollBar,        // the position: the stored number
  kTextBox,          // the text itself
  kWallpaperTheme,   // the theme of the main window's wallpaper
  kMenuCheck,        // a menu item's check mark: a flag
};

enum class SaveWhen { kAtShutDown, kWhenClicked };

// The value of Options that a row binds.
using OptionField = std::variant<bool Options::*, int Options::*, std::string Options::*,
                                 Options::TrayMode Options::*>;

struct SettingBinding {
  const KeyDef& key;
  Binding binding;
  OptionField field;
  // The control that holds the setting (for kMenuCheck: `item`).
  MainControl control;
  // Start-up loads each stage's rows in their load order.
  LoadStage stage;
  int load_order;
  SaveWhen save;
  MainCommand item = MainCommand::kNone;
};

std::span<const SettingBinding> MainWindowSettings();

}  // namespace kelvane
