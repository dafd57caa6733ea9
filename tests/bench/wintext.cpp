// wintext.exe: what a test cannot see from X — the texts of a Windows program's
// windows — and a close request sent the way other programs send it.
//
//   wintext.exe [--class] [--exists|--visible|--close|--rect] NAME
//
// NAME is a top-level window's title (with --class: its window class, e.g.
// "#32770" for a message box, "#32768" for a popup menu). Without a flag it
// prints the window's own text and then each descendant's text, one per line.
// --exists and --visible answer with the exit code; --close sends WM_CLOSE;
// --rect prints "left top right bottom". Exit 1 when there is no such window.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK PrintText(HWND window, LPARAM) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  if (text[0]) std::printf("%s\n", text);
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
