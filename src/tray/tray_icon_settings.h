// The tray icon settings window, "Kelvane Icon Settings": the typeface, size
// and weight of the tray digits and their three colours, taken from four
// preset swatches or from the screen colour picker. Every change goes into
// the tray icon's style at once, so the next poll tick draws with it; the
// settings are stored when the window closes. It sits at the right end of the
// work area's bottom edge, always on top.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/colour_picker.h"
#include "base/settings.h"
#include "platform/form/form.h"
#include "tray/number_icon.h"

namespace kelvane::tray {

// What the window asks of the program around it.
class TrayIconSettingsHost {
 public:
  virtual ~TrayIconSettingsHost() = default;
  // The program's folder, ending in "\".
  virtual std::string AppFolder() = 0;
  // Only one screen colour picker is open at a time.
  virtual void CloseColourEditor() = 0;
};

// The preset swatches, in their order on the window.
struct ColourPreset {
  const char* caption;
  form::Colour colour;
};
inline constexpr std::array<ColourPreset, 4> kColourPresets{{
    {"Olive Green Theme", 11723498},   // red 234, green 226, blue 178
    {"Blue Windows Theme", 15371791},  // red 15, green 142, blue 234
    {"Silver Theme", 14339275},        // red 203, green 204, blue 218
    {"ButtonFace", form::kButtonFace},
}};
inline constexpr char kPaletteImage[] = "Images\\Palette.bmp";
// The requests the size list is built from, in points.
inline constexpr int kSmallestListedSize = 16, kLargestListedSize = 32;

class TrayIconSettings : public form::WindowHandler {
 public:
  // `style` is the tray icon's, owned by the main window, which outlives this.
  TrayIconSettings(platform::Platform& platform, TrayIconStyle& style, TrayIconSettingsHost& host);
  ~TrayIconSettings() override;
  TrayIconSettings(const TrayIconSettings&) = delete;
  TrayIconSettings& operator=(const TrayIconSettings&) = delete;

  enum class Part {
    kFontList,
    kSizeList,
    kBold,
    kSample,
    kCpuSwatch,
    kMbSwatch,
    kBackSwatch,
    kSelected,
    kPalette,
    kApplyCpu,
    kApplyMb,
    kApplyBack,
  };
  form::Window& Window() { return window_; }
  form::Control& Get(Part part) const { return *parts_[static_cast<int>(part)]; }
  form::ListBox& FontList() const { return static_cast<form::ListBox&>(Get(Part::kFontList)); }
  form::ListBox& SizeList() const { return static_cast<form::ListBox&>(Get(Part::kSizeList)); }
  // Preset swatch k (its frame; the caption lies on it).
  form::PictureBox& Preset(int k) const { return *presets_[k]; }
  form::Colour SelectedColour() const { return Get(Part::kSelected).BackColour(); }
  const ScreenColourPicker& Picker() const { return picker_; }

  // Rebuilds the size list for the sample's typeface: each distinct size that
  // the requests 16 to 32 points really take, rising.
  void UpdateSizeList();

  // --- form::WindowHandler ---
  void OnLoad() override;
  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;
  void OnClick(form::Control* control) override;
  void OnMouseDown(const form::MouseEvent& e) override;
  void OnMouseUp(const form::MouseEvent& e) override;

 private:
  void BuildControls();
  // Each ends at once when the window went away while it yielded.
  bool YieldMessages();
  void FontChosen();
  void ChoosePreset(int k);
  // The preset whose swatch or caption `control` is; -1 for none.
  int PresetOf(const form::Control* control) const;
  void Save();

  platform::Platform& p_;
  TrayIconStyle& style_;
  TrayIconSettingsHost& host_;
  form::Window window_;
  Settings settings_;
  ScreenColourPicker picker_;
  std::string app_folder_;
  std::vector<form::Control*> parts_;
  std::array<form::PictureBox*, kColourPresets.size()> presets_{};
  std::array<form::Label*, kColourPresets.size()> preset_captions_{};
};

}  // namespace kelvane::tray
