#include "platform/win32/ui/tray.h"

#include <cstddef>
#include <cstring>

#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

constexpr UINT kIconId = 2;
// Tray messages arrive as WM_MOUSEMOVE with the mouse message in lParam. The
// receiving window is never shown, so no real mouse move can be mistaken for one.
constexpr UINT kCallbackMessage = WM_MOUSEMOVE;
constexpr char kClassName[] = "KelvaneTrayWindow";
// The record as Windows 95 and NT 4 knew it, with a 64-character tip: it ends
// after szTip, so its size follows the pointers (88 bytes in a 32-bit program,
// 104 in a 64-bit one). Newer systems take it as it is; 64-bit Wine corrects a
// wrong size with a warning, so only the size itself proves this.
constexpr std::size_t kTipChars = 64;
constexpr DWORD kRecordSize = offsetof(NOTIFYICONDATAA, szTip) + kTipChars;
static_assert(kRecordSize == (sizeof(void*) == 4 ? 88 : 104));

}  // namespace

Win32Tray::Win32Tray(NotifyFunction notify) : notify_(notify) {}

void Win32Tray::MakeWindow() {
  if (window_) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  window_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, wc.hInstance, nullptr));
  SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
}

Win32Tray::~Win32Tray() {
  if (window_) SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
}

bool Win32Tray::Send(DWORD operation, const Icon* icon, std::string_view tip) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  data.cbSize = kRecordSize;
  data.hWnd = window_.Get();
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon ? reinterpret_cast<HICON>(icon->Handle()) : nullptr;
  std::string acp = Utf8ToAcp(tip);
  std::size_t n = std::min<std::size_t>(acp.size(), kTipChars - 1);
  std::memcpy(data.szTip, acp.data(), n);
  data.szTip[n] = '\0';
  return notify_(operation, &data) != FALSE;
}

bool Win32Tray::Add(const Icon* icon, std::string_view tip, EventHandler on_event) {
  MakeWindow();
  handler_ = std::move(on_event);
  return Send(NIM_ADD, icon, tip);
}

bool Win32Tray::Modify(const Icon* icon, std::string_view tip) {
  return Send(NIM_MODIFY, icon, tip);
}

bool Win32Tray::Remove() {
  return Send(NIM_DELETE, nullptr, "");
}

LRESULT CALLBACK Win32Tray::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<Win32Tray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self) {
    if (message == kCallbackMessage && wparam == kIconId) {
      if (self->handler_) self->handler_(static_cast<int>(LOWORD(lparam)));
      return 0;
    }
    if (self->taskbar_created_ != 0 && message == self->taskbar_created_) {
      if (self->restart_) self->restart_();
      return 0;
    }
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace kelvane::platform::win32
