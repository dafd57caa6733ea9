#include "paint.h"

#include <string>

namespace kelvane::standin {

namespace {

HFONT MakeFont(int pixels, int weight) {
  return CreateFontA(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, "Arial");
}

}  // namespace

Fonts::Fonts()
    : caption(MakeFont(16, FW_BOLD)),
      label(MakeFont(13, FW_NORMAL)),
      heading(MakeFont(14, FW_BOLD)),
      value(MakeFont(18, FW_BOLD)) {}

RECT ToRect(const Box& box) {
  return RECT{box.left, box.top, box.right, box.bottom};
}

void FillBox(HDC dc, const Box& box, COLORREF colour) {
  const RECT rect = ToRect(box);
  // The DC brush is a stock object: nothing to create or free per fill.
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FrameBox(HDC dc, const Box& box, COLORREF colour) {
  const RECT rect = ToRect(box);
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawWideIn(HDC dc, const Box& box, std::wstring_view text, HFONT font, COLORREF colour,
                UINT format) {
  RECT rect = ToRect(box);
  ScopedSelect select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
}

void DrawTextIn(HDC dc, const Box& box, std::string_view text, HFONT font, COLORREF colour,
                UINT format) {
  std::wstring wide(text.size(), L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  DrawWideIn(dc, box, wide, font, colour, format);
}

}  // namespace kelvane::standin
