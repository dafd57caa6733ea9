// A sample window with one control of every kind, driven on the simulated
// desktop the way a user would: the events, their order and their coordinates.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/form/form.h"
#include "platform/sim/sim_platform.h"

namespace kelvane::form {
namespace {

using Log = std::vector<std::string>;

std::string NameOf(const Control* c) {
  return c ? c->Id() : "window";
}

// Logs every event as text; tests add behaviour through the hooks.
class SampleWindow : public WindowHandler {
 public:
  explicit SampleWindow(platform::Platform& services, std::string name = "Sample")
      : window(services, *this, std::move(name)),
        frame(window.Add<Frame>("Frame1")),
        framed(window.Add<Label>("Label1", 0, &frame)),
        lower(window.Add<Label>("Label1", 1)),
        upper(window.Add<Label>("Label1", 2)),
        picture(window.Add<PictureBox>("Picture1")),
        pictured(window.Add<Label>("Label1", 3, &picture)),
        check(window.Add<CheckBox>("Check1")),
        over_check(window.Add<Label>("Label1", 4)),
        list(window.Add<ListBox>("Combo1")),
        combo(window.Add<ListBox>("Combo2")),
        scroll(window.Add<ScrollBar>("VScroll1")),
        button(window.Add<Button>("Command1")),
        text(window.Add<TextBox>("Text1")),
        picture_button(window.Add<PictureButton>("Picture3", 0)),
        timer(window.AddTimer("Timer1")) {
    // Sizable with a title: the client area starts 60 twips in and 345 down.
    window.SetCaption("Sample");
    window.Move(1500, 1500, 6000, 4500);
    frame.Move(300, 300, 2400, 1200);
    framed.Move(120, 240, 1200, 300);
    lower.Move(3000, 300, 1200, 300);
    upper.Move(3600, 300, 1200, 300);  // added later, so above `lower`
    picture.Move(3000, 900, 1500, 900);
    pictured.Move(0, 0, 600, 300);
    check.Move(300, 1800, 1500, 300);
    over_check.Move(1000, 1800, 1500, 300);  // windowless: stays below the check box
    list.Move(300, 2300, 1200, 300);
    for (const char* item : {"80", "78", "76"}) list.AddItem(item);
    combo.SetStyle(ListStyle::kEditableCombo);
    combo.Move(1700, 2300, 1200, 300);
    for (const char* item : {"16", "18"}) combo.AddItem(item);
    scroll.SetVertical(true);
    scroll.Move(5000, 300, 255, 1500);
    scroll.SetRange(1, 32767);
    scroll.SetLargeChange(10);
    scroll.SetValue(15);
    button.Move(300, 2800, 1200, 375);
    text.Move(1700, 2800, 2000, 285);
    picture_button.Move(4000, 2800, 450, 450);

    MenuItem& top = window.AddMenu("MnuTop", "MnuTop");
    top.SetVisible(false);  // a popup only, never a menu bar
    top.Add("MnuShow", "Show");
    top.AddSeparator("zzz");
    MenuItem& sub = top.Add("Mu1", "Dashboard");
    sub.Add("MnuDash", "Show Dashboard").SetChecked(true);
    sub.AddSeparator();
    sub.Add("MnuDashTop", "Center");
    top.Add("MnuGrey", "Greyed").SetEnabled(false);
    top.Add("mnuEXIT", "Exit");
  }

