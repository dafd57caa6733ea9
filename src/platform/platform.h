// The narrow interface between Kelvane's behaviour and the machine it runs on.
//
// Every service is an abstract class with two implementations: the Win32 backend
// (src/platform/win32, real Windows or Wine) and the simulated desktop
// (src/platform/sim, native unit tests). The core never sees a Win32 type: window
// handles, timers and mixers are opaque values or objects of this seam.
//
// Method names steer clear of <windows.h> macros (Yield, MessageBox, FindWindow,
// ExitWindows), since the backend includes both.
//
// Text is UTF-8 everywhere on this side of the seam. The Win32 backend converts to
// and from the system code page (or UTF-16) at its own boundary.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/forms.h"
#include "platform/graphics.h"

namespace kelvane::platform {

// An opaque handle of a top-level or child window, ours or another program's.
// 0 means "no window".
using WindowId = std::uintptr_t;
inline constexpr WindowId kNoWindow = 0;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle in screen pixels; right and bottom are exclusive, as on Win32.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A local wall-clock date and time, to the second.
struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// ---------------------------------------------------------------------------
class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds from an arbitrary origin; never jumps (not at midnight, not when the
  // user changes the date). Used for waits.
  virtual double MonotonicSeconds() = 0;
  // The local date and time now.
  virtual DateTime Now() = 0;
  // The user's decimal separator, usually "." or ",".
  virtual std::string DecimalSeparator() = 0;
  // The user's general date-time text of `t`: short date, a space, long time.
  virtual std::string GeneralDateTime(const DateTime& t) = 0;
  // The user's long time text of `t` alone.
  virtual std::string TimeText(const DateTime& t) = 0;
  // The user's AM and PM designators (empty in a 24-hour locale).
  virtual std::string AmDesignator() = 0;
  virtual std::string PmDesignator() = 0;
  // Minutes that local time is ahead of UTC now, daylight saving included
  // (60 in Paris in winter, -300 in New York in winter); 0 when unknown.
  virtual int UtcOffsetMinutes() = 0;
};

// ---------------------------------------------------------------------------
// A periodic timer owned by whoever created it; destroying it kills it.
class Timer {
 public:
  virtual ~Timer() = default;
  // Sets the period in milliseconds. An interval of 0 stops the timer, whatever
  // Enabled says; a new interval restarts the period from now.
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;
  // A disabled timer keeps its interval but does not fire.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

// Message-box styles and answers, with the values the Win32 API gives them.
namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconStop = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconExclamation = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kSystemModal = 0x1000;
inline constexpr unsigned kSetForeground = 0x10000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

class Loop {
 public:
  virtual ~Loop() = default;
  // Creates a stopped timer (interval 0, enabled) that calls `on_tick` on the UI
  // thread each period. The callback may re-enter the loop through YieldToMessages.
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> on_tick) = 0;
  // Handles every pending window message, then returns. Timers and clicks may run
  // inside; the caller must re-check whatever state it relies on afterwards.
  virtual void YieldToMessages() = 0;
  // Shows a modal message box and returns the button chosen (mb::kIdOk, ...).
  // `style` combines the mb:: flags.
  virtual int ShowMessageBox(std::string_view text, std::string_view title, unsigned style) = 0;
  // Ends the program's message loop after the current message.
  virtual void Quit() = 0;
};

// ---------------------------------------------------------------------------
// The per-user settings store: text values under application / section / key.
enum class StoreStatus { kOk, kMissing, kFailed };

struct StoreRead {
  StoreStatus status = StoreStatus::kMissing;
  std::string value;  // the stored text when status is kOk
  std::string error;  // the platform's text of the failure when status is kFailed
};

struct StoreResult {
  StoreStatus status = StoreStatus::kOk;
  std::string error;  // the platform's text of the failure when status is kFailed
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text; kMissing when the key or its section is absent.
  virtual StoreRead Read(std::string_view app, std::string_view section, std::string_view key) = 0;
  // Creates or replaces the value, creating the section when needed.
  virtual StoreResult Write(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view value) = 0;
  // Deletes one key; kMissing when it (or the section) was not there.
  virtual StoreResult RemoveKey(std::string_view app, std::string_view section,
                                std::string_view key) = 0;
  // Deletes the section with all its keys; kMissing when it was not there.
  virtual StoreResult RemoveSection(std::string_view app, std::string_view section) = 0;
};

// ---------------------------------------------------------------------------
// Read-only values of the machine-wide registry (HKEY_LOCAL_MACHINE on Win32).
class Registry {
 public:
  virtual ~Registry() = default;
  // The value's text without its terminating NUL; "" when the key or value cannot be read.
  virtual std::string MachineText(std::string_view key_path, std::string_view value_name) = 0;
  // The value as a 32-bit number; 0 when it cannot be read.
  virtual std::uint32_t MachineDword(std::string_view key_path, std::string_view value_name) = 0;
};

// ---------------------------------------------------------------------------
// Show commands, with their Win32 values.
namespace sw {
inline constexpr int kHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShow = 5;
}  // namespace sw

// Foreign windows, the pointer and the screen.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // The first top-level window with this class and title; an empty view matches
  // any class (or any title). kNoWindow when there is none. Hidden windows count.
  virtual WindowId FindTopWindow(std::string_view class_name, std::string_view title) = 0;
  // Calls `visit` for every descendant of `parent`, parents before their children,
  // in creation order, until `visit` returns false. Nothing when `parent` is gone.
  virtual void EnumDescendants(WindowId parent, const std::function<bool(WindowId)>& visit) = 0;
  // The window's text as read into a buffer of `buffer_chars` characters: at most
  // buffer_chars - 1 characters, NUL characters inside it kept. "" when gone.
  virtual std::string WindowText(WindowId window, int buffer_chars) = 0;
  // The outer rectangle in screen pixels; nullopt when the window is gone.
  virtual std::optional<Rect> WindowRect(WindowId window) = 0;
  virtual bool IsWindow(WindowId window) = 0;
  // ShowWindow with an sw:: command; returns whether it was visible before.
  virtual bool ShowWindow(WindowId window, int command) = 0;
  virtual bool SetForeground(WindowId window) = 0;
  virtual WindowId Foreground() = 0;
  // Always on top, or back among the normal windows; position and size kept.
  virtual bool SetTopmost(WindowId window, bool topmost) = 0;
  // Sends WM_CLOSE and returns when the window has handled it.
  virtual void SendClose(WindowId window) = 0;
  // Whether the window's thread has stopped handling its messages for a while
  // (a few seconds). Never blocks; false where the system cannot tell.
  virtual bool IsHung(WindowId window) = 0;
  // Whether the window handles an empty message within `timeout_ms`; a window
  // the system already knows as hung fails at once. Blocks up to the timeout.
  virtual bool Answers(WindowId window, int timeout_ms) = 0;

