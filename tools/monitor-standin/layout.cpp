#include "layout.h"

namespace kelvane::standin {

namespace {

struct Slot {
  int panel;
  int row;
  std::string_view caption;
};

// Reading order is fixed by the windows' creation order; where each sits on the
// page is a matter of looks.
constexpr std::array<Slot, kReadingCount> kSlots{{
    {0, 0, "CPU Core"},
    {0, 1, "+5V"},
    {0, 2, "+3.3V"},
    {0, 3, "+12V"},
    {1, 0, "CPU Temp"},
    {2, 1, "Chassis Fan"},
    {2, 2, "Power Fan"},
    {2, 0, "CPU Fan"},
    {1, 1, "MB Temp"},
}};

constexpr int kPanelWidth = 204;
constexpr int kPanelGap = 4;
constexpr int kRowTop = 34;
constexpr int kRowPitch = 42;
constexpr int kRowHeight = 30;

Box RowPart(Reading reading, int left, int right) {
  const Box panel = PanelBox(kSlots[reading].panel);
  const int top = panel.top + kRowTop + kSlots[reading].row * kRowPitch;
  return {panel.left + left, top, panel.left + right, top + kRowHeight};
}

}  // namespace

std::optional<Control> ControlAt(int x, int y) {
  for (const ControlPlace& place : kControls) {
    if (place.box.Contains(x, y)) return place.control;
  }
  return std::nullopt;
}

const ControlPlace& PlaceOf(Control control) {
  for (const ControlPlace& place : kControls) {
    if (place.control == control) return place;
  }
  return kControls.front();  // unreachable: every control has a place
}

Box PanelBox(int panel) {
  const int left = kPanelGap + panel * (kPanelWidth + kPanelGap);
  return {left, 6, left + kPanelWidth, kPageArea.Height() - 6};
}

std::string_view PanelTitle(int panel) {
  static constexpr std::string_view kTitles[kPanelCount] = {"Voltages", "Temperatures", "Fans"};
  return kTitles[panel];
}

Box ReadingCaptionBox(Reading reading) {
  return RowPart(reading, 8, 88);
}
Box ReadingValueBox(Reading reading) {
  return RowPart(reading, 90, 172);
}
Box ReadingUnitBox(Reading reading) {
  return RowPart(reading, 176, 202);
}
std::string_view ReadingCaption(Reading reading) {
  return kSlots[reading].caption;
}

}  // namespace kelvane::standin
