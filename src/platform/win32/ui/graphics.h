// Fonts, text measurement and the number icon, on GDI.
#pragma once

#include <windows.h>

#include "platform/graphics.h"

namespace kelvane::platform::win32 {

// An icon this program made; DestroyIcon when dropped.
class Win32Icon : public Icon {
 public:
  explicit Win32Icon(HICON icon) : icon_(icon) {}
  ~Win32Icon() override {
    if (icon_) DestroyIcon(icon_);
  }
  Win32Icon(const Win32Icon&) = delete;
  Win32Icon& operator=(const Win32Icon&) = delete;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(icon_); }

 private:
  HICON icon_;
};

class Win32Graphics : public Graphics {
 public:
  std::vector<std::string> FontNames() override;
  Size TextExtent(const FontSpec& font, std::string_view text) override;
  double RenderedSize(const FontSpec& font) override;
  std::uint32_t GreyTextColour() override;
  std::unique_ptr<Icon> NumberIcon(const FontSpec& font, std::uint32_t back, std::uint32_t fore,
                                   std::string_view text, int x, int y) override;
};

}  // namespace kelvane::platform::win32
