// The form model itself: addressing, what the renderer is told, list and
// scroll bar state, menus, the frame and the life cycle's edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/form/control_table.h"
#include "platform/form/form.h"
#include "platform/sim/sim_platform.h"

namespace kelvane::form {
namespace {

using Log = std::vector<std::string>;

class Recorder : public WindowHandler {
 public:
  void OnLoad() override { log.push_back("load"); }
  void OnUnload() override {
    log.push_back("unload");
    if (on_unload) on_unload();
  }
  void OnQueryUnload(UnloadMode, bool&) override { log.push_back("query-unload"); }
  void OnResize() override { log.push_back("resize"); }
  void OnGotFocus(Control& c) override { log.push_back("focus " + c.Id()); }
  void OnClick(Control* c) override { log.push_back("click " + (c ? c->Id() : "window")); }
  void OnChange(Control& c) override { log.push_back("change " + c.Id()); }
  Log log;
  std::function<void()> on_unload;
};

class FormModel : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  Recorder handler;
  Window window{sim.Get(), handler, "Form3"};
};

TEST_F(FormModel, ControlsAreFoundByNameAndIndexAndEachNameIndexIsUnique) {
  Frame& tile = window.Add<Frame>("DigFramez", 3);
  window.Add<Label>("Label1", 47, &tile);
  window.Add<CheckBox>("Check4");
  EXPECT_EQ(window.Get<Label>("Label1", 47).Id(), "Label1(47)");
  EXPECT_EQ(window.Get<CheckBox>("Check4").Id(), "Check4");
  EXPECT_EQ(window.Get<Label>("Label1", 47).Parent(), &tile);
  EXPECT_EQ(window.Find("Label1"), nullptr);  // the set has no element without an index
  EXPECT_EQ(window.Find("Label1", 46), nullptr);
  EXPECT_THROW(window.Get<TextBox>("Check4"), std::out_of_range);
  EXPECT_THROW(window.Add<Label>("Label1", 47), std::invalid_argument);

  Recorder other_handler;
  Window other(sim.Get(), other_handler, "Form2");
  EXPECT_THROW(other.Add<Label>("Label1", 0, &tile), std::invalid_argument);
}

// A layout table makes each row's control in row order: its kind, name and
// index, place, caption (where the kind has one) and tooltip.
TEST_F(FormModel, ALayoutTableMakesEachRowsControlAsWritten) {
  constexpr ControlRow rows[] = {
      {ControlKind::kLabel, "Label1", 3, 10, 20, 30, 40, "Caption", "Tip"},
      {ControlKind::kButton, "Command1", kNoIndex, 1, 2, 3, 4, "OK"},
      {ControlKind::kCheckBox, "Check1", kNoIndex, 5, 6, 7, 8, "Bold"},
      {ControlKind::kTextBox, "Text1", kNoIndex, 9, 10, 11, 12, nullptr, "Name"},
      {ControlKind::kPictureBox, "Picture2", 0, 13, 14, 15, 16},
      {ControlKind::kLabel, "Label2", kNoIndex, 0, 0, 1, 1},
  };
  const std::vector<Control*> made = AddControls(window, rows);
  ASSERT_EQ(made.size(), std::size(rows));
  for (std::size_t r = 0; r < made.size(); ++r) {
    const ControlRow& row = rows[r];
    EXPECT_EQ(made[r], window.Find(row.name, row.index)) << row.name;
    EXPECT_EQ(made[r]->Kind(), row.kind) << row.name;
    EXPECT_EQ(made[r]->Left(), row.left) << row.name;
    EXPECT_EQ(made[r]->Top(), row.top) << row.name;
    EXPECT_EQ(made[r]->Width(), row.width) << row.name;
    EXPECT_EQ(made[r]->Height(), row.height) << row.name;
    EXPECT_EQ(made[r]->Tooltip(), row.tooltip ? row.tooltip : "") << row.name;
  }
  EXPECT_EQ(window.Get<Label>("Label1", 3).Caption(), "Caption");
  EXPECT_EQ(window.Get<Button>("Command1").Caption(), "OK");
  EXPECT_EQ(window.Get<CheckBox>("Check1").Caption(), "Bold");
  // No caption in the row: the control keeps the one it was made with.
  EXPECT_EQ(window.Get<Label>("Label2").Caption(), "");
}

TEST_F(FormModel, TheRendererHearsOfEachRealChangeOnlyWhileTheWindowIsLoaded) {
  Label& label = window.Add<Label>("Label1", 1);
  CheckBox& check = window.Add<CheckBox>("Check1");
  ScrollBar& bar = window.Add<ScrollBar>("HScroll1");
  ListBox& list = window.Add<ListBox>("Combo1");
  label.SetCaption("design");  // before the load: nothing to tell anyone
  window.SetCaption("Kelvane");
  window.Load();
  EXPECT_EQ(sim.forms.Changes(), (Log{"Form3 created"}));
  sim.forms.ClearChanges();

  struct Case {
    std::function<void()> action;
    Log expected;
  } cases[] = {
      {[&] { label.SetCaption("CPU"); }, {"Form3.Label1(1) caption"}},
      {[&] { label.SetCaption("CPU"); }, {}},
      {[&] { label.Move(0, 15, 600, 195); }, {"Form3.Label1(1) bounds"}},
      {[&] { label.SetLeft(0); }, {}},
      {[&] { label.SetBold(true); }, {"Form3.Label1(1) font"}},
      {[&] { label.SetFontName("MS Sans Serif"); }, {}},
      {[&] { label.SetForeColour(0); }, {"Form3.Label1(1) fore colour"}},
      {[&] { label.SetTransparent(true); }, {"Form3.Label1(1) transparent"}},
      {[&] { label.SetAlignment(Alignment::kRight); }, {"Form3.Label1(1) alignment"}},
      {[&] { label.SetTooltip("Fan"); }, {"Form3.Label1(1) tooltip"}},
      {[&] { check.SetValue(5); }, {"Form3.Check1 value"}},  // any non-zero ticks it
      {[&] { check.SetValue(1); }, {}},
      {[&] { bar.SetRange(0, 100); }, {"Form3.HScroll1 range"}},
      {[&] { list.AddItem("CPU"); }, {"Form3.Combo1 items"}},
      {[&] { list.SetListIndex(0); }, {"Form3.Combo1 list index", "Form3.Combo1 text"}},
      {[&] { window.Move(0, 0, 1200, 2280); }, {"Form3 bounds"}},
      {[&] { window.SetTopmost(true); }, {"Form3 topmost"}},
      {[&] { window.SetShowInTaskbar(false); }, {"Form3 taskbar"}},
      {[&] { window.SetBorderStyle(BorderStyle::kSizableToolWindow); }, {"Form3 border style"}},
      {[&] { window.SetPicture("C:\\K\\BackGround\\Custom\\Kelvane-M.jpg"); }, {"Form3 picture"}},
      {[&] { window.Add<Label>("Label1", 2); }, {"Form3.Label1(2) created"}},
      {[&] { window.AddMenu("mnu", "mnu").Add("DshLocked", "Lock Meters").SetChecked(true); },
       {"Form3.mnu menu items", "Form3.mnu menu items", "Form3.DshLocked checked"}},
  };
  int i = 0;
  for (const Case& c : cases) {
    c.action();
    EXPECT_EQ(sim.forms.Changes(), c.expected) << "case " << i;
    sim.forms.ClearChanges();
    ++i;
  }
}

TEST_F(FormModel, BringingToFrontReordersOnlyTheSiblingsAndOnlyWhenNeeded) {
  Frame& a = window.Add<Frame>("DigFramez", 0);
  Frame& b = window.Add<Frame>("DigFramez", 1);
  Frame& c = window.Add<Frame>("DigFramez", 2);
  Label& inner = window.Add<Label>("Label1", 0, &a);
  window.Load();
  sim.forms.ClearChanges();
  a.BringToFront();
  a.BringToFront();  // already on top
  EXPECT_EQ(window.Children(), (std::vector<Control*>{&b, &c, &a}));
  b.BringToFront();
  a.SendToBack();
  EXPECT_EQ(window.Children(), (std::vector<Control*>{&a, &c, &b}));
  EXPECT_EQ(a.Children(), (std::vector<Control*>{&inner}));
  EXPECT_EQ(sim.forms.Changes(), (Log{"Form3.DigFramez(0) z-order", "Form3.DigFramez(1) z-order",
                                      "Form3.DigFramez(0) z-order"}));
}

TEST_F(FormModel, ListItemsAddedOrRemovedKeepTheSelectedItemSelected) {
  ListBox& list = window.Add<ListBox>("Combo4");
  list.AddItem("CPU");
  list.AddItem("CPU & MB");
  list.SetListIndex(1);
  list.AddItem("MB", 0);
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"MB", "CPU", "CPU & MB"}));
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);  // the selected one: nothing selected, nothing shown
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  EXPECT_FALSE(list.SetListIndex(1));
  EXPECT_TRUE(list.SetText("CPU"));
  EXPECT_EQ(list.ListIndex(), 0);
}

