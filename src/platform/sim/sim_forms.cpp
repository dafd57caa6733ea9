#include "platform/sim/sim_forms.h"

#include <algorithm>
#include <cmath>

namespace kelvane::sim {

using form::Control;
using form::Window;

namespace {

// Code points of UTF-8 text; a stray byte stands for itself.
std::vector<int> CodePoints(std::string_view text) {
  std::vector<int> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80       ? 1
                 : lead >> 5 == 6  ? 2
                 : lead >> 4 == 14 ? 3
                 : lead >> 3 == 30 ? 4
                                   : 0;
    if (length == 0 || i + length > text.size()) {
      out.push_back(lead);
      ++i;
      continue;
    }
    int cp = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k)
      cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out.push_back(cp);
    i += length;
  }
  return out;
}

std::string Utf8(int cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18);
    s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

void RemoveLastChar(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

struct KeyOf {
  int code = 0;
  int shift = 0;
};

// The key a US keyboard types a character with.
KeyOf VirtualKey(int cp) {
  if (cp >= 'a' && cp <= 'z') return {cp - 'a' + 'A', 0};
  if (cp >= 'A' && cp <= 'Z') return {cp, form::shift::kShift};
  if ((cp >= '0' && cp <= '9') || cp == ' ') return {cp, 0};
  switch (cp) {
    case '\r':
    case '\n':
      return {13, 0};
    case '\b':
      return {8, 0};
    case '\t':
      return {9, 0};
    case '.':
      return {0xBE, 0};
    case ',':
      return {0xBC, 0};
    case '-':
      return {0xBD, 0};
    default:
      return {0, 0};
  }
}

constexpr int kVkUp = 0x26;
constexpr int kVkDown = 0x28;

std::string TextOf(const Control& control) {
  if (auto* box = dynamic_cast<const form::TextBox*>(&control)) return box->Text();
  if (auto* list = dynamic_cast<const form::ListBox*>(&control)) return list->Text();
  return {};
}

bool TakesTyping(const Control& control) {
  if (control.Kind() == form::ControlKind::kTextBox) return true;
  auto* list = dynamic_cast<const form::ListBox*>(&control);
  return list && list->Style() == form::ListStyle::kEditableCombo;
}

}  // namespace

// --- platform::Forms --------------------------------------------------------------------

void SimForms::Create(Window& window) {
  window.SetHandle(desktop_.AddTopWindow("KelvaneForm", window.Caption(), ScreenRect(window)));
  window.SetObserver(this);
  windows_.push_back(&window);
  changes_.push_back(window.Name() + " created");
}

void SimForms::Destroy(Window& window) {
  if (window.Handle() != platform::kNoWindow) desktop_.RemoveWindow(window.Handle());
  windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
  if (system_move_ == &window) system_move_ = nullptr;
  changes_.push_back(window.Name() + " destroyed");
}

form::MenuItem* SimForms::ShowPopupMenu(Window& window, form::MenuItem& menu) {
  const std::size_t record = popups_.size();
  popups_.push_back({window.Name(), menu.Name(), desktop_.CursorPos(), {}});
  if (choices_.empty()) return nullptr;
  const std::string choice = choices_.front();
  choices_.pop_front();
  if (choice.empty()) return nullptr;
  form::MenuItem* item = menu.Find(choice);
  if (!item || item == &menu)
    throw SimUsageError("popup " + menu.Name() + " of " + window.Name() + " has no item " + choice);
  // Reaching the item opens the submenus on the way.
  std::vector<form::MenuItem*> path;
  for (form::MenuItem* p = item->Parent(); p && p != &menu; p = p->Parent()) path.push_back(p);
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    if (!(*it)->Enabled() || !(*it)->Visible()) return nullptr;  // a greyed submenu stays shut
    window.UserMenuOpen(**it);
  }
  if (!item->Choosable()) return nullptr;
  popups_[record].chosen = choice;
  return item;
}

void SimForms::StartSystemMove(Window& window) {
  system_moves_.push_back(window.Name());
  system_move_ = &window;
  system_move_from_ = desktop_.CursorPos();
}

Window* SimForms::WindowNamed(std::string_view name) const {
  for (Window* w : windows_)
    if (w->Name() == name) return w;
  return nullptr;
}

int SimForms::HeldPictures() const {
  int n = 0;
  for (const Window* w : windows_) {
    n += !w->Picture().empty();
    for (const auto& c : w->Controls()) {
      if (auto* container = dynamic_cast<const form::Container*>(c.get()))
        n += !container->Picture().empty();
      else if (auto* button = dynamic_cast<const form::PictureButton*>(c.get()))
        n += !button->Picture().empty();
    }
  }
  return n;
}

