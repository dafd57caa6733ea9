// The renderer's proof on the bench: a sample settings window with one control
// of every kind over a JPEG wallpaper, driven with real input at real screen
// positions, checked on the screen's pixels and in the model.
//
// KELVANE_FORMS_HOLD_MS=N keeps the first sample on the screen for N ms, for a
// screenshot from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "forms_fixture.h"
#include "platform/win32/text_convert.h"

namespace kelvane::forms_test {
namespace {

using form::Control;
using platform::win32::Win32Platform;
using wine_test::PumpFor;
using wine_test::PumpUntil;
using wine_test::ScratchFolder;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kSky = RGB(0, 128, 255);

// A 24-bit BMP of one colour.
bool WriteSolidBmp(const std::string& path, int width, int height, COLORREF colour) {
  const int row = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(row * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string pixels(info.biSizeImage, '\0');
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char* p = &pixels[static_cast<std::size_t>(y * row + x * 3)];
      p[0] = static_cast<char>(GetBValue(colour));
      p[1] = static_cast<char>(GetGValue(colour));
      p[2] = static_cast<char>(GetRValue(colour));
    }
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool Greenish(COLORREF c) {
  return GetGValue(c) > GetRValue(c) + 10 && GetGValue(c) > GetBValue(c) + 10;
}

// Screen pixels of `rect` (screen coordinates) close to `colour`.
int CountNear(const RECT& rect, COLORREF colour, int tolerance) {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (Near(ScreenPixel(POINT{x, y}), colour, tolerance)) ++count;
  return count;
}

int CountDark(const RECT& rect) {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF c = ScreenPixel(POINT{x, y});
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 150) ++count;
    }
  return count;
}

RECT WindowArea(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

POINT Centre(const RECT& r) {
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The handler of the sample window: records everything, opens the popup menu
// on a right release over a label, hands a left press on the "Move" label to
// the system's move loop, and asks a question when "Save" is clicked.
class Sample : public Recorder {
 public:
  form::Window* window = nullptr;
  platform::Loop* loop = nullptr;
  form::MenuItem* chosen = nullptr;
  bool popup_returned = false;
  int answer = 0;

  void OnMouseDown(const form::MouseEvent& e) override {
    Recorder::OnMouseDown(e);
    if (e.control && e.control->Is("Label1", 3) && e.button == form::button::kLeft && e.y > 0)
      window->StartSystemMove();
  }
  void OnMouseUp(const form::MouseEvent& e) override {
    Recorder::OnMouseUp(e);
    if (e.button == form::button::kRight && e.control &&
        e.control->Kind() == form::ControlKind::kLabel) {
      chosen = window->PopupMenu(window->Menu("MnuTop"));
      popup_returned = true;
    }
  }
  void OnClick(Control* c) override {
    Recorder::OnClick(c);
    if (c && c->Is("Command1"))
      answer = loop->ShowMessageBox("Save the log now?", "Kelvane",
                                    platform::mb::kYesNo | platform::mb::kIconQuestion |
                                        platform::mb::kSystemModal | platform::mb::kSetForeground);
  }
};

class FormsProofTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteSolidBmp(folder_.path() + "box.bmp", 40, 40, kMagenta));
    ASSERT_TRUE(WriteSolidBmp(folder_.path() + "button.bmp", 20, 20, kSky));
    window_ = std::make_unique<form::Window>(platform_.Get(), handler_, "FormProof");
    handler_.window = window_.get();
    handler_.loop = &platform_.Get().loop;
    Build(*window_);
    window_->Show();
    SetForegroundWindow(Real());
    // Painted once the opaque label shows its colour.
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(At(Label(1), 2400 - 60, 150)) == kBlue; }, 5));
    PumpFor(0.2);
    handler_.Clear();
  }

  void TearDown() override {
    // Let go of whatever a failed test left held.
    ReleaseButton(form::button::kLeft);
    PumpFor(0.1);
  }

  void Build(form::Window& w) {
    w.SetCaption("Kelvane proof");
    w.SetBorderStyle(form::BorderStyle::kFixedSingle);
    w.Move(1500, 1500, 486 * 15, 420 * 15);
    w.SetPicture(BesideTest("Kelvane-M.jpg"));
    w.SetTopmost(true);

    auto label = [&](int index, int x, int y, int width, int height, const char* caption) -> auto& {
      auto& l = w.Add<form::Label>("Label1", index);
      l.Move(x, y, width, height);
      l.SetCaption(caption);
      l.SetTransparent(true);
      return l;
    };
    auto& title = label(0, 300, 150, 3000, 450, "Kelvane");
    title.SetFontName("Arial");
    title.SetFontSize(14);
    title.SetBold(true);
    title.SetForeColour(0x0000FF);  // red
    title.SetTooltip("Right Click to visit Kelvane Home Page!");
    auto& opaque = label(1, 300, 750, 2400, 300, "Opaque");
    opaque.SetTransparent(false);
    opaque.SetBackColour(0xFF0000);  // blue
    opaque.SetForeColour(0xFFFFFF);
    label(2, 300, 1200, 2400, 450, "Drag me");
    label(3, 300, 5250, 2400, 300, "Move the window");

    auto& frame = w.Add<form::Frame>("Frame1");
    frame.Move(3600, 150, 2700, 1500);
    frame.SetCaption("Log Data");
    frame.SetBorder(true);
    auto& in_frame = w.Add<form::Label>("Label2", form::kNoIndex, &frame);
    in_frame.Move(150, 450, 2000, 300);
    in_frame.SetCaption("In the frame");
    in_frame.SetTransparent(true);

    auto& box = w.Add<form::PictureBox>("Picture2");
    box.Move(3600, 1800, 900, 900);
    box.SetPicture(folder_.path() + "box.bmp");
    auto& in_box = w.Add<form::Label>("Label3", form::kNoIndex, &box);
    in_box.Move(0, 0, 600, 300);
    in_box.SetCaption("PB");
    in_box.SetTransparent(true);

    auto& check = w.Add<form::CheckBox>("Check1");
    check.Move(300, 2100, 2400, 300);
    check.SetCaption("Log data");
    auto& list = w.Add<form::ListBox>("Combo2");
    list.Move(300, 2550, 1500, 315);
    for (const char* item : {"75", "80", "85"}) list.AddItem(item);
    list.SetListIndex(0);
    auto& combo = w.Add<form::ListBox>("Combo3");
    combo.SetStyle(form::ListStyle::kEditableCombo);
    combo.Move(2100, 2550, 1200, 315);
    combo.AddItem("80");
    combo.SetText("79");
    auto& vscroll = w.Add<form::ScrollBar>("VScroll1");
    vscroll.SetVertical(true);
    vscroll.SetRange(1, 32767);
    vscroll.SetValue(15);
    vscroll.Move(6600, 150, 255, 2400);
    auto& hscroll = w.Add<form::ScrollBar>("HScroll1");
    hscroll.SetRange(0, 100);
    hscroll.SetLargeChange(10);
    hscroll.Move(300, 3300, 3000, 255);
    auto& button = w.Add<form::Button>("Command1");
    button.Move(300, 3750, 1500, 450);
    button.SetCaption("Save");
    auto& text = w.Add<form::TextBox>("Text1");
    text.Move(2100, 3750, 2400, 345);
    auto& picture_button = w.Add<form::PictureButton>("Picture3", 0);
    picture_button.Move(4800, 3750, 300, 300);
    picture_button.SetPicture(folder_.path() + "button.bmp");

    form::MenuItem& top = w.AddMenu("MnuTop", "");
    form::MenuItem& background = top.Add("mnuBckGrnd", "Background");
    background.Add("MnuAsus", "Asus");
    background.Add("MnuGreen", "Green");
    top.Add("DshLocked", "Lock Meters").SetChecked(true);
    top.AddSeparator("zzzz");
    top.Add("mnuEXIT", "Exit Kelvane");
  }

  HWND Real() const { return reinterpret_cast<HWND>(window_->Handle()); }
  form::Label& Label(int index) const { return window_->Get<form::Label>("Label1", index); }
  template <class T>
  T& Get(const char* name) const {
    return window_->Get<T>(name);
  }
  HWND Child(const Control& c) {
    return static_cast<platform::win32::Win32Forms&>(platform_.Get().forms).ControlWindow(c);
  }
  // A point (twips) of a control on the screen.
  POINT At(const Control& c, int x, int y) const { return ScreenPoint(*window_, &c, x, y); }
  RECT Area(const Control& c) const {
    const POINT a = At(c, 0, 0), b = At(c, c.Width(), c.Height());
    return RECT{a.x, a.y, b.x, b.y};
  }
  // Moves the pointer and lets the window hear of it.
  void PointTo(POINT p) {
    MovePointer(p);
    PumpFor(0.15);
  }

  ScratchFolder folder_;
  Win32Platform platform_;
  Sample handler_;
  std::unique_ptr<form::Window> window_;
};

