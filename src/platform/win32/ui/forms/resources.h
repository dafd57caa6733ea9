// What the renderer's windows share: fonts, pictures and pointer images, each
// made once and owned here, and the owners of the USER objects that handles.h
// does not cover (menus, cursors from files, a loaded library).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/form/types.h"
#include "platform/win32/handles.h"

namespace kelvane::platform::win32::forms {

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
// A popup menu; destroying it destroys the submenus attached to it too.
using OwnedMenu = UniqueHandle<MenuTraits>;

struct CursorTraits {
  using Handle = HCURSOR;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyCursor(h); }
};
// A cursor loaded from a file (stock cursors belong to the system).
using OwnedCursor = UniqueHandle<CursorTraits>;

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
};
using LoadedModule = UniqueHandle<ModuleTraits>;

// A picture file as a device-dependent bitmap, drawn unscaled.
struct Picture {
  GdiBitmap bitmap;
  SIZE size = {};
};

// JPEG and BMP files through GDI+'s flat API. gdiplus.dll is loaded when the
// first picture is, so a program that shows none never starts GDI+; on a system
// without it (Windows 2000 as shipped) bitmaps still load through LoadImage.
class PictureLoader {
 public:
  PictureLoader() = default;
  ~PictureLoader();
  PictureLoader(const PictureLoader&) = delete;
  PictureLoader& operator=(const PictureLoader&) = delete;

  // nullptr when the file is missing or not a picture.
  std::unique_ptr<Picture> Load(const std::wstring& path);

 private:
  bool Start();

  using StartupFn = int(WINAPI*)(ULONG_PTR*, const void*, void*);
  using ShutdownFn = void(WINAPI*)(ULONG_PTR);
  using FromFileFn = int(WINAPI*)(const WCHAR*, void**);
  using ToHbitmapFn = int(WINAPI*)(void*, HBITMAP*, DWORD);
  using DisposeFn = int(WINAPI*)(void*);

  bool tried_ = false;
  LoadedModule gdiplus_;
  ULONG_PTR token_ = 0;
  ShutdownFn shutdown_ = nullptr;
  FromFileFn from_file_ = nullptr;
  ToHbitmapFn to_hbitmap_ = nullptr;
  DisposeFn dispose_ = nullptr;
};

// Fonts, pictures and pointer images for every window of the renderer. Fonts
// and file cursors stay until the renderer goes (a program uses a handful);
// a picture lives while some window or control shows it.
class Resources {
 public:
  Resources() = default;
  Resources(const Resources&) = delete;
  Resources& operator=(const Resources&) = delete;

  // The font for a model font; never null (the system's font when it cannot be made).
  HFONT Font(const form::Font& font);
  // The picture of a file, shared with everyone showing the same file;
  // nullptr for "" and for files that do not load.
  std::shared_ptr<Picture> LoadPicture(const std::string& path);
  // The pointer image; nullptr for the default pointer or a file that does not load.
  HCURSOR Cursor(const form::Pointer& pointer);

 private:
  using FontKey = std::tuple<std::string, long, bool, bool>;
  std::map<FontKey, GdiFont> fonts_;
  std::map<std::string, OwnedCursor> cursors_;
  std::map<std::string, std::weak_ptr<Picture>> pictures_;
  PictureLoader loader_;
};

}  // namespace kelvane::platform::win32::forms
