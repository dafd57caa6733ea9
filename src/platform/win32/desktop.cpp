#include "platform/win32/desktop.h"

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

BOOL CALLBACK VisitChild(HWND child, LPARAM context) {
  const auto& visit = *reinterpret_cast<const std::function<bool(WindowId)>*>(context);
  return visit(ToWindowId(child)) ? TRUE : FALSE;
}

int TwipsPerPixel(int caps_index) {
  const WindowDc screen(nullptr);
  const int dots_per_inch = screen ? GetDeviceCaps(screen.Get(), caps_index) : 0;
  return dots_per_inch > 0 ? 1440 / dots_per_inch : 15;
}

Rect FromRect(const RECT& r) {
  return Rect{r.left, r.top, r.right, r.bottom};
}

// The pixels of a 24-bit DIB, bottom row first, each row padded to 4 bytes.
bool WriteBmpFile(std::string_view path, int width, int height, const std::vector<BYTE>& pixels) {
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;

  const bool wide = WidePathCalls();
  const std::wstring wide_name = wide ? Utf8ToWide(path) : std::wstring();
  const std::string name = wide ? std::string() : Utf8ToAcp(path);
  bool complete = false;
  {
    const FileHandle out(wide ? CreateFileW(wide_name.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                              : CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    DWORD written = 0;
    complete =
        WriteFile(out.Get(), &file, sizeof file, &written, nullptr) && written == sizeof file &&
        WriteFile(out.Get(), &info, sizeof info, &written, nullptr) && written == sizeof info &&
        WriteFile(out.Get(), pixels.data(), info.biSizeImage, &written, nullptr) &&
        written == info.biSizeImage;
  }
  // A disk that filled up midway leaves a truncated picture; no file is better.
  if (!complete) {
    if (wide) {
      DeleteFileW(wide_name.c_str());
    } else {
      DeleteFileA(name.c_str());
    }
  }
  return complete;
}

}  // namespace

WindowId Win32Desktop::FindTopWindow(std::string_view class_name, std::string_view title) {
  const std::string class_acp = Utf8ToAcp(class_name);
  const std::string title_acp = Utf8ToAcp(title);
  return ToWindowId(FindWindowA(class_name.empty() ? nullptr : class_acp.c_str(),
                                title.empty() ? nullptr : title_acp.c_str()));
}

void Win32Desktop::EnumDescendants(WindowId parent, const std::function<bool(WindowId)>& visit) {
  // EnumChildWindows with no parent would walk the top-level windows instead.
  if (parent == kNoWindow || !::IsWindow(ToHwnd(parent))) return;
  EnumChildWindows(ToHwnd(parent), &VisitChild, reinterpret_cast<LPARAM>(&visit));
}

std::string Win32Desktop::WindowText(WindowId window, int buffer_chars) {
  if (buffer_chars <= 0 || window == kNoWindow) return {};
  std::vector<char> buffer(static_cast<std::size_t>(buffer_chars), '\0');
  const int length = GetWindowTextA(ToHwnd(window), buffer.data(), buffer_chars);
  if (length <= 0) return {};
  return AcpToUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

std::optional<Rect> Win32Desktop::WindowRect(WindowId window) {
  RECT r;
  if (window == kNoWindow || !GetWindowRect(ToHwnd(window), &r)) return std::nullopt;
  return FromRect(r);
}

bool Win32Desktop::IsWindow(WindowId window) {
  return window != kNoWindow && ::IsWindow(ToHwnd(window));
}

bool Win32Desktop::ShowWindow(WindowId window, int command) {
  return ::ShowWindow(ToHwnd(window), command) != FALSE;
}

bool Win32Desktop::SetForeground(WindowId window) {
  return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

WindowId Win32Desktop::Foreground() {
  return ToWindowId(GetForegroundWindow());
}

bool Win32Desktop::SetTopmost(WindowId window, bool topmost) {
  return SetWindowPos(ToHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOSIZE | SWP_NOMOVE) != FALSE;
}

void Win32Desktop::SendClose(WindowId window) {
  if (window != kNoWindow) SendMessageA(ToHwnd(window), WM_CLOSE, 0, 0);
}

bool Win32Desktop::IsHung(WindowId window) {
  // Looked up rather than imported: Windows 9x and NT 4 lack it, and there the
  // ping of Answers alone tells.
  using IsHungFn = BOOL(WINAPI*)(HWND);
  static const auto is_hung = reinterpret_cast<IsHungFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "IsHungAppWindow")));
  return window != kNoWindow && is_hung != nullptr && is_hung(ToHwnd(window)) != FALSE;
}

