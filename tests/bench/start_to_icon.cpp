// start_to_icon.exe PROGRAM: starts PROGRAM (in its own folder) and prints the milliseconds from
// its start until the notification area holds one icon more than before:
//
//   icon <milliseconds>
//
// Measured from inside the prefix, every millisecond, so that the figure is the program's own:
// a bench that starts the program through a shell and polls X from outside for its icon adds the
// cost of its own tools (0.1-0.3 s a start on a busy machine) to every program alike. Under Wine
// every tray icon is a top-level window of class "__winex11_tray_icon" that the desktop process
// makes when a program adds its icon. Exit codes: 0 measured, 1 usage, 2 the program did not
// start, 3 no icon within 30 s.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int TrayIcons() {
  int count = 0;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"__winex11_tray_icon", nullptr); w;
       w = FindWindowExW(nullptr, w, L"__winex11_tray_icon", nullptr))
    ++count;
  return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: start_to_icon.exe PROGRAM\n");
    return 1;
  }
  std::wstring program = argv[1];
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
  std::wstring command = L"\"" + program + L"\"";
  const int before = TrayIcons();
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "start_to_icon: cannot start the program (error %lu)\n", GetLastError());
    return 2;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (;;) {
    QueryPerformanceCounter(&now);
    const long long ms = (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
    if (TrayIcons() > before) {
      std::printf("icon %lld\n", ms);
      return 0;
    }
    if (ms > 30000) {
      std::fprintf(stderr, "start_to_icon: no icon within 30 s\n");
      return 3;
    }
    Sleep(1);
  }
}
