// minimal_tray.exe: the least a tray temperature display must do, as the yardstick of Kelvane's
// cost. Once a second it finds the monitor's window, reads the texts of its windows (the ten that
// the monitor page holds), draws the CPU temperature as two digits into a 32 x 32 icon and
// replaces the tray icon with it. Nothing else: no settings, no windows shown, no waits.
#include <windows.h>
// <windows.h> first: the shell's header needs its types.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kTrayId = 2;
constexpr UINT_PTR kTimerId = 1;

HWND g_window = nullptr;
HICON g_icon = nullptr;
bool g_added = false;

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  char text[64];
  GetWindowTextA(child, text, sizeof text);
  reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
  return TRUE;
}

// The monitor's windows in order: the page's marker "MonitorForm" and the nine readings after
// it; the CPU temperature is the fifth reading.
std::string CpuTemperature() {
  HWND monitor = FindWindowA("TMainForm", "Asus Probe 2");
  if (!monitor) return "--";
  std::vector<std::string> texts;
  EnumChildWindows(monitor, CollectText, reinterpret_cast<LPARAM>(&texts));
  std::size_t marker = 0;
  while (marker < texts.size() && texts[marker] != "MonitorForm") ++marker;
  if (marker + 10 > texts.size()) return "--";
  return std::to_string(std::atoi(texts[marker + 5].c_str()) % 100);
}

HICON DigitsIcon(const std::string& digits) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, 32, 32);
  HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
  HFONT font = CreateFontA(-32, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ old_bitmap = SelectObject(dc, colour);
  HGDIOBJ old_font = SelectObject(dc, font);
  RECT square{0, 0, 32, 32};
  FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 255, 0));
  TextOutA(dc, 0, 0, digits.c_str(), static_cast<int>(digits.size()));
  SelectObject(dc, old_font);
  SelectObject(dc, mask);
  PatBlt(dc, 0, 0, 32, 32, BLACKNESS);
  SelectObject(dc, old_bitmap);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(font);
  DeleteObject(mask);
  DeleteObject(colour);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return icon;
}

void ShowReading() {
  HICON icon = DigitsIcon(CpuTemperature());
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = g_window;
  data.uID = kTrayId;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = icon;
  lstrcpyA(data.szTip, "minimal");
  if (!g_added) g_added = Shell_NotifyIconA(NIM_ADD, &data);
  else Shell_NotifyIconA(NIM_MODIFY, &data);
  if (g_icon) DestroyIcon(g_icon);
  g_icon = icon;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_TIMER:
      ShowReading();
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY: {
      NOTIFYICONDATAA data{};
      data.cbSize = sizeof data;
      data.hWnd = window;
      data.uID = kTrayId;
      Shell_NotifyIconA(NIM_DELETE, &data);
      PostQuitMessage(0);
      return 0;
    }
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "MinimalTray";
  RegisterClassA(&window_class);
  g_window = CreateWindowA("MinimalTray", "minimal", 0, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
  ShowReading();
  SetTimer(g_window, kTimerId, 1000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  if (g_icon) DestroyIcon(g_icon);
  return 0;
}
