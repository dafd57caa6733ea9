#include "platform/sim/sim_graphics.h"

#include <cmath>

#include "platform/chars.h"

namespace kelvane::sim {

class SimIcon : public platform::Icon {
 public:
  SimIcon(SimGraphics& owner, std::uintptr_t handle) : owner_(owner), handle_(handle) {
    ++owner_.live_;
  }
  ~SimIcon() override { --owner_.live_; }
  std::uintptr_t Handle() const override { return handle_; }

 private:
  SimGraphics& owner_;
  std::uintptr_t handle_;
};

platform::Size SimGraphics::TextExtent(const platform::FontSpec& font, std::string_view text) {
  int height = static_cast<int>(std::lround(font.size_points * 96 / 72));
  int per_char = static_cast<int>(std::lround(height * 0.6)) + (font.bold ? 1 : 0);
  return {per_char * static_cast<int>(platform::CharCount(text)), height};
}

double SimGraphics::RenderedSize(const platform::FontSpec& font) {
  auto bitmap = bitmap_sizes_.find(font.name);
  if (bitmap == bitmap_sizes_.end()) return std::lround(font.size_points * 96 / 72) * 72 / 96.0;
  const std::vector<double>& sizes = bitmap->second;
  if (sizes.empty()) return 0;
  double size = sizes.front();
  for (double offered : sizes)
    if (offered <= font.size_points) size = offered;
  return size;
}

std::unique_ptr<platform::Icon> SimGraphics::NumberIcon(const platform::FontSpec& font,
                                                        std::uint32_t back, std::uint32_t fore,
                                                        std::string_view text, int x, int y) {
  if (fail_) return nullptr;
  made_.push_back({font, back, fore, std::string(text), x, y});
  return std::make_unique<SimIcon>(*this, first_handle_ + made_.size() - 1);
}

bool SimTray::Add(const platform::Icon* icon, std::string_view tip, EventHandler on_event) {
  requests_.push_back("add");
  if (shown_) return false;
  shown_ = true;
  icon_ = icon ? icon->Handle() : 0;
  tip_ = std::string(tip);
  handler_ = std::move(on_event);
  return true;
}

bool SimTray::Modify(const platform::Icon* icon, std::string_view tip) {
  requests_.push_back("modify");
  if (!shown_) return false;
  icon_ = icon ? icon->Handle() : 0;
  tip_ = std::string(tip);
  return true;
}

bool SimTray::Remove() {
  requests_.push_back("delete");
  if (!shown_) return false;
  shown_ = false;
  icon_ = 0;
  return true;
}

}  // namespace kelvane::sim
