// The two windows with a screen colour picker: the colour editor, which works
// on whichever dashboard last asked for it, and the tray icon settings window,
// opened from the main window. Only one of them is open at a time.
#include "app/main_window.h"
#include "app/program_features.h"
#include "appearance/placement.h"
#include "base/keys.h"

namespace kelvane {

using appearance::EditTarget;

appearance::ColourEditor* ProgramFeatures::ColourEditor() const {
  return colour_editor_ && colour_editor_->Window().Loaded() ? colour_editor_.get() : nullptr;
}

tray::TrayIconSettings* ProgramFeatures::TrayIconSettings() const {
  return tray_settings_ && tray_settings_->Window().Loaded() ? tray_settings_.get() : nullptr;
}

// --- the colour editor, as the dashboards ask for it ------------------------------------

bool ProgramFeatures::ColourEditorOpen() {
  return colour_editor_ && colour_editor_->Open();
}

form::Colour ProgramFeatures::EditorColour() {
  return colour_editor_ ? colour_editor_->SelectedColour() : 0;
}

bool ProgramFeatures::ColourEditorTargetsDashboard() {
  return edit_target_ == EditTarget::kDigitalDashboard;
}

bool ProgramFeatures::ColourEditorTargetsHighLow() {
  return edit_target_ == EditTarget::kHighLow;
}

void ProgramFeatures::ShowColourEditorBeside(form::Window& window) {
  // One editor for the run: closing it unloads its window, and the next show
  // loads it afresh.
  appearance::ColourEditorHost& host = *this;
  if (!colour_editor_) colour_editor_ = std::make_unique<appearance::ColourEditor>(p_, host);
  appearance::PlaceColourEditor(window, colour_editor_->Window());
}

void ProgramFeatures::CloseColourEditor() {
  if (ColourEditor()) colour_editor_->Close();
}

void ProgramFeatures::TargetColourEditorAtDashboard() {
  edit_target_ = EditTarget::kDigitalDashboard;
}

void ProgramFeatures::TargetColourEditorAtHighLow() {
  edit_target_ = EditTarget::kHighLow;
}

// --- what the colour editor asks -------------------------------------------------------

std::optional<appearance::EditedLabels> ProgramFeatures::LabelsOf(EditTarget target) {
  if (target == EditTarget::kDigitalDashboard && DigitalDashboard()) {
    appearance::EditedLabels edited{
        {}, dashboard_->ColourBackup(), DashboardLabelColourKeys(), dashboard::kLabelCount};
    for (int i = 0; i < dashboard::kLabelCount; ++i) edited.labels.push_back(&dashboard_->Label(i));
    return edited;
  }
  if (target == EditTarget::kHighLow && HighLow()) {
    // Label 50 has no key of its own: it is restored, never stored.
    appearance::EditedLabels edited{
        {}, high_low_->ColourBackup(), HighLowLabelColourKeys(), highlow::kLabelCount - 1};
    for (int i = 0; i < highlow::kLabelCount; ++i) edited.labels.push_back(&high_low_->Label(i));
    return edited;
  }
  return std::nullopt;
}

bool ProgramFeatures::TargetVisible(EditTarget target) {
  return target == EditTarget::kDigitalDashboard ? DigitalDashboardVisible()
         : target == EditTarget::kHighLow        ? HighLowVisible()
                                                 : false;
}

void ProgramFeatures::UnloadTarget(EditTarget target) {
  if (target == EditTarget::kDigitalDashboard) ReleaseDashboard();
  if (target == EditTarget::kHighLow) ReleaseHighLow();
}

void ProgramFeatures::ShowTarget(EditTarget target) {
  if (target == EditTarget::kDigitalDashboard) LoadedDashboard().Show();
  if (target != EditTarget::kHighLow) return;
  if (highlow::HighLowDashboard* window = LoadedHighLow()) window->Show();
}

void ProgramFeatures::CloseTrayIconSettings() {
  if (TrayIconSettings()) tray_settings_->Window().Unload();
}

// --- the tray icon settings window -----------------------------------------------------

bool ProgramFeatures::TrayIconLookCommand(form::MenuItem& item) {
  if (!main_ || &item != &main_->Menu(MainCommand::kTrayIconLook)) return false;
  // A second open command while it is open does nothing.
  if (TrayIconSettings()) return true;
  tray::TrayIconSettingsHost& host = *this;
  tray_settings_ = std::make_unique<tray::TrayIconSettings>(p_, main_->IconStyle(), host);
  tray_settings_->Window().Show();
  return true;
}

}  // namespace kelvane
