// FormWindow: the top-level window, its creation and destruction, and the
// model's changes of the window itself.
#include "platform/win32/ui/forms/form_window.h"

#include <windows.h>
// <windows.h> first: the common controls build on its types.
#include <commctrl.h>

#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

using form::Change;

form::Insets InsetsOf(HWND hwnd, int tx, int ty) {
  RECT outer = {}, client = {};
  GetWindowRect(hwnd, &outer);
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return form::Insets{(client.left - outer.left) * tx, (client.top - outer.top) * ty,
                      (outer.right - client.right) * tx, (outer.bottom - client.bottom) * ty};
}

}  // namespace

FormWindow::FormWindow(form::Window& model, Resources& resources, HWND hidden_owner, int tx, int ty)
    : model_(model), resources_(resources), hidden_owner_(hidden_owner), tx_(tx), ty_(ty) {
  const WindowStyles styles =
      StylesFor(model.BorderStyle(), !model.Caption().empty(), model.ShowInTaskbar());
  const RECT r = WindowPixels(model.Left(), model.Top(), model.Width(), model.Height(), tx, ty);
  placed_ = TwipsRect{model.Left(), model.Top(), model.Width(), model.Height()};
  placed_pixels_ = r;
  // A window with a class of its own (the application window that setup and Dreslin look for)
  // still runs on the forms' window procedure.
  const std::wstring class_name =
      model.ClassName().empty() ? std::wstring(kFormClass) : Utf8ToWide(model.ClassName());
  RegisterFormClass(class_name.c_str());
  window_.Reset(CreateWindowExW(
      styles.ex_style, class_name.c_str(), Utf8ToWide(model.Caption()).c_str(),
      styles.style | WS_CLIPCHILDREN, r.left, r.top, r.right - r.left, r.bottom - r.top,
      styles.hidden_owner ? hidden_owner : nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!window_) return;
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // The frame the system really gives this style; the model's client size follows it.
  MeasureFrame();
  picture_ = resources_.LoadPicture(model.Picture());

  tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.Get(),
                                 nullptr, GetModuleHandleW(nullptr), nullptr));

  // Containers come before their children in creation order. The model may
  // have restacked a layer before the window was made, and a new child window
  // need not come out above its elder siblings: each layer is stacked as the
  // model has it, once all exist.
  for (const auto& control : model.Controls()) CreateView(*control);
  if (!model.Children().empty()) Restack(*model.Children().front());
  for (const auto& control : model.Controls()) {
    const auto* box = dynamic_cast<const form::Container*>(control.get());
    if (box && !box->Children().empty()) Restack(*box->Children().front());
  }
  if (model.Topmost())
    SetWindowPos(window_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  model.SetHandle(reinterpret_cast<platform::WindowId>(window_.Get()));
  model.SetObserver(this);
}

FormWindow::~FormWindow() {
  *alive_ = false;
  dying_ = true;
  // Children before their containers, then the tooltip and the window itself
  // (which would otherwise take its children and owned windows along).
  for (auto it = views_.rbegin(); it != views_.rend(); ++it) DestroyControlWindow(**it);
  tooltip_.Reset();
  if (window_) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
  window_.Reset();
}

void FormWindow::Detach() {
  model_.SetObserver(nullptr);
  model_.SetHandle(platform::kNoWindow);
}

// --- lookups -------------------------------------------------------------------------

ControlView* FormWindow::View(const form::Control& control) const {
  auto it = by_control_.find(&control);
  return it == by_control_.end() ? nullptr : it->second;
}

ControlView* FormWindow::ViewOf(HWND hwnd) const {
  auto it = by_window_.find(hwnd);
  return it == by_window_.end() ? nullptr : it->second;
}

HWND FormWindow::ControlWindow(const form::Control& control) const {
  const ControlView* view = View(control);
  return view ? view->window.Get() : nullptr;
}

HWND FormWindow::ContainerWindow(const form::Control& control) const {
  if (!control.Parent()) return window_.Get();
  const ControlView* parent = View(*control.Parent());
  return parent ? parent->window.Get() : nullptr;
}

RECT FormWindow::PixelsOf(const form::Control& control) const {
  return ControlPixels(control.Left(), control.Top(), control.Width(), control.Height(), tx_, ty_);
}

void FormWindow::MenuChanged(form::MenuItem& item, Change what) {
  if (popup_ && !dying_) popup_->Follow(item, what);
}

