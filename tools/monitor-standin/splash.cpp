#include "splash.h"

#include <algorithm>

namespace kelvane::standin {

namespace {

constexpr char kSplashClass[] = "TSplashForm";
constexpr char kSplashTitle[] = "SplashForm";
constexpr int kWidth = 360;
constexpr int kHeight = 150;
constexpr UINT_PTR kProgressTimer = 1;

}  // namespace

bool Splash::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
  wc.lpszClassName = kSplashClass;
  return RegisterClassExA(&wc) != 0;
}

Splash::Splash(HINSTANCE instance, DWORD duration_ms)
    : shown_at_(GetTickCount()), duration_ms_(std::max<DWORD>(duration_ms, 1)) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kSplashClass, kSplashTitle,
                                WS_POPUP, x, y, kWidth, kHeight, nullptr, nullptr, instance, this));
  if (!window_) return;
  SetTimer(hwnd(), kProgressTimer, 100, nullptr);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
}

LRESULT CALLBACK Splash::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* self = reinterpret_cast<const Splash*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (self != nullptr) {
        ScopedPaint paint(hwnd);
        self->Paint(paint.dc());
        return 0;
      }
      break;
    case WM_TIMER:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_CLOSE:
      // A monitor told to close while it starts does not start.
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

void Splash::Paint(HDC dc) const {
  FillBox(dc, {0, 0, kWidth, kHeight}, colour::kCaption);
  FrameBox(dc, {0, 0, kWidth, kHeight}, colour::kEdge);
  DrawTextIn(dc, {0, 24, kWidth, 60}, "Asus Probe 2", fonts_.value.get(), colour::kCaptionText,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  DrawTextIn(dc, {0, 62, kWidth, 86}, "Starting the hardware monitor...", fonts_.label.get(),
             colour::kCaptionText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const Box bar{40, 104, kWidth - 40, 118};
  const DWORD elapsed = std::min<DWORD>(GetTickCount() - shown_at_, duration_ms_);
  const int filled = static_cast<int>(bar.Width() * static_cast<long long>(elapsed) / duration_ms_);
  FillBox(dc, bar, colour::kDisplay);
  FillBox(dc, {bar.left, bar.top, bar.left + filled, bar.bottom}, colour::kDisplayText);
  FrameBox(dc, bar, colour::kEdge);
}

}  // namespace kelvane::standin
