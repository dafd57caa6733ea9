// Window placement and the docking drag: where each routine puts a window, as
// tables with the edge values beside the ordinary ones.
#include "appearance/placement.h"

#include <gtest/gtest.h>

#include "appearance/docking.h"
#include "platform/sim/sim_platform.h"

namespace kelvane::appearance {
namespace {

using platform::Point;
using platform::Rect;

constexpr Rect kWork{0, 0, 1024, 738};  // a taskbar of 30 pixels at the bottom

TEST(Placement, KeepOnScreenBringsEveryEdgeBackButTestsTopAndLeftAgainstZero) {
  struct Case {
    const char* what;
    Rect window, work;
    Point expected;
  } cases[] = {
      {"fully inside", {100, 100, 300, 200}, kWork, {100, 100}},
      {"flush with every edge", {0, 0, 1024, 738}, kWork, {0, 0}},
      {"partly below the taskbar", {100, 700, 300, 800}, kWork, {100, 638}},
      {"off the right edge", {1000, 100, 1200, 200}, kWork, {824, 100}},
      {"above and left of the screen", {-50, -20, 150, 80}, kWork, {0, 0}},
      {"taller than the work area", {10, 10, 110, 810}, kWork, {10, -62}},
      {"wider than the work area", {10, 10, 1110, 110}, kWork, {-76, 10}},
      {"above a work area that starts at 30", {10, 10, 110, 110}, {0, 30, 1024, 768}, {10, 10}},
      {"left of a work area that starts at 60", {20, 100, 120, 200}, {60, 0, 1024, 738}, {20, 100}},
  };
  for (const Case& c : cases) {
    const Point p = KeptOnScreen(c.window, c.work);
    EXPECT_EQ(p, c.expected) << c.what << ": " << p.x << "," << p.y;
  }
}

TEST(Placement, BottomAndCentreRoundTheHalvesTiesToEven) {
  // 717 pixels across a 1024-pixel work area: 512 - 358.5 = 153.5 goes to 154;
  // 3 pixels: 512 - 1.5 = 510.5 goes to 510.
  const Rect wide{0, 0, 717, 22}, narrow{40, 50, 43, 60};
  EXPECT_EQ(CentredOnWorkArea(wide, kWork), (Point{154, 358}));
  EXPECT_EQ(CentredOnWorkArea(narrow, kWork), (Point{510, 364}));
  EXPECT_EQ(CentredAtBottom(wide, kWork), (Point{154, 716}));
  // A taskbar at the left shifts the centre: the work area's left is not added.
  EXPECT_EQ(CentredOnWorkArea(wide, {100, 0, 1024, 768}), (Point{154, 373}));
  struct Case {
    int align;
    Point expected;
  } cases[] = {{-1, {0, 728}}, {0, {510, 728}}, {1, {1021, 728}}, {2, {40, 728}}};
  for (const Case& c : cases)
    EXPECT_EQ(DockedToBottom(narrow, kWork, c.align), c.expected) << "align " << c.align;
}

TEST(Placement, TheColourEditorGoesLeftOnlyWhenNearlyAllOfItFits) {
  struct Case {
    int left, expected;
  } cases[] = {{3361, -4}, {3360, 3360 + 1200}, {3400, 35}, {0, 1200}, {-500, 700}, {9000, 5635}};
  for (const Case& c : cases) EXPECT_EQ(ColourEditorLeft(c.left, 1200), c.expected) << c.left;
}

class PlacedWindowTest : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  form::WindowHandler handler;
  form::Window window{sim.Get(), handler, "Placed"};
};

TEST_F(PlacedWindowTest, MinimumSizeOnlyInTheNormalState) {
  window.Move(0, 0, 500, 200);
  EnforceMinimumSize(window);
  EXPECT_EQ(window.Width(), 700);
  EXPECT_EQ(window.Height(), 300);
  window.Move(0, 0, 500, 200);
  window.SetWindowState(form::WindowState::kMinimised);
  EnforceMinimumSize(window);
  EXPECT_EQ(window.Width(), 500);
  EXPECT_EQ(window.Height(), 200);
}

// --- docking ------------------------------------------------------------------------

constexpr WorkAreaTwips kWorkTwips{0, 0, 1024 * 15, 738 * 15};  // 15360 x 11070

TEST(Docking, EdgesSnapWithinTheDistanceHoldUntilLeftAndJudgeBottomTopRightLeft) {
  struct Case {
    int left, top, dx, dy;
    Snaps before;
    DockPlace expected;
    Snaps after;
    const char* what;
    int width = 1200, height = 2280;
  };
  constexpr Snaps kNone{}, kRight{.right = true};
  // clang-format off
  const Case cases[] = {
      {5000,  3000,  100,  50, kNone,  {5100, 3050},  kNone,  "free move"},
      {13900, 3000,  110,   0, kNone,  {14160, 3000}, kRight, "exactly the distance from the right: flush"},
      {13900, 3000,  109,   0, kNone,  {14009, 3000}, kNone,  "one twip further away: no snap"},
      {14160, 3000,  150,   0, kRight, {14160, 3000}, kRight, "held: the pointer 150 past the edge"},
      {14160, 3000, -100,   0, kRight, {14160, 3000}, kRight, "held: back towards the middle"},
      {14160, 3000,  151,   0, kRight, {14311, 3000}, kNone,  "151 past the edge: follows again"},
      {14160, 3000,   20, 400, kRight, {14160, 3400}, kRight, "held at the right, moving down freely"},
      {13950, 8700,  100,  50, kNone,  {14160, 8790}, {.right = true, .bottom = true}, "a corner"},
      {200,   3000,  -60,   0, kNone,  {0, 3000},     {.left = true}, "the left edge"},
      {5000,  100,     0,  40, kNone,  {5000, 0},     {.top = true},  "the top edge"},
      {5000,  -65,    10,   0, kNone,  {5010, 0},     {.top = true, .bottom = true},
       "taller than the work area: the top edge wins", 1200, 11200},
      {-70,   3000,    0,  10, kNone,  {0, 3010},     {.left = true, .right = true},
       "wider than the work area: the left edge wins", 15500, 2280},
  };
  // clang-format on
  for (const Case& c : cases) {
    Snaps snaps = c.before;
    const DockPlace p =
        NextDockPlace(c.left, c.top, c.width, c.height, c.dx, c.dy, kWorkTwips, 150, snaps);
    EXPECT_EQ(p.left, c.expected.left) << c.what;
    EXPECT_EQ(p.top, c.expected.top) << c.what;
    EXPECT_EQ(snaps, c.after) << c.what;
  }
}

// The handler on a window, driven as the renderer drives it: the pointer's
// position relative to a control that moves with the window.
class DockingHandlerTest : public PlacedWindowTest {
 protected:
  DockingHandlerTest() {
    window.Move(10005, 3000, 1200, 2280);
    docker.SetParentForm(&window);
  }
  // Presses at `at` twips of the window, then moves the pointer to each screen
  // position across (twips), reporting it relative to the window as it stands.
  void Drag(int at, std::initializer_list<int> pointer_lefts) {
    docker.StartDockDrag(static_cast<float>(at), 100);
    for (int pointer : pointer_lefts)
      docker.UpdateDockDrag(static_cast<float>(pointer - window.Left()), 100);
  }
  DockingHandler docker{sim.desktop};
};

TEST_F(DockingHandlerTest, TenPixelsSnapAndTheSnapOutlastsTheDrag) {
  EXPECT_EQ(docker.SnapDistance(), 150);
  // The pointer pressed 300 twips into the window; the window's right edge
  // comes within 150 twips of the work area's (15360): it jumps flush.
  Drag(300, {10305 + 4005});
  EXPECT_EQ(window.Left(), 14160);
  EXPECT_TRUE(docker.Snapped().right);
  // A new drag starts held: 150 twips further it stays, one pixel more and it
  // follows the pointer again, whole pixels only.
  Drag(300, {14460 + 150});
  EXPECT_EQ(window.Left(), 14160);
  Drag(300, {14460 + 165});
  EXPECT_EQ(window.Left(), 14325);
  EXPECT_FALSE(docker.Snapped().right);
}

TEST_F(DockingHandlerTest, APressWithoutMovementOrWithoutAWindowMovesNothing) {
  Drag(300, {10305, 10305});
  EXPECT_EQ(window.Left(), 10005);
  docker.SetParentForm(nullptr);
  docker.StartDockDrag(300, 100);
  docker.UpdateDockDrag(900, 100);
  EXPECT_EQ(window.Left(), 10005);
}

TEST_F(DockingHandlerTest, EachDragReadsTheWorkAreaAfresh) {
  Drag(300, {10405});
  EXPECT_EQ(docker.WorkArea(), kWorkTwips);
  sim.desktop.SetWorkArea({0, 40, 1024, 768});  // the taskbar moved to the top
  Drag(300, {10405});
  EXPECT_EQ(docker.WorkArea(), (WorkAreaTwips{0, 600, 15360, 11520}));
}

}  // namespace
}  // namespace kelvane::appearance