TEST_F(FormModel, AnEditableComboTakesAnyTextAndClearEmptiesItWithoutEvents) {
  ListBox& combo = window.Add<ListBox>("Combo2");
  combo.SetStyle(ListStyle::kEditableCombo);
  for (int t = 80; t >= 0; t -= 2) combo.AddItem(std::to_string(t));
  window.Load();
  EXPECT_TRUE(combo.SetText("79"));  // not an item: shown as it is
  EXPECT_EQ(combo.Text(), "79");
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_TRUE(combo.SetText("78"));
  EXPECT_EQ(combo.ListIndex(), 1);
  combo.Clear();
  EXPECT_EQ(combo.ItemCount(), 0);
  EXPECT_EQ(combo.Text(), "");
  EXPECT_EQ(handler.log, (Log{"load", "change Combo2", "change Combo2"}));
}

TEST_F(FormModel, ANarrowerScrollRangeMovesTheValueInAndReportsTheChange) {
  ScrollBar& bar = window.Add<ScrollBar>("VScroll1");
  bar.SetRange(1, 32767);
  bar.SetValue(15);
  window.Load();
  bar.SetMax(10);
  EXPECT_EQ(bar.Value(), 10);
  bar.SetMin(12);  // Min above Max: a reversed bar, which still holds 10
  EXPECT_EQ(bar.Value(), 10);
  bar.SetRange(20, 30);
  EXPECT_EQ(bar.Value(), 20);
  EXPECT_EQ(handler.log, (Log{"load", "change VScroll1", "change VScroll1"}));
}

