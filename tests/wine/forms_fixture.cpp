#include "forms_fixture.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "gdi_table.h"
#include "platform/win32/text_convert.h"

namespace kelvane::forms_test {

using wine_test::PumpUntil;

// --- Recorder ---------------------------------------------------------------------------

std::vector<std::string> Recorder::With(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& e : events)
    if (e.compare(0, prefix.size(), prefix) == 0) found.push_back(e);
  return found;
}

std::string Recorder::Line(const char* kind, const form::MouseEvent& e) {
  return std::string(kind) + " " + Name(e.control) + " b" + std::to_string(e.button) + " s" +
         std::to_string(e.shift) + " " + std::to_string(e.x) + "," + std::to_string(e.y);
}

void Recorder::OnQueryUnload(form::UnloadMode mode, bool& cancel) {
  events.push_back("query-unload " + std::to_string(static_cast<int>(mode)));
  if (on_query_unload) on_query_unload(mode, cancel);
}

void Recorder::OnClick(form::Control* c) {
  events.push_back("click " + Name(c));
  if (on_click) on_click(c);
}

void Recorder::OnMouseDown(const form::MouseEvent& e) {
  events.push_back(Line("down", e));
  if (on_mouse_down) on_mouse_down(e);
}

void Recorder::OnMouseUp(const form::MouseEvent& e) {
  events.push_back(Line("up", e));
  if (on_mouse_up) on_mouse_up(e);
}

void Recorder::OnKeyDown(form::Control* c, int& code, int) {
  events.push_back("key-down " + Name(c) + " " + std::to_string(code));
  if (on_key_down) on_key_down(c, code);
}

void Recorder::OnKeyPress(form::Control* c, int& code) {
  events.push_back("key-press " + Name(c) + " " + std::to_string(code));
  if (on_key_press) on_key_press(c, code);
}

std::string BesideTest(const char* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder.resize(folder.find_last_of(L'\\') + 1);
  return platform::win32::WideToUtf8(folder) + name;
}

// --- real input ---------------------------------------------------------------------------

void MovePointer(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the screen; rounding up
  // lands on the pixel itself.
  input.mi.dx = static_cast<LONG>((screen.x * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

namespace {

void SendButton(int button, bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  switch (button) {
    case form::button::kRight:
      input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
      break;
    case form::button::kMiddle:
      input.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
      break;
    default:
      input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
      break;
  }
  SendInput(1, &input, sizeof input);
}

}  // namespace

void PressButton(int button) {
  SendButton(button, true);
}

void ReleaseButton(int button) {
  SendButton(button, false);
}

void ClickAt(POINT screen, int button) {
  MovePointer(screen);
  PressButton(button);
  ReleaseButton(button);
}

void TypeKey(WORD virtual_key) {
  keybd_event(static_cast<BYTE>(virtual_key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(virtual_key), 0, KEYEVENTF_KEYUP, 0);
}

bool StartHostProgram(const std::string& command_line) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string line = command_line;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

POINT ScreenPoint(const form::Window& window, const form::Control* control, int x, int y) {
  platform::Point client{x, y};
  if (control) {
    const platform::Point origin = window.ClientPosition(*control);
    client.x += origin.x, client.y += origin.y;
  }
  // 15 twips per pixel on the bench's 96 dots per inch; the renderer rounds the
  // same way.
  POINT p = {(client.x + 7) / 15, (client.y + 7) / 15};
  ClientToScreen(reinterpret_cast<HWND>(window.Handle()), &p);
  return p;
}

// --- UserThread -------------------------------------------------------------------------------

UserThread::UserThread(std::function<void()> work) : work_(std::move(work)) {
  thread_.Reset(CreateThread(nullptr, 0, &UserThread::Run, this, 0, nullptr));
}

UserThread::~UserThread() {
  Join(10);
}

DWORD WINAPI UserThread::Run(void* self) {
  static_cast<UserThread*>(self)->work_();
  return 0;
}

bool UserThread::Join(double seconds) {
  if (!thread_) return true;
  const bool ended =
      PumpUntil([this] { return WaitForSingleObject(thread_.Get(), 0) == WAIT_OBJECT_0; }, seconds);
  if (ended) thread_.Reset();
  return ended;
}

// --- popup menus ------------------------------------------------------------------------------

HWND WaitForPopup(int items, double seconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  do {
    for (HWND popup = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); popup;
         popup = FindWindowExW(nullptr, popup, L"#32768", nullptr)) {
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1, 0, 0));  // MN_GETHMENU
      if (IsWindowVisible(popup) && menu && GetMenuItemCount(menu) == items) return popup;
    }
    Sleep(20);
  } while (GetTickCount() < end);
  return nullptr;
}

std::optional<POINT> PopupItemCentre(HWND popup, int index) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1, 0, 0));  // MN_GETHMENU
  RECT r = {};
  if (!menu || !GetWindowRect(popup, &r)) return std::nullopt;
  const int x = (r.left + r.right) / 2;
  int first = -1, last = -1;
  for (int y = r.top; y < r.bottom; ++y) {
    if (MenuItemFromPoint(nullptr, menu, POINT{x, y}) != index) continue;
    if (first < 0) first = y;
    last = y;
  }
  if (first < 0) return std::nullopt;
  return POINT{x, (first + last) / 2};
}

// --- GDI objects and pixels --------------------------------------------------------------------

int GdiObjectCount() {
  // The PEB's address is in the thread block: fs:[0x30] in a 32-bit process, gs:[0x60] in a
  // 64-bit one.
  std::uintptr_t peb = 0;
#ifdef _WIN64
  asm("movq %%gs:0x60, %0" : "=r"(peb));
#else
  asm("movl %%fs:0x30, %0" : "=r"(peb));
#endif
  const auto* table =
      *reinterpret_cast<const gdi_table::Entry* const*>(peb + gdi_table::kPebOffset);
  if (!table) return -1;
  int count = 0;
  for (std::size_t i = 0; i < gdi_table::kEntries; ++i) count += gdi_table::IsLive(table[i]);
  return count;
}

COLORREF ScreenPixel(POINT p) {
  const platform::win32::WindowDc screen(nullptr);
  return GetPixel(screen.Get(), p.x, p.y);
}

}  // namespace kelvane::forms_test
