// Helpers of the renderer's wine tests: a window handler that writes down every
// event, real input at screen pixels, a user acting from a thread of its own
// while the test's thread sits in a modal loop, and this process's GDI count.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/form/form.h"
#include "platform/win32/ui/win32_platform.h"
#include "wine_test_support.h"

namespace kelvane::forms_test {

// Every event as one line: "down Label1(3) b1 s0 15,30", "click Check1",
// "change VScroll1", "key-press Text1 65", "menu-click MnuOne", "resize".
// Hooks let a test act inside a handler.
class Recorder : public form::WindowHandler {
 public:
  std::vector<std::string> events;
  std::function<void(const form::MouseEvent&)> on_mouse_down;
  std::function<void(const form::MouseEvent&)> on_mouse_up;
  std::function<void(form::Control*)> on_click;
  std::function<void(form::Control*, int&)> on_key_down;
  std::function<void(form::Control*, int&)> on_key_press;
  std::function<void(form::UnloadMode, bool&)> on_query_unload;

  // The events whose line starts with `prefix`.
  std::vector<std::string> With(const std::string& prefix) const;
  void Clear() { events.clear(); }

  void OnLoad() override { events.push_back("load"); }
  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;
  void OnUnload() override { events.push_back("unload"); }
  void OnResize() override { events.push_back("resize"); }
  void OnActivate() override { events.push_back("activate"); }
  void OnGotFocus(form::Control& c) override { events.push_back("focus " + c.Id()); }
  void OnClick(form::Control* c) override;
  void OnDoubleClick(form::Control* c) override { events.push_back("dblclick " + Name(c)); }
  void OnMouseDown(const form::MouseEvent& e) override;
  void OnMouseMove(const form::MouseEvent& e) override { events.push_back(Line("move", e)); }
  void OnMouseUp(const form::MouseEvent& e) override;
  void OnKeyDown(form::Control* c, int& code, int) override;
  void OnKeyPress(form::Control* c, int& code) override;
  void OnChange(form::Control& c) override { events.push_back("change " + c.Id()); }
  void OnMenuOpen(form::MenuItem& item) override { events.push_back("menu-open " + item.Name()); }
  void OnMenuClick(form::MenuItem& item) override { events.push_back("menu-click " + item.Name()); }

  static std::string Name(const form::Control* c) { return c ? c->Id() : "window"; }
  static std::string Line(const char* kind, const form::MouseEvent& e);
};

// The path of a file beside the test program.
std::string BesideTest(const char* name);

// --- real input ------------------------------------------------------------------

// Moves the pointer to a screen pixel through the system's input queue.
void MovePointer(POINT screen);
void PressButton(int button = form::button::kLeft);
void ReleaseButton(int button = form::button::kLeft);
void ClickAt(POINT screen, int button = form::button::kLeft);
void TypeKey(WORD virtual_key);

// Starts a program of the host (Wine runs a Linux executable that CreateProcess
// is given), e.g. xdotool for input the X server itself sees. Its process
// cannot be waited for: false only when it did not start.
bool StartHostProgram(const std::string& command_line);

// The screen pixel of a point (twips) relative to a control (nullptr: the
// client area) of a loaded window, as the real window shows it.
POINT ScreenPoint(const form::Window& window, const form::Control* control, int x, int y);

// Runs `work` on a thread of its own, which may only call Win32 (never the
// model); Join waits for it while pumping this thread's messages.
class UserThread {
 public:
  explicit UserThread(std::function<void()> work);
  ~UserThread();
  UserThread(const UserThread&) = delete;
  UserThread& operator=(const UserThread&) = delete;
  bool Join(double seconds);

 private:
  static DWORD WINAPI Run(void* self);
  std::function<void()> work_;
  platform::win32::KernelHandle thread_;
};

// The visible popup menu window (class "#32768") that holds `items` items,
// waiting up to `seconds` for it; nullptr when none shows.
HWND WaitForPopup(int items, double seconds);
// The centre of item `index` of a shown popup menu, in screen pixels. Found
// with MenuItemFromPoint: Wine's GetMenuItemRect measures from the owner's
// client area instead of the popup's.
std::optional<POINT> PopupItemCentre(HWND popup, int index);

// Live GDI objects of this process, stock objects left out, counted from the
// GDI handle table that the PEB points to (GetGuiResources is a stub in Wine).
int GdiObjectCount();

// The colour of a screen pixel (CLR_INVALID when it cannot be read).
COLORREF ScreenPixel(POINT p);

}  // namespace kelvane::forms_test