  virtual Point CursorPos() = 0;
  virtual void SetCursorPos(Point p) = 0;
  // Presses or releases the left button wherever the pointer is.
  virtual void LeftButtonDown() = 0;
  virtual void LeftButtonUp() = 0;
  // Holds the user's keyboard and mouse input off, or lets it through again.
  // The result is not meaningful everywhere (Wine does not implement it).
  virtual void BlockInput(bool block) = 0;

  // The screen less the taskbar, in pixels.
  virtual Rect WorkArea() = 0;
  virtual Rect ScreenRect() = 0;
  // The rectangle around all monitors, in pixels of the primary monitor's
  // coordinates: monitors left of or above it have negative ones. The screen
  // itself where there is one monitor.
  virtual Rect VirtualScreenRect() = 0;
  // Twips per pixel across and down (15 at 96 dots per inch).
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
  // The window under a screen point (kNoWindow for none).
  virtual WindowId WindowFromPoint(Point p) = 0;
  // The colour (red + 256 green + 65536 blue) at a screen point; nullopt when it
  // cannot be read.
  virtual std::optional<std::uint32_t> PixelAt(Point p) = 0;
  // Copies a screen rectangle into a 24-bit BMP file; false when it fails, and
  // then no file of that name is left.
  virtual bool CaptureToBmp(const Rect& r, std::string_view path) = 0;
};

