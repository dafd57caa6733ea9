// The dashboard's layouts: the stored one ("Load My Layout" applies every
// stored setting, "Save as My Layout" stores place, size, tiles and bold),
// and the three fixed ones: a column centred on the screen, a row along the
// top and a row along the bottom. Nothing but "Save as My Layout" stores a
// place: moving the window or its tiles changes nothing stored.
#include <algorithm>

#include "appearance/placement.h"
#include "base/numbers.h"
#include "dashboard/digital_dashboard.h"

namespace kelvane::dashboard {
namespace {

constexpr int kDefaultWidth = 1200, kDefaultHeight = 2280;
constexpr int kRowWidth = 10750, kRowHeight = 330;
// Opening the menu leaves a window that reaches this far below the work area
// where it is.
constexpr int kBottomAllowance = 15;
// A window shows at least this much of itself on the work area (or on another
// monitor), across and down, or it is brought back: a strip a tile high can
// still be grabbed.
constexpr int kReachablePixels = 16;
// Stored places and sizes beyond this many screens are no places at all.
constexpr int kFarScreens = 4;

struct ScreenTwips {
  int width = 0, height = 0;
};
ScreenTwips ScreenInTwips(platform::Desktop& desktop) {
  const platform::Rect s = desktop.ScreenRect();
  return {s.Width() * desktop.TwipsPerPixelX(), s.Height() * desktop.TwipsPerPixelY()};
}

bool Within(int value, int low, int high) {
  return value >= low && value <= high;
}

}  // namespace

void DigitalDashboard::LoadMySettings() {
  const bool bold = settings_.Flag(keys::kDashboardBold);
  Menu(DashboardCommand::kBold).SetChecked(bold);
  ChangePaper(settings_.Text(keys::kDashboardWallpaper));
  SetBold(bold);

  // The default place centres the window at the size it has now, before the
  // stored size is applied.
  const ScreenTwips screen = ScreenInTwips(p_.desktop);
  const int default_top = RoundToInt32((screen.height - window_.Height()) / 2.0);
  const int default_left = RoundToInt32((screen.width - window_.Width()) / 2.0);
  int left = settings_.Integer(keys::kDashboardLeft.name, default_left);
  int top = settings_.Integer(keys::kDashboardTop.name, default_top);
  int width = settings_.Integer(keys::kDashboardWidth);
  int height = settings_.Integer(keys::kDashboardHeight);
  // A hand-edited store may hold anything: a size that is no size, or a place
  // many screens away, reads as the default.
  if (!Within(width, 1, kFarScreens * screen.width)) width = kDefaultWidth;
  if (!Within(height, 1, kFarScreens * screen.height)) height = kDefaultHeight;
  if (appearance::FarOffScreen(left, screen.width, kFarScreens)) left = default_left;
  if (appearance::FarOffScreen(top, screen.height, kFarScreens)) top = default_top;

  const IndexedKeyDef& lefts = DashboardFrameLeftKeys();
  const IndexedKeyDef& tops = DashboardFrameTopKeys();
  const IndexedKeyDef& backs = DashboardFrameColourKeys();
  for (int k = 0; k < kTileCount; ++k) {
    int tile_left = RoundToInt32(settings_.Float(lefts.Name(k), lefts.Default(k)));
    if (!Within(tile_left, 0, kFarScreens * screen.width)) tile_left = lefts.Default(k);
    tiles_[k]->SetLeft(tile_left);
  }
  for (int k = 0; k < kTileCount; ++k) {
    int tile_top = RoundToInt32(settings_.Float(tops.Name(k), tops.Default(k)));
    if (!Within(tile_top, 0, kFarScreens * screen.height)) tile_top = tops.Default(k);
    tiles_[k]->SetTop(tile_top);
    tiles_[k]->SetBackColour(settings_.Colour(backs.Name(k), tiles_[k]->BackColour()));
  }
  SetLocked(true);
  window_.Move(left, top, width, height);
  KeepReachable();
  appearance::SetTopmost(window_, true);

  const IndexedKeyDef& colours = DashboardLabelColourKeys();
  for (int i = 0; i < kLabelCount; ++i)
    labels_[i]->SetForeColour(settings_.Colour(colours.Name(i), labels_[i]->ForeColour()));
  const IndexedKeyDef& plates = DashboardPlateKeys();
  for (const PlatePair& plate : kNamePlates) {
    form::Label& label = *labels_[plate.dashboard_label];
    label.SetCaption(settings_.Text(plates.Name(plate.dashboard_label), label.Caption()));
  }
  for (int i = 0; i < kLabelCount; ++i) colour_backup_[i] = labels_[i]->ForeColour();
  YieldMessages();
}

void DigitalDashboard::KeepReachable() {
  const appearance::ScreenMetrics screen = appearance::MetricsOf(p_.desktop);
  const platform::Rect r = appearance::OuterPixels(window_, screen);
  if (!appearance::Reachable(r, screen.work_area, p_.desktop.ScreenRect(),
                             p_.desktop.VirtualScreenRect(), kReachablePixels))
    appearance::KeepOnScreen(window_, p_.desktop);
}

void DigitalDashboard::SaveLayout() {
  const form::Lifetime here = window_.Life();
  const ScreenTwips screen = ScreenInTwips(p_.desktop);
  if (window_.Left() > screen.width - window_.Width())
    window_.SetLeft(screen.width - window_.Width());
  YieldMessages();
  if (!here) return;
  settings_.WriteFloat(keys::kDashboardLeft.name, window_.Left());
  settings_.WriteFloat(keys::kDashboardTop.name, window_.Top());
  settings_.WriteFloat(keys::kDashboardHeight.name, window_.Height());
  settings_.WriteFloat(keys::kDashboardWidth.name, window_.Width());
  const IndexedKeyDef& lefts = DashboardFrameLeftKeys();
  const IndexedKeyDef& tops = DashboardFrameTopKeys();
  for (int k = 0; k < kTileCount; ++k) settings_.WriteFloat(lefts.Name(k), tiles_[k]->Left());
  for (int k = 0; k < kTileCount; ++k) settings_.WriteFloat(tops.Name(k), tiles_[k]->Top());
  settings_.WriteFlag(keys::kDashboardBold.name, Menu(DashboardCommand::kBold).Checked());
}

void DigitalDashboard::DefaultCentre() {
  const ScreenTwips screen = ScreenInTwips(p_.desktop);
  window_.Move(RoundToInt32((screen.width - kDefaultWidth) / 2.0),
               RoundToInt32((screen.height - kDefaultHeight) / 2.0), kDefaultWidth, kDefaultHeight);
  for (int k = 0; k < kTileCount; ++k) tiles_[k]->SetLeft(0);
  for (int k = 0; k < kTileCount; ++k) tiles_[k]->SetTop(kTileHeight * k);
  appearance::CentreOnWorkArea(window_, p_.desktop);
}

void DigitalDashboard::TopRow() {
  const form::Lifetime here = window_.Life();
  for (int k = 0; k < kTileCount; ++k) tiles_[k]->SetLeft(kTileWidth * k);
  for (int k = 0; k < kTileCount; ++k) tiles_[k]->SetTop(0);
  SetLocked(true);
  window_.SetWidth(kRowWidth);
  window_.SetHeight(kRowHeight);
  YieldMessages();
  if (!here) return;
  appearance::CentreOnWorkArea(window_, p_.desktop);
  window_.SetTop(0);
}

void DigitalDashboard::BottomRow() {
  for (int k = 0; k < kTileCount; ++k) tiles_[k]->SetLeft(kTileWidth * k);
  for (int k = 0; k < kTileCount; ++k) tiles_[k]->SetTop(0);
  SetLocked(true);
  window_.SetWidth(kRowWidth);
  window_.SetHeight(kRowHeight);
  appearance::CentreAtBottom(window_, p_.desktop);
}

void DigitalDashboard::PullIntoWorkArea() {
  const appearance::ScreenMetrics screen = appearance::MetricsOf(p_.desktop);
  const platform::Rect work = screen.work_area;
  const platform::Rect r = appearance::OuterPixels(window_, screen);
  const int tx = screen.twips_x, ty = screen.twips_y;
  if (r.bottom - kBottomAllowance > work.bottom)
    window_.SetTop(ty * work.bottom - window_.Height());
  if (r.top < work.top) window_.SetTop(0);
  if (r.left + static_cast<double>(window_.Width()) / tx > work.right)
    window_.SetLeft(tx * work.right - window_.Width());
  if (r.left < work.left) window_.SetLeft(0);
  tiled_.SetCursor(kNormalCursor);
}

}  // namespace kelvane::dashboard