TEST_F(FormModel, OnlyCommandsUnderEnabledVisibleSubmenusCanBeChosen) {
  MenuItem& top = window.AddMenu("MnuTop", "MnuTop");
  top.SetVisible(false);  // a popup that never shows as a menu bar
  MenuItem& sub = top.Add("mnuBckGrnd", "Background");
  MenuItem& asus = sub.Add("MnuAsus", "Asus");
  MenuItem& line = top.AddSeparator("zzzzzzzzzz");
  MenuItem& exit = top.Add("mnuEXIT", "Exit Kelvane");
  EXPECT_TRUE(exit.Choosable());
  EXPECT_TRUE(asus.Choosable());
  EXPECT_FALSE(sub.Choosable());   // opens, is not chosen
  EXPECT_FALSE(line.Choosable());  // a separator
  EXPECT_FALSE(top.Choosable());
  sub.SetEnabled(false);
  EXPECT_FALSE(asus.Choosable());
  sub.SetEnabled(true);
  asus.SetVisible(false);
  EXPECT_FALSE(asus.Choosable());
  EXPECT_EQ(window.FindMenu("MnuAsus"), &asus);
  EXPECT_EQ(window.FindMenu(""), nullptr);  // nameless separators are not found
  EXPECT_THROW(window.Menu("MnuNone"), std::out_of_range);
}

TEST_F(FormModel, TheClientAreaIsTheOuterSizeLessTheFrame) {
  struct Case {
    BorderStyle style;
    std::string caption;
    int client_width, client_height;  // of a 3330 x 2764 window
  } cases[] = {
      {BorderStyle::kNone, "", 3330, 2764},
      {BorderStyle::kSizableToolWindow, "", 3210, 2644},
      {BorderStyle::kSizableToolWindow, "High/Low", 3210, 2404},
      {BorderStyle::kFixedToolWindow, "Kelvane - Edit Name Plate", 3240, 2434},
      {BorderStyle::kSizable, "Kelvane", 3210, 2359},
  };
  for (const Case& c : cases) {
    window.SetBorderStyle(c.style);
    window.SetCaption(c.caption);
    window.Move(0, 0, 3330, 2764);
    EXPECT_EQ(window.ClientWidth(), c.client_width) << c.caption;
    EXPECT_EQ(window.ClientHeight(), c.client_height) << c.caption;
    window.SetClientSize(c.client_width - 100, c.client_height - 50);
    EXPECT_EQ(window.Width(), 3230);
    EXPECT_EQ(window.Height(), 2714);
  }
  // The renderer's own measurement wins.
  window.SetFrameInsets({15, 30, 15, 15});
  window.SetClientSize(3780, 810);
  EXPECT_EQ(window.Width(), 3810);
  EXPECT_EQ(window.Height(), 855);
}

