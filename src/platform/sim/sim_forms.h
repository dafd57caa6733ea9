// The simulated desktop's Forms service and its user. It shows the program's
// windows as entries of the simulated desktop (class "KelvaneForm", so the
// core's own handles, rectangles and foreground checks work; their caption and
// rectangle follow the model, their visibility and topmost flag do not, since
// the desktop records those calls as the program's own), records every
// change the model reports, every popup menu with the window that opened it,
// and answers popups with the choices a test queued.
//
// As the driver, it does what a user does, through the same dispatch functions
// a real renderer calls: press, move and release at a point of a control (the
// pointer stays captured while a button is held, and the desktop's cursor
// follows), click, double click, type, pick a list item, scroll, resize,
// minimise and close a window. Points are twips from the top-left corner of a
// control as it stands at that moment (nullptr: of the client area). Acting on
// a window that is not loaded and visible is a mistake in the test and throws.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form/form.h"
#include "platform/sim/sim_desktop.h"

namespace kelvane::sim {

class SimForms : public platform::Forms, private form::WindowObserver {
 public:
  explicit SimForms(SimDesktop& desktop) : desktop_(desktop) {}
  SimForms(const SimForms&) = delete;
  SimForms& operator=(const SimForms&) = delete;

  // --- platform::Forms ------------------------------------------------------------
  void Create(form::Window& window) override;
  void Destroy(form::Window& window) override;
  form::MenuItem* ShowPopupMenu(form::Window& window, form::MenuItem& menu) override;
  // The system's move loop. Unlike the real one it returns at once: the test's
  // later pointer moves move the window, and its next release ends the move
  // without reaching the window (the system takes it).
  void StartSystemMove(form::Window& window) override;

  // --- records -----------------------------------------------------------------
  struct Popup {
    std::string window;  // the window's name
    std::string menu;    // the popup's top item
    platform::Point at;  // the pointer, in screen pixels
    std::string chosen;  // the chosen item's name; "" when dismissed
    friend bool operator==(const Popup&, const Popup&) = default;
  };
  const std::vector<Popup>& Popups() const { return popups_; }
  // The next popup chooses the item with this name (in its tree; a submenu on
  // the way opens first); "" dismisses it. Without a queued choice a popup is
  // dismissed. Choosing a separator, a greyed or hidden item closes nothing and
  // chooses nothing, as a real menu would.
  void QueueMenuChoice(std::string item_name) { choices_.push_back(std::move(item_name)); }
  // Every change the model reported, in order: "MainWindow created",
  // "MainWindow caption", "MainWindow.Label1(3) caption", "MainWindow.MnuDash checked".
  const std::vector<std::string>& Changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }
  // The windows handed to the system's move loop, by name, in order.
  const std::vector<std::string>& SystemMoves() const { return system_moves_; }
  // A loaded window by name; nullptr when none is.
  form::Window* WindowNamed(std::string_view name) const;
  const std::vector<form::Window*>& LoadedWindows() const { return windows_; }
  // What a renderer holds for the loaded windows: one picture for each window,
  // frame, picture box and picture button that shows one, and one font object
  // for each distinct font of their controls.
  int HeldPictures() const;
  int HeldFonts() const;

  // --- the user ------------------------------------------------------------------
  void Press(form::Window& w, form::Control* at, int x, int y, int button = form::button::kLeft,
             int shift = 0);
  void MoveTo(form::Window& w, form::Control* at, int x, int y, int shift = 0);
  void Release(form::Window& w, form::Control* at, int x, int y, int button = form::button::kLeft,
               int shift = 0);
  void Click(form::Window& w, form::Control* at, int x, int y, int button = form::button::kLeft,
             int shift = 0);
  // Press, release, the second press (as a double click) and its release.
  void DoubleClick(form::Window& w, form::Control* at, int x, int y, int shift = 0);
  // The pointer moves to a screen point (pixels) with the buttons held.
  void MovePointer(form::Window& w, platform::Point screen, int shift = 0);
  // Buttons held by the simulated user.
  int HeldButtons() const { return held_; }

  void Activate(form::Window& w);
  void Focus(form::Window& w, form::Control& control);
  // One key event to the focused control; returns the code the control got
  // (0: discarded). Up and down arrows not discarded step a drop-down list.
  int Key(form::Window& w, form::KeyKind kind, int code, int shift = 0);
  // Key down, then key up.
  void KeyStroke(form::Window& w, int key_code, int shift = 0);
  // Focuses the control, then for each character: key down, key press (a
  // character the handler keeps goes into the text box or editable combo;
  // backspace removes the last one; Enter adds nothing), key up.
  void Type(form::Window& w, form::Control& control, std::string_view text);
  // Focuses the list and chooses an item, by index or by its exact text.
  void PickListItem(form::Window& w, form::ListBox& list, int index);
  void PickListItem(form::Window& w, form::ListBox& list, std::string_view item);
  void Scroll(form::Window& w, form::ScrollBar& bar, form::ScrollAction action, int position = 0);
  void Resize(form::Window& w, int width, int height);
  void SetWindowState(form::Window& w, form::WindowState state);
  void CloseBox(form::Window& w);

 private:
  // form::WindowObserver: records, and keeps the desktop entry in step.
  void WindowChanged(form::Window& window, form::Change what) override;
  void ControlChanged(form::Control& control, form::Change what) override;
  void MenuChanged(form::MenuItem& item, form::Change what) override;

  void Require(const form::Window& w, bool condition, std::string_view what) const;
  void RequireShown(const form::Window& w) const;
  // Client-area twips of a point relative to `at`, and its screen pixel.
  platform::Point ClientPoint(const form::Window& w, const form::Control* at, int x, int y) const;
  platform::Point ScreenPixel(const form::Window& w, platform::Point client) const;
  platform::Rect ScreenRect(const form::Window& w) const;
  void DeliverPointer(form::Window& w, form::MouseKind kind, platform::Point client, int button,
                      int shift);

  SimDesktop& desktop_;
  std::vector<form::Window*> windows_;
  std::vector<Popup> popups_;
  std::deque<std::string> choices_;
  std::vector<std::string> changes_;
  std::vector<std::string> system_moves_;
  int held_ = 0;
  form::Window* system_move_ = nullptr;
  platform::Point system_move_from_;
};

class SimUsageError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

}  // namespace kelvane::sim
