// The two windows with a screen colour picker: the colour editor, which works
// on whichever dashboard last asked for it, and the tray icon settings window,
// opened from the main window. Only one of them is open at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/window_slot.h"
#include "appearance/colour_editor.h"
#include "appearance/colour_editor_link.h"
#include "platform/platform.h"
#include "tray/tray_icon_settings.h"

namespace kelvane {

class AppContext;
class DigitalDashboardFeature;
class HighLowFeature;

class PickerWindows final : private appearance::ColourEditorHost,
                            private tray::TrayIconSettingsHost {
 public:
  PickerWindows(AppContext& program, DigitalDashboardFeature& dashboard, HighLowFeature& high_low);
  ~PickerWindows() override;
  PickerWindows(const PickerWindows&) = delete;
  PickerWindows& operator=(const PickerWindows&) = delete;

  // Registers with the program: the tray icon look command and both closers.
  void Wire();

  // Each while it is loaded, else nullptr.
  appearance::ColourEditor* ColourEditor() const;
  tray::TrayIconSettings* TrayIconSettings() const { return tray_settings_.Get(); }

  // The colour editor as the dashboard `target` (kHighLow or kDigitalDashboard)
  // sees it; the link lives as long as this.
  appearance::ColourEditorLink& EditorFor(appearance::EditTarget target);
  void CloseColourEditor() override;
  appearance::EditTarget Target() override { return target_; }
  void CloseTrayIconSettings() override;

 private:
  // One dashboard's link: it speaks for `target`.
  class EditorLink final : public appearance::ColourEditorLink {
   public:
    EditorLink(PickerWindows& pickers, appearance::EditTarget target)
        : pickers_(pickers), target_(target) {}
    bool Open() override;
    form::Colour Colour() override;
    bool TargetsThis() override { return pickers_.target_ == target_; }
    void TargetThis() override { pickers_.target_ = target_; }
    void ShowBeside(form::Window& window) override;
    void Close() override { pickers_.CloseColourEditor(); }

   private:
    PickerWindows& pickers_;
    const appearance::EditTarget target_;
  };

  void OpenTrayIconSettings();

  // --- appearance::ColourEditorHost (and the tray window's AppFolder) ---
  std::string AppFolder() override;
  std::optional<appearance::EditedLabels> LabelsOf(appearance::EditTarget target) override;
  bool TargetVisible(appearance::EditTarget target) override;
  void UnloadTarget(appearance::EditTarget target) override;
  void ShowTarget(appearance::EditTarget target) override;

  platform::Platform& p_;
  AppContext& program_;
  DigitalDashboardFeature& dashboard_;
  HighLowFeature& high_low_;
  std::unique_ptr<appearance::ColourEditor> colour_editor_;
  WindowSlot<tray::TrayIconSettings> tray_settings_;
  appearance::EditTarget target_ = appearance::EditTarget::kNone;
  EditorLink dashboard_link_{*this, appearance::EditTarget::kDigitalDashboard};
  EditorLink high_low_link_{*this, appearance::EditTarget::kHighLow};
};

}  // namespace kelvane