TEST_F(FormModel, OnlyVisibleEnabledFocusableControlsTakeTheFocus) {
  Label& label = window.Add<Label>("Label1", 5);
  TextBox& text = window.Add<TextBox>("Text1");
  CheckBox& check = window.Add<CheckBox>("Check1");
  PictureBox& picture = window.Add<PictureBox>("Picture2");
  window.Load();
  sim.forms.ClearChanges();
  label.SetFocus();
  check.SetEnabled(false);
  check.SetFocus();
  text.SetVisible(false);
  text.SetFocus();
  text.SetVisible(true);
  text.SetFocus();
  text.SetFocus();
  picture.SetFocus();
  EXPECT_EQ(window.Focused(), &picture);
  EXPECT_EQ(handler.log, (Log{"load", "focus Text1", "focus Picture2"}));
  EXPECT_EQ(std::count(sim.forms.Changes().begin(), sim.forms.Changes().end(), "Form3 focus"), 2);
}

TEST_F(FormModel, AnUnloadInsideUnloadDoesNotRunTwice) {
  handler.on_unload = [&] { EXPECT_TRUE(window.Unload()); };
  window.Show();
  EXPECT_TRUE(window.Unload());
  EXPECT_EQ(handler.log, (Log{"load", "resize", "query-unload", "unload"}));
  // Loading again starts a new life: a new real window, a first show.
  handler.on_unload = nullptr;
  window.Show();
  EXPECT_EQ(handler.log.back(), "resize");
  EXPECT_EQ(std::count(sim.forms.Changes().begin(), sim.forms.Changes().end(), "Form3 created"), 2);
}

TEST(FormWindow, DestroyingALoadedWindowDestroysTheRealOneWithoutEvents) {
  sim::SimPlatform sim;
  Recorder handler;
  platform::WindowId id = platform::kNoWindow;
  {
    Window window(sim.Get(), handler, "Form6");
    window.Show();
    id = window.Handle();
    EXPECT_EQ(sim.forms.WindowNamed("Form6"), &window);
  }
  EXPECT_EQ(handler.log, (Log{"load", "resize"}));
  EXPECT_FALSE(sim.desktop.IsWindow(id));
  EXPECT_EQ(sim.forms.WindowNamed("Form6"), nullptr);
  EXPECT_EQ(sim.forms.Changes().back(), "Form6 destroyed");
}

TEST(FormWindow, APlatformWithoutARendererKeepsWindowsAsModelsOnly) {
  sim::SimPlatform sim;
  platform::Platform headless{sim.clock, sim.loop,  sim.store, sim.registry, sim.desktop,
                              sim.files, sim.shell, sim.sound, sim.power};
  Recorder handler;
  Window window(headless, handler, "Form1");
  MenuItem& top = window.AddMenu("MnuTop", "MnuTop");
  top.Add("mnuEXIT", "Exit Kelvane");
  window.Show();
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.Handle(), platform::kNoWindow);
  EXPECT_EQ(window.PopupMenu(top), nullptr);
  EXPECT_EQ(handler.log, (Log{"load", "resize"}));
  EXPECT_TRUE(sim.forms.Changes().empty());
}

TEST(FormWindow, AWindowDestroyedByItsOwnEventHearsNothingMore) {
  // The dispatch would go on to click the check box after its mouse-up.
  sim::SimPlatform sim;
  struct Owner : WindowHandler {
    void OnMouseUp(const MouseEvent&) override { window.reset(); }
    void OnClick(Control*) override { ++clicks; }
    std::unique_ptr<Window> window;
    int clicks = 0;
  } owner;
  owner.window = std::make_unique<Window>(sim.Get(), owner, "Form7");
  owner.window->Add<CheckBox>("Check1").Move(0, 0, 300, 300);
  owner.window->Show();
  owner.window->UserMouse(MouseKind::kDown, 10, 10, button::kLeft, 0);
  owner.window->UserMouse(MouseKind::kUp, 10, 10, button::kLeft, 0);
  EXPECT_EQ(owner.window, nullptr);
  EXPECT_EQ(owner.clicks, 0);
  EXPECT_EQ(sim.forms.WindowNamed("Form7"), nullptr);
}

}  // namespace
}  // namespace kelvane::form
