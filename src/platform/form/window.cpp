#include "platform/form/window.h"

#include <algorithm>

namespace kelvane::form {

std::string_view ChangeName(Change what) {
  switch (what) {
    case Change::kCreated:
      return "created";
    case Change::kCaption:
      return "caption";
    case Change::kText:
      return "text";
    case Change::kBounds:
      return "bounds";
    case Change::kVisible:
      return "visible";
    case Change::kEnabled:
      return "enabled";
    case Change::kTooltip:
      return "tooltip";
    case Change::kPointer:
      return "pointer";
    case Change::kFont:
      return "font";
    case Change::kForeColour:
      return "fore colour";
    case Change::kBackColour:
      return "back colour";
    case Change::kAlignment:
      return "alignment";
    case Change::kTransparent:
      return "transparent";
    case Change::kBorder:
      return "border";
    case Change::kPicture:
      return "picture";
    case Change::kZOrder:
      return "z-order";
    case Change::kValue:
      return "value";
    case Change::kRange:
      return "range";
    case Change::kItems:
      return "items";
    case Change::kListIndex:
      return "list index";
    case Change::kStyle:
      return "style";
    case Change::kWindowState:
      return "window state";
    case Change::kTopmost:
      return "topmost";
    case Change::kBorderStyle:
      return "border style";
    case Change::kShowInTaskbar:
      return "taskbar";
    case Change::kFocus:
      return "focus";
    case Change::kChecked:
      return "checked";
    case Change::kMenuItems:
      return "menu items";
    case Change::kDrawing:
      return "drawing";
  }
  return "?";
}

Insets DefaultFrameInsets(BorderStyle style, bool has_title_bar) {
  // Classic Windows metrics in pixels, at 15 twips each: a sizing border of 4,
  // a fixed border of 3, a title bar of 19 and a tool window's of 16.
  int border = 0, title = 0;
  switch (style) {
    case BorderStyle::kNone:
      return {};
    case BorderStyle::kFixedSingle:
      border = 3, title = 19;
      break;
    case BorderStyle::kSizable:
      border = 4, title = 19;
      break;
    case BorderStyle::kFixedToolWindow:
      border = 3, title = 16;
      break;
    case BorderStyle::kSizableToolWindow:
      border = 4, title = 16;
      break;
  }
  const int b = border * 15;
  return {b, b + (has_title_bar ? title * 15 : 0), b, b};
}

Window::Window(platform::Platform& services, WindowHandler& handler, std::string name)
    : services_(services), handler_(handler), name_(std::move(name)) {}

Lifetime::operator bool() const {
  return *alive_ && window_->Loaded();
}

Window::~Window() {
  *alive_ = false;
  if (loaded_) services_.forms.Destroy(*this);
}

// --- controls, menus, timers --------------------------------------------------------

void Window::Adopt(std::unique_ptr<Control> control) {
  if (Find(control->Name(), control->Index()))
    throw std::invalid_argument(name_ + " has two controls named " + control->Id());
  Container* parent = control->Parent();
  if (parent && &parent->Owner() != this)
    throw std::invalid_argument(control->Id() + " is put into another window's container");
  Control& c = *control;
  controls_.push_back(std::move(control));
  MutableSiblingsOf(c).push_back(&c);
  NotifyControl(c, Change::kCreated);
}

Control* Window::Find(std::string_view name, int index) const {
  for (const auto& c : controls_)
    if (c->Is(name, index)) return c.get();
  return nullptr;
}

const std::vector<Control*>& Window::SiblingsOf(const Control& control) const {
  return control.Parent() ? control.Parent()->children_ : children_;
}

std::vector<Control*>& Window::MutableSiblingsOf(const Control& control) {
  return control.Parent() ? control.Parent()->children_ : children_;
}

void Window::Restack(Control& control, bool to_front) {
  std::vector<Control*>& siblings = MutableSiblingsOf(control);
  auto it = std::find(siblings.begin(), siblings.end(), &control);
  if (to_front ? it + 1 == siblings.end() : it == siblings.begin()) return;
  siblings.erase(it);
  if (to_front)
    siblings.push_back(&control);
  else
    siblings.insert(siblings.begin(), &control);
  NotifyControl(control, Change::kZOrder);
}

MenuItem& Window::AddMenu(std::string name, std::string caption) {
  menus_.push_back(
      std::unique_ptr<MenuItem>(new MenuItem(*this, nullptr, std::move(name), std::move(caption))));
  NotifyMenu(*menus_.back(), Change::kMenuItems);
  return *menus_.back();
}

MenuItem* Window::FindMenu(std::string_view name) const {
  for (const auto& menu : menus_)
    if (MenuItem* found = menu->Find(name)) return found;
  return nullptr;
}

MenuItem& Window::Menu(std::string_view name) const {
  MenuItem* item = FindMenu(name);
  if (!item) throw std::out_of_range(name_ + " has no menu item " + std::string(name));
  return *item;
}

WindowTimer& Window::AddTimer(std::string name) {
  timers_.push_back(std::unique_ptr<WindowTimer>(new WindowTimer(std::move(name))));
  WindowTimer* timer = timers_.back().get();
  // The platform timer dies with the WindowTimer, so `this` outlives every tick.
  timer->timer_ = services_.loop.CreateTimer(
      [this, timer] { Raise([timer](WindowHandler& h) { h.OnTimer(*timer); }); });
  return *timer;
}

WindowTimer& Window::Timer(std::string_view name) const {
  for (const auto& t : timers_)
    if (t->Name() == name) return *t;
  throw std::out_of_range(name_ + " has no timer " + std::string(name));
}

// --- notifications and events -------------------------------------------------------

void Window::NotifyWindow(Change what) {
  if (loaded_ && observer_) observer_->WindowChanged(*this, what);
}

void Window::NotifyControl(Control& control, Change what) {
  if (loaded_ && observer_) observer_->ControlChanged(control, what);
}

void Window::NotifyMenu(MenuItem& item, Change what) {
  if (loaded_ && observer_) observer_->MenuChanged(item, what);
}

bool Window::RaiseClick(Control* control) {
  return Raise([control](WindowHandler& h) { h.OnClick(control); });
}

bool Window::RaiseChange(Control& control) {
  return Raise([&control](WindowHandler& h) { h.OnChange(control); });
}

// --- properties ---------------------------------------------------------------------

void Window::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  NotifyWindow(Change::kCaption);
}

