#include "program/setting_rows.h"

#include <algorithm>

namespace kelvane {

using enum Binding;

void SettingsTable::Add(std::span<const SettingRow> rows) {
  rows_.insert(rows_.end(), rows.begin(), rows.end());
  std::stable_sort(rows_.begin(), rows_.end(), [](const SettingRow& a, const SettingRow& b) {
    return a.save_order < b.save_order;
  });
}

void SettingsTable::Load(LoadStage stage) {
  std::vector<const SettingRow*> rows;
  for (const SettingRow& row : rows_)
    if (row.stage == stage) rows.push_back(&row);
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto* a, const auto* b) { return a->load_order < b->load_order; });
  for (const SettingRow* row : rows) {
    const KeyDef& key = *row->key;
    switch (row->binding) {
      case kCheckBox:
        static_cast<form::CheckBox&>(*row->control).SetValue(store_.Integer(key) == 1 ? 1 : 0);
        break;
      case kSpeakerCheckBox: {
        auto& box = static_cast<form::CheckBox&>(*row->control);
        if (!speaker_offered_()) {
          box.SetValue(0);
          box.SetEnabled(false);
        } else {
          box.SetEnabled(true);
          box.SetValue(store_.Integer(key) == 1 ? 1 : 0);
        }
        break;
      }
      case kThresholdText:
        static_cast<form::ListBox&>(*row->control).SetText(store_.Text(key));
        break;
      case kListChoice: {
        auto& list = static_cast<form::ListBox&>(*row->control);
        const std::vector<std::string>& items = list.Items();
        auto chosen = std::find(items.begin(), items.end(), store_.Text(key));
        if (chosen == items.end()) chosen = std::find(items.begin(), items.end(), key.default_text);
        list.SetListIndex(static_cast<int>(chosen - items.begin()));
        break;
      }
      case kScrollBar:
        static_cast<form::ScrollBar&>(*row->control).SetValue(store_.Integer(key));
        break;
      case kTextBox:
        static_cast<form::TextBox&>(*row->control).SetText(store_.Text(key));
        break;
      case kCustom:
        row->load(store_.Text(key));
        break;
      case kMenuCheck:
        row->item->SetChecked(store_.Flag(key));
        break;
    }
  }
}

void SettingsTable::SaveAtShutDown() {
  for (const SettingRow& row : rows_)
    if (row.save == SaveWhen::kAtShutDown) Save(row);
}

bool SettingsTable::SaveItem(const form::MenuItem& item) {
  for (const SettingRow& row : rows_) {
    if (row.binding != kMenuCheck || row.item != &item) continue;
    Save(row);
    return true;
  }
  return false;
}

void SettingsTable::Save(const SettingRow& row) {
  const std::string_view name = row.key->name;
  switch (row.binding) {
    case kCheckBox:
    case kSpeakerCheckBox:
      store_.WriteInteger(name, static_cast<form::CheckBox&>(*row.control).Value() == 1 ? 1 : 0);
      break;
    case kMenuCheck:
      store_.WriteFlag(name, row.item->Checked());
      break;
    case kThresholdText:
      store_.WriteText(name, static_cast<form::ListBox&>(*row.control).Text());
      break;
    case kListChoice: {
      // What the list shows when it is one of its items, else its first item.
      const auto& list = static_cast<form::ListBox&>(*row.control);
      const std::vector<std::string>& items = list.Items();
      const bool listed = std::find(items.begin(), items.end(), list.Text()) != items.end();
      store_.WriteText(name, listed || items.empty() ? list.Text() : items.front());
      break;
    }
    case kTextBox:
      store_.WriteText(name, static_cast<form::TextBox&>(*row.control).Text());
      break;
    case kCustom:
      store_.WriteText(name, row.text());
      break;
    case kScrollBar:
      store_.WriteInteger(name, static_cast<form::ScrollBar&>(*row.control).Value());
      break;
  }
}

}  // namespace kelvane
