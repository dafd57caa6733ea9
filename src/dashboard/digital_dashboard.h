// The Digital Dashboard: a small always-on-top window of nine tiles, one per
// reading, each with its name plate at the left and the current value at the
// right. Locked, a left drag anywhere moves the window (snapping to the work
// area's edges); unlocked, a drag on a tile moves the tile, and its release
// drops it on the grid, swapping with a tile already there. Its popup menu
// holds the lock, bold values, wallpaper themes, layouts, the capture to a
// bitmap and "Close". Its layout is laid out by a table
// (digital_dashboard_layout.cpp); the layouts are in dashboard_layouts.cpp.
// What it does as the High/Low/Avg window does is appearance::TiledWindow's.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "appearance/colour_editor_link.h"
#include "appearance/tile_grid.h"
#include "appearance/tiled_window.h"
#include "base/settings.h"
#include "dashboard/tile_grid.h"
#include "platform/form/form.h"
#include "platform/form/menu_table.h"
#include "probe/stats.h"

namespace kelvane::dashboard {

class NamePlateEditor;

// What the dashboard asks of the program around it.
class DashboardHost {
 public:
  virtual ~DashboardHost() = default;
  // The program's folder, ending in "\".
  virtual std::string AppFolder() = 0;
  // "Close" hid the dashboard: the main window's "Show Digital Dashboard" is
  // unchecked.
  virtual void DashboardClosed() = 0;
  // A name plate was renamed: the High/Low/Avg dashboard's label `label` shows
  // `text` (its key is stored already).
  virtual void HighLowPlateRenamed(int /*label*/, const std::string& /*text*/) {}
};

// The labels: value label k + 1 shows reading k; the caption labels of the
// tiles in tile order.
inline constexpr std::array<int, kTileCount> kCaptionLabels{11, 12, 13, 0, 14, 15, 16, 17, 10};
// The meter each tile shows, in tile order: the meters in their order.
inline constexpr const std::array<Meter, kTileCount>& kTileMeters = kMetersInOrder;
inline constexpr int kLabelCount = 18;
// The name plates the user may rename (temperatures and fans), and the label
// of the High/Low/Avg dashboard that carries the same name.
struct PlatePair {
  int dashboard_label;
  int high_low_label;
};
inline constexpr std::array<PlatePair, 5> kNamePlates{
    {{11, 42}, {12, 43}, {13, 38}, {0, 39}, {14, 40}}};
// 0 when `label` is no name plate.
int HighLowLabelOf(int label);

using appearance::kMoveCursor;
using appearance::kNormalCursor;
using appearance::kPaintCursor;

// The menu commands, by what they do.
enum class DashboardCommand {
  kNone,
  kMenu,  // the popup menu itself
  kLock,
  kBold,
  kWallpaper,  // one item per theme, captioned with its name
  kColourEditor,
  kLoadMyLayout,
  kSaveMyLayout,
  kTopRow,
  kDefaultCentre,
  kBottomRow,
  kSaveBitmap,
  kClose,
  kCount
};

class DigitalDashboard : public form::WindowHandler {
 public:
  DigitalDashboard(platform::Platform& platform, DashboardHost& host,
                   appearance::ColourEditorLink& editor);
  ~DigitalDashboard() override;
  DigitalDashboard(const DigitalDashboard&) = delete;
  DigitalDashboard& operator=(const DigitalDashboard&) = delete;

  form::Window& Window() { return window_; }
  const form::Window& Window() const { return window_; }
  form::Frame& Tile(int k) const { return *tiles_[k]; }
  form::Label& Label(int i) const { return *labels_[i]; }
  form::MenuItem& Menu(DashboardCommand command) const { return menu_.Item(command); }
  bool Locked() const { return Menu(DashboardCommand::kLock).Checked(); }
  const std::string& Theme() const { return tiled_.Theme(); }
  // The label text colours as last loaded (or saved by the colour editor).
  std::array<form::Colour, kLabelCount>& ColourBackup() { return colour_backup_; }
  // The label last double-clicked for the name plate editor.
  int PlateTag() const { return plate_tag_; }
  NamePlateEditor* PlateEditor() const { return plate_editor_.get(); }

  // Shows the window, loading it first when needed (the load applies every
  // stored setting).
  void Show();
  // The value labels from the meters' current values.
  void ShowValues(const Statistics& statistics);
  // The values keep their texts and are shown grey while the readings are stale.
  void ShowStale(bool stale);
  // Applies every stored setting: theme, bold, place and size, tiles, colours,
  // name plates. Meters end locked.
  void LoadMySettings();
  // The wallpaper of all nine tiles, when the theme has the dashboard's image.
  void ChangePaper(const std::string& theme) { tiled_.ChangePaper(theme); }
  void SetBold(bool bold);
  void SetLocked(bool locked);
  // The layouts of the " Layout" submenu.
  void SaveLayout();
  void DefaultCentre();
  void TopRow();
  void BottomRow();
  // Brings the window back inside the work area, as opening the menu does.
  void PullIntoWorkArea();
  // "Save as BMP file".
  void SaveBitmap();
  // "Close": hidden, still loaded.
  void Close();

  // --- form::WindowHandler ---
  void OnLoad() override;
  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;
  void OnUnload() override;
  void OnResize() override;
  void OnActivate() override;
  void OnClick(form::Control* control) override;
  void OnDoubleClick(form::Control* control) override;
  void OnMouseDown(const form::MouseEvent& e) override;
  void OnMouseMove(const form::MouseEvent& e) override;
  void OnMouseUp(const form::MouseEvent& e) override;
  void OnMenuOpen(form::MenuItem& item) override;
  void OnMenuClick(form::MenuItem& item) override;

 private:
  // digital_dashboard_layout.cpp
  void BuildControls();
  void BuildMenu();
  // What the dashboard shares with the High/Low/Avg window, configured.
  static const appearance::TiledWindowDesign& TiledDesign();

  void YieldMessages() { p_.loop.YieldToMessages(); }
  void OpenMenu();
  void ShowPlateEditor(int label);
  DashboardCommand CommandOf(const form::MenuItem& item) const { return menu_.CommandOf(item); }
  // A window that a stored place or size would put out of the user's reach
  // comes back onto the work area.
  void KeepReachable();

  platform::Platform& p_;
  DashboardHost& host_;
  appearance::ColourEditorLink& colour_editor_;
  form::Window window_;
  Settings settings_;
  std::array<form::Frame*, kTileCount> tiles_{};
  std::array<form::Label*, kLabelCount> labels_{};
  appearance::TiledWindow tiled_;
  form::MenuCommands<DashboardCommand> menu_;
  std::unique_ptr<NamePlateEditor> plate_editor_;

  int plate_tag_ = 0;
  std::array<form::Colour, kLabelCount> colour_backup_{};
};

}  // namespace kelvane::dashboard