void Window::Move(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  left_ = left, top_ = top, width_ = width, height_ = height;
  NotifyWindow(Change::kBounds);
  if (resized) Raise([](WindowHandler& h) { h.OnResize(); });
}

Insets Window::FrameInsets() const {
  return measured_insets_ ? *measured_insets_
                          : DefaultFrameInsets(border_style_, !caption_.empty());
}

void Window::SetFrameInsets(Insets insets) {
  measured_insets_ = insets;
}

int Window::ClientWidth() const {
  const Insets in = FrameInsets();
  return std::max(0, width_ - in.left - in.right);
}

int Window::ClientHeight() const {
  const Insets in = FrameInsets();
  return std::max(0, height_ - in.top - in.bottom);
}

void Window::SetClientSize(int width, int height) {
  const Insets in = FrameInsets();
  Move(left_, top_, width + in.left + in.right, height + in.top + in.bottom);
}

void Window::SetWindowState(form::WindowState state) {
  if (state_ == state) return;
  state_ = state;
  NotifyWindow(Change::kWindowState);
  Raise([](WindowHandler& h) { h.OnResize(); });
}

// Turning it on again is not nothing: the window goes back to the top of the
// always-on-top windows, above any that came there since.
void Window::SetTopmost(bool topmost) {
  if (topmost_ == topmost && !topmost) return;
  topmost_ = topmost;
  NotifyWindow(Change::kTopmost);
}

void Window::SetBorderStyle(form::BorderStyle style) {
  if (border_style_ == style) return;
  border_style_ = style;
  NotifyWindow(Change::kBorderStyle);
}

