// The simulated desktop: other programs' windows with texts a test sets, the
// pointer, the foreground window, the screen and a record of every click.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kelvane::sim {

class SimDesktop : public platform::Desktop {
 public:
  // --- what a test sets up ------------------------------------------------
  platform::WindowId AddTopWindow(std::string class_name, std::string title, platform::Rect rect);
  platform::WindowId AddChild(platform::WindowId parent, std::string text,
                              std::string class_name = "Static");
  void SetText(platform::WindowId window, std::string text);
  // Removes a window and all its descendants.
  void RemoveWindow(platform::WindowId window);
  void MoveWindow(platform::WindowId window, platform::Rect rect);
  // What a close request does to a window; without a handler it is removed.
  void OnClose(platform::WindowId window, std::function<void()> handler);
  // What a click (left button released) at a screen point does.
  void OnClick(std::function<void(platform::Point)> handler) { on_click_ = std::move(handler); }
  // A window that refuses to come to the foreground.
  void RefuseForeground(platform::WindowId window) { refuses_foreground_ = window; }
  void SetPixel(platform::Point p, std::uint32_t colour) { pixels_[{p.x, p.y}] = colour; }
  void SetWorkArea(platform::Rect r) { work_area_ = r; }
  // Captures that fail (a full disk), recorded all the same.
  void FailCaptures(bool fail) { fail_captures_ = fail; }
  void SetScreen(platform::Rect r) { screen_ = r; }
  // A second monitor beside the screen (pixels; negative left of or above it).
  void AddMonitor(platform::Rect r) { monitors_.push_back(r); }
  // The program's own window takes the topmost flag and goes on top of its
  // band (as its renderer does; not recorded among the calls).
  void PlaceInZOrder(platform::WindowId window, bool topmost);
  // A window whose thread stops handling messages: the system calls it hung
  // (`known` false: not yet, as in the first seconds of a hang) and it answers
  // no message. Its texts stay readable.
  void SetHung(platform::WindowId window, bool hung, bool known = true);
  // How long the window takes to handle a message (0 at first): a ping with a
  // shorter timeout goes unanswered, as from a busy but working program.
  void SetAnswerTime(platform::WindowId window, int ms);

  // --- what a test reads back ---------------------------------------------
  struct Click {
    platform::Point at;
    bool input_blocked = false;  // whether the program held the user's input off
  };
  const std::vector<Click>& Clicks() const { return clicks_; }
  bool InputBlocked() const { return input_blocked_; }
  bool Topmost(platform::WindowId window) const;
  bool Visible(platform::WindowId window) const;
  int ShowState(platform::WindowId window) const;
  // Every call the program made that changes a window, in order, e.g.
  // "show 5", "foreground", "topmost on", "close", "block on".
  const std::vector<std::string>& Calls() const { return calls_; }
  struct Capture {
    platform::Rect rect;
    std::string path;
  };
  const std::vector<Capture>& Captures() const { return captures_; }
  // How many times the program sent a window an empty message to see it answer.
  int Pings() const { return pings_; }
  // How many times the program read a pixel of the screen.
  int PixelReads() const { return pixel_reads_; }
  // Top-level windows alive, the program's and the others'.
  int TopWindowCount() const { return static_cast<int>(top_order_.size()); }

  // --- platform::Desktop ---------------------------------------------------
  platform::WindowId FindTopWindow(std::string_view class_name, std::string_view title) override;
  void EnumDescendants(platform::WindowId parent,
                       const std::function<bool(platform::WindowId)>& visit) override;
  std::string WindowText(platform::WindowId window, int buffer_chars) override;
  std::optional<platform::Rect> WindowRect(platform::WindowId window) override;
  bool IsWindow(platform::WindowId window) override { return windows_.count(window) > 0; }
  bool ShowWindow(platform::WindowId window, int command) override;
  bool SetForeground(platform::WindowId window) override;
  platform::WindowId Foreground() override { return IsWindow(foreground_) ? foreground_ : 0; }
  bool SetTopmost(platform::WindowId window, bool topmost) override;
  void SendClose(platform::WindowId window) override;
  bool IsHung(platform::WindowId window) override;
  bool Answers(platform::WindowId window, int timeout_ms) override;
  platform::Point CursorPos() override { return cursor_; }
  void SetCursorPos(platform::Point p) override { cursor_ = p; }
  void LeftButtonDown() override;
  void LeftButtonUp() override;
  void BlockInput(bool block) override;
  platform::Rect WorkArea() override { return work_area_; }
  platform::Rect ScreenRect() override { return screen_; }
  platform::Rect VirtualScreenRect() override;
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
  platform::WindowId WindowFromPoint(platform::Point p) override;
  std::optional<std::uint32_t> PixelAt(platform::Point p) override;
  bool CaptureToBmp(const platform::Rect& r, std::string_view path) override;

 private:
  struct Window {
    platform::WindowId parent = 0;
    std::string class_name;
    std::string text;
    platform::Rect rect;
    bool visible = true;
    bool topmost = false;
    bool hung = false;        // handles no message
    bool known_hung = false;  // and the system says so
    int answer_ms = 0;        // how long a message takes when not hung
    int show_state = platform::sw::kShowNormal;
    std::vector<platform::WindowId> children;
    std::function<void()> on_close;
  };
  std::map<platform::WindowId, Window> windows_;
  std::vector<platform::WindowId> top_order_;  // creation order of top-level windows
  platform::WindowId next_id_ = 0x100;
  platform::WindowId foreground_ = 0;
  platform::WindowId refuses_foreground_ = 0;
  platform::Point cursor_{500, 400};
  bool button_down_ = false;
  bool input_blocked_ = false;
  std::vector<Click> clicks_;
  std::vector<std::string> calls_;
  std::vector<Capture> captures_;
  std::function<void(platform::Point)> on_click_;
  bool fail_captures_ = false;
  std::map<std::pair<int, int>, std::uint32_t> pixels_;
  platform::Rect screen_{0, 0, 1024, 768};
  platform::Rect work_area_{0, 0, 1024, 738};
  std::vector<platform::Rect> monitors_;  // besides the screen
  int pixel_reads_ = 0;
  int pings_ = 0;
};

}  // namespace kelvane::sim
