#include "platform/win32/ui/forms/win32_forms.h"

#include <windows.h>
// <windows.h> first: the common controls build on its types.
#include <commctrl.h>

namespace kelvane::platform::win32 {
namespace {

constexpr wchar_t kOwnerClass[] = L"KelvaneFormOwner";

HWND CreateHiddenOwner() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW owner_class = {};
  if (!GetClassInfoW(instance, kOwnerClass, &owner_class)) {
    owner_class.lpfnWndProc = DefWindowProcW;
    owner_class.hInstance = instance;
    owner_class.lpszClassName = kOwnerClass;
    RegisterClassW(&owner_class);
  }
  // Untitled, so that no search for the program's windows by title meets it.
  return CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace

Win32Forms::~Win32Forms() {
  for (auto& [model, window] : windows_) window->Detach();
  windows_.clear();
}

void Win32Forms::Create(form::Window& window) {
  if (windows_.count(&window)) return;
  if (!started_) {
    // Nothing of this happens in a program that never shows a window.
    started_ = true;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    forms::RegisterWindowClasses();
    hidden_owner_.Reset(CreateHiddenOwner());
  }
  windows_[&window] =
      std::make_unique<forms::FormWindow>(window, resources_, hidden_owner_.Get(),
                                          desktop_.TwipsPerPixelX(), desktop_.TwipsPerPixelY());
}

void Win32Forms::Destroy(form::Window& window) {
  auto it = windows_.find(&window);
  if (it == windows_.end()) return;
  // Out of the map first: destroying the real window sends messages.
  std::unique_ptr<forms::FormWindow> gone = std::move(it->second);
  windows_.erase(it);
  gone.reset();
}

forms::FormWindow* Win32Forms::Find(const form::Window& window) const {
  auto it = windows_.find(&window);
  return it == windows_.end() ? nullptr : it->second.get();
}

form::MenuItem* Win32Forms::ShowPopupMenu(form::Window& window, form::MenuItem& menu) {
  forms::FormWindow* real = Find(window);
  return real ? real->TrackPopup(menu) : nullptr;
}

void Win32Forms::StartSystemMove(form::Window& window) {
  if (forms::FormWindow* real = Find(window)) real->SystemMove();
}

HWND Win32Forms::ControlWindow(const form::Control& control) const {
  forms::FormWindow* real = Find(control.Owner());
  return real ? real->ControlWindow(control) : nullptr;
}

}  // namespace kelvane::platform::win32
