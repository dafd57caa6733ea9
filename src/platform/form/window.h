// A window of the program: its properties, controls, menus and timers, the
// handler that receives its events, and the dispatch functions through which a
// renderer (or the simulated desktop) delivers what the user does. See form.h
// for the overview.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form/controls.h"
#include "platform/form/menu.h"
#include "platform/form/types.h"
#include "platform/platform.h"

namespace kelvane::form {

class Window;

struct MouseEvent {
  Control* control = nullptr;  // nullptr: the window's own client area
  int button = 0;              // down and up: the button; move: every button held
  int shift = 0;
  int x = 0;  // twips from the top-left corner of the control (or client area)
  int y = 0;
};

class WindowTimer;

// The events of one window. Every method does nothing unless overridden. A
// `Control*` of nullptr means the window itself. Handlers may do anything,
// re-entering the loop or unloading the window included. They should leave the
// Window object alive (let its owner release it afterwards); one destroyed
// during an event ends the dispatch at once, and whoever delivered the event
// must not touch it again.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  // The window is being loaded; its real window exists, still hidden.
  virtual void OnLoad() {}
  // Before an unload; setting `cancel` keeps the window loaded.
  virtual void OnQueryUnload(UnloadMode, bool& /*cancel*/) {}
  virtual void OnUnload() {}
  // First show after a load, a size change, a window state change.
  virtual void OnResize() {}
  // The window became the active window.
  virtual void OnActivate() {}
  virtual void OnGotFocus(Control&) {}
  virtual void OnClick(Control*) {}
  virtual void OnDoubleClick(Control*) {}
  virtual void OnMouseDown(const MouseEvent&) {}
  virtual void OnMouseMove(const MouseEvent&) {}
  virtual void OnMouseUp(const MouseEvent&) {}
  // Keys go to the focused control (nullptr: none). Setting the code to 0
  // discards the key, so the control never sees it; another code replaces it.
  virtual void OnKeyDown(Control*, int& /*key_code*/, int /*shift*/) {}
  virtual void OnKeyPress(Control*, int& /*char_code*/) {}
  virtual void OnKeyUp(Control*, int& /*key_code*/, int /*shift*/) {}
  // A text box's text, a list's typed text, a scroll bar's value changed.
  virtual void OnChange(Control&) {}
  // A menu is about to open: the popup's own top item, or a submenu.
  virtual void OnMenuOpen(MenuItem&) {}
  virtual void OnMenuClick(MenuItem&) {}
  virtual void OnTimer(WindowTimer&) {}
};

// What a renderer listens to: every change of the model, with what changed.
// Calls come only while the window is loaded.
class WindowObserver {
 public:
  virtual ~WindowObserver() = default;
  virtual void WindowChanged(Window& window, Change what) = 0;
  virtual void ControlChanged(Control& control, Change what) = 0;
  virtual void MenuChanged(MenuItem& item, Change what) = 0;
};

// A periodic timer owned by a window; its ticks reach the handler's OnTimer
// while the window is loaded. Unloading the window stops it (interval 0).
class WindowTimer {
 public:
  const std::string& Name() const { return name_; }
  // As platform::Timer: 0 stops it; a new interval restarts the period.
  void SetInterval(int milliseconds) { timer_->SetInterval(milliseconds); }
  int Interval() const { return timer_->Interval(); }
  void SetEnabled(bool enabled) { timer_->SetEnabled(enabled); }
  bool Enabled() const { return timer_->Enabled(); }

 private:
  friend class Window;
  explicit WindowTimer(std::string name) : name_(std::move(name)) {}
  std::string name_;
  std::unique_ptr<platform::Timer> timer_;
};

class Window;

// The one answer to "is it still here?" after anything that may run other
// code (a yield, a modal loop, an event): a yield can end the program or
// release a window, and with it the object that owns the window. Taken from a
// window before such a call, it may be asked afterwards whatever happened.
class Lifetime {
 public:
  // The window (and so its owner) still exists and is loaded.
  explicit operator bool() const;
  // The window still exists, loaded or not.
  bool Exists() const { return *alive_; }

 private:
  friend class Window;
  Lifetime(std::shared_ptr<const bool> alive, const Window& window)
      : alive_(std::move(alive)), window_(&window) {}
  std::shared_ptr<const bool> alive_;
  const Window* window_;
};

class Window {
 public:
  // `name` is the window class's name ("Form3"), used in records and messages.
  Window(platform::Platform& services, WindowHandler& handler, std::string name);
  // Destroys the real window, without events.
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& Name() const { return name_; }
  platform::Platform& Services() const { return services_; }
  // This window's lifetime token.
  Lifetime Life() const { return Lifetime(alive_, *this); }