  void OnLoad() override { Add("load"); }
  void OnQueryUnload(UnloadMode mode, bool& cancel) override {
    Add("query-unload " + std::to_string(static_cast<int>(mode)));
    cancel = cancel_unload;
  }
  void OnUnload() override { Add("unload"); }
  void OnResize() override { Add("resize"); }
  void OnActivate() override { Add("activate"); }
  void OnGotFocus(Control& c) override { Add("focus " + c.Id()); }
  void OnClick(Control* c) override {
    std::string line = "click " + NameOf(c);
    if (auto* box = dynamic_cast<CheckBox*>(c)) line += " " + std::to_string(box->Value());
    if (auto* l = dynamic_cast<ListBox*>(c))
      line += " " + std::to_string(l->ListIndex()) + " " + l->Text();
    Add(line);
    if (on_click) on_click(c);
  }
  void OnDoubleClick(Control* c) override { Add("dblclick " + NameOf(c)); }
  void OnMouseDown(const MouseEvent& e) override {
    Add(Mouse("down", e));
    if (on_down) on_down(e);
  }
  void OnMouseMove(const MouseEvent& e) override {
    Add(Mouse("move", e));
    if (on_move) on_move(e);
  }
  void OnMouseUp(const MouseEvent& e) override {
    Add(Mouse("up", e));
    if (on_up) on_up(e);
  }
  void OnKeyDown(Control* c, int& code, int) override {
    Add("keydown " + NameOf(c) + " " + std::to_string(code));
    if (on_key_down) on_key_down(c, code);
  }
  void OnKeyPress(Control* c, int& code) override {
    Add("keypress " + NameOf(c) + " " + std::to_string(code));
    if (on_key_press) on_key_press(c, code);
  }
  void OnKeyUp(Control* c, int& code, int) override {
    Add("keyup " + NameOf(c) + " " + std::to_string(code));
  }
  void OnChange(Control& c) override {
    std::string value;
    if (auto* t = dynamic_cast<TextBox*>(&c)) value = t->Text();
    if (auto* l = dynamic_cast<ListBox*>(&c)) value = l->Text();
    if (auto* s = dynamic_cast<ScrollBar*>(&c)) value = std::to_string(s->Value());
    Add("change " + c.Id() + " " + value);
  }
  void OnMenuOpen(MenuItem& item) override { Add("menu-open " + item.Name()); }
  void OnMenuClick(MenuItem& item) override {
    Add("menu " + item.Name());
    if (on_menu) on_menu(item);
  }
  void OnTimer(WindowTimer& t) override { Add("timer " + t.Name()); }

  // The log since the last call.
  Log Take() { return std::exchange(log, {}); }

  Window window;
  Frame& frame;
  Label& framed;
  Label& lower;
  Label& upper;
  PictureBox& picture;
  Label& pictured;
  CheckBox& check;
  Label& over_check;
  ListBox& list;
  ListBox& combo;
  ScrollBar& scroll;
  Button& button;
  TextBox& text;
  PictureButton& picture_button;
  WindowTimer& timer;

  Log log;
  bool cancel_unload = false;
  std::function<void(const MouseEvent&)> on_down, on_move, on_up;
  std::function<void(Control*)> on_click;
  std::function<void(Control*, int&)> on_key_down, on_key_press;
  std::function<void(MenuItem&)> on_menu;

 private:
  void Add(std::string line) { log.push_back(std::move(line)); }
  static std::string Mouse(const char* kind, const MouseEvent& e) {
    return std::string(kind) + " " + NameOf(e.control) + " b" + std::to_string(e.button) + " s" +
           std::to_string(e.shift) + " " + std::to_string(e.x) + "," + std::to_string(e.y);
  }
};

class FormInput : public ::testing::Test {
 protected:
  void SetUp() override {
    form.window.Show();
    form.Take();
  }
  sim::SimPlatform sim;
  sim::SimForms& user = sim.forms;
  SampleWindow form{sim.Get()};
  Window& window = form.window;
};

// --- pointer ---------------------------------------------------------------------------

TEST_F(FormInput, APressReachesTheControlUnderItWithTwipsRelativeToThatControl) {
  struct Case {
    int x, y;  // client-area twips
    std::string expected;
  } cases[] = {
      {460, 600, "down Label1(0) b1 s0 40,60"},      // a label inside a frame
      {2300, 400, "down Frame1 b1 s0 2000,100"},     // the frame where no label covers it
      {100, 100, "down window b1 s0 100,100"},       // the client area itself
      {3700, 350, "down Label1(2) b1 s0 100,50"},    // two labels overlap: the upper one
      {3100, 350, "down Label1(1) b1 s0 100,50"},    // the lower one where it is alone
      {3100, 1000, "down Label1(3) b1 s0 100,100"},  // a label in a picture box
      {4000, 1500, "down Picture1 b1 s0 1000,600"}, {4100, 2900, "down Picture3(0) b1 s0 100,100"},
  };
  for (const Case& c : cases) {
    user.Press(window, nullptr, c.x, c.y);
    user.Release(window, nullptr, c.x, c.y);
    Log log = form.Take();
    std::erase_if(log, [](const std::string& l) { return l.rfind("focus", 0) == 0; });
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), c.expected) << c.x << "," << c.y;
  }
}

