#include "history/history_window.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "appearance/alarm_colours.h"
#include "appearance/placement.h"
#include "base/numbers.h"
#include "base/text.h"
#include "platform/calendar.h"

namespace kelvane::history {
namespace {

constexpr std::array<const char*, 3> kSpanNames{"10 minutes", "1 hour", "24 hours"};
constexpr std::array<Chart, 3> kCharts{Chart::kTemperatures, Chart::kFans, Chart::kVoltages};

// Pixels of the layout.
constexpr int kMargin = 6;
constexpr int kPowerOffHeight = 28;
constexpr int kBarHeight = 32;
// Below this the window is not made smaller by the layout: the charts would
// be unreadable.
constexpr int kSmallestChart = 60;

// The nine readings in one short line, each as the monitor writes it:
// "CPU 45°C  MB 31°C   Fans 4560 / 3213 / 2700 rpm   +12V 12.16  +5V 5.053  +3.3V 3.312 Vcore 1.520
// V".
std::string ReadingsText(const MeterValues& v, const std::string& separator) {
  auto number = [&](Meter m, const char* pattern) {
    return FormatPattern(v[static_cast<std::size_t>(m)], pattern, separator);
  };
  const std::string degrees = std::string(kDegree) + "C";
  return "CPU " + number(Meter::kCpuTemp, "0") + degrees + "  MB " + number(Meter::kMbTemp, "0") +
         degrees + "   Fans " + number(Meter::kCpuFan, "0") + " / " +
         number(Meter::kPowerFan, "0") + " / " + number(Meter::kChassisFan, "0") + " rpm   +12V " +
         number(Meter::kV12, "0.00") + "  +5V " + number(Meter::kV5, "0.000") + "  +3.3V " +
         number(Meter::kV33, "0.000") + "  Vcore " + number(Meter::kVCore, "0.000") + " V";
}

}  // namespace

HistoryWindow::HistoryWindow(platform::Platform& platform, Settings& settings, HistorySource source)
    : p_(platform),
      settings_(settings),
      source_(std::move(source)),
      window_(platform, *this, "FrmHistory") {
  BuildControls();
}

void HistoryWindow::BuildControls() {
  window_.SetCaption("Kelvane History");
  window_.SetBorderStyle(form::BorderStyle::kSizable);
  const ChartLook look = DefaultLook();
  window_.SetBackColour(look.back);

  power_off_ = &window_.Add<form::Label>("lblPowerOff");
  power_off_->SetAlignment(form::Alignment::kCentre);
  power_off_->SetBackColour(appearance::kAlarmRed);
  power_off_->SetForeColour(appearance::kAlarmHeading);
  power_off_->SetTextFont({"Tahoma", 10, true});
  power_off_->SetVisible(false);

  span_list_ = &window_.Add<form::ListBox>("lstSpan");
  for (const char* name : kSpanNames) span_list_->AddItem(name);
  span_list_->SetTooltip("How much of the history the charts show");

  pointer_ = &window_.Add<form::Label>("lblPointer");
  pointer_->SetTransparent(true);
  pointer_->SetForeColour(look.text);
  pointer_->SetTextFont({"Tahoma", 8, false});

  for (std::size_t i = 0; i < charts_.size(); ++i) {
    charts_[i] = &window_.Add<form::PictureBox>("picChart", static_cast<int>(i));
    charts_[i]->SetBackColour(look.back);
    charts_[i]->SetPointerImage(form::Pointer::Stock(form::StockPointer::kCross));
  }
}

const std::string& HistoryWindow::PointerText() const {
  return pointer_->Caption();
}
const std::string& HistoryWindow::PowerOffLine() const {
  return power_off_->Caption();
}

void HistoryWindow::Show() {
  if (!window_.Loaded()) {
    fixed_end_.reset();
    power_off_->SetCaption("");
    power_off_->SetVisible(false);
  }
  window_.Show();
  if (window_.Loaded() && window_.WindowState() == form::WindowState::kMinimised)
    window_.SetWindowState(form::WindowState::kNormal);
  Refresh();
}

void HistoryWindow::ShowPowerOff(std::int64_t at, std::string line) {
  // A minute after it: the moment itself stands clear of the right edge.
  fixed_end_ = at + 60;
  // The seconds before it while the history still has them, else the day.
  kind_ = source_.history.SecondAt(at) ? SpanKind::kTenMinutes : SpanKind::kDay;
  power_off_->SetCaption(std::move(line));
  power_off_->SetVisible(true);
  window_.Show();
  if (!window_.Loaded()) return;
  span_list_->SetListIndex(static_cast<int>(kind_));
  Layout();
}

void HistoryWindow::Close() {
  window_.Unload();
}

void HistoryWindow::OnLoad() {
  if (!placed_) Place();
  placed_ = true;
  if (!fixed_end_) {
    const int stored = settings_.Integer(kHistorySpan.name, 0);
    kind_ = stored >= 0 && stored < 3 ? static_cast<SpanKind>(stored) : SpanKind::kTenMinutes;
  }
  span_list_->SetListIndex(static_cast<int>(kind_));
}

void HistoryWindow::Place() {
  const appearance::ScreenMetrics screen = appearance::MetricsOf(p_.desktop);
  const int screen_w = (screen.work_area.right - screen.work_area.left) * screen.twips_x;
  const int screen_h = (screen.work_area.bottom - screen.work_area.top) * screen.twips_y;
  constexpr int kFarScreens = 4;
  int width = RoundToInt32(settings_.Float(kHistoryWidth));
  int height = RoundToInt32(settings_.Float(kHistoryHeight));
  if (width < 4500 || width > kFarScreens * screen_w) width = 11700;
  if (height < 3600 || height > kFarScreens * screen_h) height = 9000;
  if (settings_.Text(kHistoryLeft.name, "").empty() ||
      settings_.Text(kHistoryTop.name, "").empty()) {
    window_.Move(0, 0, width, height);
    appearance::CentreOnWorkArea(window_, p_.desktop);
    return;
  }
  int left = RoundToInt32(settings_.Float(kHistoryLeft.name, 0));
  int top = RoundToInt32(settings_.Float(kHistoryTop.name, 0));
  if (appearance::FarOffScreen(left, screen_w, kFarScreens)) left = 0;
  if (appearance::FarOffScreen(top, screen_h, kFarScreens)) top = 0;
  window_.Move(left, top, width, height);
  const platform::Rect r = appearance::OuterPixels(window_, screen);
  if (!appearance::Reachable(r, screen.work_area, p_.desktop.ScreenRect(),
                             p_.desktop.VirtualScreenRect(), 40))
    appearance::KeepOnScreen(window_, p_.desktop);
}

void HistoryWindow::OnUnload() {
  // The normal place, also when the window closes minimised or maximised.
  if (window_.WindowState() == form::WindowState::kNormal) {
    settings_.WriteInteger(kHistoryLeft.name, window_.Left());
    settings_.WriteInteger(kHistoryTop.name, window_.Top());
    settings_.WriteInteger(kHistoryWidth.name, window_.Width());
    settings_.WriteInteger(kHistoryHeight.name, window_.Height());
  }
  if (!fixed_end_) settings_.WriteInteger(kHistorySpan.name, static_cast<int>(kind_));
  // The line is shown once: the next opening follows the newest readings.
  fixed_end_.reset();
  power_off_->SetCaption("");
  power_off_->SetVisible(false);
  cursor_x_.reset();
  pointer_->SetCaption("");
}

void HistoryWindow::OnResize() {
  Layout();
}

void HistoryWindow::OnClick(form::Control* control) {
  if (control != span_list_ || span_list_->ListIndex() < 0) return;
  const auto picked = static_cast<SpanKind>(span_list_->ListIndex());
  if (picked == kind_) return;
  kind_ = picked;
  cursor_x_.reset();
  pointer_->SetCaption("");
  Refresh();
}

void HistoryWindow::OnMouseMove(const form::MouseEvent& event) {
  if (!event.control) return;
  for (form::PictureBox* chart : charts_)
    if (event.control == chart) ShowPointerAt(*chart, event.x);
}

void HistoryWindow::Layout() {
  if (!window_.Loaded() || window_.WindowState() == form::WindowState::kMinimised) return;
  const int tx = std::max(1, p_.desktop.TwipsPerPixelX());
  const int ty = std::max(1, p_.desktop.TwipsPerPixelY());
  const int width = window_.ClientWidth() / tx;
  const int height = window_.ClientHeight() / ty;
  int y = 0;
  if (power_off_->Visible()) {
    power_off_->Move(0, 0, width * tx, kPowerOffHeight * ty);
    y = kPowerOffHeight;
  }
  span_list_->Move(kMargin * tx, (y + 6) * ty, 100 * tx, 21 * ty);
  pointer_->Move((kMargin + 112) * tx, (y + 9) * ty, std::max(1, width - 124) * tx, 16 * ty);
  y += kBarHeight;
  const int each = std::max(kSmallestChart, (height - y - kMargin) / 3);
  for (form::PictureBox* chart : charts_) {
    chart->Move(kMargin * tx, y * ty, std::max(1, width - 2 * kMargin) * tx, each * ty);
    y += each;
  }
  Refresh();
}

std::int64_t HistoryWindow::EndInstant() const {
  if (fixed_end_) return *fixed_end_;
  return InstantOf(p_.clock.Now(), p_.clock.UtcOffsetMinutes());
}

std::string HistoryWindow::TimeText(std::int64_t local) const {
  return p_.clock.TimeText(platform::FromSerialSeconds(local));
}

void HistoryWindow::Refresh() {
  if (!window_.Visible() || window_.WindowState() == form::WindowState::kMinimised) return;
  const History& history = source_.history;
  span_ = history.Query(kind_, EndInstant());
  const Limits limits = source_.limits();
  ChartLook look = DefaultLook();
  TakeUserColours(look, source_.meter_colours());
  const std::string separator = p_.clock.DecimalSeparator();
  const int tx = std::max(1, p_.desktop.TwipsPerPixelX());
  const int ty = std::max(1, p_.desktop.TwipsPerPixelY());
  for (std::size_t i = 0; i < charts_.size(); ++i) {
    const PlotSize plot = PlotIn(charts_[i]->Width() / tx, charts_[i]->Height() / ty);
    models_[i] = BuildChart(span_, kCharts[i], plot, limits, separator);
    const std::vector<TimeLabel> times =
        TimeLabels(history, span_, plot, [this](std::int64_t local) {
          // Round times: the seconds say nothing.
          std::string text = TimeText(local);
          const std::size_t seconds = text.rfind(":00");
          if (seconds != std::string::npos) text.erase(seconds, 3);
          return text;
        });
    charts_[i]->SetDrawing(DrawChart(models_[i], kCharts[i], plot, look, times, cursor_x_));
  }
}

void HistoryWindow::ShowPointerAt(const form::Control& chart, int x_twips) {
  const int tx = std::max(1, p_.desktop.TwipsPerPixelX());
  const int ty = std::max(1, p_.desktop.TwipsPerPixelY());
  const PlotSize plot = PlotIn(chart.Width() / tx, chart.Height() / ty);
  const int x = x_twips / tx - kAxisWidth;
  const std::optional<PointerInfo> info = HitTest(source_.history, span_, plot, x);
  cursor_x_ = x >= 0 && x < plot.width ? std::optional<int>(x) : std::nullopt;
  if (!info) {
    pointer_->SetCaption(cursor_x_ ? TimeText(source_.history.LocalOf(InstantAtX(span_, plot, x))) +
                                         "  no readings"
                                   : "");
  } else {
    const std::string separator = p_.clock.DecimalSeparator();
    std::string text = TimeText(info->local);
    if (span_.step > 1) text += " (average)";
    text += "   " + ReadingsText(info->values, separator);
    if (info->stale) text += "   (not responding)";
    pointer_->SetCaption(text);
  }
  Refresh();
}

}  // namespace kelvane::history
