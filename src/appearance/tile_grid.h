// The grid the dashboards' tiles are dropped on: cells of one tile's size,
// counted from the client area's top-left corner.
#pragma once

#include <span>

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

}  // namespace kelvane::appearance
