// The grid the dashboard's tiles are dropped on: cells of one tile's size,
// counted from the client area's top-left corner.
#pragma once

#include <array>

namespace kelvane::dashboard {

inline constexpr int kTileCount = 9;
inline constexpr int kTileWidth = 1185;
inline constexpr int kTileHeight = 240;

struct TilePlace {
  int left = 0, top = 0;
  friend bool operator==(const TilePlace&, const TilePlace&) = default;
};
using TilePlaces = std::array<TilePlace, kTileCount>;

// The cell a tile dropped at (left, top) twips lands in: negative places go to
// 0, a place inside a cell goes to the cell's corner, and a place exactly on a
// cell's edge stays. Beyond the last columns and rows looked at (13035 across,
// 13200 down) a tile stays where it was let go.
TilePlace GridCellOf(double left, double top);

// Tile `k` dropped at (left, top): it goes to its cell, and the first other
// tile (in index order) that sat exactly in that cell goes to `pressed_at`,
// where tile `k` was when it was pressed.
void DropTile(TilePlaces& tiles, int k, double left, double top, TilePlace pressed_at);

}  // namespace kelvane::dashboard
