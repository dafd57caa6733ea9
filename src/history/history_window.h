// The History window: three charts one above the other (the temperatures with
// the alarm and shutdown limits, the fans, the voltages) over a span the user
// picks (ten minutes, an hour, a day), the readings under the pointer above
// them, and, after the program powered the machine off for overheating, a
// line in the alarm colours saying so. It follows the newest readings, or
// stays at the moment of that power-off until it closes. Its place, size and
// span are kept.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/settings.h"
#include "history/chart_drawing.h"
#include "history/history.h"
#include "platform/form/form.h"
#include "platform/platform.h"

namespace kelvane::history {

// The window's keys: its place and size (twips) and the span shown.
inline constexpr KeyDef kHistoryLeft{"Histleft", KeyType::kFloat, "", true};
inline constexpr KeyDef kHistoryTop{"Histtop", KeyType::kFloat, "", true};
inline constexpr KeyDef kHistoryWidth{"Histwide", KeyType::kFloat, "11700"};
inline constexpr KeyDef kHistoryHeight{"Histhite", KeyType::kFloat, "9000"};
inline constexpr KeyDef kHistorySpan{"Histspan", KeyType::kInteger, "0"};

// What the window needs of the program around it.
struct HistorySource {
  const History& history;
  // The alarm and the shutdown limit, °C, as the user has set them now.
  std::function<Limits()> limits;
  // The user's colour for each meter's reading, where they chose one.
  std::function<std::array<std::optional<form::Colour>, kMeterCount>()> meter_colours;
};

class HistoryWindow : public form::WindowHandler {
 public:
  HistoryWindow(platform::Platform& platform, Settings& settings, HistorySource source);
  HistoryWindow(const HistoryWindow&) = delete;
  HistoryWindow& operator=(const HistoryWindow&) = delete;

  // Shows the newest readings (and brings the window forward when it is open).
  void Show();
  // Shows the span that ends a minute after the power-off at `at` (an
  // instant), with `line` above the charts, until the window closes.
  void ShowPowerOff(std::int64_t at, std::string line);
  // Draws the charts anew (each tick while the window shows).
  void Refresh();
  bool IsOpen() const { return window_.Loaded(); }
  // Keeps the place and closes.
  void Close();

  form::Window& Window() { return window_; }
  SpanKind Showing() const { return kind_; }
  // What the charts show now: the span, and each chart's model.
  const Span& ShownSpan() const { return span_; }
  const ChartModel& Model(Chart chart) const { return models_[static_cast<std::size_t>(chart)]; }
  const std::string& PointerText() const;
  const std::string& PowerOffLine() const;

  void OnLoad() override;
  void OnUnload() override;
  void OnResize() override;
  void OnClick(form::Control* control) override;
  void OnMouseMove(const form::MouseEvent& event) override;

 private:
  void BuildControls();
  void Place();
  void Layout();
  // The instant the charts end with: the power-off's, or now.
  std::int64_t EndInstant() const;
  void ShowPointerAt(const form::Control& chart, int x_twips);
  std::string TimeText(std::int64_t local) const;

  platform::Platform& p_;
  Settings& settings_;
  HistorySource source_;
  form::Window window_;
  form::Label* power_off_ = nullptr;
  form::ListBox* span_list_ = nullptr;
  form::Label* pointer_ = nullptr;
  std::array<form::PictureBox*, 3> charts_{};

  SpanKind kind_ = SpanKind::kTenMinutes;
  std::optional<std::int64_t> fixed_end_;
  Span span_;
  std::array<ChartModel, 3> models_{};
  std::optional<int> cursor_x_;
  bool placed_ = false;
};

}  // namespace kelvane::history
