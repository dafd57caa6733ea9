// AsusProb.exe, the stand-in hardware monitor: a splash window, then the main
// window with its pages and reading windows, driven by the command line that
// options.h describes.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "main_window.h"
#include "options.h"
#include "sensors.h"
#include "splash.h"
#include "win_handles.h"

namespace kelvane::standin {
namespace {

constexpr char kControlClass[] = "AsusProbeStandinControl";
constexpr UINT_PTR kSplashDoneTimer = 1;
constexpr UINT_PTR kStartTimer = 2;
constexpr UINT_PTR kExitTimer = 3;
constexpr UINT_PTR kHangTimer = 4;
// How long the H key hangs the monitor when the command line gives no time.
constexpr int kHangByHandSeconds = 30;

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Under Wine a Linux path on the command line ("/tmp/feed.txt") is reached
// through the Z: drive, which maps the Linux root; Windows itself would read it
// as a folder of the current drive.
std::string HostPath(const std::string& path) {
  if (!path.empty() && path[0] == '/' && RunningUnderWine()) return "Z:" + path;
  return path;
}

std::string ExePath() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

// The install record a monitor leaves: HKLM\SOFTWARE\ASUS\ASUS Probe, "Path" =
// the program's full file name in double quotes. The monitor is a 32-bit
// program, so on 64-bit Windows its record lands in the 32-bit view of
// SOFTWARE; the 64-bit stand-in writes it there too. Failing (no rights on a
// real Windows) is not fatal: the monitor runs all the same.
void RegisterInstall() {
#ifdef _WIN64
  constexpr REGSAM kAccess = KEY_SET_VALUE | KEY_WOW64_32KEY;
#else
  constexpr REGSAM kAccess = KEY_SET_VALUE;
#endif
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ASUS\\ASUS Probe", 0, nullptr, 0, kAccess,
                      nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    OutputDebugStringA("AsusProb: cannot create the install record\n");
    return;
  }
  const OwnedKey key(raw);
  const std::string value = "\"" + ExePath() + "\"";
  RegSetValueExA(key.get(), "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

bool IsLeftPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_NCLBUTTONDOWN ||
         message == WM_NCLBUTTONDBLCLK;
}

class App {
 public:
  App(HINSTANCE instance, Options options)
      : instance_(instance), options_(std::move(options)), start_tick_(GetTickCount()) {}

  int Run() {
    if (options_.register_install) RegisterInstall();
    if (!RegisterClasses()) return 1;
    // A message-only window carries the start-up timers: invisible to
    // FindWindow and to window enumeration.
    control_.reset(CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   instance_, this));
    if (!control_) return 1;
    if (options_.exit_after_s > 0) {
      const unsigned long long ms = options_.exit_after_s * 1000ull;
      SetTimer(control_.get(), kExitTimer, static_cast<UINT>(ms < 0x7FFFFFFF ? ms : 0x7FFFFFFF),
               nullptr);
    }
    if (options_.hang_for_s > 0) {
      const unsigned long long ms = options_.hang_after_s * 1000ull;
      SetTimer(control_.get(), kHangTimer,
               static_cast<UINT>(ms == 0           ? 1
                                 : ms < 0x7FFFFFFF ? ms
                                                   : 0x7FFFFFFF),
               nullptr);
    }
    if (options_.splash_ms > 0) {
      splash_ = std::make_unique<Splash>(instance_, options_.splash_ms);
      SetTimer(control_.get(), kSplashDoneTimer, options_.splash_ms, nullptr);
    } else {
      AfterSplash();
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      // Clicks are seen here, before any window handles them, so that a click
      // on a page button counts as one on the main window.
      if (IsLeftPress(msg.message)) NoteClick(msg);
      if (msg.message == WM_KEYDOWN && msg.wParam == 'H' && InMainWindow(msg.hwnd)) {
        Hang(options_.hang_for_s > 0 ? options_.hang_for_s : kHangByHandSeconds);
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
  }

 private:
  bool RegisterClasses() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kControlClass;
    return RegisterClassExA(&wc) != 0 && Splash::RegisterWindowClass(instance_) &&
           MainWindow::RegisterClasses(instance_);
  }

  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<App*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_TIMER && self != nullptr) {
      KillTimer(hwnd, wparam);  // all of them fire once
      self->OnTimer(wparam);
      return 0;
    }
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }

  void OnTimer(UINT_PTR timer) {
    switch (timer) {
      case kSplashDoneTimer:
        AfterSplash();
        break;
      case kStartTimer:
        ShowMain();
        break;
      case kHangTimer:
        Hang(options_.hang_for_s);
        break;
      case kExitTimer:
        if (main_ && main_->hwnd()) {
          PostMessageA(main_->hwnd(), WM_CLOSE, 0, 0);
        } else {
          PostQuitMessage(0);
        }
        break;
      default:
        break;
    }
  }

  void AfterSplash() {
    splash_.reset();
    if (options_.start_delay_ms > 0) {
      SetTimer(control_.get(), kStartTimer, options_.start_delay_ms, nullptr);
    } else {
      ShowMain();
    }
  }

  void ShowMain() {
    MainWindowSettings settings;
    settings.x = options_.at_x;
    settings.y = options_.at_y;
    settings.monitor_page_at_start = options_.no_wake;
    settings.marker = !options_.no_marker;
    settings.readings = options_.readings;
    settings.start_tick = start_tick_;
    settings.clicks_log = options_.clicks_log.value_or("");
    if (options_.feed) {
      settings.source = MakeFeedSource(HostPath(*options_.feed));
    } else if (options_.hwmon) {
      settings.source = MakeHwmonSource(HostPath(*options_.hwmon), options_.seed);
    } else {
      settings.source = MakeSyntheticSource(options_.seed);
    }
    main_ = std::make_unique<MainWindow>(instance_, std::move(settings));
    if (!main_->hwnd()) PostQuitMessage(1);
  }

  bool InMainWindow(HWND hwnd) const {
    if (!main_ || main_->hwnd() == nullptr) return false;
    return hwnd == main_->hwnd() || IsChild(main_->hwnd(), hwnd);
  }

  // The thread stops handling messages, as a monitor stuck in a sensor read
  // does: its windows stay, with their last texts, and the system soon calls
  // them not responding.
  static void Hang(int seconds) { Sleep(static_cast<DWORD>(seconds) * 1000); }

  // One line "x y" per left click on the main window or any of its children,
  // in pixels from the window's top-left outer corner; the file is closed
  // after each line so that a reader sees it at once.
  void NoteClick(const MSG& msg) {
    if (!main_ || main_->hwnd() == nullptr) return;
    const HWND main = main_->hwnd();
    if (msg.hwnd != main && !IsChild(main, msg.hwnd)) return;
    main_->NoteClick();
    if (!options_.clicks_log) return;
    RECT rect;
    if (!GetWindowRect(main, &rect)) return;
    if (std::FILE* log = std::fopen(HostPath(*options_.clicks_log).c_str(), "ab")) {
      std::fprintf(log, "%ld %ld\n", msg.pt.x - rect.left, msg.pt.y - rect.top);
      std::fclose(log);
    }
  }

  HINSTANCE instance_;
  Options options_;
  DWORD start_tick_;
  OwnedWindow control_;
  std::unique_ptr<Splash> splash_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace
}  // namespace kelvane::standin

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  kelvane::standin::App app(GetModuleHandleA(nullptr), kelvane::standin::ParseOptions(args));
  return app.Run();
}
