// The colour editor: a small always-on-top window beside a dashboard. Its pick
// button starts and stops the screen colour picker, whose colour the swatch
// shows; while it is open, a press on a dashboard's label or tile paints it in
// that colour. "Save" stores the label colours of the dashboard it works on as
// the custom colour scheme, "Delete" removes the scheme and reloads that
// dashboard in its design colours, "Undo" restores the colours last loaded or
// saved. Only one screen colour picker is open at a time: opening the editor
// closes the tray icon settings window.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/colour_picker.h"
#include "base/keys.h"
#include "base/settings.h"
#include "platform/form/form.h"

namespace kelvane::appearance {

// The dashboard the editor works on, set by the dashboards themselves.
enum class EditTarget { kNone, kHighLow, kDigitalDashboard };

// One dashboard's labels as the editor sees them.
struct EditedLabels {
  std::vector<form::Label*> labels;  // every label, by index
  std::span<form::Colour> backup;    // their colours as last loaded or saved
  const IndexedKeyDef& keys;         // where "Save" stores them
  int stored = 0;                    // how many of them "Save" stores
};

// What the editor asks of the program around it.
class ColourEditorHost {
 public:
  virtual ~ColourEditorHost() = default;
  virtual std::string AppFolder() = 0;
  virtual EditTarget Target() = 0;
  // The labels of `target`'s dashboard; nullopt when it is not loaded.
  virtual std::optional<EditedLabels> LabelsOf(EditTarget target) = 0;
  virtual bool TargetVisible(EditTarget target) = 0;
  // Unloads the dashboard (saving its keys), and shows it anew (a fresh load).
  virtual void UnloadTarget(EditTarget target) = 0;
  virtual void ShowTarget(EditTarget target) = 0;
  virtual void CloseTrayIconSettings() = 0;
};

// Every key family "Delete" removes goes this far, whatever "Save" stores.
inline constexpr int kDeletedColourKeys = 50;
inline constexpr form::Colour kWhite = 0xFFFFFF;

// Pictures under the program's folder.
inline constexpr char kEditorTexture[] = "Images\\ColourEditor.jpg";
inline constexpr char kPickerImage[] = "Images\\Picker.bmp";

class ColourEditor : public form::WindowHandler {
 public:
  ColourEditor(platform::Platform& platform, ColourEditorHost& host);
  ~ColourEditor() override;
  ColourEditor(const ColourEditor&) = delete;
  ColourEditor& operator=(const ColourEditor&) = delete;

  enum class Part { kPickButton, kSwatch, kSwatchCaption, kSave, kDelete, kUndo, kClose };
  form::Window& Window() { return window_; }
  form::Control& Get(Part part) const { return *parts_[static_cast<int>(part)]; }
  // The colour that painting uses: the swatch's.
  form::Colour SelectedColour() const { return Get(Part::kSwatch).BackColour(); }
  const ScreenColourPicker& Picker() const { return picker_; }
  // Shown and loaded.
  bool Open() const { return window_.Loaded() && window_.Visible(); }

  void Save();
  void Delete();
  void Undo();
  // Stops the picker and unloads the window.
  void Close();

  // --- form::WindowHandler ---
  void OnLoad() override;
  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;
  void OnClick(form::Control* control) override;
  void OnMouseDown(const form::MouseEvent& e) override;
  void OnMouseUp(const form::MouseEvent& e) override;

 private:
  void BuildControls();
  void SetPickButtonCursor(const char* file);

  platform::Platform& p_;
  ColourEditorHost& host_;
  form::Window window_;
  Settings settings_;
  ScreenColourPicker picker_;
  std::string app_folder_;
  std::vector<form::Control*> parts_;
};

}  // namespace kelvane::appearance