TEST_F(FormsProofTest, WallpaperShowsAroundTransparentLabelsAndLabelsPaintTheirColours) {
  if (const char* hold = std::getenv("KELVANE_FORMS_HOLD_MS")) PumpFor(std::atoi(hold) / 1000.0);

  // The opaque label fills its rectangle with its back colour.
  EXPECT_EQ(ScreenPixel(At(Label(1), 2400 - 60, 150)), kBlue);
  EXPECT_GT(CountNear(Area(Label(1)), RGB(255, 255, 255), 40), 10);  // its white text

  // The transparent title: red text, and around it the wallpaper, exactly as
  // it shows with the label gone.
  form::Label& title = Label(0);
  EXPECT_GT(CountNear(Area(title), kRed, 60), 20);
  const POINT beside_text = At(title, 3000 - 45, 225);
  const COLORREF with_label = ScreenPixel(beside_text);
  EXPECT_TRUE(Greenish(with_label)) << std::hex << with_label;
  EXPECT_NE(with_label, GetSysColor(COLOR_BTNFACE));
  title.SetVisible(false);
  UpdateWindow(Real());
  EXPECT_EQ(ScreenPixel(beside_text), with_label);
  EXPECT_EQ(CountNear(Area(title), kRed, 60), 0);
  title.SetVisible(true);
  UpdateWindow(Real());
  EXPECT_GT(CountNear(Area(title), kRed, 60), 20);

  // A caption change repaints just the label.
  Label(1).SetCaption("");
  UpdateWindow(Real());
  EXPECT_EQ(CountNear(Area(Label(1)), RGB(255, 255, 255), 40), 0);

  // A picture box shows its picture behind its own transparent label; the
  // picture button shows its picture.
  form::PictureBox& box = Get<form::PictureBox>("Picture2");
  EXPECT_EQ(ScreenPixel(At(box, 450, 450)), kMagenta);
  EXPECT_EQ(ScreenPixel(At(box, 500, 150)), kMagenta);  // in the label, beside "PB"
  EXPECT_EQ(ScreenPixel(At(window_->Get<form::PictureButton>("Picture3", 0), 150, 150)), kSky);
  // The frame's caption is painted over its border.
  EXPECT_GT(CountDark(Area(Get<form::Frame>("Frame1"))), 20);
}