bool Win32Desktop::Answers(WindowId window, int timeout_ms) {
  if (window == kNoWindow) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(ToHwnd(window), WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             static_cast<UINT>(timeout_ms), &result) != 0;
}

Point Win32Desktop::CursorPos() {
  POINT p = {};
  GetCursorPos(&p);
  return Point{p.x, p.y};
}

void Win32Desktop::SetCursorPos(Point p) {
  ::SetCursorPos(p.x, p.y);
}

void Win32Desktop::LeftButtonDown() {
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
}
void Win32Desktop::LeftButtonUp() {
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// Wine answers FALSE (not implemented); on Windows it needs the foreground
// desktop. Either way the click sequence goes on, so the answer is not kept.
void Win32Desktop::BlockInput(bool block) {
  ::BlockInput(block ? TRUE : FALSE);
}

Rect Win32Desktop::WorkArea() {
  RECT r = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return ScreenRect();
  return FromRect(r);
}

Rect Win32Desktop::ScreenRect() {
  return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect Win32Desktop::VirtualScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  // Windows 95 and NT 4 know no virtual screen and answer 0.
  if (width <= 0 || height <= 0) return ScreenRect();
  return Rect{left, top, left + width, top + height};
}

int Win32Desktop::TwipsPerPixelX() {
  return TwipsPerPixel(LOGPIXELSX);
}
int Win32Desktop::TwipsPerPixelY() {
  return TwipsPerPixel(LOGPIXELSY);
}

WindowId Win32Desktop::WindowFromPoint(Point p) {
  return ToWindowId(::WindowFromPoint(POINT{p.x, p.y}));
}

std::optional<std::uint32_t> Win32Desktop::PixelAt(Point p) {
  const POINT screen_point{p.x, p.y};
  if (const HWND window = ::WindowFromPoint(screen_point)) {
    POINT client = screen_point;
    const WindowDc dc(window);
    if (dc && ScreenToClient(window, &client)) {
      const COLORREF colour = GetPixel(dc.Get(), client.x, client.y);
      if (colour != CLR_INVALID) return colour;
    }
  }
  // Outside a client area (a caption that the window manager draws, under
  // Wine) the window's DC has no pixel there; the screen itself still has one.
  const WindowDc screen(nullptr);
  if (!screen) return std::nullopt;
  const MemoryDc memory(CreateCompatibleDC(screen.Get()));
  const GdiBitmap pixel(CreateCompatibleBitmap(screen.Get(), 1, 1));
  if (!memory || !pixel) return std::nullopt;
  COLORREF colour = CLR_INVALID;
  {
    const ScopedSelect select(memory.Get(), pixel.Get());
    if (BitBlt(memory.Get(), 0, 0, 1, 1, screen.Get(), p.x, p.y, SRCCOPY)) {
      colour = GetPixel(memory.Get(), 0, 0);
    }
  }
  if (colour == CLR_INVALID) return std::nullopt;
  return colour;
}

bool Win32Desktop::CaptureToBmp(const Rect& r, std::string_view path) {
  const int width = r.Width();
  const int height = r.Height();
  if (width <= 0 || height <= 0) return false;

  const WindowDc screen(nullptr);
  if (!screen) return false;
  const MemoryDc memory(CreateCompatibleDC(screen.Get()));
  const GdiBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!memory || !bitmap) return false;
  {
    const ScopedSelect select(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY)) {
      return false;
    }
  }

  // GetDIBits wants the bitmap out of every DC, hence the scope above.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom row first, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<BYTE> pixels(stride * static_cast<std::size_t>(height));
  if (GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(height), pixels.data(), &info,
                DIB_RGB_COLORS) != height) {
    return false;
  }
  return WriteBmpFile(path, width, height, pixels);
}

}  // namespace kelvane::platform::win32