TEST_F(FormInput, TheDesktopPointerFollowsTheSimulatedUser) {
  user.Press(window, &form.framed, 40, 60);
  // Client origin at (1500 + 60, 1500 + 345) twips; the label at (420, 540) in it.
  EXPECT_EQ(sim.desktop.CursorPos(), (platform::Point{135, 163}));  // (2020, 2445) twips
  user.Release(window, &form.framed, 40, 60);
}

TEST_F(FormInput, AWindowedControlLiesAboveALabelAddedAfterIt) {
  // Label1(4) overlaps Check1 and was added later, but labels are painted by
  // their container, below its child windows.
  user.Click(window, &form.check, 900, 100);
  EXPECT_EQ(form.Take(), (Log{"focus Check1", "down Check1 b1 s0 900,100",
                              "up Check1 b1 s0 900,100", "click Check1 1"}));
  user.Click(window, &form.check, 1700, 100);  // beyond the check box: the label
  EXPECT_EQ(form.Take(), (Log{"down Label1(4) b1 s0 1000,100", "up Label1(4) b1 s0 1000,100",
                              "click Label1(4)"}));
}

TEST_F(FormInput, BringingALabelToTheFrontMakesItTheOneThatIsClicked) {
  user.Click(window, nullptr, 3700, 350);
  EXPECT_EQ(form.Take().back(), "click Label1(2)");
  form.lower.BringToFront();
  user.Click(window, nullptr, 3700, 350);
  EXPECT_EQ(form.Take().back(), "click Label1(1)");
}

TEST_F(FormInput, HiddenAndDisabledControlsLeaveThePressToTheirContainer) {
  form.framed.SetVisible(false);
  user.Press(window, nullptr, 460, 600);
  EXPECT_EQ(form.Take().front(), "down Frame1 b1 s0 160,300");
  user.Release(window, nullptr, 460, 600);
  form.framed.SetVisible(true);
  form.frame.SetEnabled(false);  // the frame and everything in it
  form.Take();
  user.Press(window, nullptr, 460, 600);
  EXPECT_EQ(form.Take().front(), "down window b1 s0 460,600");
  user.Release(window, nullptr, 460, 600);
}

TEST_F(FormInput, ADragThatLeavesTheLabelReportsToItUntilRelease) {
  user.Press(window, &form.framed, 40, 60);
  user.MoveTo(window, nullptr, 5500, 3500);  // far outside the label and its frame
  user.MoveTo(window, &form.upper, 10, 10);  // over another label
  user.Release(window, nullptr, 5500, 3500);
  user.MoveTo(window, nullptr, 5500, 3500);  // no button: the window again
  EXPECT_EQ(form.Take(), (Log{"down Label1(0) b1 s0 40,60", "move Label1(0) b1 s0 5080,2960",
                              "move Label1(0) b1 s0 3190,-230", "up Label1(0) b1 s0 5080,2960",
                              "move window b0 s0 5500,3500"}));
}

TEST_F(FormInput, AClickNeedsTheLeftButtonReleasedOverThePressedControl) {
  user.Click(window, &form.upper, 10, 10, button::kRight, shift::kShift);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b2 s1 10,10", "up Label1(2) b2 s1 10,10"}));
  user.Press(window, &form.upper, 10, 10);
  user.Release(window, &form.upper, 1300, 10);  // beyond its right edge
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 10,10", "up Label1(2) b1 s0 1300,10"}));
}

TEST_F(FormInput, ASecondButtonGoesToTheCapturingControlAndTheLastReleaseEndsIt) {
  user.Press(window, &form.upper, 10, 10);
  user.Press(window, nullptr, 100, 100, button::kRight);  // elsewhere, while left is held
  user.MoveTo(window, nullptr, 100, 120);
  user.Release(window, nullptr, 100, 120, button::kLeft);
  user.MoveTo(window, nullptr, 100, 140);
  user.Release(window, nullptr, 100, 140, button::kRight);
  user.MoveTo(window, nullptr, 100, 160);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 10,10", "down Label1(2) b2 s0 -3500,-200",
                              "move Label1(2) b3 s0 -3500,-180", "up Label1(2) b1 s0 -3500,-180",
                              "move Label1(2) b2 s0 -3500,-160", "up Label1(2) b2 s0 -3500,-160",
                              "move window b0 s0 100,160"}));
}

