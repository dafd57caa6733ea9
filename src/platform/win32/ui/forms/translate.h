// The renderer's translations between the form model's values and Win32's:
// window styles, twips and pixels, scroll codes, mouse and key states, colours.
// Plain functions of their arguments, so that tables of cases can check them.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/form/types.h"

namespace kelvane::platform::win32::forms {

// --- window styles -----------------------------------------------------------

struct WindowStyles {
  DWORD style = 0;
  DWORD ex_style = 0;
  // Kept out of the taskbar by a hidden owner window rather than by the tool
  // window style, which would also shrink its title bar.
  bool hidden_owner = false;
  friend bool operator==(const WindowStyles&, const WindowStyles&) = default;
};

// The styles of a top-level window. A title bar needs a caption and a border;
// a window without a title bar and without a taskbar button is a tool window.
WindowStyles StylesFor(form::BorderStyle border, bool has_caption, bool show_in_taskbar);

// The bits of a window's style and extended style that StylesFor decides;
// the others (visible, minimised, ...) belong to the window's state.
inline constexpr DWORD kStyleBitsOwned = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                         WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_DLGFRAME | WS_BORDER;
inline constexpr DWORD kExStyleBitsOwned = WS_EX_TOOLWINDOW | WS_EX_APPWINDOW;

// --- twips and pixels ----------------------------------------------------------

// The nearest pixel, halves away from zero.
int TwipsToPixels(int twips, int twips_per_pixel);

// A control's rectangle in its container's pixels. Edges are converted one by
// one, so that controls that touch in twips touch on the screen too.
RECT ControlPixels(int left, int top, int width, int height, int twips_per_pixel_x,
                   int twips_per_pixel_y);

// A top-level window's outer rectangle in screen pixels: the corner's pixel and
// the size's, as the simulated desktop places it.
RECT WindowPixels(int left, int top, int width, int height, int twips_per_pixel_x,
                  int twips_per_pixel_y);

// What the model should hear of a real window's position and size: each value
// whose pixel differs from the model's own becomes the pixel in twips, the
// others keep the model's twips (so a window the model placed reports nothing,
// and rounding never creeps into the model's values).
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};
TwipsRect ReportedBounds(const TwipsRect& model, const RECT& real, int twips_per_pixel_x,
                         int twips_per_pixel_y);

// --- scroll bars -----------------------------------------------------------------

// A native scroll bar runs from 0 to |Max - Min|; a reversed bar (Min > Max)
// counts down from Min.
int ScrollPosition(int min, int max, int value);
int ScrollValue(int min, int max, int position);

struct ScrollRequest {
  form::ScrollAction action = form::ScrollAction::kTo;
  int value = 0;  // for kTo: the model's value to go to
  friend bool operator==(const ScrollRequest&, const ScrollRequest&) = default;
};
// A WM_HSCROLL / WM_VSCROLL code with the thumb's native position, as the
// model's action; nothing for codes that change no value (the end of a scroll,
// and the thumb while it is being dragged: the value follows where it is let go).
std::optional<ScrollRequest> ScrollRequestFor(int code, int thumb_position, int min, int max);

// --- mouse and keys --------------------------------------------------------------

// The buttons held, from the MK_ flags of a mouse message: 1 left, 2 right, 4 middle.
int HeldButtons(WPARAM mouse_flags);
// Shift 1, Ctrl 2, Alt 4, as mouse and key events report them.
int ShiftState(bool shift, bool ctrl, bool alt);

// --- colours, text, pointers -------------------------------------------------------

// A model colour as a COLORREF; system colours through GetSysColor.
COLORREF ResolveColour(form::Colour colour);

// DrawText flags for a label's text.
UINT LabelTextFlags(form::Alignment alignment);

// The system's pointer for a stock shape; nullptr for the default one.
LPCWSTR StockCursorName(form::StockPointer pointer);

// The height to give CreateFont for a size in points at `dots_per_inch`.
int FontHeight(double points, int dots_per_inch);

}  // namespace kelvane::platform::win32::forms
