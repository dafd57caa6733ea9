// Popup menus of a window: a tree of items with captions, check marks and
// separators (an item whose caption is "-").
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form/types.h"

namespace kelvane::form {

class Window;

class MenuItem {
 public:
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // Separators may go without a name; every other item is found by its name.
  const std::string& Name() const { return name_; }
  Window& Owner() const { return owner_; }
  // The item this one hangs under; nullptr for a window's top-level menu.
  MenuItem* Parent() const { return parent_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  bool IsSeparator() const { return caption_ == "-"; }
  // A submenu opens; a command (no items, not a separator) can be chosen.
  bool IsSubmenu() const { return !items_.empty(); }
  bool IsCommand() const { return items_.empty() && !IsSeparator(); }
  // Whether a user can choose it: a command that is enabled and visible, under
  // enabled and visible submenus.
  bool Choosable() const;

  MenuItem& Add(std::string name, std::string caption);
  MenuItem& AddSeparator(std::string name = {});
  // An item at `position` among this one's items (at most their count).
  MenuItem& Insert(std::size_t position, std::string name, std::string caption);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  // This item or the first of its descendants with this name; nullptr if none.
  MenuItem* Find(std::string_view name);

 private:
  friend class Window;
  MenuItem(Window& owner, MenuItem* parent, std::string name, std::string caption);
  void Notify(Change what);

  Window& owner_;
  MenuItem* parent_;
  std::string name_;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace kelvane::form