TEST_F(FormInput, AReleaseTheModelNeverSawEndsTheCaptureAtTheNextMove) {
  // The renderer reports moves with the buttons really held; none held means
  // the release went elsewhere (a dialog, another program).
  window.UserMouse(MouseKind::kDown, 3700, 350, button::kLeft, 0);
  window.UserMouse(MouseKind::kMove, 100, 100, 0, 0);
  window.UserMouse(MouseKind::kDown, 100, 100, button::kLeft, 0);
  window.UserCaptureLost();
  window.UserMouse(MouseKind::kMove, 3100, 350, 0, 0);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 100,50", "move window b0 s0 100,100",
                              "down window b1 s0 100,100", "move Label1(1) b0 s0 100,50"}));
}

TEST_F(FormInput, ADoubleClickRaisesDoubleClickInsteadOfTheSecondPressAndNoSecondClick) {
  user.DoubleClick(window, &form.upper, 10, 10);
  EXPECT_EQ(form.Take(),
            (Log{"down Label1(2) b1 s0 10,10", "up Label1(2) b1 s0 10,10", "click Label1(2)",
                 "dblclick Label1(2)", "up Label1(2) b1 s0 10,10"}));
}

TEST_F(FormInput, ADoubleClickOnACheckBoxIsTwoClicks) {
  user.DoubleClick(window, &form.check, 10, 10);
  Log log = form.Take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "click Check1 1"), 1);
  EXPECT_EQ(log.back(), "click Check1 0");
  EXPECT_EQ(form.check.Value(), 0);
}

TEST_F(FormInput, ASecondPressOnAnotherControlIsAPlainPress) {
  // The container saw two quick presses, but on different labels.
  user.Click(window, nullptr, 3100, 350);
  form.Take();
  window.UserMouse(MouseKind::kDoubleClick, 3700, 350, button::kLeft, 0);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 100,50"}));
  window.UserMouse(MouseKind::kUp, 3700, 350, button::kLeft, 0);
  EXPECT_EQ(form.Take().back(), "click Label1(2)");
}

TEST_F(FormInput, UnloadingInsideMouseUpLeavesNoClick) {
  form.on_up = [&](const MouseEvent&) { window.Unload(); };
  user.Click(window, &form.upper, 10, 10);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 10,10", "up Label1(2) b1 s0 10,10",
                              "query-unload 1", "unload"}));
  EXPECT_THROW(user.Click(window, &form.upper, 10, 10), sim::SimUsageError);
}

TEST_F(FormInput, APressThatHidesTheWindowLetsGoOfThePointer) {
  form.on_down = [&](const MouseEvent& e) {
    if (e.control == &form.upper) window.Hide();
  };
  user.Click(window, &form.upper, 10, 10);
  EXPECT_EQ(user.HeldButtons(), 0);
  window.Show();
  user.Click(window, &form.lower, 10, 10);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 10,10", "down Label1(1) b1 s0 10,10",
                              "up Label1(1) b1 s0 10,10", "click Label1(1)"}));
}

TEST_F(FormInput, ASystemMoveTakesTheReleaseAndMovesTheWindowWithThePointer) {
  form.on_down = [&](const MouseEvent& e) {
    if (e.y > 0) window.StartSystemMove();
  };
  user.Press(window, &form.upper, 10, 10);
  user.MovePointer(window, {sim.desktop.CursorPos().x + 20, sim.desktop.CursorPos().y + 10});
  user.Release(window, &form.upper, 10, 10);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b1 s0 10,10"}));
  EXPECT_EQ(user.SystemMoves(), (std::vector<std::string>{"Sample"}));
  EXPECT_EQ(window.Left(), 1500 + 20 * 15);
  EXPECT_EQ(window.Top(), 1500 + 10 * 15);
  EXPECT_EQ(sim.desktop.WindowRect(window.Handle())->left, 120);
  // A press at Y = 0 is no drag.
  user.Click(window, &form.upper, 10, 0);
  EXPECT_EQ(form.Take().back(), "click Label1(2)");
}

TEST_F(FormInput, ThePointerImageComesFromTheControlOrItsContainers) {
  window.SetPointerImage(Pointer::File("C:\\K\\normal.cur"));
  form.frame.SetPointerImage(Pointer::File("C:\\K\\move.cur"));
  form.upper.SetPointerImage(Pointer::Stock(StockPointer::kCross));
  EXPECT_EQ(window.PointerAt(460, 600).file, "C:\\K\\move.cur");  // label in the frame
  EXPECT_EQ(window.PointerAt(3700, 350).stock, StockPointer::kCross);
  EXPECT_EQ(window.PointerAt(3100, 350).file, "C:\\K\\normal.cur");
}

