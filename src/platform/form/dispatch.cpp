// What the user does, delivered to the model: hit-testing, pointer capture,
// focus, and the rules that turn presses and keys into clicks.
#include "platform/form/window.h"

namespace kelvane::form {

Control* Window::HitTest(int x, int y) const {
  return HitIn(children_, x, y);
}

Control* Window::HitIn(const std::vector<Control*>& layer, int x, int y) const {
  // Windowed controls lie above the windowless ones their container paints.
  for (bool windowless : {false, true}) {
    for (auto it = layer.rbegin(); it != layer.rend(); ++it) {
      Control* c = *it;
      if (c->IsWindowless() != windowless || !c->Visible() || !c->Enabled() || !c->Contains(x, y))
        continue;
      if (auto* box = dynamic_cast<Container*>(c))
        if (Control* inner = HitIn(box->Children(), x - c->Left(), y - c->Top())) return inner;
      return c;
    }
  }
  return nullptr;
}

platform::Point Window::ClientPosition(const Control& control) const {
  platform::Point p;
  for (const Control* c = &control; c; c = c->Parent()) p.x += c->Left(), p.y += c->Top();
  return p;
}

Pointer Window::PointerAt(int x, int y) const {
  for (const Control* c = HitTest(x, y); c; c = c->Parent())
    if (!c->PointerImage().IsDefault()) return c->PointerImage();
  return pointer_;
}

void Window::EndCapture() {
  captured_ = false;
  capture_target_ = nullptr;
  held_ = 0;
}

bool Window::ClickFromUser(Control* control) {
  if (!control) return RaiseClick(nullptr);
  if (!control->Visible() || !control->Enabled()) return true;
  switch (control->Kind()) {
    case ControlKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(*control);
      std::shared_ptr<bool> alive = alive_;
      box.SetValue(box.Value() ? 0 : 1);
      return *alive;
    }
    case ControlKind::kListBox:
    case ControlKind::kScrollBar:
      return true;  // their own list and arrows decide
    default:
      return RaiseClick(control);
  }
}

void Window::UserMouse(MouseKind kind, int x, int y, int button, int shift) {
  if (!loaded_) return;
  auto event_for = [&](Control* target, int buttons) {
    MouseEvent e{target, buttons, shift, x, y};
    if (target) {
      const platform::Point origin = ClientPosition(*target);
      e.x -= origin.x, e.y -= origin.y;
    }
    return e;
  };
  auto delivers = [](const Control* target) { return !target || target->HasMouseEvents(); };

  switch (kind) {
    case MouseKind::kDown:
    case MouseKind::kDoubleClick: {
      const bool first = !captured_;
      Control* target = first ? HitTest(x, y) : capture_target_;
      held_ |= button;
      bool double_click = false;
      if (first) {
        captured_ = true;
        capture_target_ = target;
        double_click = kind == MouseKind::kDoubleClick && button == button::kLeft &&
                       have_last_press_ && last_press_target_ == target &&
                       (!target || target->HasDoubleClick());
        have_last_press_ = true;
        last_press_target_ = target;
        double_click_press_ = double_click;
        if (target && target->CanTakeFocus()) {
          std::shared_ptr<bool> alive = alive_;
          SetFocusTo(*target);
          if (!*alive || !loaded_) return;
        }
      }
      if (double_click) {
        Raise([target](WindowHandler& h) { h.OnDoubleClick(target); });
      } else if (delivers(target)) {
        const MouseEvent e = event_for(target, button);
        Raise([&e](WindowHandler& h) { h.OnMouseDown(e); });
      }
      return;
    }
    case MouseKind::kMove: {
      // No button held any more: the release went somewhere else.
      if (captured_ && button == 0) EndCapture();
      Control* target = captured_ ? capture_target_ : HitTest(x, y);
      if (!delivers(target)) return;
      const MouseEvent e = event_for(target, button);
      Raise([&e](WindowHandler& h) { h.OnMouseMove(e); });
      return;
    }
    case MouseKind::kUp: {
      if (!captured_) {
        // A release whose press went elsewhere (a menu, another window).
        Control* target = HitTest(x, y);
        if (!delivers(target)) return;
        const MouseEvent e = event_for(target, button);
        Raise([&e](WindowHandler& h) { h.OnMouseUp(e); });
        return;
      }
      Control* target = capture_target_;
      const bool after_double_click = double_click_press_;
      held_ &= ~button;
      if (held_ == 0) EndCapture();
      if (delivers(target)) {
        const MouseEvent e = event_for(target, button);
        if (!Raise([&e](WindowHandler& h) { h.OnMouseUp(e); }) || !loaded_) return;
      }
      if (button != button::kLeft || after_double_click) return;
      // A click needs the release on the control that was pressed, where it
      // stands now.
      bool over = false;
      if (target) {
        const platform::Point origin = ClientPosition(*target);
        over = x >= origin.x && x < origin.x + target->Width() && y >= origin.y &&
               y < origin.y + target->Height();
      } else {
        over = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
      }
      if (over) ClickFromUser(target);
      return;
    }
  }
}

