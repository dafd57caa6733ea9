// Small value types of the form model: colours, fonts, pointer images, the
// codes of mouse buttons and shift keys, and the names of property changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace kelvane::form {

// red + 256 * green + 65536 * blue. With the top bit set, the low byte is a
// system colour index that the renderer resolves (0x8000000F = button face).
using Colour = std::uint32_t;
inline constexpr Colour kSystemColourBit = 0x80000000;
inline constexpr Colour kWindowBackground = 0x80000005;
inline constexpr Colour kWindowText = 0x80000008;
inline constexpr Colour kButtonFace = 0x8000000F;
inline constexpr Colour kButtonText = 0x80000012;
// A colour from its red, green and blue parts, each 0 to 255.
constexpr Colour Rgb(int red, int green, int blue) {
  return static_cast<Colour>(red + 256 * green + 65536 * blue);
}

// Mouse buttons, as the events report them; a move reports every button held.
namespace button {
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace button

// Shift state of mouse and key events.
namespace shift {
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace shift

// Why a window is being unloaded, with the values the handlers are used to.
enum class UnloadMode { kUserClose = 0, kFromCode = 1, kSystem = 2 };

enum class WindowState { kNormal = 0, kMinimised = 1, kMaximised = 2 };

enum class BorderStyle { kNone, kFixedSingle, kSizable, kFixedToolWindow, kSizableToolWindow };

enum class Alignment { kLeft, kRight, kCentre };

// A drop-down list only selects; an editable combo also takes typed text.
enum class ListStyle { kDropDownList, kEditableCombo };

// kDoubleClick is the second press of a double click (it comes instead of a kDown).
enum class MouseKind { kDown, kMove, kUp, kDoubleClick };

// kDown and kUp carry virtual-key codes, kPress the character code.
enum class KeyKind { kDown, kPress, kUp };

// "Less" moves towards Min, "more" towards Max; kTo sets the thumb's position.
enum class ScrollAction { kLineLess, kLineMore, kPageLess, kPageMore, kTo };

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// Stock pointer shapes, with the numbers windows of this kind are used to.
enum class StockPointer { kDefault = 0, kArrow = 1, kCross = 2, kIBeam = 3, kSizeAll = 15 };

// A pointer image: a stock shape, or a cursor or icon file when `file` is set.
struct Pointer {
  StockPointer stock = StockPointer::kDefault;
  std::string file;

  static Pointer Stock(StockPointer s) { return {s, {}}; }
  static Pointer File(std::string path) { return {StockPointer::kDefault, std::move(path)}; }
  bool IsDefault() const { return stock == StockPointer::kDefault && file.empty(); }
  friend bool operator==(const Pointer&, const Pointer&) = default;
};

// Twips between a window's outer edges and its client area.
struct Insets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Insets&, const Insets&) = default;
};

// What changed, as the model tells its observer (the renderer), so that only
// that part of the real window needs updating.
enum class Change {
  kCreated,  // a control added to a window that is already loaded
  kCaption,  // window, label, frame, check box, button, menu item
  kText,     // text box or list box text
  kBounds,   // left, top, width or height
  kVisible,
  kEnabled,
  kTooltip,
  kPointer,
  kFont,
  kForeColour,
  kBackColour,
  kAlignment,
  kTransparent,
  kBorder,
  kPicture,
  kZOrder,
  kValue,  // check box or scroll bar value
  kRange,  // scroll bar minimum, maximum, small or large change
  kItems,  // list box items
  kListIndex,
  kStyle,  // list style, scroll bar orientation
  kWindowState,
  kTopmost,
  kBorderStyle,
  kShowInTaskbar,
  kFocus,      // the window's focused control
  kChecked,    // menu item check mark
  kMenuItems,  // items added to a menu
  kDrawing,    // a picture box's drawing
};

std::string_view ChangeName(Change what);

}  // namespace kelvane::form
