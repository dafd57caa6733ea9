// Owners for the Win32 objects the stand-in creates: each GDI or USER object
// has exactly one, which releases it once. Move-only.
#pragma once

#include <windows.h>

#include <utility>

namespace kelvane::standin {

template <typename Handle, void (*Release)(Handle)>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // The old handle is forgotten before it is released, so that code running
  // inside the release (WM_DESTROY of a window) never sees it half-gone.
  void reset(Handle handle = nullptr) {
    Handle old = std::exchange(handle_, handle);
    if (old != nullptr) Release(old);
  }
  // Gives up ownership without releasing (the system released it already).
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

template <typename Gdi>
void ReleaseGdiObject(Gdi object) {
  DeleteObject(object);
}
inline void ReleaseWindow(HWND window) {
  DestroyWindow(window);
}
inline void ReleaseRegistryKey(HKEY key) {
  RegCloseKey(key);
}

using OwnedFont = Owned<HFONT, ReleaseGdiObject<HFONT>>;
using OwnedBrush = Owned<HBRUSH, ReleaseGdiObject<HBRUSH>>;
using OwnedPen = Owned<HPEN, ReleaseGdiObject<HPEN>>;
// A top-level window. Child windows are owned by their parent, which destroys
// them with itself.
using OwnedWindow = Owned<HWND, ReleaseWindow>;
using OwnedKey = Owned<HKEY, ReleaseRegistryKey>;

// Selects an object into a DC for one scope and puts the old one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, old_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint / EndPaint as one scope.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~ScopedPaint() { EndPaint(window_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

}  // namespace kelvane::standin
