// The history's cost: feeding a day of ticks, building the day's graphs, and
// writing and reading the file. Prints one line per figure. Built for Windows
// (and run under Wine) it also paints the three charts of each span with the
// renderer's own code into an off-screen bitmap, as the window does.
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/ui/forms/form_window.h"
#endif

#include "history/chart_drawing.h"
#include "history/graph.h"
#include "history/history_file.h"
#include "platform/calendar.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// The best of `rounds` runs of `work`, in microseconds.
template <typename Work>
double Best(int rounds, Work work) {
  double best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    work();
    const double took = Microseconds(Clock::now() - start);
    if (took < best) best = took;
  }
  return best;
}

}  // namespace

int main() {
  using namespace kelvane;
  using namespace kelvane::history;
  constexpr int kDay = 86400;
  auto history = std::make_unique<History>();
  const double feed = Best(3, [&] {
    history = std::make_unique<History>();
    platform::DateTime t{2026, 12, 7, 0, 0, 0};
    for (int s = 0; s < kDay; ++s) {
      Tick tick;
      tick.local = t;
      tick.utc_offset_minutes = 60;
      tick.values.cpu_temp = 40 + s % 23;
      tick.values.mb_temp = 30 + s % 7;
      tick.values.cpu_fan = 3000 + s % 500;
      tick.values.power_fan = 2000 + s % 300;
      tick.values.chassis_fan = 1500 + s % 200;
      tick.values.v12 = 12.0f + static_cast<float>(s % 40) / 100;
      tick.values.v5 = 5.0f, tick.values.v33 = 3.3f, tick.values.vcore = 1.52f;
      tick.stale = s % 3600 < 20;
      history->Add(tick);
      t = platform::AddSeconds(t, 1);
    }
  });
  std::printf("feed a day of ticks: %.0f us (%.3f us a tick)\n", feed, feed / kDay);

  const std::int64_t now = *history->Newest();
  const PlotSize plot{1000, 200};
  const Limits limits{60, 65};
  for (SpanKind kind : {SpanKind::kDay, SpanKind::kHour, SpanKind::kTenMinutes}) {
    std::size_t points = 0, shapes = 0;
    const ChartLook look = DefaultLook();
    std::vector<kelvane::form::Drawing> drawings;
    const double took = Best(20, [&] {
      const Span span = history->Query(kind, now);
      shapes = 0;
      drawings.clear();
      for (Chart chart : {Chart::kTemperatures, Chart::kFans, Chart::kVoltages}) {
        const ChartModel model = BuildChart(span, chart, plot, limits, ".");
        points = 0;
        for (const auto& line : model.lines)
          for (const auto& piece : line.pieces) points += piece.size();
        // What the window hands the renderer: the chart as shapes.
        drawings.push_back(DrawChart(model, chart, plot, look, {}, std::nullopt));
        shapes += drawings.back().size();
      }
    });
    const char* name = kind == SpanKind::kDay ? "24 h" : kind == SpanKind::kHour ? "1 h" : "10 min";
    std::printf(
        "%-6s span and its three charts drawn at %dx%d px: %.0f us (last chart %zu points, %zu "
        "shapes in all)\n",
        name, plot.width, plot.height, took, points, shapes);
#ifdef _WIN32
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const int width = plot.width + kAxisWidth + kRightMargin;
    const int height = plot.height + kTitleHeight + kTimesHeight;
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, 3 * height);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    platform::win32::forms::Resources resources;
    const double painted = Best(20, [&] {
      for (std::size_t i = 0; i < drawings.size(); ++i) {
        SetViewportOrgEx(dc, 0, static_cast<int>(i) * height, nullptr);
        platform::win32::forms::PaintDrawing(dc, drawings[i], resources);
      }
      GdiFlush();
    });
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::printf("%-6s span's three charts painted by the renderer: %.0f us\n", name, painted);
#endif
  }

  std::string text;
  const double write = Best(5, [&] { text = HistoryText(*history); });
  History back;
  ReadOutcome outcome;
  const double read = Best(5, [&] {
    back = History();
    outcome = ReadHistoryText(text, back);
  });
  std::printf("history file: %zu bytes, %d records, written in %.0f us, read in %.0f us\n",
              text.size(), outcome.records, write, read);
  return 0;
}
