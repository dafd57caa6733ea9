#include "layout.h"

#include <gtest/gtest.h>

namespace kelvane::standin {
namespace {

// The places a waking program clicks, in its order, and what each must hit.
TEST(LayoutTest, EveryClickablePlaceHitsItsControl) {
  struct Click {
    int x;
    int y;
    Control expected;
  };
  const Click clicks[] = {
      {150, 52, Control::kOverview}, {220, 100, Control::kUsage},   {290, 100, Control::kConfig},
      {360, 100, Control::kInfo},    {150, 100, Control::kMonitor}, {555, 15, Control::kAbout},
  };
  for (const Click& c : clicks) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    EXPECT_EQ(ControlAt(c.x, c.y), c.expected);
    // A few pixels of slack around each place, for a window placed a pixel off.
    for (const auto& [dx, dy] : {std::pair{-4, -4}, {4, 4}, {-4, 4}, {4, -4}}) {
      EXPECT_EQ(ControlAt(c.x + dx, c.y + dy), c.expected);
    }
  }
}

TEST(LayoutTest, ControlsLieInsideTheWindowAndDoNotOverlap) {
  const Box window{0, 0, kWindowWidth, kWindowHeight};
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const Box& box = kControls[i].box;
    SCOPED_TRACE(kControls[i].caption);
    EXPECT_TRUE(window.Contains(box.left, box.top) &&
                window.Contains(box.right - 1, box.bottom - 1));
    // Painted controls live on the caption bar, windows below it.
    EXPECT_EQ(kControls[i].painted, kCaptionBar.Overlaps(box));
    EXPECT_FALSE(kPageArea.Overlaps(box));
    EXPECT_EQ(&PlaceOf(kControls[i].control), &kControls[i]);
    for (std::size_t j = i + 1; j < kControls.size(); ++j) {
      EXPECT_FALSE(box.Overlaps(kControls[j].box)) << kControls[j].caption;
    }
  }
  EXPECT_FALSE(ControlAt(20, 200));
}

TEST(LayoutTest, ReadingRowsFitTheirPanelsWithoutOverlapping) {
  const Box page{0, 0, kPageArea.Width(), kPageArea.Height()};
  for (std::size_t i = 0; i < kReadingCount; ++i) {
    const auto r = static_cast<Reading>(i);
    SCOPED_TRACE(ReadingCaption(r));
    const Box parts[] = {ReadingCaptionBox(r), ReadingValueBox(r), ReadingUnitBox(r)};
    bool in_a_panel = false;
    for (int p = 0; p < kPanelCount; ++p) {
      const Box panel = PanelBox(p);
      in_a_panel |= panel.Contains(parts[0].left, parts[0].top) &&
                    panel.Contains(parts[2].right - 1, parts[2].bottom - 1);
    }
    EXPECT_TRUE(in_a_panel);
    EXPECT_FALSE(parts[0].Overlaps(parts[1]));
    EXPECT_FALSE(parts[1].Overlaps(parts[2]));
    // Wide enough for "12.000" in the value font (about 62 px) plus margins.
    EXPECT_GE(parts[1].Width(), 78);
    for (std::size_t j = i + 1; j < kReadingCount; ++j) {
      EXPECT_FALSE(parts[1].Overlaps(ReadingValueBox(static_cast<Reading>(j))));
    }
  }
  for (int p = 0; p < kPanelCount; ++p) {
    const Box panel = PanelBox(p);
    EXPECT_TRUE(page.Contains(panel.left, panel.top) &&
                page.Contains(panel.right - 1, panel.bottom - 1));
  }
}

}  // namespace
}  // namespace kelvane::standin
