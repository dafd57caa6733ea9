// FormWindow: the window procedures, and what the user does turned into the
// model's dispatch calls. Any of those calls may unload the window and so
// destroy this object: after one, code checks `alive` before touching anything.
#include <windowsx.h>

#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/form_window.h"
#include "platform/win32/ui/forms/translate.h"

namespace kelvane::platform::win32::forms {
namespace {

using form::ControlKind;
using form::MouseKind;

struct MouseMessage {
  MouseKind kind;
  int button;  // the button pressed or released; 0 for a move
};

std::optional<MouseMessage> MouseMessageOf(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
      return MouseMessage{MouseKind::kMove, 0};
    case WM_LBUTTONDOWN:
      return MouseMessage{MouseKind::kDown, form::button::kLeft};
    case WM_RBUTTONDOWN:
      return MouseMessage{MouseKind::kDown, form::button::kRight};
    case WM_MBUTTONDOWN:
      return MouseMessage{MouseKind::kDown, form::button::kMiddle};
    case WM_LBUTTONUP:
      return MouseMessage{MouseKind::kUp, form::button::kLeft};
    case WM_RBUTTONUP:
      return MouseMessage{MouseKind::kUp, form::button::kRight};
    case WM_MBUTTONUP:
      return MouseMessage{MouseKind::kUp, form::button::kMiddle};
    case WM_LBUTTONDBLCLK:
      return MouseMessage{MouseKind::kDoubleClick, form::button::kLeft};
    case WM_RBUTTONDBLCLK:
      return MouseMessage{MouseKind::kDoubleClick, form::button::kRight};
    case WM_MBUTTONDBLCLK:
      return MouseMessage{MouseKind::kDoubleClick, form::button::kMiddle};
    default:
      return std::nullopt;
  }
}

int VirtualKeyOf(int button) {
  return button == form::button::kLeft    ? VK_LBUTTON
         : button == form::button::kRight ? VK_RBUTTON
                                          : VK_MBUTTON;
}

int KeyShift() {
  return ShiftState(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                    GetKeyState(VK_MENU) < 0);
}

}  // namespace

void RegisterFormClass(const wchar_t* name) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW form_class = {};
  if (!GetClassInfoW(instance, name, &form_class)) {
    form_class.style = CS_DBLCLKS;
    form_class.lpfnWndProc = &FormWindow::TopProc;
    form_class.hInstance = instance;
    // No class cursor: the model's pointer is set on WM_SETCURSOR, and a native
    // control's own (the edit box's I-beam) shows where the model has none.
    form_class.lpszClassName = name;
    RegisterClassW(&form_class);
  }
}

void RegisterWindowClasses() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFormClass(kFormClass);
  WNDCLASSW container_class = {};
  if (!GetClassInfoW(instance, kContainerClass, &container_class)) {
    container_class.style = CS_DBLCLKS;
    container_class.lpfnWndProc = &FormWindow::ContainerProc;
    container_class.hInstance = instance;
    container_class.lpszClassName = kContainerClass;
    RegisterClassW(&container_class);
  }
}

// --- window procedures ---------------------------------------------------------------------

LRESULT CALLBACK FormWindow::TopProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->dying_) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->OnTopMessage(message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* view = reinterpret_cast<ControlView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!view || view->form.dying_) return DefWindowProcW(hwnd, message, wparam, lparam);
  return view->form.OnContainerMessage(*view, message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::NativeProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* view = reinterpret_cast<ControlView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!view) return DefWindowProcW(hwnd, message, wparam, lparam);
  const WNDPROC proc = hwnd == view->inner ? view->inner_proc : view->native_proc;
  if (!proc) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (view->form.dying_ || message == WM_NCDESTROY)
    return CallWindowProcW(proc, hwnd, message, wparam, lparam);
  return view->form.OnNativeMessage(*view, hwnd, proc, message, wparam, lparam);
}