TEST_F(FormsProofTest, DragOnALabelKeepsReportingToItOutsideItUntilRelease) {
  form::Label& label = Label(2);
  PointTo(At(label, 150, 75));
  PressButton();
  PumpFor(0.15);
  // Out of the label, and out of the window to its left.
  const RECT window = WindowArea(Real());
  const POINT outside{window.left - 30, At(label, 0, 75).y};
  PointTo(outside);
  ReleaseButton();
  PumpFor(0.2);

  EXPECT_EQ(handler_.With("down"), std::vector<std::string>{"down Label1(2) b1 s0 150,75"});
  const int outside_x = (outside.x - At(label, 0, 0).x) * 15;
  const std::string at_outside = std::to_string(outside_x) + ",75";
  EXPECT_EQ(handler_.With("up"), std::vector<std::string>{"up Label1(2) b1 s0 " + at_outside});
  const auto moves = handler_.With("move Label1(2) b1 s0 " + at_outside);
  EXPECT_FALSE(moves.empty());
  // Released outside: no click.
  EXPECT_TRUE(handler_.With("click").empty());

  // Pressed and released on it: a click; a second one at once: a double click.
  handler_.Clear();
  ClickAt(At(label, 600, 150));
  PumpFor(0.2);
  EXPECT_EQ(handler_.With("click"), std::vector<std::string>{"click Label1(2)"});
  ClickAt(At(label, 600, 150));
  PumpFor(0.2);
  EXPECT_EQ(handler_.With("dblclick"), std::vector<std::string>{"dblclick Label1(2)"});

  // A label in a frame, painted by the frame's own window: the same twips
  // relative to the label.
  handler_.Clear();
  PumpFor(0.6);  // not a double click
  ClickAt(At(window_->Get<form::Label>("Label2"), 150, 75));
  PumpFor(0.2);
  EXPECT_EQ(handler_.With("down"), std::vector<std::string>{"down Label2 b1 s0 150,75"});
  EXPECT_EQ(handler_.With("click"), std::vector<std::string>{"click Label2"});
}