int SimForms::HeldFonts() const {
  std::vector<form::Font> fonts;
  for (const Window* w : windows_)
    for (const auto& c : w->Controls())
      if (std::find(fonts.begin(), fonts.end(), c->TextFont()) == fonts.end())
        fonts.push_back(c->TextFont());
  return static_cast<int>(fonts.size());
}

// --- observer -----------------------------------------------------------------------

void SimForms::WindowChanged(Window& window, form::Change what) {
  changes_.push_back(window.Name() + " " + std::string(form::ChangeName(what)));
  if (window.Handle() == platform::kNoWindow) return;
  if (what == form::Change::kCaption) desktop_.SetText(window.Handle(), window.Caption());
  if (what == form::Change::kBounds) desktop_.MoveWindow(window.Handle(), ScreenRect(window));
  if (what == form::Change::kTopmost) desktop_.PlaceInZOrder(window.Handle(), window.Topmost());
}

void SimForms::ControlChanged(Control& control, form::Change what) {
  changes_.push_back(control.Owner().Name() + "." + control.Id() + " " +
                     std::string(form::ChangeName(what)));
}

void SimForms::MenuChanged(form::MenuItem& item, form::Change what) {
  changes_.push_back(item.Owner().Name() + "." + item.Name() + " " +
                     std::string(form::ChangeName(what)));
}

// --- geometry ---------------------------------------------------------------------------

platform::Rect SimForms::ScreenRect(const Window& w) const {
  const double tx = desktop_.TwipsPerPixelX(), ty = desktop_.TwipsPerPixelY();
  const int left = static_cast<int>(std::lround(w.Left() / tx));
  const int top = static_cast<int>(std::lround(w.Top() / ty));
  return {left, top, left + static_cast<int>(std::lround(w.Width() / tx)),
          top + static_cast<int>(std::lround(w.Height() / ty))};
}

platform::Point SimForms::ClientPoint(const Window& w, const Control* at, int x, int y) const {
  if (!at) return {x, y};
  Require(w, &at->Owner() == &w, at->Id() + " belongs to another window");
  const platform::Point origin = w.ClientPosition(*at);
  return {origin.x + x, origin.y + y};
}

platform::Point SimForms::ScreenPixel(const Window& w, platform::Point client) const {
  const form::Insets in = w.FrameInsets();
  const double tx = desktop_.TwipsPerPixelX(), ty = desktop_.TwipsPerPixelY();
  return {static_cast<int>(std::lround((w.Left() + in.left + client.x) / tx)),
          static_cast<int>(std::lround((w.Top() + in.top + client.y) / ty))};
}

void SimForms::Require(const Window& w, bool condition, std::string_view what) const {
  if (!condition) throw SimUsageError(w.Name() + ": " + std::string(what));
}

void SimForms::RequireShown(const Window& w) const {
  Require(w, w.Loaded() && std::count(windows_.begin(), windows_.end(), &w) > 0,
          "the window is not loaded");
  Require(w, w.Visible(), "the window is hidden");
}

// --- the user: pointer ------------------------------------------------------------------

void SimForms::DeliverPointer(Window& w, form::MouseKind kind, platform::Point client, int button,
                              int shift) {
  desktop_.SetCursorPos(ScreenPixel(w, client));
  w.UserMouse(kind, client.x, client.y, kind == form::MouseKind::kMove ? held_ : button, shift);
}

void SimForms::Press(Window& w, Control* at, int x, int y, int button, int shift) {
  RequireShown(w);
  system_move_ = nullptr;
  const platform::Point client = ClientPoint(w, at, x, y);
  held_ |= button;
  DeliverPointer(w, form::MouseKind::kDown, client, button, shift);
}

void SimForms::MoveTo(Window& w, Control* at, int x, int y, int shift) {
  Require(w, w.Loaded(), "the window is not loaded");
  const platform::Point client = ClientPoint(w, at, x, y);
  if (system_move_ == &w) {
    MovePointer(w, ScreenPixel(w, client), shift);
    return;
  }
  DeliverPointer(w, form::MouseKind::kMove, client, held_, shift);
}

void SimForms::MovePointer(Window& w, platform::Point screen, int shift) {
  Require(w, w.Loaded(), "the window is not loaded");
  const double tx = desktop_.TwipsPerPixelX(), ty = desktop_.TwipsPerPixelY();
  if (system_move_ == &w) {
    const int dx = screen.x - system_move_from_.x, dy = screen.y - system_move_from_.y;
    system_move_from_ = screen;
    desktop_.SetCursorPos(screen);
    w.UserMove(w.Left() + static_cast<int>(dx * tx), w.Top() + static_cast<int>(dy * ty));
    return;
  }
  const form::Insets in = w.FrameInsets();
  const platform::Point client{static_cast<int>(screen.x * tx) - w.Left() - in.left,
                               static_cast<int>(screen.y * ty) - w.Top() - in.top};
  desktop_.SetCursorPos(screen);
  w.UserMouse(form::MouseKind::kMove, client.x, client.y, held_, shift);
}

