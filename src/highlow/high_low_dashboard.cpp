#include "highlow/high_low_dashboard.h"

#include <algorithm>
#include <stdexcept>

#include "appearance/placement.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "capture/capture.h"
#include "highlow/report.h"

namespace kelvane::highlow {

using form::button::kLeft;
using form::button::kRight;

namespace {

// Stored places and sizes beyond this many screens are no places at all.
constexpr int kFarScreens = 4;

using appearance::kNormalCursor;

}  // namespace

HighLowDashboard::HighLowDashboard(platform::Platform& platform, HighLowHost& host,
                                   appearance::ColourEditorLink& editor)
    : p_(platform),
      host_(host),
      colour_editor_(editor),
      window_(platform, *this, "HighLowDashboard"),
      settings_(platform.store, platform.clock),
      app_folder_(host.AppFolder()),
      tiled_(platform, window_, editor, app_folder_, TiledDesign(), tiles_, labels_) {
  BuildControls();
  BuildMenu();
}

HighLowDashboard::~HighLowDashboard() = default;

// --- life cycle ------------------------------------------------------------------------

void HighLowDashboard::Load() {
  window_.Load();
}

void HighLowDashboard::Show() {
  // The load yields: the program may release this window meanwhile.
  const form::Lifetime here = window_.Life();
  // The first show after the load raises a resize; that one is not the user's.
  showing_ = true;
  window_.Show();
  if (!here.Exists()) return;
  showing_ = false;
  if (here) ClampToRightEdge();
}

void HighLowDashboard::OnLoad() {
  const form::Lifetime here = window_.Life();
  // The stored theme is kept even when its folder lacks the columns' picture
  // (a theme removed or not yet copied back): the unload writes it back as it
  // was read.
  const std::string theme = settings_.Text(keys::kHighLowWallpaper);
  tiled_.SetTheme(theme);
  ChangePaper(theme);

  // The default place centres the design-size window on the screen. A
  // hand-edited store may hold anything: a size that is no size, or a place
  // many screens away, reads as the default.
  const platform::Rect screen = p_.desktop.ScreenRect();
  const int screen_w = screen.Width() * p_.desktop.TwipsPerPixelX();
  const int screen_h = screen.Height() * p_.desktop.TwipsPerPixelY();
  const int default_left = RoundToInt32((screen_w - kDefaultWidth) / 2.0);
  const int default_top = RoundToInt32((screen_h - kDefaultHeight) / 2.0);
  int left = RoundToInt32(settings_.Float(keys::kHighLowLeft.name, default_left));
  int top = RoundToInt32(settings_.Float(keys::kHighLowTop.name, default_top));
  int width = RoundToInt32(settings_.Float(keys::kHighLowWidth));
  int height = RoundToInt32(settings_.Float(keys::kHighLowHeight));
  if (appearance::FarOffScreen(left, screen_w, kFarScreens)) left = default_left;
  if (appearance::FarOffScreen(top, screen_h, kFarScreens)) top = default_top;
  if (width <= 0 || width > kFarScreens * screen_w) width = kDefaultWidth;
  if (height <= 0 || height > kFarScreens * screen_h) height = kDefaultHeight;
  window_.Move(left, top, width, height);

  YieldMessages();
  if (!here) return;
  appearance::SetTopmost(window_, true);
  SetLocked(true);
  tiled_.SetCursor(kNormalCursor);
  for (int k = 0; k < kColumnCount; ++k)
    tiles_[k]->SetLeft(settings_.Integer(HighLowFrameLeftKeys().Name(k),
                                         HighLowFrameLeftKeys().Default(k)));
  for (int k = 0; k < kColumnCount; ++k) {
    tiles_[k]->SetTop(settings_.Integer(HighLowFrameTopKeys().Name(k), 0));
    tiles_[k]->SetBackColour(
        settings_.Colour(HighLowFrameColourKeys().Name(k), tiles_[k]->BackColour()));
  }
  for (int i = 0; i < kLabelCount - 1; ++i)
    labels_[i]->SetForeColour(
        settings_.Colour(HighLowLabelColourKeys().Name(i), labels_[i]->ForeColour()));
  for (int i : kEditablePlates)
    labels_[i]->SetCaption(
        settings_.Text(HighLowPlateKeys().Name(i), labels_[i]->Caption()));
  labels_[kElapsedLabel]->SetTooltip(host_.StartedText());
  tiled_.EnableWindowDrag();
  SetBold(settings_.Flag(keys::kHighLowBold));

  YieldMessages();
  if (!here) return;
  for (int i = 0; i < kLabelCount; ++i) colour_backup_[i] = labels_[i]->ForeColour();
  Menu(HighLowCommand::kAutoHide).SetChecked(settings_.Flag(keys::kHighLowHideAtRight));
  YieldMessages();
  if (!here) return;
  if (AutoHideOn()) StartAutoHideTimers();
}

void HighLowDashboard::OnQueryUnload(form::UnloadMode, bool&) {
  StopAutoHideTimers();
  colour_editor_.CloseIfOnThis();
}

void HighLowDashboard::OnUnload() {
  ClampToRightEdge();
  settings_.WriteInteger(keys::kHighLowTop.name, window_.Top());
  settings_.WriteInteger(keys::kHighLowWidth.name, window_.Width());
  settings_.WriteInteger(keys::kHighLowLeft.name, window_.Left());
  settings_.WriteInteger(keys::kHighLowHeight.name, window_.Height());
  for (int k = 0; k < kColumnCount; ++k) {
    settings_.WriteInteger(HighLowFrameLeftKeys().Name(k), tiles_[k]->Left());
    settings_.WriteInteger(HighLowFrameTopKeys().Name(k), tiles_[k]->Top());
  }
  settings_.WriteFlag(keys::kHighLowBold.name, Menu(HighLowCommand::kBold).Checked());
  settings_.WriteText(keys::kHighLowWallpaper.name, Theme());
}

void HighLowDashboard::Close() {
  colour_editor_.CloseIfOnThis();
  host_.HighLowClosed();
  window_.Hide();
}

void HighLowDashboard::ClampToRightEdge() {
  const int screen_w = p_.desktop.ScreenRect().Width() * p_.desktop.TwipsPerPixelX();
  const int limit = screen_w - window_.Width();
  if (limit < window_.Left()) window_.SetLeft(limit);
}

// --- what the poll cycle shows -------------------------------------------------------------

void HighLowDashboard::ShowValues(const Statistics& statistics) {
  const std::string separator = p_.clock.DecimalSeparator();
  for (int row = 0; row < static_cast<int>(kRowMeters.size()); ++row)
    for (int column = 0; column < 4; ++column)
      labels_[4 * row + column + 1]->SetCaption(
          StatText(statistics, kRowMeters[row], static_cast<Column>(column), separator));
}

void HighLowDashboard::ShowStale(bool stale) {
  for (int i = 1; i <= 4 * static_cast<int>(kRowMeters.size()); ++i) labels_[i]->SetGreyed(stale);
}

void HighLowDashboard::SetStartedText(const std::string& started_text) {
  labels_[kElapsedLabel]->SetTooltip(started_text);
}

void HighLowDashboard::SetElapsedText(const std::string& text) {
  labels_[kElapsedLabel]->SetCaption(text);
}

void HighLowDashboard::RenamePlate(int label, const std::string& text) {
  if (label >= 0 && label < kLabelCount) labels_[label]->SetCaption(text);
}

void HighLowDashboard::SetBold(bool bold) {
  Menu(HighLowCommand::kBold).SetChecked(bold);
  for (int i = 1; i <= 36; ++i) {
    labels_[i]->SetFontSize(bold ? 8 : 10);
    labels_[i]->SetBold(bold);
  }
}

void HighLowDashboard::SetLocked(bool locked) {
  Menu(HighLowCommand::kLock).SetChecked(locked);
}

void HighLowDashboard::SaveReport() {
  ReportContent content;
  for (int i = 1; i <= 36; ++i) content.values[i] = labels_[i]->Caption();
  content.elapsed = labels_[kElapsedLabel]->Caption();
  content.started_text = labels_[kElapsedLabel]->Tooltip();
  content.now = p_.clock.GeneralDateTime(p_.clock.Now());
  highlow::SaveReport(p_, app_folder_, content);
}

void HighLowDashboard::SaveBitmap() {
  const form::Lifetime here = window_.Life();
  capture::CaptureWindow(p_, window_, "hl_", app_folder_, [here] { return here.Exists(); });
}

void HighLowDashboard::ResetValues() {
  for (int i = 1; i <= 36; ++i) labels_[i]->SetCaption("-");
  host_.RequestStatisticsReset();
  tiles_[kStripTile]->BringToFront();
  YieldMessages();
}

void HighLowDashboard::DefaultSize() {
  window_.Move(window_.Left(), window_.Top(), kDefaultWidth, kDefaultHeight);
  ClampToRightEdge();
}

// --- the window's events -------------------------------------------------------------------

void HighLowDashboard::OnResize() {
  appearance::EnforceMinimumSize(window_);
  SetLocked(true);
  // Only a resize by the user switches the auto-hide off: not the resizes of
  // the start-up's first ticks, nor the one that showing the window raises.
  if (host_.SampleCount() > 3 && !showing_) AutoHideOff();
}

void HighLowDashboard::OnActivate() {
  colour_editor_.TargetThis();
}

void HighLowDashboard::OnClick(form::Control* control) {
  if (tiled_.LabelIndexOf(control) >= 0) colour_editor_.TargetThis();
}

void HighLowDashboard::OnMouseDown(const form::MouseEvent& e) {
  if (!e.control) {
    if (Locked() && e.button == kLeft && !colour_editor_.Open()) tiled_.StartWindowDrag(e);
    return;
  }
  tiled_.PaintOrStartDrag(e, Locked());
  if (const int k = tiled_.TileIndexOf(e.control); k >= 0) {
    // The strip stays above the columns; only an unlocked column is taken.
    if (e.button == kRight)
      tiles_[kStripTile]->BringToFront();
    else if (k < kColumnCount && !Locked())
      tiled_.TakeTile(k);
  }
}

void HighLowDashboard::OnMouseMove(const form::MouseEvent& e) {
  const bool editor = colour_editor_.Open();
  const bool left_held = (e.button & kLeft) != 0;
  if (!e.control) {
    tiled_.SetLockCursor(Locked());
    if (Locked() && left_held && !editor) tiled_.DragWindow(e);
    colour_editor_.TargetThis();
    return;
  }
  if (const int k = tiled_.TileIndexOf(e.control); k >= 0) {
    if (Locked() && e.y > 0) {
      if (left_held && !editor) tiled_.DragWindow(e);
    } else if (k < kColumnCount && !Locked() && left_held) {
      appearance::MoveTileToPointer(p_.desktop, window_, *tiles_[k]);
    }
    return;
  }
  if (tiled_.LabelIndexOf(e.control) < 0) return;
  if (editor) {
    tiled_.OfferPaint();
    return;
  }
  if (Locked() && left_held) tiled_.DragWindow(e);
  tiled_.SetLockCursor(Locked());
  if (e.button != kLeft && e.button != kRight) HoverCheck();
}

void HighLowDashboard::OnMouseUp(const form::MouseEvent& e) {
  if (!e.control) {
    if (e.button == kRight) OpenMenu();
    return;
  }
  if (const int k = tiled_.TileIndexOf(e.control); k >= 0) {
    if (k == kStripTile) return;
    if (e.button == kRight) {
      OpenMenu();
      tiles_[kStripTile]->BringToFront();
    } else {
      tiled_.DropOnGrid(k);
      tiles_[kStripTile]->BringToFront();
      appearance::KeepOnScreen(window_, p_.desktop);
    }
    return;
  }
  if (tiled_.LabelIndexOf(e.control) < 0) return;
  if (e.button == kRight) {
    colour_editor_.TargetThis();
    OpenMenu();
  } else {
    appearance::KeepOnScreen(window_, p_.desktop);
  }
}

// --- the menu ------------------------------------------------------------------------------

void HighLowDashboard::OpenMenu() {
  if (!window_.Loaded()) return;
  Menu(HighLowCommand::kDefaultSize)
      .SetEnabled(window_.Height() != kDefaultHeight || window_.Width() != kDefaultWidth);
  if (colour_editor_.Open()) colour_editor_.Close();
  tiled_.PopupMenu(Menu(HighLowCommand::kMenu));
}

void HighLowDashboard::OnMenuOpen(form::MenuItem& item) {
  if (&item != &Menu(HighLowCommand::kMenu)) return;
  appearance::KeepOnScreen(window_, p_.desktop);
  tiled_.SetCursor(kNormalCursor);
}

void HighLowDashboard::OnMenuClick(form::MenuItem& item) {
  switch (CommandOf(item)) {
    case HighLowCommand::kReset:
      ResetValues();
      break;
    case HighLowCommand::kLock:
      SetLocked(!item.Checked());
      if (!Locked()) AutoHideOff();
      tiled_.SetLockCursor(Locked());
      break;
    case HighLowCommand::kDefaultSize:
      DefaultSize();
      break;
    case HighLowCommand::kAutoHide:
      ToggleAutoHide();
      break;
    case HighLowCommand::kBold:
      SetBold(!item.Checked());
      break;
    case HighLowCommand::kWallpaper:
      ChangePaper(item.Caption());
      break;
    case HighLowCommand::kColourEditor:
      AutoHideOff();
      colour_editor_.ShowBeside(window_);
      colour_editor_.TargetThis();
      break;
    case HighLowCommand::kSaveHtml:
      SaveReport();
      break;
    case HighLowCommand::kSaveBitmap:
      SaveBitmap();
      break;
    case HighLowCommand::kClose:
      Close();
      break;
    default:
      break;
  }
}

}  // namespace kelvane::highlow
