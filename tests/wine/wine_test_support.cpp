#include "wine_test_support.h"

#include <cstdio>

namespace kelvane::wine_test {
namespace {

using platform::win32::GdiBrush;
using platform::win32::KernelHandle;
using platform::win32::WindowDc;

double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  RECT top = client;
  top.bottom = client.bottom / 2;
  RECT bottom = client;
  bottom.top = top.bottom;
  const GdiBrush top_brush(CreateSolidBrush(TestWindow::kTopColour));
  const GdiBrush bottom_brush(CreateSolidBrush(TestWindow::kBottomColour));
  FillRect(dc, &top, top_brush.Get());
  FillRect(dc, &bottom, bottom_brush.Get());
  EndPaint(window, &paint);
}

void RegisterTestWindowClass() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class = {};
  if (GetClassInfoA(instance, TestWindow::kClassName, &window_class)) return;
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.lpszClassName = TestWindow::kClassName;
  RegisterClassA(&window_class);
}

}  // namespace

TestWindow::TestWindow(std::string_view title, const RECT& outer, DWORD extra_style) {
  RegisterTestWindowClass();
  window_.Reset(CreateWindowExA(0, kClassName, std::string(title).c_str(),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | extra_style, outer.left,
                                outer.top, outer.right - outer.left, outer.bottom - outer.top,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
}

TestWindow::~TestWindow() {
  // A test may have closed it already (WM_CLOSE destroys it).
  if (!IsWindow(window_.Get())) window_.Release();
}

LRESULT CALLBACK TestWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      if (self) {
        ++self->clicks_.presses;
        self->clicks_.last_press =
            POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      }
      return 0;
    case WM_LBUTTONUP:
      if (self) ++self->clicks_.releases;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool TestWindow::ShowOnTop() {
  ShowWindow(window_.Get(), SW_SHOWNORMAL);
  SetWindowPos(window_.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  SetForegroundWindow(window_.Get());
  UpdateWindow(window_.Get());
  const RECT client = ClientOnScreen();
  const int x = (client.left + client.right) / 2;
  const int y = client.top + (client.bottom - client.top) / 4;
  return PumpUntil(
      [&] {
        const WindowDc screen(nullptr);
        return GetPixel(screen.Get(), x, y) == kTopColour;
      },
      5.0);
}

HWND TestWindow::AddChild(std::string_view text, HWND parent) {
  // Children are destroyed with their parent window.
  return CreateWindowExA(0, "STATIC", std::string(text).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 10,
                         10, parent ? parent : window_.Get(), nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

RECT TestWindow::ClientOnScreen() const {
  RECT client = {};
  GetClientRect(window_.Get(), &client);
  MapWindowPoints(window_.Get(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

bool PumpUntil(const std::function<bool()>& done, double seconds) {
  const double end = Now() + seconds;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (Now() >= end) return false;
    Sleep(10);
  }
}

void PumpFor(double seconds) {
  PumpUntil([] { return false; }, seconds);
}

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  static int serial = 0;
  path_ = std::string(temp) + "kelvane-wine-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++serial);
  CreateDirectoryA(path_.c_str(), nullptr);
  path_ += '\\';
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path_ + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(full.c_str());
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
  }
  return bytes;
}

int RunAndWait(const std::string& command_line, double seconds) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  const KernelHandle process_handle(process.hProcess);
  const KernelHandle thread_handle(process.hThread);
  if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(seconds * 1000)) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}

}  // namespace kelvane::wine_test
