// Drawing services: fonts, text measurement and the number icon's pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::platform {

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct FontSpec {
  std::string name = "Arial";
  double size_points = 24;
  bool bold = true;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// An icon the program made; destroying the object destroys the icon.
class Icon {
 public:
  virtual ~Icon() = default;
  // The platform's handle (HICON on Win32), for the tray.
  virtual std::uintptr_t Handle() const = 0;
};

class Graphics {
 public:
  virtual ~Graphics() = default;
  // The installed screen fonts, sorted.
  virtual std::vector<std::string> FontNames() = 0;
  // The size in pixels that `text` takes in `font` on the screen (at the
  // screen's dots per inch); {0, 0} when the font cannot be made.
  virtual Size TextExtent(const FontSpec& font, std::string_view text) = 0;
  // The point size that a font of `font` really takes on the screen: the
  // request rounded to a size the typeface renders (for an outline font a
  // whole number of pixels, for a bitmap font one of its sizes); 0 when the
  // font cannot be made.
  virtual double RenderedSize(const FontSpec& font) = 0;
  // The colour the system draws unavailable text in (red + 256 green + 65536 blue).
  virtual std::uint32_t GreyTextColour() = 0;
  // A 32 x 32 opaque icon: the square filled with `back`, then `text` drawn at
  // (x, y) (which may be negative: the text is clipped) in `fore` with a
  // transparent text background. nullptr when the icon cannot be made.
  virtual std::unique_ptr<Icon> NumberIcon(const FontSpec& font, std::uint32_t back,
                                           std::uint32_t fore, std::string_view text, int x,
                                           int y) = 0;
};

// The notification-area icon: one per program (uID 2), with its tip.
class Tray {
 public:
  virtual ~Tray() = default;
  // The mouse messages the icon receives: 0x203 left double click, 0x205
  // right button released, and the others, unfiltered.
  using EventHandler = std::function<void(int mouse_message)>;

  // NIM_ADD with `icon` (nullptr: a blank icon) and `tip` (64 characters, a NUL
  // inside ends what shows). The handler gets the icon's mouse messages.
  virtual bool Add(const Icon* icon, std::string_view tip, EventHandler on_event) = 0;
  // NIM_MODIFY of icon and tip together; no effect when the icon is not shown.
  virtual bool Modify(const Icon* icon, std::string_view tip) = 0;
  // NIM_DELETE.
  virtual bool Remove() = 0;
  // Called when the taskbar restarted and every tray icon was lost.
  virtual void OnTaskbarRestart(std::function<void()> handler) = 0;
};

// The services of a program that draws no icon and has no tray icon (the
// settings remover): every request does nothing and fails.
inline Graphics& NoGraphics() {
  class None final : public Graphics {
   public:
    std::vector<std::string> FontNames() override { return {}; }
    Size TextExtent(const FontSpec&, std::string_view) override { return {}; }
    double RenderedSize(const FontSpec&) override { return 0; }
    std::uint32_t GreyTextColour() override { return 0x808080; }
    std::unique_ptr<Icon> NumberIcon(const FontSpec&, std::uint32_t, std::uint32_t,
                                     std::string_view, int, int) override {
      return nullptr;
    }
  };
  static None none;
  return none;
}

inline Tray& NoTray() {
  class None final : public Tray {
   public:
    bool Add(const Icon*, std::string_view, EventHandler) override { return false; }
    bool Modify(const Icon*, std::string_view) override { return false; }
    bool Remove() override { return false; }
    void OnTaskbarRestart(std::function<void()>) override {}
  };
  static None none;
  return none;
}

}  // namespace kelvane::platform