  // --- controls --------------------------------------------------------------
  // Adds a control, on top of its layer in `parent` (nullptr: the window).
  // Throws std::invalid_argument when the name and index are taken.
  template <class T>
  T& Add(std::string name, int index = kNoIndex, Container* parent = nullptr) {
    T* control = new T(*this, std::move(name), index, parent);
    Adopt(std::unique_ptr<Control>(control));
    return *control;
  }
  Control* Find(std::string_view name, int index = kNoIndex) const;
  // The control of this kind; throws std::out_of_range when there is none.
  template <class T>
  T& Get(std::string_view name, int index = kNoIndex) const {
    T* control = dynamic_cast<T*>(Find(name, index));
    if (!control) throw std::out_of_range(name_ + " has no such control: " + std::string(name));
    return *control;
  }
  // In creation order.
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  // The controls directly on the window, bottom first.
  const std::vector<Control*>& Children() const { return children_; }
  // The siblings of `control` (its container's children or the window's).
  const std::vector<Control*>& SiblingsOf(const Control& control) const;

  // --- menus and timers ------------------------------------------------------
  MenuItem& AddMenu(std::string name, std::string caption);
  const std::vector<std::unique_ptr<MenuItem>>& Menus() const { return menus_; }
  // Any item of any of the window's menus; nullptr / std::out_of_range if none.
  MenuItem* FindMenu(std::string_view name) const;
  MenuItem& Menu(std::string_view name) const;
  WindowTimer& AddTimer(std::string name);
  WindowTimer& Timer(std::string_view name) const;

  // --- properties (twips; Left and Top on the screen, outer size) ------------
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { Move(left, top_, width_, height_); }
  void SetTop(int top) { Move(left_, top, width_, height_); }
  void SetWidth(int width) { Move(left_, top_, width, height_); }
  void SetHeight(int height) { Move(left_, top_, width_, height); }
  void Move(int left, int top) { Move(left, top, width_, height_); }
  // In one step; a size change raises Resize.
  void Move(int left, int top, int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  // The frame around the client area: as the renderer measured it, or else a
  // typical frame for the border style (and a title bar when there is a caption).
  Insets FrameInsets() const;
  void SetFrameInsets(Insets insets);

  bool Visible() const { return visible_; }
  form::WindowState WindowState() const { return state_; }
  // A change raises Resize.
  void SetWindowState(form::WindowState state);
  bool Topmost() const { return topmost_; }
  // On: always on top, and on top of the other always-on-top windows, even
  // when it was on already.
  void SetTopmost(bool topmost);
  form::BorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(form::BorderStyle style);
  bool ShowInTaskbar() const { return show_in_taskbar_; }
  void SetShowInTaskbar(bool show);
  // The window class another program may find the window by; empty: the class
  // every window shares. Read when the window is loaded.
  const std::string& ClassName() const { return class_name_; }
  void SetClassName(std::string name) { class_name_ = std::move(name); }
  Colour BackColour() const { return back_colour_; }
  void SetBackColour(Colour colour);
  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string path);
  const Pointer& PointerImage() const { return pointer_; }
  void SetPointerImage(Pointer pointer);

  // --- life cycle ------------------------------------------------------------
  bool Loaded() const { return loaded_; }
  // Creates the real window (hidden) and raises Load; nothing when loaded.
  void Load();
  // Loads first when needed (a load that unloads the window shows nothing),
  // then makes it visible; the first show after a load raises Resize.
  void Show();
  void Hide();
  // QueryUnload (from code), then Unload; hides the window, stops its timers
  // and destroys the real window. False when a handler cancelled. The model
  // keeps its state: a window class that wants its design values back makes a
  // new Window.
  bool Unload();

  // --- focus, menus, dragging ------------------------------------------------
  Control* Focused() const { return focused_; }
  // As Control::SetFocus.
  void SetFocusTo(Control& control);
  // Opens `menu` at the pointer, modal: raises its MenuOpen, lets the renderer
  // show it, then raises MenuClick for the chosen item. Returns the chosen item
  // (after its click ran), or nullptr when dismissed or not loaded.
  MenuItem* PopupMenu(MenuItem& menu);
  // Hands a left-button drag to the system's own move loop, as a press on the
  // title bar would; that loop swallows the release, so the pointer capture ends
  // here.
  void StartSystemMove();

  // --- for the renderer ------------------------------------------------------
  void SetObserver(WindowObserver* observer) { observer_ = observer; }
  WindowObserver* Observer() const { return observer_; }
  // The real window's handle while loaded (kNoWindow when none).
  platform::WindowId Handle() const { return handle_; }
  void SetHandle(platform::WindowId handle) { handle_ = handle; }
  // The control under a point of the client area (twips), nullptr for the
  // window itself: windowed controls above windowless ones, the topmost first;
  // hidden and disabled controls (with their children) are passed over.
  Control* HitTest(int x, int y) const;
  // A control's top-left corner in client-area twips.
  platform::Point ClientPosition(const Control& control) const;
  // The pointer image to show at a point: the first that is not the default,
  // from the control under it out through its containers to the window.
  Pointer PointerAt(int x, int y) const;

