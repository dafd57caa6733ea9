#include "platform/win32/ui/forms/translate.h"

#include <cmath>
#include <cstdlib>

namespace kelvane::platform::win32::forms {

using form::BorderStyle;

WindowStyles StylesFor(BorderStyle border, bool has_caption, bool show_in_taskbar) {
  const bool tool =
      border == BorderStyle::kFixedToolWindow || border == BorderStyle::kSizableToolWindow;
  const bool title_bar = has_caption && border != BorderStyle::kNone;

  WindowStyles s;
  s.style = title_bar ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU : WS_POPUP;
  switch (border) {
    case BorderStyle::kNone:
      break;
    case BorderStyle::kFixedSingle:
      s.style |= title_bar ? WS_MINIMIZEBOX : WS_DLGFRAME;
      break;
    case BorderStyle::kSizable:
      s.style |= WS_THICKFRAME | (title_bar ? WS_MINIMIZEBOX | WS_MAXIMIZEBOX : 0);
      break;
    case BorderStyle::kFixedToolWindow:
      s.style |= title_bar ? 0 : WS_DLGFRAME;
      break;
    case BorderStyle::kSizableToolWindow:
      s.style |= WS_THICKFRAME;
      break;
  }
  if (tool) s.ex_style |= WS_EX_TOOLWINDOW;

  if (show_in_taskbar) {
    // A tool window gets a taskbar button only when asked for one.
    if (tool) s.ex_style |= WS_EX_APPWINDOW;
  } else if (tool || !title_bar) {
    s.ex_style |= WS_EX_TOOLWINDOW;
  } else {
    s.hidden_owner = true;
  }
  return s;
}

int TwipsToPixels(int twips, int twips_per_pixel) {
  if (twips_per_pixel <= 0) return twips;
  const int half = twips_per_pixel / 2;
  return twips >= 0 ? (twips + half) / twips_per_pixel : -((-twips + half) / twips_per_pixel);
}

RECT ControlPixels(int left, int top, int width, int height, int tx, int ty) {
  return RECT{TwipsToPixels(left, tx), TwipsToPixels(top, ty), TwipsToPixels(left + width, tx),
              TwipsToPixels(top + height, ty)};
}

RECT WindowPixels(int left, int top, int width, int height, int tx, int ty) {
  const int x = TwipsToPixels(left, tx), y = TwipsToPixels(top, ty);
  return RECT{x, y, x + TwipsToPixels(width, tx), y + TwipsToPixels(height, ty)};
}

TwipsRect ReportedBounds(const TwipsRect& model, const RECT& real, int tx, int ty) {
  const RECT shown = WindowPixels(model.left, model.top, model.width, model.height, tx, ty);
  auto pick = [](int model_twips, int shown_pixels, int real_pixels, int per_pixel) {
    return shown_pixels == real_pixels ? model_twips : real_pixels * per_pixel;
  };
  return TwipsRect{pick(model.left, shown.left, real.left, tx),
                   pick(model.top, shown.top, real.top, ty),
                   pick(model.width, shown.right - shown.left, real.right - real.left, tx),
                   pick(model.height, shown.bottom - shown.top, real.bottom - real.top, ty)};
}

int ScrollPosition(int min, int max, int value) {
  return max >= min ? value - min : min - value;
}

int ScrollValue(int min, int max, int position) {
  return max >= min ? min + position : min - position;
}

std::optional<ScrollRequest> ScrollRequestFor(int code, int thumb_position, int min, int max) {
  using form::ScrollAction;
  switch (code) {
    case SB_LINEUP:
      return ScrollRequest{ScrollAction::kLineLess, 0};
    case SB_LINEDOWN:
      return ScrollRequest{ScrollAction::kLineMore, 0};
    case SB_PAGEUP:
      return ScrollRequest{ScrollAction::kPageLess, 0};
    case SB_PAGEDOWN:
      return ScrollRequest{ScrollAction::kPageMore, 0};
    case SB_THUMBPOSITION:
      return ScrollRequest{ScrollAction::kTo, ScrollValue(min, max, thumb_position)};
    case SB_TOP:
      return ScrollRequest{ScrollAction::kTo, min};
    case SB_BOTTOM:
      return ScrollRequest{ScrollAction::kTo, max};
    default:  // SB_THUMBTRACK, SB_ENDSCROLL
      return std::nullopt;
  }
}

int HeldButtons(WPARAM flags) {
  return ((flags & MK_LBUTTON) ? form::button::kLeft : 0) |
         ((flags & MK_RBUTTON) ? form::button::kRight : 0) |
         ((flags & MK_MBUTTON) ? form::button::kMiddle : 0);
}

int ShiftState(bool shift, bool ctrl, bool alt) {
  return (shift ? form::shift::kShift : 0) | (ctrl ? form::shift::kCtrl : 0) |
         (alt ? form::shift::kAlt : 0);
}

COLORREF ResolveColour(form::Colour colour) {
  if (colour & form::kSystemColourBit) return GetSysColor(static_cast<int>(colour & 0xFF));
  return static_cast<COLORREF>(colour & 0xFFFFFF);
}

UINT LabelTextFlags(form::Alignment alignment) {
  // Captions show exactly as set: an "&" is a character, not a mnemonic.
  UINT flags = DT_WORDBREAK | DT_NOPREFIX;
  switch (alignment) {
    case form::Alignment::kLeft:
      return flags | DT_LEFT;
    case form::Alignment::kCentre:
      return flags | DT_CENTER;
    case form::Alignment::kRight:
      return flags | DT_RIGHT;
  }
  return flags;
}

LPCWSTR StockCursorName(form::StockPointer pointer) {
  switch (pointer) {
    case form::StockPointer::kDefault:
      return nullptr;
    case form::StockPointer::kArrow:
      return MAKEINTRESOURCEW(32512);  // IDC_ARROW
    case form::StockPointer::kCross:
      return MAKEINTRESOURCEW(32515);  // IDC_CROSS
    case form::StockPointer::kIBeam:
      return MAKEINTRESOURCEW(32513);  // IDC_IBEAM
    case form::StockPointer::kSizeAll:
      return MAKEINTRESOURCEW(32646);  // IDC_SIZEALL
  }
  return nullptr;
}

int FontHeight(double points, int dots_per_inch) {
  return -static_cast<int>(std::lround(points * dots_per_inch / 72.0));
}

}  // namespace kelvane::platform::win32::forms
