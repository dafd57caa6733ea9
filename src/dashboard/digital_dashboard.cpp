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
      tiled_(platform, window_, editor, host.AppFolder(), TiledDesign(), tiles_, labels_) {
  BuildControls();
  BuildMenu();
}

DigitalDashboard::~DigitalDashboard() = default;

// --- life cycle ----------------------------------------------------------------------

void DigitalDashboard::Show() {
  window_.Show();
}

void DigitalDashboard::OnLoad() {
  const form::Lifetime here = window_.Life();
  tiled_.SetCursor(kNormalCursor);
  LoadMySettings();
  if (!here.Exists()) return;
  tiled_.EnableWindowDrag();
}

void DigitalDashboard::OnQueryUnload(form::UnloadMode, bool&) {
  colour_editor_.CloseIfOnThis();
}

void DigitalDashboard::OnUnload() {
  settings_.WriteText(keys::kDashboardWallpaper.name, Theme());
  if (plate_editor_) plate_editor_->Window().Unload();
}

void DigitalDashboard::Close() {
  host_.DashboardClosed();
  if (plate_editor_) plate_editor_->Window().Unload();
  window_.Hide();
}

void DigitalDashboard::ShowValues(const Statistics& statistics) {
  const std::string separator = p_.clock.DecimalSeparator();
  for (int k = 0; k < kTileCount; ++k)
    labels_[k + 1]->SetCaption(StatText(statistics, kTileMeters[k], Column::kCurrent, separator));
}

void DigitalDashboard::ShowStale(bool stale) {
  for (int k = 1; k <= kTileCount; ++k) labels_[k]->SetGreyed(stale);
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
  capture::CaptureWindow(p_, window_, "db_", tiled_.AppFolder(), [here] { return here.Exists(); });
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
  if (tiled_.LabelIndexOf(control) >= 0) colour_editor_.TargetThis();
}

void DigitalDashboard::OnDoubleClick(form::Control* control) {
  const int label = tiled_.LabelIndexOf(control);
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
  if (!e.control) {
    if (e.button == kLeft && Locked()) tiled_.StartWindowDrag(e);
    return;
  }
  tiled_.PaintOrStartDrag(e, Locked());
  if (const int k = tiled_.TileIndexOf(e.control); k >= 0) tiled_.TakeTile(k);
}

void DigitalDashboard::OnMouseMove(const form::MouseEvent& e) {
  const bool editor = colour_editor_.Open();
  const bool left_held = (e.button & kLeft) != 0;
  if (!e.control) {
    tiled_.SetLockCursor(Locked());
    if (Locked() && left_held && !editor) tiled_.DragWindow(e);
    return;
  }
  if (const int k = tiled_.TileIndexOf(e.control); k >= 0) {
    if (editor || !left_held) return;
    if (Locked())
      tiled_.DragWindow(e);
    else
      appearance::MoveTileToPointer(p_.desktop, window_, *tiles_[k]);
    return;
  }
  if (tiled_.LabelIndexOf(e.control) < 0) return;
  if (editor) {
    tiled_.OfferPaint();
    return;
  }
  if (Locked() && left_held) tiled_.DragWindow(e);
  tiled_.SetLockCursor(Locked());
}

void DigitalDashboard::OnMouseUp(const form::MouseEvent& e) {
  if (!e.control) {
    if (e.button == kRight) OpenMenu();
    return;
  }
  if (const int k = tiled_.TileIndexOf(e.control); k >= 0) {
    if (e.button == kRight)
      OpenMenu();
    else
      tiled_.DropOnGrid(k);
    return;
  }
  if (tiled_.LabelIndexOf(e.control) < 0) return;
  colour_editor_.TargetThis();
  appearance::KeepOnScreen(window_, p_.desktop);
  if (e.button != kRight) return;
  if (colour_editor_.Open()) colour_editor_.Close();
  OpenMenu();
}

// --- the menu ------------------------------------------------------------------------------

void DigitalDashboard::OpenMenu() {
  if (!window_.Loaded()) return;
  tiled_.PopupMenu(Menu(DashboardCommand::kMenu));
}

void DigitalDashboard::OnMenuOpen(form::MenuItem& item) {
  if (&item == &Menu(DashboardCommand::kMenu)) PullIntoWorkArea();
}

void DigitalDashboard::OnMenuClick(form::MenuItem& item) {
  switch (CommandOf(item)) {
    case DashboardCommand::kLock:
      SetLocked(!item.Checked());
      tiled_.SetLockCursor(Locked());
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
