// Simulated drawing and tray: icons are records of what would be drawn, and
// the tray keeps every request it received.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace kelvane::sim {

// What a simulated icon shows.
struct IconPicture {
  platform::FontSpec font;
  std::uint32_t back = 0;
  std::uint32_t fore = 0;
  std::string text;
  int x = 0;
  int y = 0;
  friend bool operator==(const IconPicture&, const IconPicture&) = default;
};

class SimGraphics : public platform::Graphics {
 public:
  std::vector<std::string> FontNames() override { return fonts_; }
  // Fixed metrics: a character is 0.6 of the font's pixel height wide (bold
  // adds a pixel), and the pixel height is the point size at 96 dots per inch.
  platform::Size TextExtent(const platform::FontSpec& font, std::string_view text) override;
  // An outline font's request in whole pixels at 96 dots per inch; a bitmap
  // font's largest size not above the request (else its smallest).
  double RenderedSize(const platform::FontSpec& font) override;
  // The classic scheme's grey, 128 128 128.
  std::uint32_t GreyTextColour() override { return 0x808080; }
  std::unique_ptr<platform::Icon> NumberIcon(const platform::FontSpec& font, std::uint32_t back,
                                             std::uint32_t fore, std::string_view text, int x,
                                             int y) override;

  // Icons alive right now, and every icon made since the last ForgetMade.
  int LiveIcons() const { return live_; }
  const std::deque<IconPicture>& Made() const { return made_; }
  // The picture of an icon handle this object made (and has not forgotten).
  const IconPicture& PictureOf(std::uintptr_t handle) const {
    return made_.at(handle - first_handle_);
  }
  // Forgets the records of all icons made but the last `keep`, so that a long
  // run keeps no history of its own; handles stay unique.
  void ForgetMade(std::size_t keep = 1) {
    while (made_.size() > keep) {
      made_.pop_front();
      ++first_handle_;
    }
  }
  void FailIcons(bool fail) { fail_ = fail; }
  void SetFonts(std::vector<std::string> fonts) { fonts_ = std::move(fonts); }
  // A bitmap font, offered in these point sizes only (rising).
  void AddBitmapFont(std::string name, std::vector<double> sizes) {
    fonts_.push_back(name);
    bitmap_sizes_[std::move(name)] = std::move(sizes);
  }

 private:
  friend class SimIcon;
  int live_ = 0;
  bool fail_ = false;
  std::deque<IconPicture> made_;
  std::uintptr_t first_handle_ = 1;  // the handle of made_.front()
  std::map<std::string, std::vector<double>> bitmap_sizes_;
  std::vector<std::string> fonts_{"Arial", "Courier New", "Tahoma", "Times New Roman", "Verdana"};
};

class SimTray : public platform::Tray {
 public:
  bool Add(const platform::Icon* icon, std::string_view tip, EventHandler on_event) override;
  bool Modify(const platform::Icon* icon, std::string_view tip) override;
  bool Remove() override;
  void OnTaskbarRestart(std::function<void()> handler) override { restart_ = std::move(handler); }

  // What the tray shows now.
  bool Shown() const { return shown_; }
  std::uintptr_t IconHandle() const { return icon_; }
  const std::string& Tip() const { return tip_; }
  // Every request, e.g. "add", "modify", "delete".
  const std::vector<std::string>& Requests() const { return requests_; }
  void ClearRequests() { requests_.clear(); }
  // The user acts on the icon; the taskbar restarts.
  void UserEvent(int mouse_message) {
    if (shown_ && handler_) handler_(mouse_message);
  }
  void RestartTaskbar() {
    shown_ = false;
    if (restart_) restart_();
  }

 private:
  bool shown_ = false;
  std::uintptr_t icon_ = 0;
  std::string tip_;
  EventHandler handler_;
  std::function<void()> restart_;
  std::vector<std::string> requests_;
};

}  // namespace kelvane::sim