TEST_F(FormsProofTest, ClickTicksTheCheckBoxOnTheScreenAndInTheModel) {
  auto& check = Get<form::CheckBox>("Check1");
  const RECT r = WindowArea(Child(check));
  // Inside the 13-pixel box at the left, centred on the control's height.
  const int middle = (r.top + r.bottom) / 2;
  const RECT square{r.left + 2, middle - 4, r.left + 11, middle + 5};
  const int dark_before = CountDark(square);
  ClickAt(POINT{r.left + 60, (r.top + r.bottom) / 2});
  PumpFor(0.3);
  EXPECT_EQ(check.Value(), 1);
  EXPECT_EQ(handler_.With("click"), std::vector<std::string>{"click Check1"});
  EXPECT_EQ(handler_.With("down Check1").size(), 1u);
  EXPECT_EQ(handler_.With("up Check1").size(), 1u);
  EXPECT_EQ(handler_.With("focus"), std::vector<std::string>{"focus Check1"});
  EXPECT_EQ(SendMessageW(Child(check), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_GT(CountDark(square), dark_before + 5);  // the tick

  ClickAt(POINT{r.left + 60, (r.top + r.bottom) / 2});
  PumpFor(0.3);
  EXPECT_EQ(check.Value(), 0);
  EXPECT_EQ(CountDark(square), dark_before);
}

TEST_F(FormsProofTest, PickingAListItemSetsIndexTextAndClick) {
  auto& list = Get<form::ListBox>("Combo2");
  const HWND combo = Child(list);
  ClickAt(Centre(WindowArea(combo)));
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3));
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT item = {};
  ASSERT_NE(SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)),
            LB_ERR);
  MapWindowPoints(info.hwndList, nullptr, reinterpret_cast<POINT*>(&item), 2);
  ClickAt(Centre(item));
  ASSERT_TRUE(PumpUntil([&] { return list.ListIndex() == 2; }, 3));
  EXPECT_EQ(list.Text(), "85");
  EXPECT_EQ(handler_.With("click"), std::vector<std::string>{"click Combo2"});
  EXPECT_EQ(handler_.With("focus"), std::vector<std::string>{"focus Combo2"});
  // A list reports no mouse events of its own.
  EXPECT_TRUE(handler_.With("down Combo2").empty());
}

TEST_F(FormsProofTest, ScrollBarsAndTypingReachTheModel) {
  auto& vscroll = Get<form::ScrollBar>("VScroll1");
  const RECT v = WindowArea(Child(vscroll));
  ClickAt(POINT{(v.left + v.right) / 2, v.bottom - 5});  // the down arrow
  ASSERT_TRUE(PumpUntil([&] { return vscroll.Value() == 16; }, 3));
  EXPECT_EQ(handler_.With("change"), std::vector<std::string>{"change VScroll1"});

  auto& hscroll = Get<form::ScrollBar>("HScroll1");
  const RECT h = WindowArea(Child(hscroll));
  ClickAt(POINT{h.right - 40, (h.top + h.bottom) / 2});  // the trough right of the thumb
  ASSERT_TRUE(PumpUntil([&] { return hscroll.Value() == 10; }, 3));
  EXPECT_EQ(GetScrollPos(Child(hscroll), SB_CTL), 10);

  auto& text = Get<form::TextBox>("Text1");
  ClickAt(Centre(WindowArea(Child(text))));
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == Child(text); }, 3));
  handler_.Clear();
  TypeKey('A');
  TypeKey('B');
  ASSERT_TRUE(PumpUntil([&] { return text.Text() == "ab"; }, 3));
  EXPECT_EQ(handler_.With("key-press"),
            (std::vector<std::string>{"key-press Text1 97", "key-press Text1 98"}));
  EXPECT_EQ(handler_.With("key-down").size(), 2u);
  EXPECT_EQ(handler_.With("change").size(), 2u);
}

