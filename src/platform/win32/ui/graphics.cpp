#include "platform/win32/ui/graphics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32 {
namespace {

constexpr int kIconPixels = 32;

// A font of `spec` for the screen: the point size becomes a character height
// in pixels at the screen's dots per inch (24 points are 32 pixels at 96).
GdiFont MakeFont(const FontSpec& spec) {
  WindowDc screen(nullptr);
  int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  int height = -static_cast<int>(std::lround(spec.size_points * dpi / 72.0));
  std::string face = Utf8ToAcp(spec.name);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  return GdiFont(CreateFontA(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

int CALLBACK CollectFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
  // "@" names are the vertical variants of East Asian fonts, not for the icon.
  if (font->lfFaceName[0] != '@')
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(AcpToUtf8(font->lfFaceName));
  return 1;
}

}  // namespace

std::vector<std::string> Win32Graphics::FontNames() {
  std::vector<std::string> names;
  WindowDc screen(nullptr);
  if (!screen) return names;
  LOGFONTA filter{};
  filter.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(screen.Get(), &filter, CollectFont, reinterpret_cast<LPARAM>(&names), 0);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

Size Win32Graphics::TextExtent(const FontSpec& spec, std::string_view text) {
  WindowDc screen(nullptr);
  GdiFont font = MakeFont(spec);
  if (!screen || !font) return {};
  MemoryDc dc(CreateCompatibleDC(screen.Get()));
  if (!dc) return {};
  ScopedSelect select(dc.Get(), font.Get());
  std::string acp = Utf8ToAcp(text);
  SIZE size{};
  if (!GetTextExtentPoint32A(dc.Get(), acp.data(), static_cast<int>(acp.size()), &size)) return {};
  return {size.cx, size.cy};
}

std::uint32_t Win32Graphics::GreyTextColour() {
  return static_cast<std::uint32_t>(GetSysColor(COLOR_GRAYTEXT));
}

double Win32Graphics::RenderedSize(const FontSpec& spec) {
  WindowDc screen(nullptr);
  GdiFont font = MakeFont(spec);
  if (!screen || !font) return 0;
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  MemoryDc dc(CreateCompatibleDC(screen.Get()));
  if (!dc || dpi <= 0) return 0;
  ScopedSelect select(dc.Get(), font.Get());
  TEXTMETRICA metrics{};
  if (!GetTextMetricsA(dc.Get(), &metrics)) return 0;
  // The character height (the cell less its internal leading) that the font
  // mapper chose, back in points to two decimals: 21 pixels are 15.75 points.
  const double points = (metrics.tmHeight - metrics.tmInternalLeading) * 72.0 / dpi;
  return std::round(points * 100) / 100;
}

std::unique_ptr<Icon> Win32Graphics::NumberIcon(const FontSpec& spec, std::uint32_t back,
                                                std::uint32_t fore, std::string_view text, int x,
                                                int y) {
  WindowDc screen(nullptr);
  if (!screen) return nullptr;
  GdiFont font = MakeFont(spec);
  // The canvas: the back colour over the whole square, the digits on top with
  // a transparent text background.
  MemoryDc canvas_dc(CreateCompatibleDC(screen.Get()));
  GdiBitmap canvas(CreateCompatibleBitmap(screen.Get(), kIconPixels, kIconPixels));
  // The holder: a pixel-for-pixel copy of the canvas, the icon's colour bitmap.
  MemoryDc holder_dc(CreateCompatibleDC(screen.Get()));
  GdiBitmap holder(CreateCompatibleBitmap(screen.Get(), kIconPixels, kIconPixels));
  if (!canvas_dc || !canvas || !holder_dc || !holder) return nullptr;
  {
    ScopedSelect select_canvas(canvas_dc.Get(), canvas.Get());
    // A system colour (the "ButtonFace" swatch) is drawn as the system has it.
    GdiBrush brush(CreateSolidBrush(forms::ResolveColour(back)));
    RECT all{0, 0, kIconPixels, kIconPixels};
    FillRect(canvas_dc.Get(), &all, brush.Get());
    ScopedSelect select_font(canvas_dc.Get(), font ? font.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(canvas_dc.Get(), forms::ResolveColour(fore));
    SetBkMode(canvas_dc.Get(), TRANSPARENT);
    std::string acp = Utf8ToAcp(text);
    TextOutA(canvas_dc.Get(), x, y, acp.data(), static_cast<int>(acp.size()));
    ScopedSelect select_holder(holder_dc.Get(), holder.Get());
    BitBlt(holder_dc.Get(), 0, 0, kIconPixels, kIconPixels, canvas_dc.Get(), 0, 0, SRCCOPY);
  }
  // The holder must be out of every device context before it becomes an icon.
  BITMAP info{};
  if (GetObjectA(holder.Get(), sizeof info, &info) != sizeof info) return nullptr;
  // An all-zero mask: every pixel opaque, the background included.
  std::vector<BYTE> zeros(static_cast<std::size_t>((info.bmWidth + 15) / 16 * 2) * info.bmHeight,
                          0);
  GdiBitmap mask(CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, zeros.data()));
  if (!mask) return nullptr;
  ICONINFO icon_info{};
  icon_info.fIcon = TRUE;
  icon_info.hbmMask = mask.Get();
  icon_info.hbmColor = holder.Get();
  HICON icon = CreateIconIndirect(&icon_info);  // takes copies of both bitmaps
  if (!icon) return nullptr;
  return std::make_unique<Win32Icon>(icon);
}

}  // namespace kelvane::platform::win32