// ---------------------------------------------------------------------------
// Files, addressed by Windows paths ("C:\\Kelvane\\Logs\\log.txt").
class Files {
 public:
  virtual ~Files() = default;
  // Whether a file or folder exists; hidden and system files count.
  virtual bool Exists(std::string_view path) = 0;
  // Whether a file exists (a folder does not count); hidden and system files count.
  virtual bool FileExists(std::string_view path) = 0;
  // The whole file, converted from the system code page; nullopt when unreadable.
  virtual std::optional<std::string> ReadText(std::string_view path) = 0;
  // Writes (or appends) `text` converted to the system code page, so the degree
  // sign is the single byte 0xB0. False when the file cannot be written; a
  // failed append leaves the file as it was.
  virtual bool WriteText(std::string_view path, std::string_view text, bool append) = 0;
  // Replaces the file's content with `text` (as WriteText) so that it is never
  // seen half written: the text goes into a file beside it, which then takes its
  // place. False, with the old file untouched and nothing left beside it, when
  // that fails (a locked file, a full disk, no folder).
  virtual bool ReplaceText(std::string_view path, std::string_view text) = 0;
  // Creates one folder; true when it exists afterwards.
  virtual bool CreateFolder(std::string_view path) = 0;
  // The folder of the running program, ending in "\".
  virtual std::string ExeFolder() = 0;
  // Gives the file `from` the name `to` (a path in the same folder). Never
  // replaces: false, with both left as they were, when `to` exists or the move
  // fails (no file, a locked file).
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
};

// ---------------------------------------------------------------------------
class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute: opens `file` with `verb` ("" for the default) and `parameters`
  // in `folder`, shown with an sw:: command. Returns the shell's code: above 32
  // on success.
  virtual std::intptr_t Execute(WindowId owner, std::string_view verb, std::string_view file,
                                std::string_view parameters, std::string_view folder,
                                int show_command) = 0;
};

// ---------------------------------------------------------------------------
// One volume control of a mixer line.
struct MixerControl {
  bool found = false;
  std::uint32_t control_id = 0;
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
};

// An open mixer device; destroying it closes the device.
class Mixer {
 public:
  virtual ~Mixer() = default;
  // The volume control of the line with this component type
  // (4 = speakers' master line, 0x1008 = wave-out source).
  virtual MixerControl FindVolumeControl(std::uint32_t component_type) = 0;
  // The control's value (all channels alike); nullopt when the read fails.
  virtual std::optional<std::uint32_t> ReadValue(std::uint32_t control_id) = 0;
  // False when the write fails.
  virtual bool WriteValue(std::uint32_t control_id, std::uint32_t value) = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Opens mixer device `device`; nullptr when there is none.
  virtual std::unique_ptr<Mixer> OpenMixer(int device) = 0;
  // Plays a wave file and returns when it has ended (PlaySound, SND_FILENAME only).
  virtual bool PlayWaveSync(std::string_view path) = 0;
  // A tone on the PC speaker; returns when it has ended.
  virtual void Beep(int frequency_hz, int milliseconds) = 0;
};

// ---------------------------------------------------------------------------
class Power {
 public:
  virtual ~Power() = default;
  // GetVersion: the top bit is set on Windows 95, 98 and Me.
  virtual std::uint32_t Version() = 0;
  // Enables the shutdown right of this process's token.
  virtual void EnableShutdownPrivilege() = 0;
  // ExitWindowsEx with these flags (14: reboot+force+power-off; 5: shutdown+force).
  virtual bool ExitWindowsWith(std::uint32_t flags) = 0;
};

// ---------------------------------------------------------------------------
// All services, handed to the core once at start.
struct Platform {
  Clock& clock;
  Loop& loop;
  SettingsStore& store;
  Registry& registry;
  Desktop& desktop;
  Files& files;
  Shell& shell;
  Sound& sound;
  Power& power;
  // A platform built without a renderer (the settings remover) shows no windows,
  // draws no icon and has no tray icon.
  Forms& forms = NoForms();
  Graphics& graphics = NoGraphics();
  Tray& tray = NoTray();
};

}  // namespace kelvane::platform
