#include "platform/sim/sim_desktop.h"

#include <algorithm>

#include "platform/chars.h"

namespace kelvane::sim {

using platform::WindowId;

platform::WindowId SimDesktop::AddTopWindow(std::string class_name, std::string title,
                                            platform::Rect rect) {
  WindowId id = next_id_++;
  Window w;
  w.class_name = std::move(class_name);
  w.text = std::move(title);
  w.rect = rect;
  windows_[id] = std::move(w);
  top_order_.push_back(id);
  return id;
}

platform::WindowId SimDesktop::AddChild(WindowId parent, std::string text, std::string class_name) {
  WindowId id = next_id_++;
  Window w;
  w.parent = parent;
  w.class_name = std::move(class_name);
  w.text = std::move(text);
  w.rect = windows_.at(parent).rect;
  windows_[id] = std::move(w);
  windows_.at(parent).children.push_back(id);
  return id;
}

void SimDesktop::SetText(WindowId window, std::string text) {
  windows_.at(window).text = std::move(text);
}

void SimDesktop::RemoveWindow(WindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  std::vector<WindowId> children = it->second.children;
  for (WindowId c : children) RemoveWindow(c);
  WindowId parent = windows_.at(window).parent;
  if (parent && windows_.count(parent)) {
    auto& siblings = windows_.at(parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  }
  top_order_.erase(std::remove(top_order_.begin(), top_order_.end(), window), top_order_.end());
  windows_.erase(window);
}

void SimDesktop::MoveWindow(WindowId window, platform::Rect rect) {
  windows_.at(window).rect = rect;
}

void SimDesktop::OnClose(WindowId window, std::function<void()> handler) {
  windows_.at(window).on_close = std::move(handler);
}

bool SimDesktop::Topmost(WindowId window) const {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.topmost;
}
bool SimDesktop::Visible(WindowId window) const {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.visible;
}
int SimDesktop::ShowState(WindowId window) const {
  return windows_.at(window).show_state;
}

WindowId SimDesktop::FindTopWindow(std::string_view class_name, std::string_view title) {
  for (WindowId id : top_order_) {
    const Window& w = windows_.at(id);
    if ((class_name.empty() || w.class_name == class_name) && (title.empty() || w.text == title))
      return id;
  }
  return platform::kNoWindow;
}

void SimDesktop::EnumDescendants(WindowId parent, const std::function<bool(WindowId)>& visit) {
  if (!IsWindow(parent)) return;
  // Depth first, parents before their children, as EnumChildWindows does.
  std::function<bool(WindowId)> walk = [&](WindowId w) {
    std::vector<WindowId> children = windows_.at(w).children;
    for (WindowId c : children) {
      if (!IsWindow(c)) continue;
      if (!visit(c)) return false;
      if (IsWindow(c) && !walk(c)) return false;
    }
    return true;
  };
  walk(parent);
}

std::string SimDesktop::WindowText(WindowId window, int buffer_chars) {
  auto it = windows_.find(window);
  if (it == windows_.end() || buffer_chars <= 0) return {};
  return platform::LeftChars(it->second.text, static_cast<std::size_t>(buffer_chars - 1));
}

std::optional<platform::Rect> SimDesktop::WindowRect(WindowId window) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return std::nullopt;
  return it->second.rect;
}

bool SimDesktop::ShowWindow(WindowId window, int command) {
  calls_.push_back("show " + std::to_string(command));
  auto it = windows_.find(window);
  if (it == windows_.end()) return false;
  bool was_visible = it->second.visible;
  if (command == platform::sw::kHide) {
    it->second.visible = false;
  } else {
    it->second.visible = true;
    // SW_SHOW leaves a minimised window minimised; SW_SHOWNORMAL restores it.
    if (command != platform::sw::kShow) it->second.show_state = command;
  }
  return was_visible;
}

bool SimDesktop::SetForeground(WindowId window) {
  calls_.push_back("foreground");
  if (!IsWindow(window) || window == refuses_foreground_) return false;
  foreground_ = window;
  return true;
}

bool SimDesktop::SetTopmost(WindowId window, bool topmost) {
  calls_.push_back(topmost ? "topmost on" : "topmost off");
  auto it = windows_.find(window);
  if (it == windows_.end()) return false;
  it->second.topmost = topmost;
  return true;
}

void SimDesktop::SendClose(WindowId window) {
  calls_.push_back("close");
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  if (it->second.on_close) {
    auto handler = it->second.on_close;
    handler();
  } else {
    RemoveWindow(window);
  }
}

void SimDesktop::SetHung(WindowId window, bool hung, bool known) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  it->second.hung = hung;
  it->second.known_hung = hung && known;
}

void SimDesktop::SetAnswerTime(WindowId window, int ms) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.answer_ms = ms;
}

bool SimDesktop::IsHung(WindowId window) {
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.known_hung;
}

bool SimDesktop::Answers(WindowId window, int timeout_ms) {
  ++pings_;
  auto it = windows_.find(window);
  return it != windows_.end() && !it->second.hung && it->second.answer_ms <= timeout_ms;
}

void SimDesktop::LeftButtonDown() {
  button_down_ = true;
}

void SimDesktop::LeftButtonUp() {
  if (!button_down_) return;
  button_down_ = false;
  clicks_.push_back({cursor_, input_blocked_});
  if (on_click_) on_click_(cursor_);
}

void SimDesktop::BlockInput(bool block) {
  calls_.push_back(block ? "block on" : "block off");
  input_blocked_ = block;
}

WindowId SimDesktop::WindowFromPoint(platform::Point p) {
  auto contains = [&](WindowId id) {
    const platform::Rect& r = windows_.at(id).rect;
    return windows_.at(id).visible && p.x >= r.left && p.x < r.right && p.y >= r.top &&
           p.y < r.bottom;
  };
  // Topmost windows first, then the newest.
  for (bool pass_topmost : {true, false})
    for (auto it = top_order_.rbegin(); it != top_order_.rend(); ++it)
      if (windows_.at(*it).topmost == pass_topmost && contains(*it)) return *it;
  return platform::kNoWindow;
}

void SimDesktop::PlaceInZOrder(WindowId window, bool topmost) {
  auto it = windows_.find(window);
  if (it == windows_.end() || it->second.parent != 0) return;
  it->second.topmost = topmost;
  std::erase(top_order_, window);
  top_order_.push_back(window);
}

platform::Rect SimDesktop::VirtualScreenRect() {
  platform::Rect all = screen_;
  for (const platform::Rect& m : monitors_) {
    all.left = std::min(all.left, m.left);
    all.top = std::min(all.top, m.top);
    all.right = std::max(all.right, m.right);
    all.bottom = std::max(all.bottom, m.bottom);
  }
  return all;
}

std::optional<std::uint32_t> SimDesktop::PixelAt(platform::Point p) {
  ++pixel_reads_;
  auto it = pixels_.find({p.x, p.y});
  if (it != pixels_.end()) return it->second;
  if (p.x < screen_.left || p.x >= screen_.right || p.y < screen_.top || p.y >= screen_.bottom)
    return std::nullopt;
  return 0;  // the desktop's black
}

bool SimDesktop::CaptureToBmp(const platform::Rect& r, std::string_view path) {
  captures_.push_back({r, std::string(path)});
  return !fail_captures_ && r.Width() > 0 && r.Height() > 0;
}

}  // namespace kelvane::sim
