// The Forms service: the link between the form model (src/platform/form) and
// whatever shows its windows for real (the Win32 renderer, or the simulated
// desktop in tests). Reached by the core as `platform.forms`. It names the
// model's windows and menus only by reference, so this seam does not depend on
// the model; the model depends on the seam.
#pragma once

namespace kelvane::form {
class Window;
class MenuItem;
}  // namespace kelvane::form

namespace kelvane::platform {

class Forms {
 public:
  virtual ~Forms() = default;
  // Makes the real window of `window` as its model stands, hidden, with every
  // control; sets its handle and observer (Window::SetHandle, SetObserver) and
  // its measured frame (SetFrameInsets). Called by Window::Load.
  virtual void Create(form::Window& window) = 0;
  // Destroys the real window and detaches from the model. Called when the
  // window unloads and when a loaded Window is destroyed.
  virtual void Destroy(form::Window& window) = 0;
  // Shows `menu`'s items as a popup menu at the pointer and returns when the
  // user has chosen an item (returned; any item of `menu`'s tree) or dismissed
  // the menu (nullptr). Modal: messages, timers included, run meanwhile. A
  // submenu about to open is reported with Window::UserMenuOpen; the chosen
  // item's click is raised by the model, not here.
  virtual form::MenuItem* ShowPopupMenu(form::Window& window, form::MenuItem& menu) = 0;
  // Lets the system move the window with the pointer while the left button is
  // held, as a press on a title bar does; returns when the button is released.
  virtual void StartSystemMove(form::Window& window) = 0;
};

// The Forms of a program that renders none of the model's windows (the settings
// remover has none): windows load, show and unload as models only, with no
// real window and no handle, and every popup menu is dismissed.
inline Forms& NoForms() {
  class None final : public Forms {
   public:
    void Create(form::Window&) override {}
    void Destroy(form::Window&) override {}
    form::MenuItem* ShowPopupMenu(form::Window&, form::MenuItem&) override { return nullptr; }
    void StartSystemMove(form::Window&) override {}
  };
  static None none;
  return none;
}

}  // namespace kelvane::platform
