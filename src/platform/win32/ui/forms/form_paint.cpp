// FormWindow: painting a surface (the window's client area, a frame or a
// picture box) with its background, picture, drawing and windowless controls,
// through an off-screen bitmap so that nothing flickers.
#include <algorithm>
#include <variant>
#include <vector>

#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/form_window.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

void Fill(HDC dc, const RECT& r, form::Colour colour) {
  const GdiBrush brush(CreateSolidBrush(ResolveColour(colour)));
  FillRect(dc, &r, brush.Get());
}

// A picture at (x, y), unscaled, cut off at `clip`.
void DrawPicture(HDC dc, Picture& picture, int x, int y, const RECT& clip) {
  const HBITMAP bitmap = picture.Bitmap();
  if (!bitmap) return;
  const MemoryDc source(CreateCompatibleDC(dc));
  if (!source) return;
  const ScopedSelect select(source.Get(), bitmap);
  const SIZE size = picture.Size();
  const int width = std::min<int>(size.cx, clip.right - x);
  const int height = std::min<int>(size.cy, clip.bottom - y);
  if (width > 0 && height > 0) BitBlt(dc, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace

void PaintDrawing(HDC dc, const form::Drawing& drawing, Resources& resources) {
  SetBkMode(dc, TRANSPARENT);
  // A chart's rectangles come in runs of one colour (a day's minute bands are
  // thousands): one brush for each run.
  GdiBrush brush;
  form::Colour brush_colour = 0;
  for (const form::Shape& shape : drawing) {
    if (const auto* rect = std::get_if<form::FilledRect>(&shape)) {
      if (!brush || rect->colour != brush_colour) {
        brush = GdiBrush(CreateSolidBrush(ResolveColour(rect->colour)));
        brush_colour = rect->colour;
      }
      const RECT r = {rect->left, rect->top, rect->right, rect->bottom};
      FillRect(dc, &r, brush.Get());
    } else if (const auto* line = std::get_if<form::Polyline>(&shape)) {
      if (line->points.size() < 2) continue;
      const GdiPen pen(CreatePen(PS_SOLID, std::max(1, line->width), ResolveColour(line->colour)));
      const ScopedSelect select(dc, pen.Get());
      std::vector<POINT> points;
      points.reserve(line->points.size());
      for (const form::PixelPoint& p : line->points) points.push_back({p.x, p.y});
      ::Polyline(dc, points.data(), static_cast<int>(points.size()));
    } else if (const auto* text = std::get_if<form::DrawnText>(&shape)) {
      const ScopedSelect font(dc, resources.Font(text->font));
      SetTextColor(dc, ResolveColour(text->colour));
      UINT align = TA_LEFT;
      if (text->alignment == form::Alignment::kRight) align = TA_RIGHT;
      if (text->alignment == form::Alignment::kCentre) align = TA_CENTER;
      SetTextAlign(dc, align | TA_TOP);
      const std::wstring wide = Utf8ToWide(text->text);
      TextOutW(dc, text->x, text->y, wide.c_str(), static_cast<int>(wide.size()));
      SetTextAlign(dc, TA_LEFT | TA_TOP);
    }
  }
}

void FormWindow::Paint(HWND hwnd, const ControlView* container) {
  const PaintScope paint(hwnd);
  RECT client = {};
  GetClientRect(hwnd, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  const MemoryDc buffer(CreateCompatibleDC(paint.Dc()));
  const GdiBitmap pixels(CreateCompatibleBitmap(paint.Dc(), client.right, client.bottom));
  if (!buffer || !pixels) return;
  {
    const ScopedSelect select(buffer.Get(), pixels.Get());
    const HDC dc = buffer.Get();
    const auto* box =
        container ? static_cast<const form::Container*>(&container->control) : nullptr;
    Fill(dc, client, box ? box->BackColour() : model_.BackColour());
    Picture* picture = container ? container->picture.get() : picture_.get();
    if (picture) DrawPicture(dc, *picture, 0, 0, client);
    if (const auto* drawn = dynamic_cast<const form::PictureBox*>(box))
      PaintDrawing(dc, drawn->Drawing(), resources_);
    for (const form::Control* child : box ? box->Children() : model_.Children())
      if (child->IsWindowless() && child->Visible()) DrawWindowless(dc, *child);

    if (box && box->Border()) {
      RECT edge = client;
      if (const auto* frame = dynamic_cast<const form::Frame*>(box);
          frame && !frame->Caption().empty()) {
        const ScopedSelect font(dc, resources_.Font(frame->TextFont()));
        const std::wstring caption = Utf8ToWide(frame->Caption());
        SIZE extent = {};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        edge.top += extent.cy / 2;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        RECT text = {8, 0, 8 + extent.cx + 4, extent.cy};
        Fill(dc, text, frame->BackColour());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ResolveColour(frame->ForeColour()));
        text.left += 2;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
      } else {
        DrawEdge(dc, &edge, box->Kind() == form::ControlKind::kFrame ? EDGE_ETCHED : EDGE_SUNKEN,
                 BF_RECT);
      }
    }
    const RECT& area = paint.Area();
    BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
           area.left, area.top, SRCCOPY);
  }
}

void FormWindow::DrawWindowless(HDC dc, const form::Control& control) {
  RECT r = PixelsOf(control);
  if (control.Kind() == form::ControlKind::kPictureButton) {
    const ControlView* view = View(control);
    if (view && view->picture) {
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
      DrawPicture(dc, *view->picture, r.left, r.top, r);
      RestoreDC(dc, saved);
    }
    return;
  }
  const auto& label = static_cast<const form::Label&>(control);
  if (!label.Transparent()) Fill(dc, r, label.BackColour());
  const ScopedSelect font(dc, resources_.Font(label.TextFont()));
  SetBkMode(dc, TRANSPARENT);
  const bool grey = !label.Enabled() || label.Greyed();
  SetTextColor(dc, grey ? GetSysColor(COLOR_GRAYTEXT) : ResolveColour(label.ForeColour()));
  const std::wstring caption = Utf8ToWide(label.Caption());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
            LabelTextFlags(label.Alignment()));
}

}  // namespace kelvane::platform::win32::forms
