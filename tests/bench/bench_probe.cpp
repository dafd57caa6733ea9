// bench_probe.exe: a small program that the bench's own tests drive.
//
// Console mode (the default) checks the runner:
//   --say TEXT          print TEXT and a newline (msvcrt's text mode writes CRLF)
//   --sleep-ms N        wait N ms before exiting
//   --exit-code N       exit with N
//   --expect-bin-dir    fail unless KELVANE_BIN_DIR names this exe's folder
// Window mode (--window) checks the desktop helpers:
//   a top-level window titled TITLE (--title, default "Kelvane bench probe") whose client area is
//   filled with kFill; --brushes N keeps N extra brushes alive until exit; --tray adds a
//   notification icon, and a left click on it appends " clicked" to the title. It prints its
//   Windows process id as "pid N", runs until closed and exits 0.
// In either mode --mutex NAME holds the named mutex until it exits (a program that holds a
// single-instance mutex); with --deny-open no other process may open it (one run with other
// rights).
#include <windows.h>
// <windows.h> first: the other Win32 headers need its types.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kFill = RGB(32, 128, 224);
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayId = 2;

// Owns one brush; moves, never copies, so each brush is deleted exactly once.
class Brush {
 public:
  explicit Brush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
  Brush(Brush&& other) noexcept : brush_(std::exchange(other.brush_, nullptr)) {}
  Brush& operator=(Brush&& other) noexcept {
    std::swap(brush_, other.brush_);
    return *this;
  }
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;
  ~Brush() {
    if (brush_) DeleteObject(brush_);
  }
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

struct Options {
  bool window = false;
  bool tray = false;
  bool expect_bin_dir = false;
  int brushes = 0;
  int sleep_ms = 0;
  int exit_code = 0;
  std::string title = "Kelvane bench probe";
  std::vector<std::string> say;
  std::string mutex;
  bool deny_open = false;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--window") {
      o.window = true;
    } else if (arg == "--tray") {
      o.tray = true;
    } else if (arg == "--expect-bin-dir") {
      o.expect_bin_dir = true;
    } else if (arg == "--brushes" && has_value) {
      o.brushes = std::atoi(argv[++i]);
    } else if (arg == "--sleep-ms" && has_value) {
      o.sleep_ms = std::atoi(argv[++i]);
    } else if (arg == "--exit-code" && has_value) {
      o.exit_code = std::atoi(argv[++i]);
    } else if (arg == "--title" && has_value) {
      o.title = argv[++i];
    } else if (arg == "--mutex" && has_value) {
      o.mutex = argv[++i];
    } else if (arg == "--deny-open") {
      o.deny_open = true;
    } else if (arg == "--say" && has_value) {
      o.say.push_back(argv[++i]);
    } else {
      std::fprintf(stderr, "bench_probe: bad argument %s\n", arg.c_str());
      return false;
    }
  }
  return true;
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\'));
}

int CheckBinDir() {
  const char* bin_dir = std::getenv("KELVANE_BIN_DIR");
  const std::string folder = ExeFolder();
  if (!bin_dir || lstrcmpiA(bin_dir, folder.c_str()) != 0) {
    std::printf("KELVANE_BIN_DIR is \"%s\", the exe's folder is \"%s\"\n",
                bin_dir ? bin_dir : "(unset)", folder.c_str());
    return 1;
  }
  std::printf("KELVANE_BIN_DIR %s\n", bin_dir);
  return 0;
}

struct ProbeWindow {
  Brush fill{kFill};
  std::string title;
  bool tray = false;
};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* probe = reinterpret_cast<ProbeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrA(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, probe->fill.get());
      return 1;
    }
    case kTrayMessage:
      if (wparam == kTrayId && lparam == WM_LBUTTONUP) {
        probe->title += " clicked";
        SetWindowTextA(hwnd, probe->title.c_str());
        std::printf("tray click\n");
        std::fflush(stdout);
      }
      return 0;
    case WM_DESTROY:
      if (probe->tray) {
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = hwnd;
        icon.uID = kTrayId;
        Shell_NotifyIconA(NIM_DELETE, &icon);
      }
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

int RunWindow(const Options& o) {
  std::vector<Brush> extra;
  for (int i = 0; i < o.brushes; ++i) extra.emplace_back(RGB(i % 256, 0, 0));

  ProbeWindow probe;
  probe.title = o.title;
  probe.tray = o.tray;
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "KelvaneBenchProbe";
  if (!RegisterClassA(&wc)) return 2;
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, o.title.c_str(), WS_OVERLAPPEDWINDOW, 200, 150,
                              320, 200, nullptr, nullptr, wc.hInstance, &probe);
  if (!hwnd) return 2;
  if (o.tray) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = hwnd;
    icon.uID = kTrayId;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);  // shared: never destroyed
    lstrcpynA(icon.szTip, o.title.c_str(), 64);
    if (!Shell_NotifyIconA(NIM_ADD, &icon)) return 2;
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  std::printf("pid %lu\n", static_cast<unsigned long>(GetCurrentProcessId()));
  std::fflush(stdout);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!Parse(argc, argv, o)) return 2;
  HANDLE mutex = nullptr;
  if (!o.mutex.empty()) {
    // An empty access list grants no one anything, the creator's later opens included.
    SECURITY_DESCRIPTOR nobody;
    InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &nobody, FALSE};
    mutex = CreateMutexA(o.deny_open ? &attributes : nullptr, FALSE, o.mutex.c_str());
    if (!mutex) return 3;
  }
  if (o.window) {
    const int code = RunWindow(o);
    if (mutex) CloseHandle(mutex);
    return code;
  }
  for (const std::string& line : o.say) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  if (o.sleep_ms > 0) Sleep(o.sleep_ms);
  if (mutex) CloseHandle(mutex);
  if (o.expect_bin_dir && CheckBinDir() != 0) return 1;
  return o.exit_code;
}
