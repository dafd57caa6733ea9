// What both dashboards do alike with their tiles and labels: the pointer
// images, a theme's pictures laid on the tiles, painting a tile or label in
// the colour editor's colour, dragging the whole window by its body, a tile
// dropped on the grid swapping with the tile already there, and the popup menu
// shown with the window in front. Each dashboard owns one, configured by its
// design, and keeps its own rules (which tile may be taken, when a drag
// starts) beside it.
#pragma once

#include <span>
#include <string>
#include <utility>

#include "appearance/colour_editor_link.h"
#include "appearance/docking.h"
#include "appearance/tile_grid.h"
#include "platform/form/form.h"
#include "platform/platform.h"

namespace kelvane::appearance {

// One picture of a theme, laid on `count` tiles from `first_tile`.
struct Wallpaper {
  const char* file;  // in BackGround\<theme>\ under the program's folder
  int first_tile;
  int count;
};

struct TiledWindowDesign {
  TileGrid grid;
  int grid_tiles = 0;  // tiles 0 to grid_tiles - 1 lie on the grid
  // Each picture is laid where the theme has it; the first names the theme,
  // so a theme without it is not taken.
  std::span<const Wallpaper> wallpapers;
};

class TiledWindow {
 public:
  // `tiles` and `labels` view the dashboard's own tables, which its layout
  // fills after this is made; none of the references is owned.
  TiledWindow(platform::Platform& platform, form::Window& window, ColourEditorLink& editor,
              std::string app_folder, const TiledWindowDesign& design,
              std::span<form::Frame* const> tiles, std::span<form::Label* const> labels);
  TiledWindow(const TiledWindow&) = delete;
  TiledWindow& operator=(const TiledWindow&) = delete;

  const std::string& AppFolder() const { return app_folder_; }
  // The theme last taken; "" before the first.
  const std::string& Theme() const { return theme_; }
  // The index of a tile or label, -1 for anything else.
  int TileIndexOf(const form::Control* control) const;
  int LabelIndexOf(const form::Control* control) const;

  // The pointer image from a cursor file under the program's folder.
  void SetCursor(const char* file);
  // The normal pointer while locked, the move pointer while not.
  void SetLockCursor(bool locked);
  // Lays the theme's pictures on their tiles.
  void ChangePaper(const std::string& theme);
  // Names the theme without looking at its pictures: a window that keeps its
  // stored theme whatever its folder holds today.
  void SetTheme(std::string theme) { theme_ = std::move(theme); }

  // Window drags move nothing until the window is loaded and this is called.
  void EnableWindowDrag() { docker_.SetParentForm(&window_); }
  void StartWindowDrag(const form::MouseEvent& e) { docker_.StartDockDrag(e.x, e.y); }
  void DragWindow(const form::MouseEvent& e) { docker_.UpdateDockDrag(e.x, e.y); }

  // A press on a tile or label: with the colour editor open a left press
  // paints it (a tile's back colour, a label's text), otherwise a left press
  // on a locked window starts dragging the window.
  void PaintOrStartDrag(const form::MouseEvent& e, bool locked);
  // The pointer over a label while the editor is open: the paint pointer, and
  // the editor works on this window and stands beside it.
  void OfferPaint();
  // Tile `k` taken: it comes to the front and remembers its place.
  void TakeTile(int k);
  // Tile `k` let go: it goes to its grid cell, and the first other grid tile
  // that sat there goes to where `k` was taken.
  void DropOnGrid(int k);
  // Pops `menu` up at the pointer.
  void PopupMenu(form::MenuItem& menu);

 private:
  platform::Platform& p_;
  form::Window& window_;
  ColourEditorLink& editor_;
  DockingHandler docker_;
  const std::string app_folder_;
  const TiledWindowDesign design_;
  const std::span<form::Frame* const> tiles_;
  const std::span<form::Label* const> labels_;
  std::string theme_;
  TilePlace taken_at_;
};

}  // namespace kelvane::appearance
