// A model menu as a real popup menu: an HMENU tree of the visible items, with
// separators, check marks and greyed items, and the way back from the
// system's command ids and submenu handles to the model's items.
#pragma once

#include <windows.h>

#include <map>

#include "platform/form/menu.h"
#include "platform/form/types.h"
#include "platform/win32/ui/forms/resources.h"

namespace kelvane::platform::win32::forms {

class PopupMenu {
 public:
  // Builds the tree of `root`'s items (the root itself is the popup).
  explicit PopupMenu(form::MenuItem& root);
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  HMENU Handle() const { return root_.Get(); }
  form::MenuItem& Root() const { return root_item_; }
  // The item of a command id TrackPopupMenu returned; nullptr for 0 or unknown.
  form::MenuItem* ItemFor(UINT command) const;
  // The item whose submenu `menu` is; nullptr for the root and unknown menus.
  form::MenuItem* SubmenuItem(HMENU menu) const;
  // Rebuilds one submenu's items from the model, as it is about to open.
  void Refill(HMENU menu);
  // Follows a change of the model while the menu is shown.
  void Follow(form::MenuItem& item, form::Change what);

 private:
  struct Place {
    HMENU menu = nullptr;
    UINT position = 0;
  };
  void Fill(HMENU menu, form::MenuItem& parent);
  void Forget(HMENU menu);
  static UINT Flags(const form::MenuItem& item);

  form::MenuItem& root_item_;
  OwnedMenu root_;
  std::map<UINT, form::MenuItem*> commands_;
  std::map<HMENU, form::MenuItem*> submenus_;
  std::map<const form::MenuItem*, Place> places_;
  UINT next_command_ = 1;
};

}  // namespace kelvane::platform::win32::forms