void Window::UserCaptureLost() {
  EndCapture();
}

int Window::UserKey(KeyKind kind, int code, int shift, Control* to) {
  if (!loaded_) return 0;
  Control* target = to ? to : focused_;
  bool alive = true;
  switch (kind) {
    case KeyKind::kDown:
      alive = Raise([&](WindowHandler& h) { h.OnKeyDown(target, code, shift); });
      break;
    case KeyKind::kPress:
      alive = Raise([&](WindowHandler& h) { h.OnKeyPress(target, code); });
      break;
    case KeyKind::kUp:
      alive = Raise([&](WindowHandler& h) { h.OnKeyUp(target, code, shift); });
      break;
  }
  if (!alive || !loaded_) return 0;
  constexpr int kSpace = 32;
  if (kind == KeyKind::kUp && code == kSpace && target && focused_ == target &&
      (target->Kind() == ControlKind::kCheckBox || target->Kind() == ControlKind::kButton))
    ClickFromUser(target);
  return code;
}

void Window::UserFocus(Control& control) {
  SetFocusTo(control);
}

void Window::UserActivate() {
  Raise([](WindowHandler& h) { h.OnActivate(); });
}

void Window::UserClickCheckBox(CheckBox& check_box) {
  if (loaded_ && &check_box.Owner() == this) ClickFromUser(&check_box);
}

void Window::UserClickButton(Button& button) {
  if (loaded_ && &button.Owner() == this) ClickFromUser(&button);
}

void Window::UserPickListItem(ListBox& list, int index) {
  if (!loaded_ || !list.Enabled() || index < 0 || index >= list.ItemCount()) return;
  // A new selection raises Click itself; the same item chosen again still clicks,
  // and puts the item's text back into an edited combo.
  if (list.list_index_ != index) {
    list.SetListIndex(index);
    return;
  }
  list.Assign(list.text_, list.items_[index], Change::kText);
  RaiseClick(&list);
}

void Window::UserScroll(ScrollBar& bar, ScrollAction action, int position) {
  if (loaded_ && bar.Enabled()) bar.SetValue(bar.ValueAfter(action, position));
}

void Window::UserEditText(Control& control, std::string text) {
  if (!loaded_ || !control.Enabled()) return;
  if (auto* box = dynamic_cast<TextBox*>(&control)) {
    box->SetText(std::move(text));
  } else if (auto* list = dynamic_cast<ListBox*>(&control)) {
    if (list->Style() == ListStyle::kEditableCombo) list->SetText(std::move(text));
  }
}

void Window::UserResize(int width, int height) {
  Move(left_, top_, width, height);
}
void Window::UserSetWindowState(form::WindowState state) {
  SetWindowState(state);
}
void Window::UserMove(int left, int top) {
  Move(left, top, width_, height_);
}

void Window::UserMenuOpen(MenuItem& item) {
  if (&item.Owner() == this) Raise([&item](WindowHandler& h) { h.OnMenuOpen(item); });
}

void Window::UserMenuChoose(MenuItem& item) {
  if (&item.Owner() == this && item.Choosable())
    Raise([&item](WindowHandler& h) { h.OnMenuClick(item); });
}

}  // namespace kelvane::form
