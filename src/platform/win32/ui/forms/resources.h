// What the renderer's windows share: fonts, pictures and pointer images, each
// made once and owned here, and the owners of the USER objects that handles.h
// does not cover (menus, cursors from files).
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

// A picture file as a bitmap; nullptr when the file is missing or is no picture
// this program reads. A BMP file loads through LoadImage; a JPEG file is
// decoded by the program itself (platform/jpeg.h), so no imaging library,
// codec or COM is ever loaded for the wallpapers.
GdiBitmap LoadPictureFile(const std::wstring& path);

// A picture file, drawn unscaled, decoded the first time it is drawn: a window
// that is never shown (a hidden window, or one minimised to the tray at start)
// costs neither the decoding nor the bitmap's memory.
class Picture {
 public:
  explicit Picture(std::wstring path) : path_(std::move(path)) {}
  // nullptr when the file is missing or not a picture.
  HBITMAP Bitmap();
  SIZE Size();
  // Decoding was tried and failed.
  bool Failed() const { return tried_ && !bitmap_; }
  // Lets the bitmap go; the next draw decodes the file again. For a window
  // that hides, which may stay hidden for weeks.
  void Release();

 private:
  void Decode();
  std::wstring path_;
  bool tried_ = false;
  GdiBitmap bitmap_;
  SIZE size_ = {};
};

// Fonts, pictures, brushes and pointer images for every window of the
// renderer. Fonts and file cursors stay until the renderer goes (a program
// uses a handful); a picture or a brush lives while some window or control
// shows it.
class Resources {
 public:
  Resources() = default;
  Resources(const Resources&) = delete;
  Resources& operator=(const Resources&) = delete;

  // The font for a model font; never null (the system's font when it cannot be made).
  HFONT Font(const form::Font& font);
  // The picture of a file, shared with everyone showing the same file;
  // nullptr for "". A file that does not load draws nothing.
  std::shared_ptr<Picture> LoadPicture(const std::string& path);
  // The pointer image; nullptr for the default pointer or a file that does not load.
  HCURSOR Cursor(const form::Pointer& pointer);
  // A solid brush of `colour`, shared by everyone painting that colour; it goes
  // with its last user. A window of a hundred controls in two or three
  // colours holds two or three brushes.
  std::shared_ptr<const GdiBrush> Brush(COLORREF colour);

 private:
  using FontKey = std::tuple<std::string, long, bool, bool>;
  std::map<FontKey, GdiFont> fonts_;
  std::map<std::string, OwnedCursor> cursors_;
  std::map<std::string, std::weak_ptr<Picture>> pictures_;
  std::map<COLORREF, std::weak_ptr<const GdiBrush>> brushes_;
};

}  // namespace kelvane::platform::win32::forms