// A key-down handler that sends the focus elsewhere and discards the key: the
// character that follows still reaches the combo's edit box, and must be
// judged as the combo's, not as the new focus's.
TEST_F(FormsProofTest, AnEditableComboThatRefusesKeysKeepsItsText) {
  auto& combo = Get<form::ListBox>("Combo3");
  auto& text = Get<form::TextBox>("Text1");
  handler_.on_key_down = [&](form::Control* c, int& code) {
    if (c != &combo) return;
    text.SetFocus();
    code = 0;
  };
  handler_.on_key_press = [&](form::Control* c, int& code) {
    if (c == &combo) code = 0;
  };
  const HWND combo_window = Child(combo);
  ClickAt(Centre(WindowArea(combo_window)));
  ASSERT_TRUE(PumpUntil([&] { return IsChild(combo_window, GetFocus()); }, 3));
  handler_.Clear();
  TypeKey('5');
  ASSERT_TRUE(PumpUntil([&] { return !handler_.With("key-press").empty(); }, 3));
  PumpFor(0.3);
  EXPECT_EQ(handler_.With("key-press"), std::vector<std::string>{"key-press Combo3 53"});
  EXPECT_EQ(combo.Text(), "79");
  EXPECT_EQ(text.Text(), "");
  EXPECT_EQ(GetFocus(), Child(text));
}

TEST_F(FormsProofTest, PopupMenuOpensASubmenuAndReturnsTheChosenItem) {
  std::atomic<bool> checked{false}, separator{false};
  UserThread user([&] {
    const HWND popup = WaitForPopup(4, 5);
    if (!popup) return;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, 0x01E1, 0, 0));
    checked = (GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED) != 0;
    separator = (GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR) != 0;
    if (auto item = PopupItemCentre(popup, 0)) ClickAt(*item);
    const HWND submenu = WaitForPopup(2, 5);
    if (!submenu) return;
    Sleep(100);
    if (auto item = PopupItemCentre(submenu, 1)) ClickAt(*item);
  });
  ClickAt(At(Label(0), 600, 150), form::button::kRight);
  ASSERT_TRUE(PumpUntil([&] { return handler_.popup_returned; }, 10));
  EXPECT_TRUE(user.Join(5));
  ASSERT_NE(handler_.chosen, nullptr);
  EXPECT_EQ(handler_.chosen->Name(), "MnuGreen");
  EXPECT_TRUE(checked);
  EXPECT_TRUE(separator);
  EXPECT_EQ(handler_.With("menu"),
            (std::vector<std::string>{"menu-open MnuTop", "menu-open mnuBckGrnd",
                                      "menu-click MnuGreen"}));

  // Clicked outside, the menu closes with nothing chosen.
  handler_.Clear();
  handler_.popup_returned = false;
  UserThread away([&] {
    if (WaitForPopup(4, 5)) ClickAt(POINT{1000, 700});
  });
  ClickAt(At(Label(2), 600, 150), form::button::kRight);
  ASSERT_TRUE(PumpUntil([&] { return handler_.popup_returned; }, 10));
  EXPECT_TRUE(away.Join(5));
  EXPECT_EQ(handler_.chosen, nullptr);
  EXPECT_EQ(handler_.With("menu"), std::vector<std::string>{"menu-open MnuTop"});
}

// The tray icon opens the main window's menu while that window is hidden.
TEST_F(FormsProofTest, PopupMenuOfAHiddenWindowOpensAtThePointer) {
  window_->Hide();
  PumpFor(0.3);
  MovePointer(POINT{600, 300});
  PumpFor(0.1);
  std::atomic<long> left{0}, top{0};
  UserThread user([&] {
    const HWND popup = WaitForPopup(4, 5);
    if (!popup) return;
    RECT r = {};
    GetWindowRect(popup, &r);
    left = r.left, top = r.top;
    if (auto item = PopupItemCentre(popup, 3)) ClickAt(*item);
  });
  form::MenuItem* chosen = window_->PopupMenu(window_->Menu("MnuTop"));
  EXPECT_TRUE(user.Join(5));
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Name(), "mnuEXIT");
  EXPECT_EQ(left, 600);
  EXPECT_EQ(top, 300);
  EXPECT_EQ(handler_.With("menu-click"), std::vector<std::string>{"menu-click mnuEXIT"});
}

