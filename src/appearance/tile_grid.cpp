#include "appearance/tile_grid.h"

#include "base/numbers.h"

namespace kelvane::appearance {
namespace {

constexpr int kLastColumn = 12000;
constexpr int kLastRow = 13000;
constexpr int kTileGrip = 100;

// The start of the cell of `size` that holds `v` strictly inside it.
int CellStart(int v, int size, int last) {
  for (int c = 0; c <= last; c += size)
    if (c < v && v < c + size) return c;
  return v;
}

}  // namespace

TilePlace GridCellOf(const TileGrid& grid, double left, double top) {
  int l = RoundToInt32(left), t = RoundToInt32(top);
  if (l < 0) l = 0;
  if (t < 0) t = 0;
  return {CellStart(l, grid.cell_width, kLastColumn), CellStart(t, grid.cell_height, kLastRow)};
}

void DropTile(std::span<TilePlace> tiles, int k, const TileGrid& grid, double left, double top,
              TilePlace pressed_at) {
  const TilePlace cell = GridCellOf(grid, left, top);
  for (std::size_t j = 0; j < tiles.size(); ++j) {
    if (static_cast<int>(j) != k && tiles[j] == cell) {
      tiles[j] = pressed_at;
      break;
    }
  }
  tiles[k] = cell;
}

void MoveTileToPointer(platform::Desktop& desktop, const form::Window& window, form::Control& tile) {
  const platform::Point pointer = desktop.CursorPos();
  tile.Move(pointer.x * desktop.TwipsPerPixelX() - window.Left() - kTileGrip,
            pointer.y * desktop.TwipsPerPixelY() - window.Top() - kTileGrip);
}

}  // namespace kelvane::appearance