// --- check boxes, lists, scroll bars, buttons ----------------------------------------------

TEST_F(FormInput, ACheckBoxSetInCodeClicksOnceAndNotForTheSameValue) {
  form.check.SetValue(1);
  form.check.SetValue(1);
  form.check.SetValue(0);
  EXPECT_EQ(form.Take(), (Log{"click Check1 1", "click Check1 0"}));
}

TEST_F(FormInput, NothingFiresBeforeTheWindowIsLoaded) {
  SampleWindow fresh(sim.Get());
  fresh.check.SetValue(1);
  fresh.list.SetListIndex(2);
  fresh.scroll.SetValue(100);
  fresh.text.SetText("x");
  EXPECT_TRUE(fresh.Take().empty());
  EXPECT_EQ(fresh.list.Text(), "76");
}

TEST_F(FormInput, AUserClickTogglesTheCheckBoxBeforeItsClick) {
  user.Click(window, &form.check, 10, 10);
  user.Click(window, &form.check, 10, 10);
  window.UserClickCheckBox(form.check);
  EXPECT_EQ(form.Take(), (Log{"focus Check1", "down Check1 b1 s0 10,10", "up Check1 b1 s0 10,10",
                              "click Check1 1", "down Check1 b1 s0 10,10", "up Check1 b1 s0 10,10",
                              "click Check1 0", "click Check1 1"}));
}

TEST_F(FormInput, ADisabledCheckBoxIsNotToggled) {
  form.check.SetEnabled(false);
  user.Click(window, &form.check, 10, 10);
  window.UserClickCheckBox(form.check);
  EXPECT_EQ(form.check.Value(), 0);
  EXPECT_EQ(form.Take(),
            (Log{"down window b1 s0 310,1810", "up window b1 s0 310,1810", "click window"}));
}

TEST_F(FormInput, ChoosingAListItemSetsIndexAndTextThenClicksEvenWhenUnchanged) {
  user.PickListItem(window, form.list, "78");
  user.PickListItem(window, form.list, 1);
  form.list.SetListIndex(1);  // in code, unchanged: nothing
  form.list.SetListIndex(2);
  EXPECT_EQ(form.Take(),
            (Log{"focus Combo1", "click Combo1 1 78", "click Combo1 1 78", "click Combo1 2 76"}));
  EXPECT_FALSE(form.list.SetText("77"));  // a drop-down list only selects its items
  EXPECT_EQ(form.list.Text(), "76");
}

TEST_F(FormInput, TypingIntoAnEditableComboChangesItsTextUntilAnItemIsChosen) {
  user.PickListItem(window, form.combo, 0);
  user.Type(window, form.combo, "7");
  EXPECT_EQ(form.combo.Text(), "167");
  EXPECT_EQ(form.combo.ListIndex(), -1);
  user.PickListItem(window, form.combo, 0);
  EXPECT_EQ(form.Take(),
            (Log{"focus Combo2", "click Combo2 0 16", "keydown Combo2 55", "keypress Combo2 55",
                 "change Combo2 167", "keyup Combo2 55", "click Combo2 0 16"}));
}

TEST_F(FormInput, ListKeysCanBeDiscardedSoTheListCannotBeStepped) {
  user.PickListItem(window, form.list, 0);
  user.KeyStroke(window, 0x28);  // arrow down steps the closed list
  EXPECT_EQ(form.list.ListIndex(), 1);
  form.on_key_down = [&](Control*, int& code) {
    code = 0;
    form.text.SetFocus();
  };
  form.list.SetFocus();
  user.KeyStroke(window, 0x28);
  EXPECT_EQ(form.list.ListIndex(), 1);
  EXPECT_EQ(form.Take(),
            (Log{"focus Combo1", "click Combo1 0 80", "keydown Combo1 40", "click Combo1 1 78",
                 "keyup Combo1 40", "keydown Combo1 40", "focus Text1", "keyup Text1 40"}));
}

