// Popup menus laid out by a table, and their items found again by what they
// do. A window class lists its menu as rows (the level gives each item its
// parent) and reaches an item by its command, never by its name.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/form/menu.h"
#include "platform/form/window.h"

namespace kelvane::form {

// `Command` is an enum with kNone and kCount.
template <class Command>
struct MenuRow {
  int level;            // 0: the popup menu, 1: its items, 2: the items of a submenu
  const char* name;
  const char* caption;  // nullptr: a separator
  Command command = Command::kNone;
};

template <class Command>
class MenuCommands {
 public:
  // Adds the rows to `window`. Items of the `shared` command (the wallpaper
  // themes, say) are told apart by their captions; they answer CommandOf only.
  void Build(Window& window, std::span<const MenuRow<Command>> rows, Command shared) {
    MenuItem* parents[3] = {};
    for (const MenuRow<Command>& row : rows) Add(window, row, shared, parents);
  }
  // The same for a menu written as several tables, one after the other: a row
  // of a later table hangs under the last row of its parent's level before it.
  void Build(Window& window, std::initializer_list<std::span<const MenuRow<Command>>> tables,
             Command shared) {
    MenuItem* parents[3] = {};
    for (std::span<const MenuRow<Command>> rows : tables)
      for (const MenuRow<Command>& row : rows) Add(window, row, shared, parents);
  }
  // The item of a command that has one item; throws std::out_of_range otherwise.
  MenuItem& Item(Command command) const {
    MenuItem* item = items_[static_cast<std::size_t>(command)];
    if (!item) throw std::out_of_range("the menu has no such item");
    return *item;
  }
  Command CommandOf(const MenuItem& item) const {
    for (const auto& [known, command] : commands_)
      if (known == &item) return command;
    return Command::kNone;
  }

 private:
  void Add(Window& window, const MenuRow<Command>& row, Command shared, MenuItem* (&parents)[3]) {
    MenuItem* item;
    if (row.level == 0)
      item = &window.AddMenu(row.name, row.caption);
    else if (row.caption)
      item = &parents[row.level - 1]->Add(row.name, row.caption);
    else
      item = &parents[row.level - 1]->AddSeparator(row.name);
    parents[row.level] = item;
    if (row.command == Command::kNone) return;
    if (row.command != shared) items_[static_cast<std::size_t>(row.command)] = item;
    commands_.emplace_back(item, row.command);
  }

  std::array<MenuItem*, static_cast<std::size_t>(Command::kCount)> items_{};
  std::vector<std::pair<const MenuItem*, Command>> commands_;
};

}  // namespace kelvane::form
