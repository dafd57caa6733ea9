#include "dashboard/digital_dashboard.h"

#include <algorithm>
#include <stdexcept>

#include "appearance/placement.h"
#include "capture/capture.h"
#include "dashboard/name_plate_editor.h"

namespace kelvane::dashboard {

using form::button::kLeft;
using form::button::kRight;


int HighLowLabelOf(int label) {
  for (const PlatePair& plate : kNamePlates)
    if (plate.dashboard_label == label) return plate.high_low_label;
  return 0;
}

DigitalDashboard::DigitalDashboard(platform::Platform& platform, DashboardHost& host,
                                   appearance::ColourEditorLink& editor)
    : p_(platform),
      host_(host),
      colour_editor_(editor),
      window_(platform, *this, "DigitalDashboard"),
      settings_(platform.store, platform.clock),
      docker_(platform.desktop),
      app_folder_(host.AppFolder()) {
  BuildControls();
  BuildMenu();
}

DigitalDashboard::~DigitalDashboard() = default;

void DigitalDashboard::SetCursor(const char* file) {
  window_.SetPointerImage(form::Pointer::File(app_folder_ + file));
}

// --- life cycle ----------------------------------------------------------------------

void DigitalDashboard::Show() {
  window_.Show();
}

void DigitalDashboard::OnLoad() {
  const form::Lifetime here = window_.Life();
  SetCursor(kNormalCursor);
  LoadMySettings();
  if (!here.Exists()) return;
  docker_.SetParentForm(&window_);
}

void DigitalDashboard::OnQueryUnload(form::UnloadMode, bool&) {
  colour_editor_.CloseIfOnThis();
}

void DigitalDashboard::OnUnload() {
  settings_.WriteText(keys::kDashboardWallpaper.name, theme_);
  if (plate_editor_) plate_editor_->Window().Unload();
}

void DigitalDashboard::Close() {
  host_.DashboardClosed();
  if (plate_editor_) plate_editor_->Window().Unload();
  window_.Hide();
}

void DigitalDashboard::ShowValues(const StatsTable& table) {
  for (int k = 0; k < kTileCount; ++k) labels_[k + 1]->SetCaption(table[kCurrentSlots[k]]);
}

void DigitalDashboard::ChangePaper(const std::string& theme) {
  const std::string path = app_folder_ + "BackGround\\" + theme + "\\Kelvane-D.jpg";
  if (!p_.files.FileExists(path)) return;
  theme_ = theme;
  for (form::Frame* tile : tiles_) tile->SetPicture(path);
}

void DigitalDashboard::SetBold(bool bold) {
  Menu(DashboardCommand::kBold).SetChecked(bold);
  for (int k = 1; k <= kTileCount; ++k) labels_[k]->SetBold(bold);
}

void DigitalDashboard::SetLocked(bool locked) {
  Menu(DashboardCommand::kLock).SetChecked(locked);
}

void DigitalDashboard::SaveBitmap() {
  const form::Lifetime here = window_.Life();
  capture::CaptureWindow(p_, window_, "db_", app_folder_, [here] { return here.Exists(); });
}

// --- the window's events -------------------------------------------------------------------

void DigitalDashboard::OnResize() {
  appearance::EnforceMinimumSize(window_);
  SetLocked(true);
}

void DigitalDashboard::OnActivate() {
  colour_editor_.TargetThis();
}

void DigitalDashboard::OnClick(form::Control* control) {
  if (LabelIndexOf(control) >= 0) colour_editor_.TargetThis();
}

void DigitalDashboard::OnDoubleClick(form::Control* control) {
  const int label = LabelIndexOf(control);
  if (HighLowLabelOf(label) != 0) ShowPlateEditor(label);
}

void DigitalDashboard::ShowPlateEditor(int label) {
  plate_tag_ = label;
  // An editor that is open keeps editing the plate it was opened for.
  if (plate_editor_ && plate_editor_->Window().Loaded()) {
    plate_editor_->Window().Show();
    p_.desktop.SetForeground(plate_editor_->Window().Handle());
    return;
  }
  plate_editor_ = std::make_unique<NamePlateEditor>(p_, *this, host_);
  plate_editor_->Window().Show();
}

void DigitalDashboard::OnMouseDown(const form::MouseEvent& e) {
  const bool editor = colour_editor_.Open();
  const bool drags_window = Locked() && e.button == kLeft && !editor;
  if (!e.control) {
    if (e.button == kLeft && Locked()) docker_.StartDockDrag(e.x, e.y);
    return;
  }
  if (const int k = TileIndexOf(e.control); k >= 0) {
    if (e.button == kLeft && editor)
      tiles_[k]->SetBackColour(colour_editor_.Colour());
    else if (drags_window)
      docker_.StartDockDrag(e.x, e.y);
    tiles_[k]->BringToFront();
    pressed_at_ = {tiles_[k]->Left(), tiles_[k]->Top()};
    return;
  }
  if (const int i = LabelIndexOf(e.control); i >= 0) {
    if (e.button == kLeft && editor)
      labels_[i]->SetForeColour(colour_editor_.Colour());
    else if (drags_window)
      docker_.StartDockDrag(e.x, e.y);
  }
}

void DigitalDashboard::OnMouseMove(const form::MouseEvent& e) {
  const bool editor = colour_editor_.Open();
  const bool left_held = (e.button & kLeft) != 0;
  if (!e.control) {
    if (!Locked()) {
      SetCursor(kMoveCursor);
      return;
    }
    SetCursor(kNormalCursor);
    if (left_held && !editor) docker_.UpdateDockDrag(e.x, e.y);
    return;
  }
  if (const int k = TileIndexOf(e.control); k >= 0) {
    if (editor || !left_held) return;
    if (Locked())
      docker_.UpdateDockDrag(e.x, e.y);
    else
      appearance::MoveTileToPointer(p_.desktop, window_, *tiles_[k]);
    return;
  }
  if (LabelIndexOf(e.control) < 0) return;
  if (editor) {
    SetCursor(kPaintCursor);
    colour_editor_.TargetThis();
    colour_editor_.ShowBeside(window_);
    return;
  }
  SetCursor(kNormalCursor);
  if (Locked() && left_held) docker_.UpdateDockDrag(e.x, e.y);
  if (!Locked()) SetCursor(kMoveCursor);
}

void DigitalDashboard::OnMouseUp(const form::MouseEvent& e) {
  if (!e.control) {
    if (e.button == kRight) OpenMenu();
    return;
  }
  if (const int k = TileIndexOf(e.control); k >= 0) {
    if (e.button == kRight)
      OpenMenu();
    else
      DropOnGrid(k);
    return;
  }
  if (LabelIndexOf(e.control) < 0) return;
  colour_editor_.TargetThis();
  appearance::KeepOnScreen(window_, p_.desktop);
  if (e.button != kRight) return;
  if (colour_editor_.Open()) colour_editor_.Close();
  OpenMenu();
}

void DigitalDashboard::DropOnGrid(int k) {
  TilePlaces places;
  for (int j = 0; j < kTileCount; ++j) places[j] = {tiles_[j]->Left(), tiles_[j]->Top()};
  DropTile(places, k, tiles_[k]->Left(), tiles_[k]->Top(), pressed_at_);
  for (int j = 0; j < kTileCount; ++j) tiles_[j]->Move(places[j].left, places[j].top);
}

// --- the menu ------------------------------------------------------------------------------

void DigitalDashboard::OpenMenu() {
  if (!window_.Loaded()) return;
  // The menu closes when the user clicks elsewhere only if our window is in front.
  p_.desktop.SetForeground(window_.Handle());
  window_.PopupMenu(Menu(DashboardCommand::kMenu));
}

void DigitalDashboard::OnMenuOpen(form::MenuItem& item) {
  if (&item == &Menu(DashboardCommand::kMenu)) PullIntoWorkArea();
}

void DigitalDashboard::OnMenuClick(form::MenuItem& item) {
  switch (CommandOf(item)) {
    case DashboardCommand::kLock:
      SetLocked(!item.Checked());
      SetCursor(Locked() ? kNormalCursor : kMoveCursor);
      break;
    case DashboardCommand::kBold:
      SetBold(!item.Checked());
      break;
    case DashboardCommand::kWallpaper:
      ChangePaper(item.Caption());
      break;
    case DashboardCommand::kColourEditor:
      colour_editor_.ShowBeside(window_);
      break;
    case DashboardCommand::kLoadMyLayout:
      LoadMySettings();
      break;
    case DashboardCommand::kSaveMyLayout:
      SaveLayout();
      break;
    case DashboardCommand::kTopRow:
      TopRow();
      break;
    case DashboardCommand::kDefaultCentre:
      DefaultCentre();
      break;
    case DashboardCommand::kBottomRow:
      BottomRow();
      break;
    case DashboardCommand::kSaveBitmap:
      SaveBitmap();
      break;
    case DashboardCommand::kClose:
      Close();
      break;
    default:
      break;
  }
}

}  // namespace kelvane::dashboard