TEST_F(FormInput, AScrollBarMovesByItsChangesWithinItsRangeAndReportsRealChanges) {
  struct Case {
    ScrollAction action;
    int position;
    int expected;
  } cases[] = {
      {ScrollAction::kLineMore, 0, 16},  {ScrollAction::kPageMore, 0, 26},
      {ScrollAction::kPageLess, 0, 16},  {ScrollAction::kLineLess, 0, 15},
      {ScrollAction::kTo, 40000, 32767}, {ScrollAction::kLineMore, 0, 32767},
      {ScrollAction::kTo, -5, 1},        {ScrollAction::kPageLess, 0, 1},
  };
  int changes = 0;
  int last = form.scroll.Value();
  for (const Case& c : cases) {
    user.Scroll(window, form.scroll, c.action, c.position);
    EXPECT_EQ(form.scroll.Value(), c.expected) << static_cast<int>(c.action);
    if (c.expected != last) ++changes;
    last = c.expected;
  }
  Log log = form.Take();
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& l) { return l.rfind("change", 0) == 0; }),
            changes);
  EXPECT_EQ(log.back(), "change VScroll1 1");
}

TEST_F(FormInput, AReversedScrollBarMovesTowardsMinWithTheLessArrow) {
  form.scroll.SetRange(100, 0);
  form.scroll.SetValue(50);
  user.Scroll(window, form.scroll, ScrollAction::kLineLess);
  EXPECT_EQ(form.scroll.Value(), 51);
  user.Scroll(window, form.scroll, ScrollAction::kPageMore);
  EXPECT_EQ(form.scroll.Value(), 41);
}

TEST_F(FormInput, ButtonsAndPictureButtonsClickWithTheMouseAndButtonsWithSpace) {
  user.Click(window, &form.picture_button, 5, 5);
  user.Click(window, &form.button, 5, 5);
  user.KeyStroke(window, ' ');
  window.UserClickButton(form.button);  // the renderer's keyboard or accessibility click
  form.button.SetEnabled(false);
  window.UserClickButton(form.button);
  EXPECT_EQ(form.Take(), (Log{"down Picture3(0) b1 s0 5,5", "up Picture3(0) b1 s0 5,5",
                              "click Picture3(0)", "focus Command1", "down Command1 b1 s0 5,5",
                              "up Command1 b1 s0 5,5", "click Command1", "keydown Command1 32",
                              "keyup Command1 32", "click Command1", "click Command1"}));
}

// --- keys and text ----------------------------------------------------------------------

TEST_F(FormInput, AKeyPressDiscardedByTheHandlerDoesNotReachTheTextBox) {
  form.on_key_press = [](Control*, int& code) {
    if (code == 'b') code = 0;
    if (code == 'c') code = 'C';
  };
  user.Type(window, form.text, "abc");
  EXPECT_EQ(form.text.Text(), "aC");
  EXPECT_EQ(form.Take(),
            (Log{"focus Text1", "keydown Text1 65", "keypress Text1 97", "change Text1 a",
                 "keyup Text1 65", "keydown Text1 66", "keypress Text1 98", "keyup Text1 66",
                 "keydown Text1 67", "keypress Text1 99", "change Text1 aC", "keyup Text1 67"}));
}

TEST_F(FormInput, EnterAddsNothingAndBackspaceRemovesOneCharacter) {
  form.text.SetText("45\xC2\xB0");
  form.Take();
  user.Type(window, form.text, "\b\r");
  EXPECT_EQ(form.text.Text(), "45");
  EXPECT_EQ(form.Take(),
            (Log{"focus Text1", "keydown Text1 8", "keypress Text1 8", "change Text1 45",
                 "keyup Text1 8", "keydown Text1 13", "keypress Text1 13", "keyup Text1 13"}));
}

TEST_F(FormInput, APressGivesAFocusableControlTheFocusBeforeItsMouseDownAndALabelNone) {
  user.Click(window, &form.text, 10, 10);
  user.Click(window, &form.upper, 10, 10);
  user.Click(window, &form.text, 10, 10);
  Log log = form.Take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "focus Text1"), 1);
  EXPECT_EQ(log[0], "focus Text1");
  EXPECT_EQ(log[1], "down Text1 b1 s0 10,10");
  EXPECT_EQ(window.Focused(), &form.text);
}

// --- menus --------------------------------------------------------------------------------

