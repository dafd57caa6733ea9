// Move-only owners of the Win32 objects the backend creates. Each object has
// exactly one owner; copying is deleted, so nothing is released twice.
#pragma once

#include <windows.h>
// mmsystem.h builds on the types of windows.h.
#include <mmsystem.h>

#include <cstddef>
#include <utility>

namespace kelvane::platform::win32 {

// Owner of one handle whose release is Traits::Close and whose "none" value is
// Traits::Invalid().
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }

  // Gives up ownership without releasing.
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters (RegOpenKeyExA(..., key.Receive())): releases what was
  // held and hands out the slot for the new handle.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};
// An opened registry key (never one of the predefined roots such as HKEY_CURRENT_USER).
using RegKey = UniqueHandle<RegKeyTraits>;

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
// A kernel object whose "none" is NULL: access tokens, processes, events.
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
// An open file; CreateFileA reports failure as INVALID_HANDLE_VALUE, not NULL.
using FileHandle = UniqueHandle<FileHandleTraits>;

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};
// A device context from CreateCompatibleDC.
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// A GDI object released with DeleteObject: bitmap, brush, font, pen.
template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using GdiBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using GdiBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using GdiFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using GdiPen = UniqueHandle<GdiObjectTraits<HPEN>>;

struct MixerTraits {
  using Handle = HMIXER;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { mixerClose(h); }
};
using MixerHandle = UniqueHandle<MixerTraits>;

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyWindow(h); }
};
// A window this process created; destroyed with its owner.
using OwnedWindow = UniqueHandle<WindowTraits>;

// The device context of a window (or of the whole screen for window NULL), from
// GetDC; released with ReleaseDC on the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back when
// it goes out of scope; the object itself stays with its owner.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A zero-filled block from GlobalAlloc(GMEM_ZEROINIT), locked for as long as it
// is owned: the buffer that the mixer records point into.
class GlobalBlock {
 public:
  explicit GlobalBlock(std::size_t bytes)
      : memory_(GlobalAlloc(GMEM_ZEROINIT, bytes)),
        data_(memory_ ? GlobalLock(memory_) : nullptr) {}
  ~GlobalBlock() {
    if (!memory_) return;
    if (data_) GlobalUnlock(memory_);
    GlobalFree(memory_);
  }
  GlobalBlock(GlobalBlock&& other) noexcept
      : memory_(std::exchange(other.memory_, nullptr)),
        data_(std::exchange(other.data_, nullptr)) {}
  GlobalBlock& operator=(GlobalBlock&&) = delete;
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  void* Data() const { return data_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace kelvane::platform::win32
