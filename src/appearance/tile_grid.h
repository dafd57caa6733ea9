// The dashboards' tiles: the grid they are dropped on (cells of one tile's
// size, counted from the client area's top-left corner), a tile following the
// pointer, and the pointer images both dashboards show.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "platform/form/form.h"
#include "platform/platform.h"

namespace kelvane::appearance {

struct TilePlace {
  int left = 0, top = 0;
  friend bool operator==(const TilePlace&, const TilePlace&) = default;
};

struct TileGrid {
  int cell_width = 0;
  int cell_height = 0;
};

// The cell a tile dropped at (left, top) twips lands in: negative places go to
// 0, a place inside a cell goes to the cell's corner, and a place exactly on a
// cell's edge stays. Cells are looked for from 0 to 12000 across and to 13000
// down; beyond them a tile stays where it was let go.
TilePlace GridCellOf(const TileGrid& grid, double left, double top);

// Tile `k` dropped at (left, top): it goes to its cell, and the first other
// tile (in index order) that sat exactly in that cell goes to `pressed_at`,
// where tile `k` was when it was pressed.
void DropTile(std::span<TilePlace> tiles, int k, const TileGrid& grid, double left, double top,
              TilePlace pressed_at);

// A tile taken while its window is unlocked follows the pointer: its corner
// 100 twips up and to the left of it, measured from the window's outer corner.
void MoveTileToPointer(platform::Desktop& desktop, const form::Window& window, form::Control& tile);

// Cursor files under the program's folder.
inline constexpr char kNormalCursor[] = "Cursors\\NormalCursor.cur";
inline constexpr char kMoveCursor[] = "Cursors\\MoveCursor.cur";
inline constexpr char kPaintCursor[] = "Cursors\\PaintCursor.cur";

}  // namespace kelvane::appearance