class FormMenus : public FormInput {
 protected:
  void SetUp() override {
    FormInput::SetUp();
    // Right-button release on a label opens the popup, as the program's windows do.
    form.on_up = [&](const MouseEvent& e) {
      if (e.button == button::kRight) window.PopupMenu(window.Menu("MnuTop"));
    };
    form.on_menu = [&](MenuItem& item) {
      if (item.Name() == "MnuDash") item.SetChecked(!item.Checked());
    };
  }
};

TEST_F(FormMenus, AChoiceInASubmenuOpensItThenClicksTheItem) {
  user.QueueMenuChoice("MnuDash");
  user.Click(window, &form.upper, 10, 10, button::kRight);
  EXPECT_EQ(form.Take(), (Log{"down Label1(2) b2 s0 10,10", "up Label1(2) b2 s0 10,10",
                              "menu-open MnuTop", "menu-open Mu1", "menu MnuDash"}));
  EXPECT_FALSE(window.Menu("MnuDash").Checked());
  ASSERT_EQ(user.Popups().size(), 1u);
  const sim::SimForms::Popup& popup = user.Popups()[0];
  EXPECT_EQ(popup.window, "Sample");
  EXPECT_EQ(popup.menu, "MnuTop");
  EXPECT_EQ(popup.chosen, "MnuDash");
  EXPECT_EQ(popup.at, sim.desktop.CursorPos());
}

TEST_F(FormMenus, DismissedGreyedAndSeparatorChoicesClickNothing) {
  user.QueueMenuChoice("MnuGrey");
  user.Click(window, &form.upper, 10, 10, button::kRight);
  user.QueueMenuChoice("zzz");
  user.Click(window, &form.upper, 10, 10, button::kRight);
  user.Click(window, nullptr, 10, 10, button::kRight);  // nothing queued: dismissed
  user.QueueMenuChoice("");
  user.Click(window, nullptr, 10, 10, button::kRight);
  Log log = form.Take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "menu-open MnuTop"), 4);
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& l) { return l.rfind("menu ", 0) == 0; }),
            0);
  ASSERT_EQ(user.Popups().size(), 4u);
  for (const auto& popup : user.Popups()) EXPECT_EQ(popup.chosen, "");
}

TEST_F(FormMenus, AnItemUnderAHiddenOrGreyedSubmenuCannotBeChosen) {
  window.Menu("Mu1").SetEnabled(false);
  user.QueueMenuChoice("MnuDashTop");
  window.PopupMenu(window.Menu("MnuTop"));
  window.UserMenuChoose(window.Menu("MnuDashTop"));
  window.Menu("Mu1").SetEnabled(true);
  window.Menu("MnuDashTop").SetVisible(false);
  window.UserMenuChoose(window.Menu("MnuDashTop"));
  EXPECT_EQ(form.Take(), (Log{"menu-open MnuTop"}));  // a greyed submenu does not open
  window.Menu("MnuDashTop").SetVisible(true);
  window.UserMenuChoose(window.Menu("MnuDashTop"));
  EXPECT_EQ(form.Take(), (Log{"menu MnuDashTop"}));
}

TEST_F(FormMenus, PopupsAreRecordedInOrderWithTheWindowThatOpenedThem) {
  SampleWindow other(sim.Get(), "Other");
  other.window.Show();
  user.QueueMenuChoice("MnuShow");
  user.QueueMenuChoice("MnuDashTop");
  EXPECT_EQ(window.PopupMenu(window.Menu("MnuTop")), &window.Menu("MnuShow"));
  EXPECT_EQ(other.window.PopupMenu(other.window.Menu("Mu1")), &other.window.Menu("MnuDashTop"));
  EXPECT_EQ(other.Take(), (Log{"load", "resize", "menu-open Mu1", "menu MnuDashTop"}));
  const platform::Point at = sim.desktop.CursorPos();
  EXPECT_EQ(user.Popups(), (std::vector<sim::SimForms::Popup>{{"Sample", "MnuTop", at, "MnuShow"},
                                                              {"Other", "Mu1", at, "MnuDashTop"}}));
  // A queued item the popup does not hold is a mistake in the test.
  user.QueueMenuChoice("MnuShow");
  EXPECT_THROW(other.window.PopupMenu(other.window.Menu("Mu1")), sim::SimUsageError);
}

// --- the window -------------------------------------------------------------------------------

