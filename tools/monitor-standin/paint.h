// Drawing helpers shared by the stand-in's windows: its colours, its fonts and
// text in boxes. Texts come in the system code page, as the windows hold them.
#pragma once

#include <windows.h>

#include <string_view>

#include "layout.h"
#include "win_handles.h"

namespace kelvane::standin {

namespace colour {
inline constexpr COLORREF kCaption = RGB(28, 58, 110);
inline constexpr COLORREF kCaptionText = RGB(255, 255, 255);
inline constexpr COLORREF kCaptionButton = RGB(52, 88, 150);
inline constexpr COLORREF kFace = RGB(226, 231, 238);
inline constexpr COLORREF kBar = RGB(205, 213, 225);
inline constexpr COLORREF kEdge = RGB(120, 132, 150);
inline constexpr COLORREF kPanel = RGB(244, 246, 250);
inline constexpr COLORREF kText = RGB(20, 28, 40);
inline constexpr COLORREF kDimText = RGB(90, 100, 115);
inline constexpr COLORREF kDisplay = RGB(12, 24, 16);
inline constexpr COLORREF kDisplayText = RGB(90, 255, 120);
}  // namespace colour

struct Fonts {
  Fonts();
  OwnedFont caption;  // the window title
  OwnedFont label;    // captions, buttons, status
  OwnedFont heading;  // panel titles
  OwnedFont value;    // the readings
};

RECT ToRect(const Box& box);
void FillBox(HDC dc, const Box& box, COLORREF colour);
void FrameBox(HDC dc, const Box& box, COLORREF colour);
// Text drawn transparently with DrawText flags; the narrow form takes the
// system code page, as window texts are held.
void DrawWideIn(HDC dc, const Box& box, std::wstring_view text, HFONT font, COLORREF colour,
                UINT format);
void DrawTextIn(HDC dc, const Box& box, std::string_view text, HFONT font, COLORREF colour,
                UINT format);

}  // namespace kelvane::standin
