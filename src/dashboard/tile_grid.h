// The dashboard's nine tiles on their grid: cells of one tile's size.
#pragma once

#include <array>

#include "appearance/tile_grid.h"

namespace kelvane::dashboard {

inline constexpr int kTileCount = 9;
inline constexpr int kTileWidth = 1185;
inline constexpr int kTileHeight = 240;
inline constexpr appearance::TileGrid kTileGrid{kTileWidth, kTileHeight};

using appearance::TilePlace;
using TilePlaces = std::array<TilePlace, kTileCount>;

inline TilePlace GridCellOf(double left, double top) {
  return appearance::GridCellOf(kTileGrid, left, top);
}
inline void DropTile(TilePlaces& tiles, int k, double left, double top, TilePlace pressed_at) {
  appearance::DropTile(tiles, k, kTileGrid, left, top, pressed_at);
}

}  // namespace kelvane::dashboard
