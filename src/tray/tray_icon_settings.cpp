#include "tray/tray_icon_settings.h"

#include "appearance/placement.h"
#include "base/keys.h"
#include "base/numbers.h"

namespace kelvane::tray {
namespace {

constexpr int kClientWidth = 4440, kClientHeight = 2700;
constexpr form::Colour kWhite = 0xFFFFFF;

using Part = TrayIconSettings::Part;
enum class Kind { kList, kCombo, kCheck, kLabel, kPicture, kButton };
struct PartDesign {
  Part part;
  Kind kind;
  const char* name;
  int left, top, width, height;
  const char* caption;
  const char* tooltip;
};
// In the order of Part.
constexpr PartDesign kParts[] = {
    {Part::kFontList, Kind::kList, "Combo1", 120, 120, 2460, 315, nullptr, nullptr},
    {Part::kSizeList, Kind::kCombo, "Combo2", 2700, 120, 780, 315, nullptr, nullptr},
    {Part::kBold, Kind::kCheck, "Check1", 3600, 150, 720, 255, "Bold", "Font Bold On/Off"},
    {Part::kSample, Kind::kLabel, "Label3", 3660, 600, 720, 810, "88", nullptr},
    {Part::kCpuSwatch, Kind::kLabel, "Label4", 3660, 1560, 240, 240, nullptr, nullptr},
    {Part::kMbSwatch, Kind::kLabel, "Label5", 3660, 1920, 240, 240, nullptr, nullptr},
    {Part::kBackSwatch, Kind::kLabel, "Label6", 3660, 2280, 240, 240, nullptr, nullptr},
    {Part::kSelected, Kind::kPicture, "picColor", 2040, 1530, 720, 720, nullptr, nullptr},
    {Part::kPalette, Kind::kPicture, "Picture2", 120, 1530, 1785, 720, nullptr, nullptr},
    {Part::kApplyCpu, Kind::kButton, "Command4", 2880, 1530, 720, 300, "CPU",
     "Set tray CPU foreground to selected color"},
    {Part::kApplyMb, Kind::kButton, "Command1", 2880, 1890, 720, 300, "MB",
     "Set tray MB foreground to selected color"},
    {Part::kApplyBack, Kind::kButton, "Command5", 2880, 2250, 720, 300, "Back",
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
  for (const PartDesign& d : kParts) {
    form::Control* c = nullptr;
    switch (d.kind) {
      case Kind::kList:
      case Kind::kCombo: {
        auto& list = window_.Add<form::ListBox>(d.name);
        if (d.kind == Kind::kCombo) list.SetStyle(form::ListStyle::kEditableCombo);
        c = &list;
        break;
      }
      case Kind::kCheck: {
        auto& box = window_.Add<form::CheckBox>(d.name);
        box.SetCaption(d.caption);
        c = &box;
        break;
      }
      case Kind::kLabel: {
        auto& label = window_.Add<form::Label>(d.name);
        if (d.caption) label.SetCaption(d.caption);
        c = &label;
        break;
      }
      case Kind::kPicture: {
        auto& picture = window_.Add<form::PictureBox>(d.name);
        picture.SetBorder(true);
        c = &picture;
        break;
      }
      case Kind::kButton: {
        auto& button = window_.Add<form::Button>(d.name);
        button.SetCaption(d.caption);
        c = &button;
        break;
      }
    }
    c->Move(d.left, d.top, d.width, d.height);
    if (d.tooltip) c->SetTooltip(d.tooltip);
    parts_.push_back(c);
  }
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
