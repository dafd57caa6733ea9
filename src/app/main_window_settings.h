// The main window's own settings as one table: each control bound to its key
// and to the value of Options it holds, in the order the shut-down saves them.
// They become the first rows of the settings table (program/setting_rows.h),
// which drives the load at start-up and the saves, so the two cannot disagree;
// the key index lists the same keys in the same order (MainWindowKeys), then
// the six tray icon keys, which the tray icon's style loads instead.
#pragma once

#include <span>
#include <variant>

#include "app/main_window.h"
#include "base/keys.h"
#include "base/options.h"
#include "program/setting_rows.h"

namespace kelvane {

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
