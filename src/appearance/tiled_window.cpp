#include "appearance/tiled_window.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kelvane::appearance {
namespace {

template <class T>
int IndexIn(std::span<T* const> controls, const form::Control* control) {
  const auto it = std::find(controls.begin(), controls.end(), control);
  return it == controls.end() ? -1 : static_cast<int>(it - controls.begin());
}

}  // namespace

TiledWindow::TiledWindow(platform::Platform& platform, form::Window& window,
                         ColourEditorLink& editor, std::string app_folder,
                         const TiledWindowDesign& design, std::span<form::Frame* const> tiles,
                         std::span<form::Label* const> labels)
    : p_(platform),
      window_(window),
      editor_(editor),
      docker_(platform.desktop),
      app_folder_(std::move(app_folder)),
      design_(design),
      tiles_(tiles),
      labels_(labels) {}

int TiledWindow::TileIndexOf(const form::Control* control) const {
  return IndexIn(tiles_, control);
}

int TiledWindow::LabelIndexOf(const form::Control* control) const {
  return IndexIn(labels_, control);
}

void TiledWindow::SetCursor(const char* file) {
  window_.SetPointerImage(form::Pointer::File(app_folder_ + file));
}

void TiledWindow::SetLockCursor(bool locked) {
  SetCursor(locked ? kNormalCursor : kMoveCursor);
}

void TiledWindow::ChangePaper(const std::string& theme) {
  const std::string folder = app_folder_ + "BackGround\\" + theme + "\\";
  for (std::size_t w = 0; w < design_.wallpapers.size(); ++w) {
    const Wallpaper& paper = design_.wallpapers[w];
    const std::string path = folder + paper.file;
    if (!p_.files.FileExists(path)) continue;
    if (w == 0) theme_ = theme;
    for (int k = paper.first_tile; k < paper.first_tile + paper.count; ++k)
      tiles_[k]->SetPicture(path);
  }
}

void TiledWindow::PaintOrStartDrag(const form::MouseEvent& e, bool locked) {
  const bool editor = editor_.Open();
  const bool paints = e.button == form::button::kLeft && editor;
  const bool drags_window = locked && e.button == form::button::kLeft && !editor;
  if (const int k = TileIndexOf(e.control); k >= 0) {
    if (paints)
      tiles_[k]->SetBackColour(editor_.Colour());
    else if (drags_window)
      StartWindowDrag(e);
  } else if (const int i = LabelIndexOf(e.control); i >= 0) {
    if (paints)
      labels_[i]->SetForeColour(editor_.Colour());
    else if (drags_window)
      StartWindowDrag(e);
  }
}

void TiledWindow::OfferPaint() {
  SetCursor(kPaintCursor);
  editor_.TargetThis();
  editor_.ShowBeside(window_);
}

void TiledWindow::TakeTile(int k) {
  tiles_[k]->BringToFront();
  taken_at_ = {tiles_[k]->Left(), tiles_[k]->Top()};
}

void TiledWindow::DropOnGrid(int k) {
  std::vector<TilePlace> places(static_cast<std::size_t>(design_.grid_tiles));
  for (int j = 0; j < design_.grid_tiles; ++j) places[j] = {tiles_[j]->Left(), tiles_[j]->Top()};
  DropTile(places, k, design_.grid, tiles_[k]->Left(), tiles_[k]->Top(), taken_at_);
  for (int j = 0; j < design_.grid_tiles; ++j) tiles_[j]->Move(places[j].left, places[j].top);
}

void TiledWindow::PopupMenu(form::MenuItem& menu) {
  // The menu closes when the user clicks elsewhere only if our window is in front.
  p_.desktop.SetForeground(window_.Handle());
  window_.PopupMenu(menu);
}

}  // namespace kelvane::appearance
