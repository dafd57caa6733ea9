// The wallpaper themes both dashboards offer: each a folder of the program's
// BackGround folder, named as its menu item is captioned. A dashboard takes a
// theme only when the folder holds its own picture (TiledWindow).
#pragma once

#include <array>
#include <cstddef>

#include "platform/form/menu_table.h"

namespace kelvane::appearance {

struct ThemeItem {
  const char* item;  // the menu item's name
  const char* name;  // its caption, and the theme's folder
};
inline constexpr ThemeItem kDashboardThemes[] = {
    {"MnuAsus", "Asus"},       {"MnuAsusDark", "Asus Dark"}, {"MnuBlack", "Black"},
    {"mnuCustColr", "Custom"}, {"MnuGreen", "Green"},        {"MnuPurple", "Purple"},
    {"MnuRed", "Red"},         {"MnuWhite", "White"},        {"MnuWhitMarble", "White Marble"},
};
inline constexpr std::size_t kDashboardThemeCount = std::size(kDashboardThemes);

// The themes as rows of a dashboard's menu table, under a submenu at `level`
// - 1, each item answering `command`.
template <class Command>
constexpr std::array<form::MenuRow<Command>, kDashboardThemeCount> ThemeMenuRows(int level,
                                                                                 Command command) {
  std::array<form::MenuRow<Command>, kDashboardThemeCount> rows{};
  for (std::size_t t = 0; t < kDashboardThemeCount; ++t)
    rows[t] = {level, kDashboardThemes[t].item, kDashboardThemes[t].name, command};
  return rows;
}

}  // namespace kelvane::appearance
