#include "app/picker_windows.h"

#include "app/app_context.h"
#include "app/dashboard_feature.h"
#include "app/high_low_feature.h"
#include "appearance/placement.h"
#include "base/keys.h"

namespace kelvane {

using appearance::EditTarget;

PickerWindows::PickerWindows(AppContext& program, DigitalDashboardFeature& dashboard,
                             HighLowFeature& high_low)
    : p_(program.Platform()), program_(program), dashboard_(dashboard), high_low_(high_low) {}

PickerWindows::~PickerWindows() = default;

void PickerWindows::Wire() {
  program_.OnCommand(MainCommand::kTrayIconLook, [this] { OpenTrayIconSettings(); });
  program_.AddCloser(close_rank::kTrayIconSettings, [this] { CloseTrayIconSettings(); });
  program_.AddCloser(close_rank::kColourEditor, [this] { CloseColourEditor(); });
}

appearance::ColourEditor* PickerWindows::ColourEditor() const {
  return colour_editor_ && colour_editor_->Window().Loaded() ? colour_editor_.get() : nullptr;
}

// --- the colour editor, as the dashboards ask for it ------------------------------------

appearance::ColourEditorLink& PickerWindows::EditorFor(EditTarget target) {
  return target == EditTarget::kHighLow ? high_low_link_ : dashboard_link_;
}

bool PickerWindows::EditorLink::Open() {
  return pickers_.colour_editor_ && pickers_.program_.Running() && pickers_.colour_editor_->Open();
}

form::Colour PickerWindows::EditorLink::Colour() {
  return pickers_.colour_editor_ ? pickers_.colour_editor_->SelectedColour() : 0;
}

void PickerWindows::EditorLink::ShowBeside(form::Window& window) {
  // One editor for the run: closing it unloads its window, and the next show
  // loads it afresh.
  if (!pickers_.program_.Running()) return;
  std::unique_ptr<appearance::ColourEditor>& editor = pickers_.colour_editor_;
  appearance::ColourEditorHost& host = pickers_;
  if (!editor) editor = std::make_unique<appearance::ColourEditor>(pickers_.p_, host);
  appearance::PlaceColourEditor(window, editor->Window());
}

void PickerWindows::CloseColourEditor() {
  if (ColourEditor()) colour_editor_->Close();
}

void PickerWindows::CloseTrayIconSettings() {
  if (tray::TrayIconSettings* settings = tray_settings_.Get()) settings->Window().Unload();
}

void PickerWindows::OpenTrayIconSettings() {
  // A second open command while it is open does nothing.
  if (TrayIconSettings() || !program_.Running()) return;
  tray::TrayIconSettingsHost& host = *this;
  tray_settings_.Hold(std::make_unique<tray::TrayIconSettings>(p_, program_.IconStyle(), host))
      .Window()
      .Show();
}

// --- what the colour editor asks -------------------------------------------------------

std::string PickerWindows::AppFolder() {
  return program_.AppFolder();
}

std::optional<appearance::EditedLabels> PickerWindows::LabelsOf(EditTarget target) {
  if (target == EditTarget::kDigitalDashboard) {
    dashboard::DigitalDashboard* dash = dashboard_.Dashboard();
    if (!dash) return std::nullopt;
    appearance::EditedLabels edited{
        {}, dash->ColourBackup(), DashboardLabelColourKeys(), dashboard::kLabelCount};
    for (int i = 0; i < dashboard::kLabelCount; ++i) edited.labels.push_back(&dash->Label(i));
    return edited;
  }
  if (target == EditTarget::kHighLow) {
    highlow::HighLowDashboard* window = high_low_.Dashboard();
    if (!window) return std::nullopt;
    // Label 50 has no key of its own: it is restored, never stored.
    appearance::EditedLabels edited{
        {}, window->ColourBackup(), HighLowLabelColourKeys(), highlow::kLabelCount - 1};
    for (int i = 0; i < highlow::kLabelCount; ++i) edited.labels.push_back(&window->Label(i));
    return edited;
  }
  return std::nullopt;
}

bool PickerWindows::TargetVisible(EditTarget target) {
  return target == EditTarget::kDigitalDashboard ? dashboard_.Visible()
         : target == EditTarget::kHighLow        ? high_low_.Visible()
                                                 : false;
}

void PickerWindows::UnloadTarget(EditTarget target) {
  if (target == EditTarget::kDigitalDashboard) dashboard_.Release();
  if (target == EditTarget::kHighLow) high_low_.Release();
}

void PickerWindows::ShowTarget(EditTarget target) {
  if (target == EditTarget::kDigitalDashboard) dashboard_.ShowNow();
  if (target == EditTarget::kHighLow) high_low_.ShowNow();
}

}  // namespace kelvane
