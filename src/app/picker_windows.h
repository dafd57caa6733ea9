// The two windows with a screen colour picker: the colour editor, which works
// on whichever dashboard last asked for it, and the tray icon settings window,
// opened from the main window. Only one of them is open at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "appearance/colour_editor.h"
#include "platform/platform.h"
#include "tray/tray_icon_settings.h"

namespace kelvane {

class MainWindow;
class DigitalDashboardFeature;
class HighLowFeature;

class PickerWindows final : private appearance::ColourEditorHost,
                            private tray::TrayIconSettingsHost {
 public:
  PickerWindows(platform::Platform& platform, MainWindow& main, DigitalDashboardFeature& dashboard,
                HighLowFeature& high_low);
  ~PickerWindows() override;
  PickerWindows(const PickerWindows&) = delete;
  PickerWindows& operator=(const PickerWindows&) = delete;

  // Registers with the main window.
  void Wire();

  // Each while it is loaded, else nullptr.
  appearance::ColourEditor* ColourEditor() const;
  tray::TrayIconSettings* TrayIconSettings() const;

  // --- the colour editor, as both dashboards ask for it ---
  bool ColourEditorOpen() const;
  form::Colour EditorColour() const;
  // Shows the editor beside `window` (loading it when needed).
  void ShowColourEditorBeside(form::Window& window);
  void CloseColourEditor() override;
  appearance::EditTarget Target() override { return target_; }
  void SetTarget(appearance::EditTarget target) { target_ = target; }
  void CloseTrayIconSettings() override;

 private:
  void OpenTrayIconSettings();

  // --- appearance::ColourEditorHost (and the tray window's AppFolder) ---
  std::string AppFolder() override;
  std::optional<appearance::EditedLabels> LabelsOf(appearance::EditTarget target) override;
  bool TargetVisible(appearance::EditTarget target) override;
  void UnloadTarget(appearance::EditTarget target) override;
  void ShowTarget(appearance::EditTarget target) override;

  platform::Platform& p_;
  MainWindow& main_;
  DigitalDashboardFeature& dashboard_;
  HighLowFeature& high_low_;
  std::unique_ptr<appearance::ColourEditor> colour_editor_;
  std::unique_ptr<tray::TrayIconSettings> tray_settings_;
  appearance::EditTarget target_ = appearance::EditTarget::kNone;
};

}  // namespace kelvane
