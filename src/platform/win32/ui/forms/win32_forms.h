// The Forms service on Win32: every model window as a real window (see
// form_window.h), popup menus at the pointer and the system's move loop.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/form/form.h"
#include "platform/platform.h"
#include "platform/win32/handles.h"
#include "platform/win32/ui/forms/form_window.h"
#include "platform/win32/ui/forms/resources.h"

namespace kelvane::platform::win32 {

// Lives as long as the program's windows: model windows still loaded when it
// goes are detached from it and left without a real window.
class Win32Forms final : public Forms {
 public:
  // Twips per pixel come from `desktop` when a window is created.
  explicit Win32Forms(Desktop& desktop) : desktop_(desktop) {}
  ~Win32Forms() override;
  Win32Forms(const Win32Forms&) = delete;
  Win32Forms& operator=(const Win32Forms&) = delete;

  void Create(form::Window& window) override;
  void Destroy(form::Window& window) override;
  form::MenuItem* ShowPopupMenu(form::Window& window, form::MenuItem& menu) override;
  void StartSystemMove(form::Window& window) override;

  // The child window that shows a control; nullptr for windowless controls and
  // windows that are not loaded.
  HWND ControlWindow(const form::Control& control) const;

 private:
  forms::FormWindow* Find(const form::Window& window) const;

  Desktop& desktop_;
  bool started_ = false;
  forms::Resources resources_;
  // The owner that keeps captioned windows without a taskbar button out of the taskbar.
  OwnedWindow hidden_owner_;
  std::map<const form::Window*, std::unique_ptr<forms::FormWindow>> windows_;
};

}  // namespace kelvane::platform::win32