  // --- dispatch: what the user did ---------------------------------------------
  // The only way user input enters the model, for the renderer and the simulated
  // desktop alike; the model does hit-testing, capture, focus and click rules.
  //
  // Mouse, at (x, y) twips of the client area. `button` is the button pressed or
  // released; for kMove it is every button held. A press captures the pointer
  // for the control under it until the last button is released; a release on
  // the pressed control with the left button clicks it (a check box toggles
  // first); a kDoubleClick on the control of the previous press raises
  // DoubleClick instead of MouseDown (and no Click follows).
  void UserMouse(MouseKind kind, int x, int y, int button, int shift);
  // The real window lost the capture without a release (another window took it).
  void UserCaptureLost();
  // Keys go to the focused control, or to `to` when the renderer knows which
  // control's window the key reached (a character typed into a control that a
  // key-down handler had just sent the focus away from still belongs to it).
  // Returns the code after the handler (0 when discarded) for the renderer to
  // pass on to the real control. A space released on a check box or button
  // clicks it.
  int UserKey(KeyKind kind, int code, int shift, Control* to = nullptr);
  void UserFocus(Control& control);
  void UserActivate();
  // A check box clicked by other means than the mouse: toggles it, raises Click.
  void UserClickCheckBox(CheckBox& check_box);
  void UserClickButton(Button& button);
  // An item chosen from a list: index and text, then Click (also when unchanged).
  void UserPickListItem(ListBox& list, int index);
  void UserScroll(ScrollBar& bar, ScrollAction action, int position = 0);
  // The text the user's editing left in a text box or an editable combo.
  void UserEditText(Control& control, std::string text);
  // The sizing border, the minimise and maximise buttons, the title-bar drag.
  void UserResize(int width, int height);
  void UserSetWindowState(form::WindowState state);
  void UserMove(int left, int top);
  // The close box (query-unload mode "user"), or the system ending the session.
  void UserCloseBox();
  void SystemClose();
  // A submenu opening, an item chosen (ignored unless it is Choosable).
  void UserMenuOpen(MenuItem& item);
  void UserMenuChoose(MenuItem& item);

 private:
  friend class Control;
  friend class MenuItem;

  void Adopt(std::unique_ptr<Control> control);
  std::vector<Control*>& MutableSiblingsOf(const Control& control);
  void Restack(Control& control, bool to_front);
  void NotifyWindow(Change what);
  void NotifyControl(Control& control, Change what);
  void NotifyMenu(MenuItem& item, Change what);
  // Runs `call` on the handler while loaded; false when the window object was
  // destroyed meanwhile (the caller must then return at once).
  template <class F>
  bool Raise(F&& call) {
    if (!loaded_) return true;
    std::shared_ptr<bool> alive = alive_;
    call(handler_);
    return *alive;
  }
  bool RaiseClick(Control* control);
  bool RaiseChange(Control& control);
  bool UnloadWith(UnloadMode mode);
  Control* HitIn(const std::vector<Control*>& layer, int x, int y) const;
  void EndCapture();
  // The click a left-button release (or a space) gives `control`.
  bool ClickFromUser(Control* control);

  platform::Platform& services_;
  WindowHandler& handler_;
  std::string name_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> children_;
  std::vector<std::unique_ptr<MenuItem>> menus_;
  std::vector<std::unique_ptr<WindowTimer>> timers_;

  std::string caption_;
  std::string class_name_;
  int left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  std::optional<Insets> measured_insets_;
  bool visible_ = false;
  form::WindowState state_ = form::WindowState::kNormal;
  bool topmost_ = false;
  form::BorderStyle border_style_ = form::BorderStyle::kSizable;
  bool show_in_taskbar_ = true;
  Colour back_colour_ = kButtonFace;
  std::string picture_;
  Pointer pointer_;

  bool loaded_ = false;
  bool unloading_ = false;
  bool shown_since_load_ = false;
  Control* focused_ = nullptr;
  WindowObserver* observer_ = nullptr;
  platform::WindowId handle_ = platform::kNoWindow;

  // Pointer capture: the control (or the window, nullptr) pressed on, while
  // `held_` has buttons.
  bool captured_ = false;
  Control* capture_target_ = nullptr;
  int held_ = 0;
  // The target of the last press, for telling a double click from two presses
  // on different controls, and whether the press in progress was a double click.
  bool have_last_press_ = false;
  Control* last_press_target_ = nullptr;
  bool double_click_press_ = false;
};

// A typical frame for a border style, at 15 twips per pixel.
Insets DefaultFrameInsets(BorderStyle style, bool has_title_bar);

}  // namespace kelvane::form
