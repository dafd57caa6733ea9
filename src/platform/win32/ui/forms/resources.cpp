#include "platform/win32/ui/forms/resources.h"

#include <cmath>

#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

// The first fields of GdiplusStartupInput, as version 1 has them.
struct GdiplusStartupInput {
  UINT32 version = 1;
  void* debug_event_callback = nullptr;
  BOOL suppress_background_thread = FALSE;
  BOOL suppress_external_codecs = FALSE;
};

constexpr int kGdiplusOk = 0;
constexpr DWORD kOpaqueBlack = 0xFF000000;

// A function of a loaded library, through void(*)() because GetProcAddress's
// own function type matches none of them.
template <typename F>
F Function(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

// --- PictureLoader -----------------------------------------------------------------

PictureLoader::~PictureLoader() {
  if (token_ && shutdown_) shutdown_(token_);
}

bool PictureLoader::Start() {
  if (tried_) return token_ != 0;
  tried_ = true;
  gdiplus_.Reset(LoadLibraryW(L"gdiplus.dll"));
  if (!gdiplus_) return false;
  const HMODULE module = gdiplus_.Get();
  auto startup = Function<StartupFn>(module, "GdiplusStartup");
  shutdown_ = Function<ShutdownFn>(module, "GdiplusShutdown");
  from_file_ = Function<FromFileFn>(module, "GdipCreateBitmapFromFile");
  to_hbitmap_ = Function<ToHbitmapFn>(module, "GdipCreateHBITMAPFromBitmap");
  dispose_ = Function<DisposeFn>(module, "GdipDisposeImage");
  if (!startup || !shutdown_ || !from_file_ || !to_hbitmap_ || !dispose_) return false;
  const GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (startup(&token, &input, nullptr) != kGdiplusOk) return false;
  token_ = token;
  return true;
}

GdiBitmap PictureLoader::Load(const std::wstring& path) {
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!loaded && Start()) {
    void* image = nullptr;
    if (from_file_(path.c_str(), &image) == kGdiplusOk && image) {
      if (to_hbitmap_(image, &loaded, kOpaqueBlack) != kGdiplusOk) loaded = nullptr;
      dispose_(image);
    }
  }
  return GdiBitmap(loaded);
}

// --- Picture -----------------------------------------------------------------------

void Picture::Decode() {
  if (tried_) return;
  tried_ = true;
  bitmap_ = loader_.Load(path_);
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
  auto picture = std::make_shared<Picture>(Utf8ToWide(path), loader_);
  pictures_[path] = picture;
  // Entries of pictures nobody shows any more go as others come.
  for (auto it = pictures_.begin(); it != pictures_.end();)
    it = it->second.expired() ? pictures_.erase(it) : std::next(it);
  return picture;
}

HCURSOR Resources::Cursor(const form::Pointer& pointer) {
  if (pointer.file.empty()) {
    const LPCWSTR name = StockCursorName(pointer.stock);
    return name ? LoadCursorW(nullptr, name) : nullptr;
  }
  auto it = cursors_.find(pointer.file);
  if (it == cursors_.end()) {
    OwnedCursor loaded(LoadCursorFromFileA(Utf8ToAcp(pointer.file).c_str()));
    // A file that does not load is remembered as none, so that every mouse
    // move does not retry it.
    it = cursors_.emplace(pointer.file, std::move(loaded)).first;
  }
  return it->second.Get();
}

}  // namespace kelvane::platform::win32::forms
