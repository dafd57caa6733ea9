// wintext.exe: what a test cannot see from X — the texts of a Windows program's
// windows — and a close request sent the way other programs send it.
//
//   wintext.exe [--class] [--exists|--visible|--close|--rect] NAME
//   wintext.exe --tips
//
// NAME is a top-level window's title (with --class: its window class, e.g.
// "#32770" for a message box, "#32768" for a popup menu). Without a flag it
// prints the window's own text and then each descendant's text, one per line.
// --exists and --visible answer with the exit code; --close sends WM_CLOSE;
// --rect prints "left top right bottom". Exit 1 when there is no such window.
// --tips prints the text of every tool of every tooltip window on the desktop
// (a tray icon's tip among them), one per line; the texts live in the tooltip's
// own process and are read from there.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK PrintText(HWND window, LPARAM) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  if (text[0]) std::printf("%s\n", text);
  return TRUE;
}

// The texts of one tooltip window's tools, read through a buffer in its process.
void PrintTips(HWND tooltip) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tooltip, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return;
  constexpr int kChars = 1024;
  const SIZE_T size = sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<BYTE*>(
      VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote) {
    auto* remote_text = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
    const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      SIZE_T moved = 0;
      WriteProcessMemory(process, remote, &info, sizeof info, &moved);
      if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(remote)))
        continue;
      ReadProcessMemory(process, remote, &info, sizeof info, &moved);
      info.lpszText = remote_text;
      const wchar_t nothing = 0;
      WriteProcessMemory(process, remote_text, &nothing, sizeof nothing, &moved);
      WriteProcessMemory(process, remote, &info, sizeof info, &moved);
      SendMessageW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
      wchar_t text[kChars] = {};
      ReadProcessMemory(process, remote_text, text, sizeof text - sizeof(wchar_t), &moved);
      char utf8[4 * kChars] = {};
      WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
      if (utf8[0]) std::printf("%s\n", utf8);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
}

BOOL CALLBACK PrintTipsOf(HWND window, LPARAM) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) PrintTips(window);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // no CR before each LF
  bool by_class = false;
  const char* mode = "";
  const char* name = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--class") == 0)
      by_class = true;
    else if (argv[i][0] == '-' && argv[i][1] == '-' && i + 1 < argc)
      mode = argv[i];
    else
      name = argv[i];
  }
  if (std::strcmp(mode, "") == 0 && name && std::strcmp(name, "--tips") == 0) {
    EnumWindows(PrintTipsOf, 0);
    return 0;
  }
  if (!name) {
    std::fprintf(stderr, "usage: wintext.exe [--class] [--exists|--visible|--close|--rect] NAME\n");
    return 2;
  }
  HWND window = by_class ? FindWindowA(name, nullptr) : FindWindowA(nullptr, name);
  if (!window) return 1;
  if (std::strcmp(mode, "--exists") == 0) return 0;
  if (std::strcmp(mode, "--visible") == 0) return IsWindowVisible(window) ? 0 : 1;
  if (std::strcmp(mode, "--close") == 0) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (std::strcmp(mode, "--rect") == 0) {
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  PrintText(window, 0);
  EnumChildWindows(window, PrintText, 0);
  return 0;
}
