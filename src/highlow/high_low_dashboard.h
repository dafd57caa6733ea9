// The High/Low/Avg dashboard: an always-on-top window of five column tiles
// (name plates, current, average, lowest, highest) under a strip with the
// time since the statistics were reset. Locked, a left drag moves the window
// (snapping to the work area's edges); unlocked, a drag on a column moves it
// on the grid, swapping with a column already there. It can hide itself at
// the right edge of the work area, save itself as an HTML report or a bitmap,
// and keeps its layout in the store while it is loaded. Its controls and menu
// are laid out by tables (high_low_layout.cpp); the auto-hide is in
// high_low_auto_hide.cpp. What it does as the digital dashboard does is
// appearance::TiledWindow's.
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
#include "platform/form/form.h"
#include "platform/form/menu_table.h"
#include "probe/stats.h"

namespace kelvane::highlow {

// What the dashboard asks of the program around it.
class HighLowHost {
 public:
  virtual ~HighLowHost() = default;
  // The program's folder, ending in "\".
  virtual std::string AppFolder() = 0;
  // Samples counted since the last reset (-1 before the first tick).
  virtual double SampleCount() = 0;
  // The next poll tick starts the statistics anew.
  virtual void RequestStatisticsReset() = 0;
  // "Started: " and the date-time of the last reset ("" before the first).
  virtual std::string StartedText() = 0;
  // "Close" hid the window: the main window's "Show High-Low Dashboard" is
  // unchecked.
  virtual void HighLowClosed() = 0;
};

inline constexpr int kColumnCount = 5;   // tiles 0 to 4
inline constexpr int kStripTile = 5;     // the elapsed-time strip
inline constexpr int kTileCount = 6;
inline constexpr int kLabelCount = 51;   // labels 0 to 50
inline constexpr int kElapsedLabel = 47;
inline constexpr int kColumnWidth = 645, kColumnHeight = 2900;
inline constexpr int kDefaultWidth = 3330, kDefaultHeight = 2764;
// The strip's width left visible at the right edge while hidden.
inline constexpr int kHiddenStrip = 70;
// The meter each row of values shows, top to bottom (the meters in their
// order); value label 4 x row + 1 is its current value, the next three its
// average, lowest and highest.
inline constexpr const std::array<Meter, kMeterCount>& kRowMeters = kMetersInOrder;
// The name plates that the name plate editor renames.
inline constexpr std::array<int, 5> kEditablePlates{38, 39, 40, 42, 43};

// The columns on their grid: cells of one column's size.
inline constexpr appearance::TileGrid kColumnGrid{kColumnWidth, kColumnHeight};
using ColumnPlace = appearance::TilePlace;
using ColumnPlaces = std::array<ColumnPlace, kColumnCount>;

enum class HighLowCommand {
  kNone,
  kMenu,  // the popup menu itself
  kReset,
  kLock,
  kDefaultSize,
  kAutoHide,
  kBold,
  kWallpaper,  // one item per theme, captioned with its name
  kColourEditor,
  kSaveHtml,
  kSaveBitmap,
  kClose,
  kCount
};

class HighLowDashboard : public form::WindowHandler {
 public:
  HighLowDashboard(platform::Platform& platform, HighLowHost& host,
                   appearance::ColourEditorLink& editor);
  ~HighLowDashboard() override;
  HighLowDashboard(const HighLowDashboard&) = delete;
  HighLowDashboard& operator=(const HighLowDashboard&) = delete;

  form::Window& Window() { return window_; }
  form::Frame& Tile(int k) const { return *tiles_[k]; }
  form::Label& Label(int i) const { return *labels_[i]; }
  form::MenuItem& Menu(HighLowCommand command) const { return menu_.Item(command); }
  bool Locked() const { return Menu(HighLowCommand::kLock).Checked(); }
  bool AutoHideOn() const { return Menu(HighLowCommand::kAutoHide).Checked(); }
  const std::string& Theme() const { return tiled_.Theme(); }
  std::array<form::Colour, kLabelCount>& ColourBackup() { return colour_backup_; }

  // Loads the window (hidden) when it is not loaded: every stored setting.
  void Load();
  // Shows it, loading it first when needed; then the right-edge clamp.
  void Show();
  // Hides it: "Close".
  void Close();
  // The 36 value labels from the statistics.
  void ShowValues(const Statistics& statistics);
  // The statistics keep their texts and are shown grey while the readings are
  // stale; the elapsed time is no reading and goes on.
  void ShowStale(bool stale);
  // A statistics reset: the strip's tooltip.
  void SetStartedText(const std::string& started_text);
  // The strip's caption: the time since the reset.
  void SetElapsedText(const std::string& text);
  // A name plate renamed by the editor.
  void RenamePlate(int label, const std::string& text);
  // The wallpaper of the columns and of the strip, as far as the theme has them.
  void ChangePaper(const std::string& theme) { tiled_.ChangePaper(theme); }
  void SetBold(bool bold);
  void SetLocked(bool locked);
  // Keeps the right edge on the screen (not the work area).
  void ClampToRightEdge();
  // Off with the auto-hide: item cleared, both timers stopped, nothing stored.
  void AutoHideOff();
  // Both auto-hide timers stopped, the item and the stored setting kept: the
  // window stays where it is while the program or the window closes.
  void StopAutoHideTimers();
  // Whether each auto-hide timer runs (interval set and enabled).
  bool HideTimerRunning() const;
  bool WatchTimerRunning() const;
  // "Save as HTML", "Save as .BMP".
  void SaveReport();
  void SaveBitmap();

  // --- form::WindowHandler ---
  void OnLoad() override;
  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;
  void OnUnload() override;
  void OnResize() override;
  void OnActivate() override;
  void OnClick(form::Control* control) override;
  void OnMouseDown(const form::MouseEvent& e) override;
  void OnMouseMove(const form::MouseEvent& e) override;
  void OnMouseUp(const form::MouseEvent& e) override;
  void OnMenuOpen(form::MenuItem& item) override;
  void OnMenuClick(form::MenuItem& item) override;
  void OnTimer(form::WindowTimer& timer) override;

 private:
  // high_low_layout.cpp
  void BuildControls();
  void BuildMenu();
  // What the window shares with the digital dashboard, configured.
  static const appearance::TiledWindowDesign& TiledDesign();
  // high_low_auto_hide.cpp
  void ToggleAutoHide();
  void WatchTick();
  void HideTick();
  void HoverCheck();
  void StartAutoHideTimers();
  // The right edge of the work area, in twips.
  int RightEdge();

  void YieldMessages() { p_.loop.YieldToMessages(); }
  void OpenMenu();
  void ResetValues();
  void DefaultSize();
  HighLowCommand CommandOf(const form::MenuItem& item) const { return menu_.CommandOf(item); }

  platform::Platform& p_;
  HighLowHost& host_;
  appearance::ColourEditorLink& colour_editor_;
  form::Window window_;
  Settings settings_;
  std::array<form::Frame*, kTileCount> tiles_{};
  std::array<form::Label*, kLabelCount> labels_{};
  form::MenuCommands<HighLowCommand> menu_;
  form::WindowTimer* hide_timer_ = nullptr;
  form::WindowTimer* watch_timer_ = nullptr;
  std::string app_folder_;
  appearance::TiledWindow tiled_;

  std::int16_t hover_moves_ = 0;
  bool showing_ = false;
  std::array<form::Colour, kLabelCount> colour_backup_{};
};

}  // namespace kelvane::highlow