LRESULT FormWindow::OnTopMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND hwnd = window_.Get();
  if (MouseMessageOf(message)) {
    Mouse(hwnd, message, wparam, lparam, true);
    return 0;
  }
  if (auto handled = OnChildNotification(message, wparam, lparam)) return *handled;
  switch (message) {
    case WM_PAINT:
      Paint(hwnd, nullptr);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_CAPTURECHANGED:
      if (!releasing_ && reinterpret_cast<HWND>(lparam) != hwnd) model_.UserCaptureLost();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && SetPointer(reinterpret_cast<HWND>(wparam))) return TRUE;
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      Key(message, wparam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(wparam);
      return 0;
    case WM_CLOSE:
      // The model decides: a handler may cancel, or unload and so destroy the window.
      model_.UserCloseBox();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam) model_.SystemClose();
      return 0;
    case WM_SIZE:
      ReportState(wparam);
      return 0;
    case WM_MOVE:
    case WM_EXITSIZEMOVE:
      ReportBounds();
      return 0;
    case WM_GETMINMAXINFO: {
      // The model keeps its own minimum sizes; the system's (wide enough for a
      // title bar's buttons) would stop a narrow tool window being sized.
      const form::Insets in = model_.FrameInsets();
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize.x = (in.left + in.right) / tx_ + 1;
      info->ptMinTrackSize.y = (in.top + in.bottom) / ty_ + 1;
      return 0;
    }
    case WM_INITMENUPOPUP:
      OnMenuOpening(reinterpret_cast<HMENU>(wparam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT FormWindow::OnContainerMessage(ControlView& view, UINT message, WPARAM wparam,
                                       LPARAM lparam) {
  const HWND hwnd = view.window.Get();
  if (MouseMessageOf(message)) {
    Mouse(hwnd, message, wparam, lparam, true);
    return 0;
  }
  if (auto handled = OnChildNotification(message, wparam, lparam)) return *handled;
  switch (message) {
    case WM_PAINT:
      Paint(hwnd, &view);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
      model_.UserFocus(view.control);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      Key(message, wparam, &view.control);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT FormWindow::OnNativeMessage(ControlView& view, HWND hwnd, WNDPROC proc, UINT message,
                                    WPARAM wparam, LPARAM lparam) {
  const std::shared_ptr<bool> alive = alive_;
  const ControlKind kind = view.control.Kind();
  const bool clickable = kind == ControlKind::kCheckBox || kind == ControlKind::kButton;

  if (const auto mouse = MouseMessageOf(message)) {
    // The control acts first (its press look, its capture, a scroll bar's
    // tracking), then the model hears of it.
    const bool release = mouse->kind == MouseKind::kUp;
    if (release) view.model_clicks = true, releasing_ = true;
    const LRESULT result = CallWindowProcW(proc, hwnd, message, wparam, lparam);
    if (!*alive) return result;
    if (release) view.model_clicks = false, releasing_ = false;
    Mouse(hwnd, message, wparam, lparam, false);
    if (!*alive) return result;
    // A scroll bar tracks the pointer in a loop of its own until the release,
    // which it keeps; the model gets it now.
    if (kind == ControlKind::kScrollBar && mouse->kind != MouseKind::kMove && !release &&
        GetKeyState(VirtualKeyOf(mouse->button)) >= 0)
      MouseAtCursor(MouseKind::kUp, mouse->button);
    return result;
  }

  switch (message) {
    case WM_CAPTURECHANGED: {
      const LRESULT result = CallWindowProcW(proc, hwnd, message, wparam, lparam);
      if (*alive && !releasing_) model_.UserCaptureLost();
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = CallWindowProcW(proc, hwnd, message, wparam, lparam);
      if (*alive) model_.UserFocus(view.control);
      return result;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
      const int code = Key(message, wparam, &view.control);
      if (!*alive) return 0;
      if (code == 0) {
        // A discarded space must not leave a button looking pressed.
        if (message == WM_KEYUP && clickable) SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
        return 0;
      }
      // The model clicks on a released space itself.
      const bool space_up = message == WM_KEYUP && code == VK_SPACE && clickable;
      if (space_up) view.model_clicks = true;
      const LRESULT result =
          CallWindowProcW(proc, hwnd, message, static_cast<WPARAM>(code), lparam);
      if (*alive && space_up) view.model_clicks = false;
      return result;
    }
    default:
      return CallWindowProcW(proc, hwnd, message, wparam, lparam);
  }
}

std::optional<LRESULT> FormWindow::OnChildNotification(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      ControlView* view = ViewOf(reinterpret_cast<HWND>(lparam));
      if (!view || view->writing) return std::nullopt;
      form::Control& c = view->control;
      const int code = HIWORD(wparam);
      if (code == BN_CLICKED && !view->model_clicks) {
        // A click the model did not see: the keyboard's, or another program's.
        if (c.Kind() == ControlKind::kCheckBox)
          model_.UserClickCheckBox(static_cast<form::CheckBox&>(c));
        else if (c.Kind() == ControlKind::kButton)
          model_.UserClickButton(static_cast<form::Button&>(c));
      } else if (code == EN_CHANGE && c.Kind() == ControlKind::kTextBox) {
        model_.UserEditText(c, WideToUtf8(TextOf(view->window.Get())));
      } else if (code == CBN_SELCHANGE && c.Kind() == ControlKind::kListBox) {
        const LRESULT index = SendMessageW(view->window.Get(), CB_GETCURSEL, 0, 0);
        if (index != CB_ERR)
          model_.UserPickListItem(static_cast<form::ListBox&>(c), static_cast<int>(index));
      } else if (code == CBN_EDITCHANGE && c.Kind() == ControlKind::kListBox) {
        model_.UserEditText(c, WideToUtf8(TextOf(view->window.Get())));
      }
      return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      ControlView* view = ViewOf(reinterpret_cast<HWND>(lparam));
      if (!view || view->control.Kind() != ControlKind::kScrollBar) return std::nullopt;
      auto& bar = static_cast<form::ScrollBar&>(view->control);
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_POS | SIF_TRACKPOS;
      GetScrollInfo(view->window.Get(), SB_CTL, &info);
      const int code = LOWORD(wparam);
      const auto request = ScrollRequestFor(
          code, code == SB_THUMBPOSITION ? info.nTrackPos : info.nPos, bar.Min(), bar.Max());
      if (!request) return 0;
      const std::shared_ptr<bool> alive = alive_;
      model_.UserScroll(bar, request->action, request->value);
      // The thumb shows the model's value, also when the value did not change.
      if (*alive) WriteScroll(*view);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      ControlView* view = ViewOf(reinterpret_cast<HWND>(lparam));
      if (!view || !view->back_brush || !*view->back_brush) return std::nullopt;
      const HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, ResolveColour(view->control.ForeColour()));
      SetBkColor(dc, ResolveColour(view->control.BackColour()));
      return reinterpret_cast<LRESULT>(view->back_brush->Get());
    }
    default:
      return std::nullopt;
  }
}

// --- mouse and keys ------------------------------------------------------------------------

POINT FormWindow::ClientPixel(HWND from, POINT p) const {
  MapWindowPoints(from, window_.Get(), &p, 1);
  return p;
}

void FormWindow::Mouse(HWND from, UINT message, WPARAM wparam, LPARAM lparam, bool own) {
  const std::optional<MouseMessage> mouse = MouseMessageOf(message);
  if (!mouse) return;
  const POINT p = ClientPixel(from, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
  const int shift =
      ShiftState((wparam & MK_SHIFT) != 0, (wparam & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0);
  const int x = p.x * tx_, y = p.y * ty_;
  const HWND hwnd = window_.Get();
  switch (mouse->kind) {
    case MouseKind::kMove:
      model_.UserMouse(MouseKind::kMove, x, y, HeldButtons(wparam), shift);
      return;
    case MouseKind::kDown:
    case MouseKind::kDoubleClick:
      // The press keeps the pointer until the last button is released. Native
      // controls capture it themselves.
      if (own && GetCapture() != hwnd) SetCapture(hwnd);
      model_.UserMouse(mouse->kind, x, y, mouse->button, shift);
      return;
    case MouseKind::kUp:
      // Let go before the model runs: its handler may open a menu or a message
      // box. The model ends its own capture with this release.
      if (own && HeldButtons(wparam) == 0 && GetCapture() == hwnd) {
        releasing_ = true;
        ReleaseCapture();
        releasing_ = false;
      }
      model_.UserMouse(MouseKind::kUp, x, y, mouse->button, shift);
      return;
  }
}

void FormWindow::MouseAtCursor(MouseKind kind, int button) {
  POINT p = {};
  GetCursorPos(&p);
  ScreenToClient(window_.Get(), &p);
  model_.UserMouse(kind, p.x * tx_, p.y * ty_, button, KeyShift());
}

int FormWindow::Key(UINT message, WPARAM code, form::Control* to) {
  const form::KeyKind kind = message == WM_KEYDOWN ? form::KeyKind::kDown
                             : message == WM_KEYUP ? form::KeyKind::kUp
                                                   : form::KeyKind::kPress;
  return model_.UserKey(kind, static_cast<int>(code), KeyShift(), to);
}

bool FormWindow::SetPointer(HWND under) {
  POINT p = {};
  GetCursorPos(&p);
  ScreenToClient(window_.Get(), &p);
  HCURSOR cursor = resources_.Cursor(model_.PointerAt(p.x * tx_, p.y * ty_));
  if (!cursor) {
    // The default pointer: the arrow on the renderer's own windows; a native
    // control shows its own.
    const bool own = under == window_.Get() || (ViewOf(under) && !ViewOf(under)->native_proc);
    if (!own) return false;
    cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  }
  SetCursor(cursor);
  return true;
}

void FormWindow::RefreshPointer() {
  // WM_SETCURSOR comes with the next move; while the pointer is over the window
  // or captured by it, the new image shows at once.
  POINT p = {};
  GetCursorPos(&p);
  const HWND under = WindowFromPoint(p);
  const HWND capture = GetCapture();
  const HWND top = window_.Get();
  const bool ours = under == top || IsChild(top, under);
  if (ours || capture == top || (capture && IsChild(top, capture))) SetPointer(ours ? under : top);
}

void FormWindow::OnActivate(WPARAM wparam) {
  const HWND hwnd = window_.Get();
  if (LOWORD(wparam) == WA_INACTIVE) {
    DefWindowProcW(hwnd, WM_ACTIVATE, wparam, 0);
    return;
  }
  // The focus goes back to the model's focused control, not to the window.
  const form::Control* focused = model_.Focused();
  const HWND target = focused ? ControlWindow(*focused) : nullptr;
  if (target && !HIWORD(wparam)) {
    SetFocus(target);
  } else {
    DefWindowProcW(hwnd, WM_ACTIVATE, wparam, 0);
  }
  model_.UserActivate();
}

void FormWindow::OnMenuOpening(HMENU menu) {
  if (!popup_) return;
  form::MenuItem* item = popup_->SubmenuItem(menu);
  if (!item) return;  // the popup itself: the model raised its open already
  const std::shared_ptr<bool> alive = alive_;
  model_.UserMenuOpen(*item);
  // The handler may have changed the items it is about to show.
  if (*alive && popup_) popup_->Refill(menu);
}

void FormWindow::ReportState(WPARAM size_kind) {
  const std::shared_ptr<bool> alive = alive_;
  const form::WindowState real = size_kind == SIZE_MINIMIZED   ? form::WindowState::kMinimised
                                 : size_kind == SIZE_MAXIMIZED ? form::WindowState::kMaximised
                                                               : form::WindowState::kNormal;
  if (size_kind != SIZE_MINIMIZED && size_kind != SIZE_MAXIMIZED && size_kind != SIZE_RESTORED)
    return;
  // A hidden window's state is the model's to set (ApplyVisible shows it so).
  if (!IsWindowVisible(window_.Get())) return;
  if (real != model_.WindowState()) model_.UserSetWindowState(real);
  if (*alive && real != form::WindowState::kMinimised) ReportBounds();
}

void FormWindow::ReportBounds() {
  const HWND hwnd = window_.Get();
  if (IsIconic(hwnd) || !IsWindowVisible(hwnd)) return;
  RECT real = {};
  GetWindowRect(hwnd, &real);
  const TwipsRect model{model_.Left(), model_.Top(), model_.Width(), model_.Height()};
  TwipsRect now = ReportedBounds(model, real, tx_, ty_);
  // Back where the renderer put it (a window manager may bounce a window to an
  // older place and back): the values it was put there for.
  if (EqualRect(&real, &placed_pixels_)) now = placed_;
  if (now == model) return;
  const std::shared_ptr<bool> alive = alive_;
  if (now.left != model.left || now.top != model.top) {
    // Only the position: no handler runs, and the window is already there.
    reporting_ = true;
    model_.UserMove(now.left, now.top);
    reporting_ = false;
  }
  if (*alive && (now.width != model.width || now.height != model.height))
    model_.UserResize(now.width, now.height);
}

// --- popup menus and the system's move loop -------------------------------------------------

form::MenuItem* FormWindow::TrackPopup(form::MenuItem& menu) {
  const HWND hwnd = window_.Get();
  PopupMenu popup(menu);
  if (!hwnd || !popup.Handle()) return nullptr;
  PopupMenu* const outer = std::exchange(popup_, &popup);
  POINT at = {};
  GetCursorPos(&at);
  // A popup menu closes when the user clicks elsewhere only if its owner is the
  // foreground window; opened from the tray or a hidden window it would
  // otherwise stay open.
  SetForegroundWindow(hwnd);
  const std::shared_ptr<bool> alive = alive_;
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      popup.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr));
  if (!*alive) return nullptr;  // unloaded while the menu was open
  popup_ = outer;
  // The task switch the menu held back happens with the owner's next message.
  PostMessageW(hwnd, WM_NULL, 0, 0);
  return popup.ItemFor(command);
}

namespace {

// Under Wine the title-bar move is handed to the X window manager, which only
// ends it on a button release it sees itself. A quick click (released before
// the manager took the pointer) leaves the window glued to the pointer until
// the next click, so there the move runs here instead, as Windows' own loop
// does: follow the pointer until the left button comes up.
bool RunningOnWine() {
  static const bool wine =
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

void FollowPointerUntilRelease(HWND window) {
  POINT start{};
  GetCursorPos(&start);
  RECT origin{};
  GetWindowRect(window, &origin);
  SetCapture(window);
  MSG message;
  while (GetCapture() == window && GetMessageW(&message, nullptr, 0, 0)) {
    if (message.message == WM_LBUTTONUP || message.message == WM_RBUTTONDOWN) break;
    if (message.message == WM_MOUSEMOVE) {
      if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0) break;
      POINT at{};
      GetCursorPos(&at);
      SetWindowPos(window, nullptr, origin.left + at.x - start.x, origin.top + at.y - start.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      continue;
    }
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (GetCapture() == window) ReleaseCapture();
}

}  // namespace

void FormWindow::SystemMove() {
  // The system's move loop runs inside this call, as for a press on a title
  // bar (the window may have none), and returns when the button is released.
  releasing_ = true;
  ReleaseCapture();
  releasing_ = false;
  const std::shared_ptr<bool> alive = alive_;
  if (RunningOnWine()) {
    releasing_ = true;
    FollowPointerUntilRelease(window_.Get());
    releasing_ = false;
  } else {
    SendMessageW(window_.Get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
  if (*alive) ReportBounds();
}

}  // namespace kelvane::platform::win32::forms
