#include "platform/form/control_table.h"

namespace kelvane::form {
namespace {

template <class T>
T& WithCaption(T& control, const char* caption) {
  if (caption) control.SetCaption(caption);
  return control;
}

Control& AddControl(Window& window, const ControlRow& row, Container* on) {
  switch (row.kind) {
    case ControlKind::kLabel:
      return WithCaption(window.Add<Label>(row.name, row.index, on), row.caption);
    case ControlKind::kFrame:
      return WithCaption(window.Add<Frame>(row.name, row.index, on), row.caption);
    case ControlKind::kPictureBox:
      return window.Add<PictureBox>(row.name, row.index, on);
    case ControlKind::kCheckBox:
      return WithCaption(window.Add<CheckBox>(row.name, row.index, on), row.caption);
    case ControlKind::kListBox:
      return window.Add<ListBox>(row.name, row.index, on);
    case ControlKind::kScrollBar:
      return window.Add<ScrollBar>(row.name, row.index, on);
    case ControlKind::kButton:
      return WithCaption(window.Add<Button>(row.name, row.index, on), row.caption);
    case ControlKind::kTextBox:
      return window.Add<TextBox>(row.name, row.index, on);
    case ControlKind::kPictureButton:
      break;
  }
  return window.Add<PictureButton>(row.name, row.index, on);
}

}  // namespace

std::vector<Control*> AddControls(Window& window, std::span<const ControlRow> rows, Container* on) {
  std::vector<Control*> controls;
  controls.reserve(rows.size());
  for (const ControlRow& row : rows) {
    Control& c = AddControl(window, row, on);
    c.Move(row.left, row.top, row.width, row.height);
    if (row.tooltip) c.SetTooltip(row.tooltip);
    controls.push_back(&c);
  }
  return controls;
}

}  // namespace kelvane::form
