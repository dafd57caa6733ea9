#include "platform/win32/loop.h"

#include <utility>

#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

constexpr wchar_t kLoopWindowClass[] = L"KelvaneLoopWindow";

}  // namespace

// A timer of the loop: SetTimer on the loop's window while it has an interval
// and is enabled, KillTimer otherwise and when destroyed.
class Win32Timer final : public Timer {
 public:
  Win32Timer(Win32Loop& loop, std::function<void()> on_tick)
      : loop_(loop),
        id_(loop.AddTimer(std::make_shared<const std::function<void()>>(std::move(on_tick)))) {}
  ~Win32Timer() override {
    KillTimer(loop_.MessageWindow(), id_);
    loop_.RemoveTimer(id_);
  }
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;

  void SetInterval(int milliseconds) override {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Apply();
  }
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Apply();
  }
  bool Enabled() const override { return enabled_; }

 private:
  // SetTimer on a running timer replaces it, which restarts the period.
  void Apply() {
    if (enabled_ && interval_ > 0) {
      SetTimer(loop_.MessageWindow(), id_, static_cast<UINT>(interval_), nullptr);
    } else {
      KillTimer(loop_.MessageWindow(), id_);
    }
  }

  Win32Loop& loop_;
  UINT_PTR id_;
  int interval_ = 0;
  bool enabled_ = true;
};

Win32Loop::Win32Loop() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW window_class = {};
  if (!GetClassInfoW(instance, kLoopWindowClass, &window_class)) {
    window_class.lpfnWndProc = &WindowProc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kLoopWindowClass;
    RegisterClassW(&window_class);
  }
  // Message-only and untitled, so that searches for the program's own windows
  // never meet it: Windows leaves message-only windows out of FindWindowA;
  // Wine 8 does not, but no title search matches an empty title.
  window_.Reset(CreateWindowExW(0, kLoopWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                instance, nullptr));
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// Timers must not outlive their loop; the window goes with the loop.
Win32Loop::~Win32Loop() {
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK Win32Loop::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) {
    auto* loop = reinterpret_cast<Win32Loop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (loop) loop->OnTimer(wparam);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Win32Loop::OnTimer(UINT_PTR id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  // Held here, so the callback may destroy its own timer while it runs.
  const Callback callback = it->second;
  (*callback)();
}

UINT_PTR Win32Loop::AddTimer(Callback callback) {
  const UINT_PTR id = next_timer_id_++;
  timers_.emplace(id, std::move(callback));
  return id;
}

void Win32Loop::RemoveTimer(UINT_PTR id) {
  timers_.erase(id);
}

std::unique_ptr<Timer> Win32Loop::CreateTimer(std::function<void()> on_tick) {
  return std::make_unique<Win32Timer>(*this, std::move(on_tick));
}

void Win32Loop::YieldToMessages() {
  MSG message;
  // Waits are loops of yields. With nothing pending, give the processor away
  // for at most a millisecond instead of spinning a core for the whole wait.
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The program's Run loop must still see the quit that a yield took.
      quit_taken_ = true;
      quit_code_ = static_cast<int>(message.wParam);
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int Win32Loop::ShowMessageBox(std::string_view text, std::string_view title, unsigned style) {
  return MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), style);
}

void Win32Loop::Quit() {
  PostQuitMessage(0);
}

int Win32Loop::Run() {
  // A handler may yield and so take the WM_QUIT that GetMessageW would wait for.
  while (!quit_taken_) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got < 0) return -1;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  quit_taken_ = false;
  return quit_code_;
}

}  // namespace kelvane::platform::win32
