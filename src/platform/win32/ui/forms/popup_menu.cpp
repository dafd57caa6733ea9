#include "platform/win32/ui/forms/popup_menu.h"

#include <string>

#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32::forms {

PopupMenu::PopupMenu(form::MenuItem& root) : root_item_(root), root_(CreatePopupMenu()) {
  if (root_) Fill(root_.Get(), root);
}

UINT PopupMenu::Flags(const form::MenuItem& item) {
  return (item.Checked() ? MF_CHECKED : MF_UNCHECKED) | (item.Enabled() ? MF_ENABLED : MF_GRAYED);
}

void PopupMenu::Fill(HMENU menu, form::MenuItem& parent) {
  UINT position = 0;
  for (const auto& owned : parent.Items()) {
    form::MenuItem& item = *owned;
    if (!item.Visible()) continue;
    const std::wstring caption = Utf8ToWide(item.Caption());
    bool added = false;
    if (item.IsSeparator()) {
      added = AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (item.IsSubmenu()) {
      OwnedMenu submenu(CreatePopupMenu());
      if (!submenu) continue;
      Fill(submenu.Get(), item);
      const HMENU handle = submenu.Get();
      added = AppendMenuW(menu, MF_POPUP | MF_STRING | Flags(item),
                          reinterpret_cast<UINT_PTR>(handle), caption.c_str());
      // Attached, the submenu belongs to its parent menu and dies with it.
      if (added) {
        submenu.Release();
        submenus_[handle] = &item;
      }
    } else {
      const UINT command = next_command_++;
      added = AppendMenuW(menu, MF_STRING | Flags(item), command, caption.c_str());
      if (added) commands_[command] = &item;
    }
    if (added) places_[&item] = Place{menu, position++};
  }
}

form::MenuItem* PopupMenu::ItemFor(UINT command) const {
  auto it = commands_.find(command);
  return it == commands_.end() ? nullptr : it->second;
}

form::MenuItem* PopupMenu::SubmenuItem(HMENU menu) const {
  auto it = submenus_.find(menu);
  return it == submenus_.end() ? nullptr : it->second;
}

void PopupMenu::Forget(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU nested = GetSubMenu(menu, i)) {
      Forget(nested);
      submenus_.erase(nested);
    }
  }
  for (auto it = places_.begin(); it != places_.end();)
    it = it->second.menu == menu ? places_.erase(it) : std::next(it);
}

void PopupMenu::Refill(HMENU menu) {
  form::MenuItem* parent = menu == root_.Get() ? &root_item_ : SubmenuItem(menu);
  if (!parent) return;
  Forget(menu);
  // DeleteMenu destroys the submenus it removes.
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  Fill(menu, *parent);
}

void PopupMenu::Follow(form::MenuItem& item, form::Change what) {
  if (what == form::Change::kVisible || what == form::Change::kMenuItems) {
    // The structure changed: the menu that holds the item (or, for new items,
    // the item's own submenu) is rebuilt.
    for (const auto& [handle, owner] : submenus_)
      if (owner == &item) return Refill(handle);
    if (&item == &root_item_) return Refill(root_.Get());
    for (const auto& [handle, owner] : submenus_)
      if (owner == item.Parent()) return Refill(handle);
    if (item.Parent() == &root_item_) Refill(root_.Get());
    return;
  }
  auto place = places_.find(&item);
  if (place == places_.end() || item.IsSeparator()) return;
  std::wstring caption = Utf8ToWide(item.Caption());
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_STRING;
  info.fState =
      (item.Checked() ? MFS_CHECKED : MFS_UNCHECKED) | (item.Enabled() ? MFS_ENABLED : MFS_GRAYED);
  info.dwTypeData = caption.data();
  SetMenuItemInfoW(place->second.menu, place->second.position, TRUE, &info);
}

}  // namespace kelvane::platform::win32::forms