void FormWindow::WindowChanged(form::Window&, Change what) {
  if (dying_ || !window_) return;
  switch (what) {
    case Change::kCaption: {
      SetWindowTextW(window_.Get(), Utf8ToWide(model_.Caption()).c_str());
      // A caption that appears or goes takes the title bar with it.
      const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_.Get(), GWL_STYLE));
      const WindowStyles wanted =
          StylesFor(model_.BorderStyle(), !model_.Caption().empty(), model_.ShowInTaskbar());
      if ((style & kStyleBitsOwned) != (wanted.style & kStyleBitsOwned)) ApplyStyles();
      return;
    }
    case Change::kBounds:
      if (!reporting_) ApplyBounds();
      return;
    case Change::kVisible:
      ApplyVisible();
      return;
    case Change::kWindowState:
      ApplyState();
      return;
    case Change::kTopmost:
      SetWindowPos(window_.Get(), model_.Topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    case Change::kBorderStyle:
    case Change::kShowInTaskbar:
      ApplyStyles();
      return;
    case Change::kPicture:
      picture_ = resources_.LoadPicture(model_.Picture());
      InvalidateRect(window_.Get(), nullptr, FALSE);
      return;
    case Change::kBackColour:
      InvalidateRect(window_.Get(), nullptr, FALSE);
      return;
    case Change::kPointer:
      RefreshPointer();
      return;
    case Change::kFocus:
      ApplyFocus();
      return;
    default:
      return;
  }
}

void FormWindow::MeasureFrame() {
  model_.SetFrameInsets(InsetsOf(window_.Get(), tx_, ty_));
}

void FormWindow::ApplyStyles() {
  const HWND hwnd = window_.Get();
  const WindowStyles wanted =
      StylesFor(model_.BorderStyle(), !model_.Caption().empty(), model_.ShowInTaskbar());
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~kStyleBitsOwned) | wanted.style);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, (ex_style & ~kExStyleBitsOwned) | wanted.ex_style);
  // GWLP_HWNDPARENT of a top-level window is its owner.
  SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT,
                    reinterpret_cast<LONG_PTR>(wanted.hidden_owner ? hidden_owner_ : nullptr));
  // The outer rectangle stays the model's; the client area gives way.
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  MeasureFrame();
  InvalidateRect(hwnd, nullptr, FALSE);
}

void FormWindow::ApplyBounds() {
  const HWND hwnd = window_.Get();
  const RECT want =
      WindowPixels(model_.Left(), model_.Top(), model_.Width(), model_.Height(), tx_, ty_);
  RECT now = {};
  GetWindowRect(hwnd, &now);
  // Also a maximised window's own rectangle, echoed back through the model.
  if (EqualRect(&now, &want)) return;
  if (IsIconic(hwnd) || IsZoomed(hwnd)) {
    // The place the window comes back to when restored.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd, &placement);
    placement.rcNormalPosition = want;
    if (!IsWindowVisible(hwnd)) placement.showCmd = SW_HIDE;
    placement.flags = 0;
    SetWindowPlacement(hwnd, &placement);
    return;
  }
  placed_ = TwipsRect{model_.Left(), model_.Top(), model_.Width(), model_.Height()};
  placed_pixels_ = want;
  SetWindowPos(hwnd, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ApplyVisible() {
  const HWND hwnd = window_.Get();
  if (!model_.Visible()) {
    ShowWindow(hwnd, SW_HIDE);
    ReleasePictures();
    return;
  }
  int command = SW_SHOWNORMAL;
  if (model_.WindowState() == form::WindowState::kMinimised) command = SW_SHOWMINIMIZED;
  if (model_.WindowState() == form::WindowState::kMaximised) command = SW_SHOWMAXIMIZED;
  ShowWindow(hwnd, command);
  if (model_.Topmost())
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A window hidden to the tray may stay hidden for weeks: its decoded pictures
// go, and its first paint after it is shown decodes them again.
void FormWindow::ReleasePictures() {
  if (picture_) picture_->Release();
  for (const auto& view : views_)
    if (view->picture) view->picture->Release();
}

void FormWindow::ApplyState() {
  const HWND hwnd = window_.Get();
  // A hidden window takes its state when it is shown.
  if (!IsWindowVisible(hwnd)) return;
  const form::WindowState real = IsIconic(hwnd)   ? form::WindowState::kMinimised
                                 : IsZoomed(hwnd) ? form::WindowState::kMaximised
                                                  : form::WindowState::kNormal;
  if (real == model_.WindowState()) return;
  switch (model_.WindowState()) {
    case form::WindowState::kNormal:
      ShowWindow(hwnd, SW_RESTORE);
      return;
    case form::WindowState::kMinimised:
      ShowWindow(hwnd, SW_MINIMIZE);
      return;
    case form::WindowState::kMaximised:
      ShowWindow(hwnd, SW_MAXIMIZE);
      return;
  }
}

void FormWindow::ApplyFocus() {
  const form::Control* focused = model_.Focused();
  const ControlView* view = focused ? View(*focused) : nullptr;
  if (!view || !view->window) return;
  const HWND now = GetFocus();
  if (now == view->window.Get() || (view->inner && now == view->inner)) return;
  // Focusing a control of an inactive window would activate it: the focus
  // waits for the window's activation instead (OnActivate).
  if (GetActiveWindow() == window_.Get()) SetFocus(view->window.Get());
}

}  // namespace kelvane::platform::win32::forms