TEST_F(FormInput, ShowingAFreshWindowLoadsItThenResizesOnTheFirstShowOnly) {
  SampleWindow fresh(sim.Get());
  fresh.window.Show();
  fresh.window.Show();
  fresh.window.Hide();
  fresh.window.Show();
  EXPECT_EQ(fresh.Take(), (Log{"load", "resize"}));
  EXPECT_TRUE(fresh.window.Visible());
}

TEST_F(FormInput, MinimisingResizingAndRestoringRaiseResizeButMovingDoesNot) {
  user.SetWindowState(window, WindowState::kMinimised);
  user.SetWindowState(window, WindowState::kNormal);
  user.Resize(window, 5000, 4000);
  window.Move(100, 100);
  user.Resize(window, 5000, 4000);  // the same size again
  window.SetWindowState(WindowState::kMaximised);
  EXPECT_EQ(form.Take(), (Log{"resize", "resize", "resize", "resize"}));
}

TEST_F(FormInput, AHandlerThatHidesOnMinimiseRunsOnceAndTheWindowStaysHidden) {
  // The main window's rule: minimised, it moves the focus and hides itself.
  struct Tray : SampleWindow {
    using SampleWindow::SampleWindow;
    void OnResize() override {
      SampleWindow::OnResize();
      if (window.WindowState() == WindowState::kMinimised) {
        text.SetFocus();
        window.Hide();
      }
    }
  } tray(sim.Get());
  tray.window.Show();
  tray.Take();
  user.SetWindowState(tray.window, WindowState::kMinimised);
  EXPECT_EQ(tray.Take(), (Log{"resize", "focus Text1"}));
  EXPECT_FALSE(tray.window.Visible());
  EXPECT_TRUE(tray.window.Loaded());
}

TEST_F(FormInput, TheCloseBoxAsksFirstAndACancelKeepsTheWindow) {
  form.cancel_unload = true;
  user.CloseBox(window);
  EXPECT_TRUE(window.Loaded());
  EXPECT_TRUE(window.Visible());
  EXPECT_FALSE(window.Unload());
  form.cancel_unload = false;
  window.SystemClose();
  EXPECT_EQ(form.Take(), (Log{"query-unload 0", "query-unload 1", "query-unload 2", "unload"}));
  EXPECT_FALSE(window.Loaded());
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(window.Handle(), platform::kNoWindow);
  EXPECT_EQ(user.WindowNamed("Sample"), nullptr);
}

TEST_F(FormInput, ALoadThatUnloadsItselfShowsNothing) {
  struct Failing : SampleWindow {
    using SampleWindow::SampleWindow;
    void OnLoad() override {
      SampleWindow::OnLoad();
      window.Show();  // the start-up shows itself first, then fails
      window.Unload();
    }
  } failing(sim.Get());
  failing.window.Show();
  EXPECT_EQ(failing.Take(), (Log{"load", "resize", "query-unload 1", "unload"}));
  EXPECT_FALSE(failing.window.Visible());
  EXPECT_FALSE(failing.window.Loaded());
}

TEST_F(FormInput, ATimerTicksWhileTheWindowIsLoadedAndUnloadingStopsIt) {
  form.timer.SetInterval(1000);
  sim.Advance(2.5);
  EXPECT_EQ(form.Take(), (Log{"timer Timer1", "timer Timer1"}));
  window.Unload();
  form.Take();
  sim.Advance(5);
  EXPECT_TRUE(form.Take().empty());
  EXPECT_EQ(form.timer.Interval(), 0);
}

TEST_F(FormInput, TheWindowIsAnEntryOfTheSimulatedDesktop) {
  const platform::WindowId id = window.Handle();
  ASSERT_NE(id, platform::kNoWindow);
  EXPECT_EQ(sim.desktop.FindTopWindow("KelvaneForm", "Sample"), id);
  EXPECT_EQ(*sim.desktop.WindowRect(id), (platform::Rect{100, 100, 500, 400}));
  window.SetCaption("Renamed");
  window.Move(3000, 1500, 3000, 1500);
  EXPECT_EQ(sim.desktop.WindowText(id, 255), "Renamed");
  EXPECT_EQ(*sim.desktop.WindowRect(id), (platform::Rect{200, 100, 400, 200}));
  user.Activate(window);
  EXPECT_EQ(sim.desktop.Foreground(), id);
  EXPECT_EQ(form.Take().back(), "activate");
  window.Unload();
  EXPECT_FALSE(sim.desktop.IsWindow(id));
}

}  // namespace
}  // namespace kelvane::form
