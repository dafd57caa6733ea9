#include "tray/tray_icon_settings.h"

#include "appearance/placement.h"
#include "base/keys.h"
#include "base/numbers.h"
#include "platform/form/control_table.h"

namespace kelvane::tray {
namespace {

constexpr int kClientWidth = 4440, kClientHeight = 2700;
constexpr form::Colour kWhite = 0xFFFFFF;

using Part = TrayIconSettings::Part;
using form::kNoIndex;
using enum form::ControlKind;
// In the order of Part.
constexpr form::ControlRow kParts[] = {
    {kListBox, "Combo1", kNoIndex, 120, 120, 2460, 315},
    {kListBox, "Combo2", kNoIndex, 2700, 120, 780, 315},
    {kCheckBox, "Check1", kNoIndex, 3600, 150, 720, 255, "Bold", "Font Bold On/Off"},
    {kLabel, "Label3", kNoIndex, 3660, 600, 720, 810, "88"},
    {kLabel, "Label4", kNoIndex, 3660, 1560, 240, 240},
    {kLabel, "Label5", kNoIndex, 3660, 1920, 240, 240},
    {kLabel, "Label6", kNoIndex, 3660, 2280, 240, 240},
    {kPictureBox, "picColor", kNoIndex, 2040, 1530, 720, 720},
    {kPictureBox, "Picture2", kNoIndex, 120, 1530, 1785, 720},
    {kButton, "Command4", kNoIndex, 2880, 1530, 720, 300, "CPU",
     "Set tray CPU foreground to selected color"},
    {kButton, "Command1", kNoIndex, 2880, 1890, 720, 300, "MB",
     "Set tray MB foreground to selected color"},
    {kButton, "Command5", kNoIndex, 2880, 2250, 720, 300, "Back",
     "Set tray background to selected color"},
};
// The preset swatches `colur(0)` to `colur(3)`, two by two, each with its caption.
constexpr int kPresetLeft = 120, kPresetTop = 600, kPresetWidth = 1680, kPresetHeight = 375;
constexpr int kPresetGapX = 120, kPresetGapY = 60;

}  // namespace

TrayIconSettings::TrayIconSettings(platform::Platform& platform, TrayIconStyle& style,
                                   TrayIconSettingsHost& host)
    : p_(platform),
      style_(style),
      host_(host),
      window_(platform, *this, "TrayIconSettings"),
      settings_(platform.store, platform.clock),
      picker_(platform,
              {[this] { return window_.Handle(); },
               [this](std::uint32_t colour) { Get(Part::kSelected).SetBackColour(colour); },
               [this] { Get(Part::kPalette).SetPointerImage({}); }}),
      app_folder_(host.AppFolder()) {
  BuildControls();
}

TrayIconSettings::~TrayIconSettings() = default;

void TrayIconSettings::BuildControls() {
  window_.SetCaption("Kelvane Icon Settings");
  window_.SetBorderStyle(form::BorderStyle::kFixedToolWindow);
  window_.SetShowInTaskbar(false);
  window_.SetClientSize(kClientWidth, kClientHeight);
  parts_ = form::AddControls(window_, kParts);
  SizeList().SetStyle(form::ListStyle::kEditableCombo);
  for (Part picture : {Part::kSelected, Part::kPalette})
    static_cast<form::PictureBox&>(Get(picture)).SetBorder(true);
  auto& sample = static_cast<form::Label&>(Get(Part::kSample));
  sample.SetAlignment(form::Alignment::kCentre);
  sample.SetTransparent(true);
  Get(Part::kSelected).SetBackColour(kWhite);
  for (int k = 0; k < static_cast<int>(kColourPresets.size()); ++k) {
    auto& swatch = window_.Add<form::PictureBox>("colur", k);
    swatch.Move(kPresetLeft + (k % 2) * (kPresetWidth + kPresetGapX),
                kPresetTop + (k / 2) * (kPresetHeight + kPresetGapY), kPresetWidth, kPresetHeight);
    auto& caption = window_.Add<form::Label>("colurCaption", k, &swatch);
    caption.Move(0, 75, kPresetWidth, kPresetHeight - 75);
    caption.SetCaption(kColourPresets[k].caption);
    caption.SetAlignment(form::Alignment::kCentre);
    caption.SetTransparent(true);
    presets_[k] = &swatch;
    preset_captions_[k] = &caption;
  }
}

bool TrayIconSettings::YieldMessages() {
  const form::Lifetime here = window_.Life();
  p_.loop.YieldToMessages();
  return static_cast<bool>(here);
}

// --- opening and closing ---------------------------------------------------------------

void TrayIconSettings::OnLoad() {
  host_.CloseColourEditor();
  window_.Show();
  static_cast<form::PictureBox&>(Get(Part::kPalette)).SetPicture(app_folder_ + kPaletteImage);
  if (!YieldMessages()) return;
  appearance::SetTopmost(window_, true);
  if (!YieldMessages()) return;
  appearance::DockToBottom(window_, p_.desktop, 1);
  for (int k = 0; k < static_cast<int>(kColourPresets.size()); ++k)
    presets_[k]->SetBackColour(kColourPresets[k].colour);
  form::ListBox& fonts = FontList();
  fonts.Clear();
  for (std::string& name : p_.graphics.FontNames()) fonts.AddItem(std::move(name));
  if (!YieldMessages()) return;
  if (style_.bold) static_cast<form::CheckBox&>(Get(Part::kBold)).SetValue(1);
  Get(Part::kCpuSwatch).SetBackColour(style_.cpu_colour);
  Get(Part::kMbSwatch).SetBackColour(style_.mb_colour);
  Get(Part::kBackSwatch).SetBackColour(style_.back_colour);
  // Selecting the font runs its handler, which builds the size list. A font the
  // screen does not offer leaves both lists without a choice.
  fonts.SetText(style_.font_name);
}

void TrayIconSettings::OnQueryUnload(form::UnloadMode, bool&) {
  picker_.Stop();
  Save();
}

void TrayIconSettings::Save() {
  settings_.WriteText(keys::kTrayFont.name, style_.font_name);
  settings_.WriteFloat(keys::kTrayFontSize.name, style_.font_size);
  settings_.WriteFlag(keys::kTrayBold.name, style_.bold);
  settings_.WriteColour(keys::kTrayBackColour.name, style_.back_colour);
  settings_.WriteColour(keys::kTrayCpuColour.name, style_.cpu_colour);
  settings_.WriteColour(keys::kTrayMbColour.name, style_.mb_colour);
}

// --- fonts -----------------------------------------------------------------------------

void TrayIconSettings::FontChosen() {
  style_.font_name = FontList().Text();
  Get(Part::kSample).SetFontName(style_.font_name);
  if (!YieldMessages()) return;
  UpdateSizeList();
}

void TrayIconSettings::UpdateSizeList() {
  if (!YieldMessages()) return;
  form::ListBox& sizes = SizeList();
  sizes.Clear();
  form::Control& sample = Get(Part::kSample);
  for (int requested = kSmallestListedSize; requested <= kLargestListedSize; ++requested) {
    const platform::FontSpec font{sample.TextFont().name, static_cast<double>(requested),
                                  sample.TextFont().bold};
    // The sample takes the size the platform renders, as a label does.
    const double rendered = p_.graphics.RenderedSize(font);
    if (rendered <= 0) continue;
    sample.SetFontSize(rendered);
    if (!YieldMessages()) return;
    const std::string text = FloatText(static_cast<float>(rendered), ".");
    if (sizes.Items().empty() || sizes.Items().back() != text) sizes.AddItem(text);
  }
  const double current = p_.graphics.RenderedSize(style_.Font());
  sizes.SetText(FloatText(static_cast<float>(current > 0 ? current : style_.font_size),
                          p_.clock.DecimalSeparator()));
}

// --- the controls ----------------------------------------------------------------------

int TrayIconSettings::PresetOf(const form::Control* control) const {
  for (int k = 0; k < static_cast<int>(presets_.size()); ++k)
    if (control == presets_[k] || control == preset_captions_[k]) return k;
  return -1;
}

void TrayIconSettings::ChoosePreset(int k) {
  picker_.Stop();
  Get(Part::kSelected).SetBackColour(kColourPresets[k].colour);
  for (form::PictureBox* swatch : presets_) swatch->SetBorder(swatch == presets_[k]);
}

void TrayIconSettings::OnClick(form::Control* control) {
  if (!control) return;
  if (control == &Get(Part::kFontList)) {
    FontChosen();
  } else if (control == &Get(Part::kSizeList)) {
    // Only a size chosen from the list counts; typing changes nothing.
    style_.font_size = LeadingNumber(SizeList().Text());
  } else if (control == &Get(Part::kBold)) {
    style_.bold = static_cast<form::CheckBox*>(control)->Value() == 1;
  } else if (const int k = PresetOf(control); k >= 0) {
    ChoosePreset(k);
  } else if (control == &Get(Part::kApplyCpu)) {
    style_.cpu_colour = SelectedColour();
    Get(Part::kCpuSwatch).SetBackColour(style_.cpu_colour);
    Get(Part::kPalette).SetFocus();
  } else if (control == &Get(Part::kApplyMb)) {
    style_.mb_colour = SelectedColour();
    Get(Part::kMbSwatch).SetBackColour(style_.mb_colour);
    Get(Part::kPalette).SetFocus();
  } else if (control == &Get(Part::kApplyBack)) {
    style_.back_colour = SelectedColour();
    Get(Part::kBackSwatch).SetBackColour(style_.back_colour);
    Get(Part::kPalette).SetFocus();
  }
}

void TrayIconSettings::OnMouseDown(const form::MouseEvent& e) {
  if (e.control != &Get(Part::kPalette)) return;
  if (picker_.Picking()) {
    Get(Part::kPalette).SetPointerImage({});
    return;
  }
  Get(Part::kPalette).SetPointerImage(form::Pointer::File(app_folder_ + kPickerCursorFile));
  static_cast<form::PictureBox&>(Get(Part::kSelected)).SetPicture("");
}

void TrayIconSettings::OnMouseUp(const form::MouseEvent& e) {
  if (e.control != &Get(Part::kPalette)) return;
  if (picker_.Picking())
    picker_.Stop();
  else
    picker_.Start();
}

}  // namespace kelvane::tray