void SimForms::Release(Window& w, Control* at, int x, int y, int button, int shift) {
  held_ &= ~button;
  // A press that unloaded or hid its window leaves the release to some other window.
  if (!w.Loaded() || !w.Visible()) {
    if (system_move_ == &w) system_move_ = nullptr;
    return;
  }
  const platform::Point client = ClientPoint(w, at, x, y);
  if (system_move_ == &w) {
    // The system's move loop takes the release.
    system_move_ = nullptr;
    desktop_.SetCursorPos(ScreenPixel(w, client));
    return;
  }
  DeliverPointer(w, form::MouseKind::kUp, client, button, shift);
}

void SimForms::Click(Window& w, Control* at, int x, int y, int button, int shift) {
  Press(w, at, x, y, button, shift);
  Release(w, at, x, y, button, shift);
}

void SimForms::DoubleClick(Window& w, Control* at, int x, int y, int shift) {
  Click(w, at, x, y, form::button::kLeft, shift);
  RequireShown(w);
  held_ |= form::button::kLeft;
  DeliverPointer(w, form::MouseKind::kDoubleClick, ClientPoint(w, at, x, y), form::button::kLeft,
                 shift);
  Release(w, at, x, y, form::button::kLeft, shift);
}

// --- the user: focus, keys, controls, the window ---------------------------------------

void SimForms::Activate(Window& w) {
  RequireShown(w);
  desktop_.SetForeground(w.Handle());
  w.UserActivate();
}

void SimForms::Focus(Window& w, Control& control) {
  RequireShown(w);
  Require(w, &control.Owner() == &w, control.Id() + " belongs to another window");
  Require(w, control.CanTakeFocus() && control.Visible() && control.Enabled(),
          control.Id() + " cannot take the focus");
  w.UserFocus(control);
}

int SimForms::Key(Window& w, form::KeyKind kind, int code, int shift) {
  RequireShown(w);
  const int passed = w.UserKey(kind, code, shift);
  // A closed drop-down list steps its selection with the arrow keys.
  if (kind == form::KeyKind::kDown && (passed == kVkUp || passed == kVkDown) && w.Loaded()) {
    if (auto* list = dynamic_cast<form::ListBox*>(w.Focused())) {
      const int next = list->ListIndex() + (passed == kVkDown ? 1 : -1);
      if (next >= 0 && next < list->ItemCount()) w.UserPickListItem(*list, next);
    }
  }
  return passed;
}

void SimForms::KeyStroke(Window& w, int key_code, int shift) {
  Key(w, form::KeyKind::kDown, key_code, shift);
  Key(w, form::KeyKind::kUp, key_code, shift);
}

void SimForms::Type(Window& w, Control& control, std::string_view text) {
  Focus(w, control);
  for (int cp : CodePoints(text)) {
    const KeyOf key = VirtualKey(cp);
    Key(w, form::KeyKind::kDown, key.code, key.shift);
    const int typed = w.UserKey(form::KeyKind::kPress, cp, 0);
    // The character goes to whatever has the focus now.
    Control* target = w.Loaded() ? w.Focused() : nullptr;
    if (typed != 0 && target && TakesTyping(*target)) {
      std::string edited = TextOf(*target);
      if (typed == 8)
        RemoveLastChar(edited);
      else if (typed >= 32)
        edited += Utf8(typed);
      if (edited != TextOf(*target)) w.UserEditText(*target, edited);
    }
    if (!w.Loaded() || !w.Visible()) return;
    Key(w, form::KeyKind::kUp, key.code, key.shift);
  }
}

void SimForms::PickListItem(Window& w, form::ListBox& list, int index) {
  Require(w, index >= 0 && index < list.ItemCount(),
          list.Id() + " has no item " + std::to_string(index));
  Focus(w, list);
  w.UserPickListItem(list, index);
}

void SimForms::PickListItem(Window& w, form::ListBox& list, std::string_view item) {
  const auto& items = list.Items();
  auto it = std::find(items.begin(), items.end(), item);
  Require(w, it != items.end(), list.Id() + " has no item " + std::string(item));
  PickListItem(w, list, static_cast<int>(it - items.begin()));
}

void SimForms::Scroll(Window& w, form::ScrollBar& bar, form::ScrollAction action, int position) {
  Focus(w, bar);
  w.UserScroll(bar, action, position);
}

void SimForms::Resize(Window& w, int width, int height) {
  RequireShown(w);
  w.UserResize(width, height);
}

void SimForms::SetWindowState(Window& w, form::WindowState state) {
  RequireShown(w);
  w.UserSetWindowState(state);
}

void SimForms::CloseBox(Window& w) {
  RequireShown(w);
  w.UserCloseBox();
}

}  // namespace kelvane::sim
