#include "platform/win32/ui/forms/resources.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/jpeg.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

// The whole file; empty when it cannot be read (or is too large to be a picture
// of this program: 64 MB).
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
  constexpr LONGLONG kLargest = 64LL << 20;
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kLargest)
    return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size())
    return {};
  return bytes;
}

// A 24-bit device-independent bitmap of the decoded picture.
GdiBitmap BitmapOf(const DecodedPicture& picture) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // rows from the top down, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits) std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
  return bitmap;
}

}  // namespace

GdiBitmap LoadPictureFile(const std::wstring& path) {
  if (HANDLE bmp = LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))
    return GdiBitmap(static_cast<HBITMAP>(bmp));
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  const std::optional<DecodedPicture> picture = DecodeJpeg(bytes);
  return picture ? BitmapOf(*picture) : GdiBitmap();
}

// --- Picture -----------------------------------------------------------------------

void Picture::Decode() {
  if (tried_) return;
  tried_ = true;
  bitmap_ = LoadPictureFile(path_);
  if (bitmap_) size_ = BitmapSize(bitmap_.Get());
}

HBITMAP Picture::Bitmap() {
  Decode();
  return bitmap_.Get();
}

SIZE Picture::Size() {
  Decode();
  return size_;
}

void Picture::Release() {
  bitmap_ = GdiBitmap();
  size_ = {};
  tried_ = false;
}

// --- Resources ---------------------------------------------------------------------

HFONT Resources::Font(const form::Font& font) {
  const FontKey key{font.name, std::lround(font.size * 100), font.bold, font.italic};
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    const std::wstring face = Utf8ToWide(font.name).substr(0, LF_FACESIZE - 1);
    GdiFont made(CreateFontW(FontHeight(font.size, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                             font.italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             face.c_str()));
    if (!made) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    it = fonts_.emplace(key, std::move(made)).first;
  }
  return it->second.Get();
}

std::shared_ptr<Picture> Resources::LoadPicture(const std::string& path) {
  if (path.empty()) return nullptr;
  // A picture that failed is not shared: the file may have appeared since.
  if (auto it = pictures_.find(path); it != pictures_.end()) {
    std::shared_ptr<Picture> shared = it->second.lock();
    if (shared && !shared->Failed()) return shared;
  }
  auto picture = std::make_shared<Picture>(Utf8ToWide(path));
  pictures_[path] = picture;
  // Entries of pictures nobody shows any more go as others come.
  for (auto it = pictures_.begin(); it != pictures_.end();)
    it = it->second.expired() ? pictures_.erase(it) : std::next(it);
  return picture;
}

std::shared_ptr<const GdiBrush> Resources::Brush(COLORREF colour) {
  if (auto it = brushes_.find(colour); it != brushes_.end())
    if (std::shared_ptr<const GdiBrush> shared = it->second.lock()) return shared;
  auto brush = std::make_shared<const GdiBrush>(CreateSolidBrush(colour));
  brushes_[colour] = brush;
  // Entries of colours nobody paints any more go as others come.
  for (auto it = brushes_.begin(); it != brushes_.end();)
    it = it->second.expired() ? brushes_.erase(it) : std::next(it);
  return brush;
}

HCURSOR Resources::Cursor(const form::Pointer& pointer) {
  if (pointer.file.empty()) {
    const LPCWSTR name = StockCursorName(pointer.stock);
    return name ? LoadCursorW(nullptr, name) : nullptr;
  }
  auto it = cursors_.find(pointer.file);
  if (it == cursors_.end()) {
    OwnedCursor loaded(LoadCursorFromFileW(Utf8ToWide(pointer.file).c_str()));
    // A file that does not load is remembered as none, so that every mouse
    // move does not retry it.
    it = cursors_.emplace(pointer.file, std::move(loaded)).first;
  }
  return it->second.Get();
}

}  // namespace kelvane::platform::win32::forms