void Window::SetShowInTaskbar(bool show) {
  if (show_in_taskbar_ == show) return;
  show_in_taskbar_ = show;
  NotifyWindow(Change::kShowInTaskbar);
}

void Window::SetBackColour(Colour colour) {
  if (back_colour_ == colour) return;
  back_colour_ = colour;
  NotifyWindow(Change::kBackColour);
}

void Window::SetPicture(std::string path) {
  if (picture_ == path) return;
  picture_ = std::move(path);
  NotifyWindow(Change::kPicture);
}

void Window::SetPointerImage(Pointer pointer) {
  if (pointer_ == pointer) return;
  pointer_ = std::move(pointer);
  NotifyWindow(Change::kPointer);
}

// --- life cycle ---------------------------------------------------------------------

void Window::Load() {
  if (loaded_) return;
  loaded_ = true;
  shown_since_load_ = false;
  services_.forms.Create(*this);
  Raise([](WindowHandler& h) { h.OnLoad(); });
}

void Window::Show() {
  if (!loaded_) {
    std::shared_ptr<bool> alive = alive_;
    Load();
    if (!*alive || !loaded_) return;
  }
  if (visible_) return;
  visible_ = true;
  NotifyWindow(Change::kVisible);
  if (!shown_since_load_) {
    shown_since_load_ = true;
    Raise([](WindowHandler& h) { h.OnResize(); });
  }
}

void Window::Hide() {
  if (!visible_) return;
  visible_ = false;
  // A hidden window gets no release; whatever was pressed is let go.
  EndCapture();
  NotifyWindow(Change::kVisible);
}

bool Window::Unload() {
  return UnloadWith(UnloadMode::kFromCode);
}
void Window::UserCloseBox() {
  UnloadWith(UnloadMode::kUserClose);
}
void Window::SystemClose() {
  UnloadWith(UnloadMode::kSystem);
}

bool Window::UnloadWith(UnloadMode mode) {
  if (!loaded_ || unloading_) return true;
  bool cancel = false;
  if (!Raise([&](WindowHandler& h) { h.OnQueryUnload(mode, cancel); })) return true;
  if (cancel) return false;
  if (!loaded_ || unloading_) return true;
  unloading_ = true;
  if (!Raise([](WindowHandler& h) { h.OnUnload(); })) return true;
  unloading_ = false;
  if (!loaded_) return true;
  if (visible_) {
    visible_ = false;
    NotifyWindow(Change::kVisible);
  }
  for (auto& timer : timers_) timer->SetInterval(0);
  focused_ = nullptr;
  EndCapture();
  have_last_press_ = false;
  services_.forms.Destroy(*this);
  loaded_ = false;
  observer_ = nullptr;
  handle_ = platform::kNoWindow;
  return true;
}

// --- focus, menus, system move ------------------------------------------------------

void Window::SetFocusTo(Control& control) {
  if (&control.Owner() != this || !control.CanTakeFocus()) return;
  if (!control.Visible() || !control.Enabled() || focused_ == &control) return;
  focused_ = &control;
  NotifyWindow(Change::kFocus);
  Raise([&control](WindowHandler& h) { h.OnGotFocus(control); });
}

MenuItem* Window::PopupMenu(MenuItem& menu) {
  if (!loaded_) return nullptr;
  std::shared_ptr<bool> alive = alive_;
  if (!Raise([&menu](WindowHandler& h) { h.OnMenuOpen(menu); }) || !loaded_) return nullptr;
  MenuItem* chosen = services_.forms.ShowPopupMenu(*this, menu);
  if (!*alive || !chosen || !loaded_ || !chosen->Choosable()) return nullptr;
  if (!Raise([chosen](WindowHandler& h) { h.OnMenuClick(*chosen); })) return nullptr;
  return chosen;
}

void Window::StartSystemMove() {
  if (!loaded_) return;
  EndCapture();
  services_.forms.StartSystemMove(*this);
}

}  // namespace kelvane::form
