#include "platform/form/menu.h"

#include "platform/form/window.h"

namespace kelvane::form {

MenuItem::MenuItem(Window& owner, MenuItem* parent, std::string name, std::string caption)
    : owner_(owner), parent_(parent), name_(std::move(name)), caption_(std::move(caption)) {}

void MenuItem::Notify(Change what) {
  owner_.NotifyMenu(*this, what);
}

void MenuItem::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
}

void MenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(Change::kChecked);
}

void MenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Change::kEnabled);
}

void MenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Change::kVisible);
}

bool MenuItem::Choosable() const {
  if (!IsCommand()) return false;
  for (const MenuItem* item = this; item; item = item->parent_) {
    // The top-level item is the popup itself; its own flags do not grey it.
    if (!item->parent_) break;
    if (!item->enabled_ || !item->visible_) return false;
  }
  return true;
}

MenuItem& MenuItem::Add(std::string name, std::string caption) {
  items_.push_back(
      std::unique_ptr<MenuItem>(new MenuItem(owner_, this, std::move(name), std::move(caption))));
  Notify(Change::kMenuItems);
  return *items_.back();
}

MenuItem& MenuItem::Insert(std::size_t position, std::string name, std::string caption) {
  if (position > items_.size()) position = items_.size();
  auto at = items_.insert(
      items_.begin() + static_cast<std::ptrdiff_t>(position),
      std::unique_ptr<MenuItem>(new MenuItem(owner_, this, std::move(name), std::move(caption))));
  Notify(Change::kMenuItems);
  return **at;
}

MenuItem& MenuItem::AddSeparator(std::string name) {
  return Add(std::move(name), "-");
}

MenuItem* MenuItem::Find(std::string_view name) {
  if (!name.empty() && name_ == name) return this;
  for (auto& item : items_)
    if (MenuItem* found = item->Find(name)) return found;
  return nullptr;
}

}  // namespace kelvane::form