TEST_F(FormsProofTest, MessageBoxFromAClickIsAnsweredWithTheKeyboard) {
  UserThread user([] {
    HWND box = nullptr;
    for (int i = 0; i < 250 && !box; ++i) {
      Sleep(20);
      box = FindWindowW(L"#32770", L"Kelvane");
      if (box && !IsWindowVisible(box)) box = nullptr;
    }
    if (!box) return;
    Sleep(200);
    TypeKey(VK_RETURN);
  });
  ClickAt(Centre(WindowArea(Child(Get<form::Button>("Command1")))));
  ASSERT_TRUE(PumpUntil([&] { return handler_.answer != 0; }, 10));
  EXPECT_TRUE(user.Join(5));
  EXPECT_EQ(handler_.answer, platform::mb::kIdYes);
  EXPECT_EQ(handler_.With("click"), std::vector<std::string>{"click Command1"});
}

// Wine hands the move to the window manager, which follows the X server's
// pointer and buttons: input injected into Wine alone (SendInput) ends the move
// at once, so this drag comes from xdotool, as from a real mouse.
TEST_F(FormsProofTest, PressOnALabelHandsTheDragToTheSystemMoveLoop) {
  const RECT before = WindowArea(Real());
  const POINT start = At(Label(3), 300, 150);
  const std::string at = std::to_string(start.x) + " " + std::to_string(start.y);
  std::string drag = "Z:\\usr\\bin\\xdotool mousemove " + at + " sleep 0.3 mousedown 1 sleep 0.3";
  for (int step = 1; step <= 6; ++step)
    drag += " mousemove " + std::to_string(start.x + step * 10) + " " +
            std::to_string(start.y + step * 5) + " sleep 0.1";
  drag += " sleep 0.2 mouseup 1";
  ASSERT_TRUE(StartHostProgram(drag));
  EXPECT_TRUE(PumpUntil([&] { return WindowArea(Real()).left - before.left == 60; }, 8));
  // The release ends the move loop; the model hears where the window went.
  EXPECT_TRUE(PumpUntil([&] { return window_->Left() != 1500; }, 3));
  PumpFor(0.3);
  const RECT after = WindowArea(Real());
  EXPECT_EQ(after.left - before.left, 60);
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ(window_->Left(), after.left * 15);
  EXPECT_EQ(window_->Top(), after.top * 15);
  EXPECT_EQ(handler_.With("down"), std::vector<std::string>{"down Label1(3) b1 s0 300,150"});
  // The system's loop swallowed the release: the label gets no up and no click.
  EXPECT_TRUE(handler_.With("click").empty());
}

TEST_F(FormsProofTest, PointerImageFollowsTheControlUnderIt) {
  window_->SetPointerImage(form::Pointer::File(BesideTest("MoveCursor.cur")));
  Label(0).SetPointerImage(form::Pointer::Stock(form::StockPointer::kCross));
  const HCURSOR cross = LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  const HCURSOR ibeam = LoadCursorW(nullptr, MAKEINTRESOURCEW(32513));

  PointTo(At(Label(0), 150, 150));
  EXPECT_EQ(GetCursor(), cross);
  PointTo(At(Label(2), 2000, 300));  // the wallpaper shows the window's own pointer
  const HCURSOR file_cursor = GetCursor();
  EXPECT_NE(file_cursor, nullptr);
  EXPECT_NE(file_cursor, arrow);
  EXPECT_NE(file_cursor, cross);
  // A change under the pointer shows at once.
  window_->SetPointerImage(form::Pointer{});
  PumpFor(0.1);
  EXPECT_EQ(GetCursor(), arrow);
  // With no pointer of the model's, a text box shows its own.
  PointTo(Centre(WindowArea(Child(Get<form::TextBox>("Text1")))));
  EXPECT_EQ(GetCursor(), ibeam);
}

}  // namespace
}  // namespace kelvane::forms_test
