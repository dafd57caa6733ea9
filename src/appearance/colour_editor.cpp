#include "appearance/colour_editor.h"

#include <algorithm>

#include "appearance/placement.h"
#include "platform/form/control_table.h"

namespace kelvane::appearance {
namespace {

constexpr int kClientWidth = 3315, kClientHeight = 1275;

using Part = ColourEditor::Part;
using form::kNoIndex;
using enum form::ControlKind;
// In the order of Part.
constexpr form::ControlRow kParts[] = {
    {kPictureBox, "Picture2", kNoIndex, 75, 60, 1785, 720},
    {kLabel, "Label1", 50, 2130, 105, 510, 510},
    {kLabel, "Label2", kNoIndex, 2055, 630, 660, 225, "Selected"},
    {kButton, "Command1", kNoIndex, 2445, 885, 780, 300, "Save", "Save as my custom color scheme"},
    {kButton, "Command2", kNoIndex, 90, 885, 780, 300, "Delete", "Delete my custom color scheme"},
    {kButton, "Command3", kNoIndex, 1267, 885, 780, 300, "Undo", "Restore last colors"},
    {kLabel, "Label3", kNoIndex, 2910, 45, 270, 255, " X", "CLOSE"},
};

}  // namespace

ColourEditor::ColourEditor(platform::Platform& platform, ColourEditorHost& host)
    : p_(platform),
      host_(host),
      window_(platform, *this, "ColourEditor"),
      settings_(platform.store, platform.clock),
      picker_(platform, {[this] { return window_.Handle(); },
                         [this](std::uint32_t colour) { Get(Part::kSwatch).SetBackColour(colour); },
                         [this] { SetPickButtonCursor(kNormalCursorFile); }}),
      app_folder_(host.AppFolder()) {
  BuildControls();
}

ColourEditor::~ColourEditor() = default;

void ColourEditor::BuildControls() {
  window_.SetBorderStyle(form::BorderStyle::kFixedToolWindow);
  window_.SetShowInTaskbar(false);
  window_.SetClientSize(kClientWidth, kClientHeight);
  window_.SetPicture(app_folder_ + kEditorTexture);
  parts_ = form::AddControls(window_, kParts);
  auto& swatch = static_cast<form::Label&>(Get(Part::kSwatch));
  swatch.SetBackColour(kWhite);
  auto& caption = static_cast<form::Label&>(Get(Part::kSwatchCaption));
  caption.SetTransparent(true);
  caption.SetAlignment(form::Alignment::kCentre);
  auto& close = static_cast<form::Label&>(Get(Part::kClose));
  close.SetTransparent(true);
  close.SetAlignment(form::Alignment::kCentre);
  close.SetBold(true);
}

void ColourEditor::SetPickButtonCursor(const char* file) {
  Get(Part::kPickButton).SetPointerImage(form::Pointer::File(app_folder_ + file));
}

// --- life cycle ------------------------------------------------------------------------

void ColourEditor::OnLoad() {
  const form::Lifetime here = window_.Life();
  host_.CloseTrayIconSettings();
  Get(Part::kSwatch).SetBackColour(kWhite);
  static_cast<form::PictureBox&>(Get(Part::kPickButton)).SetPicture(app_folder_ + kPickerImage);
  SetPickButtonCursor(kNormalCursorFile);
  p_.loop.YieldToMessages();
  if (!here) return;
  SetTopmost(window_, true);
}

void ColourEditor::OnQueryUnload(form::UnloadMode, bool&) {
  picker_.Stop();
}

void ColourEditor::Close() {
  picker_.Stop();
  window_.Unload();
}

// --- the controls ----------------------------------------------------------------------

void ColourEditor::OnMouseDown(const form::MouseEvent& e) {
  if (e.control != &Get(Part::kPickButton)) return;
  SetPickButtonCursor(picker_.Picking() ? kNormalCursorFile : kPickerCursorFile);
}

void ColourEditor::OnMouseUp(const form::MouseEvent& e) {
  if (e.control != &Get(Part::kPickButton)) return;
  if (picker_.Picking()) {
    picker_.Stop();
    return;
  }
  picker_.Start();
  SetPickButtonCursor(kPickerCursorFile);
}

void ColourEditor::OnClick(form::Control* control) {
  if (control == &Get(Part::kSave))
    Save();
  else if (control == &Get(Part::kDelete))
    Delete();
  else if (control == &Get(Part::kUndo))
    Undo();
  else if (control == &Get(Part::kClose))
    Close();
}

void ColourEditor::Save() {
  picker_.Stop();
  std::optional<EditedLabels> target = host_.LabelsOf(host_.Target());
  if (!target) return;
  for (int i = 0; i < target->stored; ++i) {
    const form::Colour colour = target->labels[i]->ForeColour();
    target->backup[i] = colour;
    settings_.WriteColour(target->keys.Name(i), colour);
  }
}

void ColourEditor::Delete() {
  picker_.Stop();
  const form::Lifetime here = window_.Life();
  const EditTarget target = host_.Target();
  const std::optional<EditedLabels> labels = host_.LabelsOf(target);
  if (labels && host_.TargetVisible(target)) {
    const IndexedKeyDef& keys = labels->keys;
    host_.UnloadTarget(target);
    for (int i = 0; i < kDeletedColourKeys; ++i) settings_.Remove(keys.Name(i));
    p_.loop.YieldToMessages();
    if (!here.Exists()) return;
    host_.ShowTarget(target);
    if (!here.Exists()) return;
  }
  Close();
}

void ColourEditor::Undo() {
  picker_.Stop();
  const EditTarget target = host_.Target();
  if (target == EditTarget::kNone || !host_.TargetVisible(target)) return;
  std::optional<EditedLabels> labels = host_.LabelsOf(target);
  if (!labels) return;
  const std::size_t count = std::min(labels->labels.size(), labels->backup.size());
  for (std::size_t i = 0; i < count; ++i) labels->labels[i]->SetForeColour(labels->backup[i]);
}

}  // namespace kelvane::appearance
