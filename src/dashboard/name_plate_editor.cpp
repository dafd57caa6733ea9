#include "dashboard/name_plate_editor.h"

#include "appearance/placement.h"
#include "base/numbers.h"
#include "platform/form/control_table.h"

namespace kelvane::dashboard {
namespace {

constexpr int kClientWidth = 3780, kClientHeight = 810;
constexpr int kEnter = 13;

enum class Part { kPrompt, kName, kOk, kCancel };
using form::kNoIndex;
using enum form::ControlKind;
// In the order of Part, which is the tab order after the prompt: the name first.
constexpr form::ControlRow kParts[] = {
    {kLabel, "Label1", kNoIndex, 135, 105, 3225, 195, "Edit Name Plate and click OK to save"},
    {kTextBox, "Text1", kNoIndex, 180, 375, 1305, 285},
    {kButton, "Command1", kNoIndex, 1770, 345, 810, 375, "OK", "Save"},
    {kButton, "Command2", kNoIndex, 2850, 345, 810, 375, "Cancel", "Abort"},
};

}  // namespace

NamePlateEditor::NamePlateEditor(platform::Platform& platform, DigitalDashboard& dashboard,
                                 DashboardHost& host)
    : p_(platform),
      dashboard_(dashboard),
      host_(host),
      window_(platform, *this, "NamePlateEditor"),
      settings_(platform.store, platform.clock) {
  window_.SetCaption("Kelvane - Edit Name Plate");
  window_.SetBorderStyle(form::BorderStyle::kFixedToolWindow);
  window_.SetShowInTaskbar(false);
  window_.SetClientSize(kClientWidth, kClientHeight);
  const std::vector<form::Control*> parts = form::AddControls(window_, kParts);
  const auto part = [&parts](Part p) { return parts[static_cast<int>(p)]; };
  auto& prompt = static_cast<form::Label&>(*part(Part::kPrompt));
  prompt.SetTransparent(true);
  prompt.SetTextFont({"MS Sans Serif", 8.25, true});
  name_ = static_cast<form::TextBox*>(part(Part::kName));
  ok_ = static_cast<form::Button*>(part(Part::kOk));
  cancel_ = static_cast<form::Button*>(part(Part::kCancel));
}

NamePlateEditor::~NamePlateEditor() = default;

void NamePlateEditor::OnLoad() {
  const form::Lifetime here = window_.Life();
  window_.Show();
  p_.loop.YieldToMessages();
  if (!here) return;
  appearance::SetTopmost(window_, true);
  const form::Window& dash = dashboard_.Window();
  int left = dash.Left() - window_.Width();
  if (left < 0) left = dash.Left() + dash.Width();
  window_.Move(left, dash.Top());
  plate_index_ = RoundToInt16(dashboard_.PlateTag());
  name_->SetText(dashboard_.Label(plate_index_).Caption());
  name_->SetFocus();
  p_.loop.YieldToMessages();
  if (!here) return;
  const int screen_height = p_.desktop.ScreenRect().Height() * p_.desktop.TwipsPerPixelY();
  if (window_.Top() + window_.Height() > screen_height)
    window_.SetTop(screen_height - window_.Height());
}

void NamePlateEditor::Accept() {
  const form::Lifetime here = window_.Life();
  const std::string text = name_->Text();
  form::Label& plate = dashboard_.Label(plate_index_);
  if (text != plate.Caption() && !text.empty()) {
    plate.SetCaption(text);
    settings_.WriteText(DashboardPlateKeys().Name(plate_index_), text);
    if (const int high_low = HighLowLabelOf(plate_index_); high_low != 0) {
      settings_.WriteText(HighLowPlateKeys().Name(high_low), text);
      // Making the High/Low window yields: the program may end meanwhile.
      host_.HighLowPlateRenamed(high_low, text);
      if (!here) return;
    }
  }
  window_.Unload();
}

void NamePlateEditor::OnClick(form::Control* control) {
  if (control == ok_)
    Accept();
  else if (control == cancel_)
    window_.Unload();
}

void NamePlateEditor::OnKeyPress(form::Control* control, int& char_code) {
  if (control != name_ || char_code != kEnter) return;
  char_code = 0;  // no beep for a key the box does not take
  Accept();
}

}  // namespace kelvane::dashboard
