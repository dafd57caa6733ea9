// The renderer's real windows against the model: what it creates, how model
// changes reach the windows, and how the windows' own changes (a move by the
// window manager, a native notification) come back, without echoes.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "forms_fixture.h"
#include "platform/jpeg.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/ui/forms/popup_menu.h"

namespace kelvane::forms_test {
namespace {

using form::BorderStyle;
using form::Change;
using platform::win32::Win32Platform;
using wine_test::PumpFor;
using wine_test::PumpUntil;

HWND Real(const form::Window& w) {
  return reinterpret_cast<HWND>(w.Handle());
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

class FormsRenderTest : public ::testing::Test {
 protected:
  // A window 400 x 300 pixels at (100, 100), with a title bar.
  form::Window& MakeWindow(BorderStyle border = BorderStyle::kFixedSingle,
                           std::string caption = "Kelvane render") {
    window_ = std::make_unique<form::Window>(platform_.Get(), handler_, "FormR");
    window_->SetCaption(std::move(caption));
    window_->SetBorderStyle(border);
    window_->Move(1500, 1500, 6000, 4500);
    return *window_;
  }
  HWND Child(const form::Control& c) { return forms().ControlWindow(c); }
  platform::win32::Win32Forms& forms() {
    return static_cast<platform::win32::Win32Forms&>(platform_.Get().forms);
  }

  Win32Platform platform_;
  Recorder handler_;
  std::unique_ptr<form::Window> window_;
};

TEST_F(FormsRenderTest, LoadCreatesTheRealWindowHiddenWhereTheModelSaysAndMeasuresItsFrame) {
  form::Window& w = MakeWindow(BorderStyle::kFixedSingle, "Température °C");
  w.Load();
  const HWND hwnd = Real(w);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  RECT outer = {};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 100);
  EXPECT_EQ(outer.right - outer.left, 400);
  EXPECT_EQ(outer.bottom - outer.top, 300);
  EXPECT_EQ(TextOf(hwnd), L"Température °C");

  // The model's client area is the real one, in twips.
  RECT client = {};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(w.ClientWidth(), client.right * 15);
  EXPECT_EQ(w.ClientHeight(), client.bottom * 15);
  EXPECT_GT(w.FrameInsets().top, w.FrameInsets().left);  // a title bar

  w.Show();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(handler_.With("resize").size(), 1u);
  w.Unload();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(w.Handle(), platform::kNoWindow);
}

TEST_F(FormsRenderTest, BorderStylesGiveTheirFramesAndChangeWhileLoaded) {
  struct Case {
    BorderStyle border;
    const char* caption;
    bool taskbar;
    DWORD style_has;
    DWORD style_lacks;
    DWORD ex_has;
    bool title_bar;
  };
  const Case cases[] = {
      {BorderStyle::kSizable, "Sizable", true, WS_CAPTION | WS_THICKFRAME, WS_POPUP, 0, true},
      {BorderStyle::kSizableToolWindow, "", false, WS_THICKFRAME | WS_POPUP, WS_CAPTION,
       WS_EX_TOOLWINDOW, false},
      {BorderStyle::kNone, "", false, WS_POPUP, WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW,
       false},
  };
  for (const Case& c : cases) {
    form::Window& w = MakeWindow(c.border, c.caption);
    w.SetShowInTaskbar(c.taskbar);
    w.Load();
    const HWND hwnd = Real(w);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    EXPECT_EQ(style & c.style_has, c.style_has) << c.caption;
    EXPECT_EQ(style & c.style_lacks, 0u) << c.caption;
    EXPECT_EQ(ex_style & c.ex_has, c.ex_has) << c.caption;
    const form::Insets in = w.FrameInsets();
    EXPECT_EQ(in.top > in.left, c.title_bar) << c.caption;
    if (c.border == BorderStyle::kNone) {
      EXPECT_EQ(in, form::Insets{}) << c.caption;
    }
    w.Unload();
  }

  // A border style changed while loaded: the title bar goes, the model hears
  // the new frame, and the outer rectangle stays.
  form::Window& w = MakeWindow(BorderStyle::kFixedSingle, "Changing");
  w.Load();
  w.SetBorderStyle(BorderStyle::kNone);
  const HWND hwnd = Real(w);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(w.FrameInsets(), form::Insets{});
  EXPECT_EQ(w.ClientWidth(), 6000);
  RECT outer = {};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 400);
}

TEST_F(FormsRenderTest, ModelMovesTheWindowAndOutsideMovesComeBackWithoutRoundingCreep) {
  form::Window& w = MakeWindow();
  w.Show();
  const HWND hwnd = Real(w);
  handler_.Clear();

  // 1000 twips is 66.7 pixels: the window goes to 67, the model keeps 1000.
  w.Move(1000, 1000, 3000, 2000);
  PumpFor(0.3);
  RECT r = {};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 67);
  EXPECT_EQ(r.top, 67);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(w.Left(), 1000);
  EXPECT_EQ(w.Top(), 1000);
  EXPECT_EQ(handler_.With("resize").size(), 1u);

  // Moved from outside (as by the window manager or the user): the position
  // comes back in twips, and a move alone raises no Resize.
  handler_.Clear();
  SetWindowPos(hwnd, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpFor(0.3);
  EXPECT_EQ(w.Left(), 3000);
  EXPECT_EQ(w.Top(), 2250);
  EXPECT_EQ(w.Width(), 3000);
  EXPECT_TRUE(handler_.With("resize").empty());

  SetWindowPos(hwnd, nullptr, 0, 0, 300, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpFor(0.3);
  EXPECT_EQ(w.Width(), 4500);
  EXPECT_EQ(w.Height(), 2400);
  EXPECT_EQ(w.Left(), 3000);
  EXPECT_EQ(handler_.With("resize").size(), 1u);
}

// As the dashboard does: a window sized below its minimum grows back, and the
// real window shows the size the handler chose, not the user's.
class Minimum : public Recorder {
 public:
  form::Window* window = nullptr;
  void OnResize() override {
    Recorder::OnResize();
    if (window && window->WindowState() == form::WindowState::kNormal)
      window->Move(window->Left(), window->Top(), std::max(window->Width(), 3000),
                   std::max(window->Height(), 3000));
  }
};

TEST_F(FormsRenderTest, AResizeHandlerThatEnforcesAMinimumSizeWins) {
  Minimum minimum;
  form::Window w(platform_.Get(), minimum, "FormMin");
  minimum.window = &w;
  w.SetBorderStyle(BorderStyle::kSizableToolWindow);
  w.Move(3000, 3000, 4500, 4500);
  w.Show();
  SetWindowPos(Real(w), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(0.3);
  RECT r = {};
  GetWindowRect(Real(w), &r);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(w.Width(), 3000);
  EXPECT_EQ(r.left, 200);
}

TEST_F(FormsRenderTest, MinimiseMaximiseAndRestoreReachTheModelEitherWay) {
  form::Window& w = MakeWindow(BorderStyle::kSizable);
  w.Show();
  const HWND hwnd = Real(w);
  handler_.Clear();
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_TRUE(PumpUntil([&] { return w.WindowState() == form::WindowState::kMinimised; }, 3));
  EXPECT_EQ(handler_.With("resize").size(), 1u);
  // The window manager iconifies in its own time; restoring before it has
  // would be undone by it (and the model would hear that too).
  PumpFor(0.5);
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_TRUE(PumpUntil([&] { return w.WindowState() == form::WindowState::kNormal; }, 3));

  // The window manager follows a maximise or restore in its own time; the
  // window waits for it as a user would.
  w.SetWindowState(form::WindowState::kMaximised);
  EXPECT_TRUE(IsZoomed(hwnd));
  PumpFor(0.5);
  w.SetWindowState(form::WindowState::kNormal);
  EXPECT_FALSE(IsZoomed(hwnd));
  PumpFor(0.5);
  RECT r = {};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right - r.left, 400);
}

TEST_F(FormsRenderTest, CloseBoxAsksTheModelWhichMayCancel) {
  form::Window& w = MakeWindow();
  w.Show();
  const HWND hwnd = Real(w);
  bool cancel = true;
  handler_.on_query_unload = [&](form::UnloadMode, bool& c) { c = cancel; };
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(handler_.With("query-unload"), std::vector<std::string>{"query-unload 0"});
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(w.Loaded());

  cancel = false;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(handler_.With("unload").size(), 1u);

  // The system ending the session unloads with mode "system".
  w.Show();
  handler_.Clear();
  SendMessageW(Real(w), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(handler_.With("query-unload"), std::vector<std::string>{"query-unload 2"});
  EXPECT_FALSE(w.Loaded());
}

TEST_F(FormsRenderTest, NativeControlsShowTheModelsValuesAndPassOnTheirOwnChanges) {
  form::Window& w = MakeWindow();
  auto& check = w.Add<form::CheckBox>("Check1");
  check.Move(150, 150, 2000, 300);
  check.SetCaption("Log");
  check.SetValue(1);
  auto& list = w.Add<form::ListBox>("Combo2");
  list.Move(150, 600, 1500, 315);
  for (const char* item : {"75", "80", "85"}) list.AddItem(item);
  list.SetListIndex(1);
  auto& text = w.Add<form::TextBox>("Text1");
  text.Move(150, 1200, 3000, 300);
  auto& bar = w.Add<form::ScrollBar>("VScroll1");
  bar.SetVertical(true);
  bar.SetRange(1, 32767);
  bar.SetValue(15);
  bar.Move(4500, 150, 255, 1500);
  w.Show();

  const HWND box = Child(check), combo = Child(list), edit = Child(text), scroll = Child(bar);
  ASSERT_TRUE(box && combo && edit && scroll);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(TextOf(box), L"Log");
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetScrollPos(scroll, SB_CTL), 14);
  EXPECT_EQ(GetWindowLongPtrW(scroll, GWL_STYLE) & SBS_VERT, SBS_VERT);

  // Model to window.
  check.SetValue(0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  list.AddItem("70", 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);  // "80" kept its selection
  handler_.Clear();
  text.SetText("C:\\alarm.bat");
  EXPECT_EQ(TextOf(edit), L"C:\\alarm.bat");
  // The window's echo of the new text is no second change.
  EXPECT_EQ(handler_.With("change"), std::vector<std::string>{"change Text1"});

  // Window to model: a click from outside the model (another program's, a
  // mnemonic's) toggles once and the box follows.
  handler_.Clear();
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(check.Value(), 1);
  EXPECT_EQ(handler_.With("click"), std::vector<std::string>{"click Check1"});
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);

  // Typing: each character passes the handler, which may discard it.
  handler_.on_key_press = [](form::Control*, int& code) {
    if (code == 'q') code = 0;
  };
  w.SetFocusTo(text);
  SendMessageW(edit, EM_SETSEL, 100, 100);
  SendMessageW(edit, WM_CHAR, 'x', 1);
  SendMessageW(edit, WM_CHAR, 'q', 1);
  EXPECT_EQ(text.Text(), "C:\\alarm.batx");
  EXPECT_EQ(TextOf(edit), L"C:\\alarm.batx");
  EXPECT_EQ(handler_.With("key-press").size(), 2u);

  // A scroll arrow: one small change, the thumb follows the model.
  handler_.Clear();
  SendMessageW(GetParent(scroll), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(scroll));
  EXPECT_EQ(bar.Value(), 16);
  EXPECT_EQ(GetScrollPos(scroll, SB_CTL), 15);
  EXPECT_EQ(handler_.With("change"), std::vector<std::string>{"change VScroll1"});
  // At the end of the range the value stays and so does the thumb.
  bar.SetValue(1);
  SendMessageW(GetParent(scroll), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(scroll));
  EXPECT_EQ(bar.Value(), 1);
  EXPECT_EQ(GetScrollPos(scroll, SB_CTL), 0);
}

TEST_F(FormsRenderTest, ReversedScrollBarAndStyleChangesRemakeTheControlInPlace) {
  form::Window& w = MakeWindow();
  auto& bar = w.Add<form::ScrollBar>("HScroll1");
  bar.Move(150, 150, 3000, 255);
  bar.SetRange(100, 0);
  bar.SetValue(70);
  auto& list = w.Add<form::ListBox>("Combo3");
  list.Move(150, 900, 1500, 315);
  list.AddItem("85");
  list.AddItem("90");
  list.SetListIndex(0);
  w.Show();
  EXPECT_EQ(GetScrollPos(Child(bar), SB_CTL), 30);

  const HWND before = Child(list);
  list.SetStyle(form::ListStyle::kEditableCombo);
  const HWND after = Child(list);
  ASSERT_TRUE(IsWindow(after));
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(GetWindowLongPtrW(after, GWL_STYLE) & 3, CBS_DROPDOWN);
  EXPECT_EQ(SendMessageW(after, CB_GETCOUNT, 0, 0), 2);
  list.SetText("87");
  const HWND edit = FindWindowExW(after, nullptr, L"Edit", nullptr);
  ASSERT_TRUE(edit);
  EXPECT_EQ(TextOf(edit), L"87");

  bar.SetVertical(true);
  EXPECT_EQ(GetWindowLongPtrW(Child(bar), GWL_STYLE) & SBS_VERT, SBS_VERT);
  EXPECT_EQ(GetScrollPos(Child(bar), SB_CTL), 30);
}

TEST_F(FormsRenderTest, UnloadingInsideAClickHandlerLeavesNothingBehind) {
  form::Window& w = MakeWindow();
  auto& button = w.Add<form::Button>("Command1");
  button.Move(150, 150, 1500, 450);
  handler_.on_click = [&](form::Control*) { w.Unload(); };
  w.Show();
  const HWND hwnd = Real(w), child = Child(button);
  SendMessageW(child, BM_CLICK, 0, 0);
  EXPECT_FALSE(w.Loaded());
  EXPECT_FALSE(IsWindow(hwnd));
  PumpFor(0.2);
  // And it loads again.
  handler_.on_click = nullptr;
  w.Show();
  EXPECT_TRUE(IsWindowVisible(Real(w)));
}

TEST_F(FormsRenderTest, EachControlWithATooltipIsOneToolOfTheWindowsTooltip) {
  form::Window& w = MakeWindow();
  auto& label = w.Add<form::Label>("Label1", 3);
  label.Move(150, 150, 1500, 300);
  label.SetTooltip("Right Click to visit Kelvane Home Page!");
  auto& other = w.Add<form::Label>("Label1", 4);
  other.Move(150, 600, 1500, 300);
  auto& button = w.Add<form::Button>("Command1");
  button.Move(150, 1200, 1500, 450);
  button.SetTooltip("Open \"log.txt\" with associated program");
  w.Load();
  HWND tooltip = nullptr;
  for (HWND h = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); h;
       h = FindWindowExW(nullptr, h, TOOLTIPS_CLASSW, nullptr))
    if (GetWindow(h, GW_OWNER) == Real(w)) tooltip = h;
  ASSERT_TRUE(tooltip);
  auto tools = [&] { return SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); };
  EXPECT_EQ(tools(), 2);
  other.SetTooltip("Overwrite");
  EXPECT_EQ(tools(), 3);
  label.SetVisible(false);
  EXPECT_EQ(tools(), 2);
  button.SetTooltip("");
  EXPECT_EQ(tools(), 1);
  // Moving a windowless control moves its tool's rectangle.
  other.Move(1500, 1500, 1500, 300);
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(tool.rect.left, 100);
  EXPECT_EQ(tool.rect.top, 100);
}

TEST_F(FormsRenderTest, PopupMenuHoldsTheVisibleItemsWithChecksSeparatorsAndGreys) {
  form::Window& w = MakeWindow();
  form::MenuItem& top = w.AddMenu("MnuTop", "");
  form::MenuItem& sub = top.Add("mnuBckGrnd", "Background");
  sub.Add("MnuAsus", "Asus");
  sub.Add("MnuGreen", "Green").SetChecked(true);
  top.AddSeparator("zzzz");
  form::MenuItem& dash = top.Add("MnuDash", "Show Digital Dashboard");
  dash.SetChecked(true);
  top.Add("MnuHidden", "Hidden").SetVisible(false);
  form::MenuItem& grey = top.Add("MnuGrey", "Greyed");
  grey.SetEnabled(false);

  platform::win32::forms::PopupMenu popup(top);
  const HMENU menu = popup.Handle();
  ASSERT_EQ(GetMenuItemCount(menu), 4);  // the hidden item is left out
  const HMENU submenu = GetSubMenu(menu, 0);
  ASSERT_TRUE(submenu);
  EXPECT_EQ(popup.SubmenuItem(submenu), &sub);
  EXPECT_EQ(GetMenuItemCount(submenu), 2);
  EXPECT_TRUE(GetMenuState(submenu, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(menu, 3, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(popup.ItemFor(GetMenuItemID(menu, 2)), &dash);
  EXPECT_EQ(popup.ItemFor(GetMenuItemID(submenu, 1))->Name(), "MnuGreen");
  EXPECT_EQ(popup.ItemFor(0), nullptr);

  // Changes while it is shown: check marks and captions in place, a shown
  // item's visibility rebuilds the menu that holds it.
  dash.SetChecked(false);
  popup.Follow(dash, Change::kChecked);
  EXPECT_FALSE(GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED);
  dash.SetCaption("Hide Digital Dashboard");
  popup.Follow(dash, Change::kCaption);
  wchar_t caption[64] = {};
  GetMenuStringW(menu, 2, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Hide Digital Dashboard");
  w.Menu("MnuHidden").SetVisible(true);
  popup.Follow(w.Menu("MnuHidden"), Change::kVisible);
  EXPECT_EQ(GetMenuItemCount(popup.Handle()), 5);
}

TEST_F(FormsRenderTest, CaptionsChangingEverySecondKeepTheGdiCountFlat) {
  form::Window& w = MakeWindow();
  w.SetPicture(BesideTest("Kelvane-M.jpg"));
  std::vector<form::Label*> labels;
  for (int i = 0; i < 12; ++i) {
    auto& label = w.Add<form::Label>("Label1", i);
    label.Move(150, 150 + i * 300, 3000, 300);
    label.SetTransparent(i % 2 == 0);
    label.SetBold(i % 3 == 0);
    labels.push_back(&label);
  }
  auto& frame = w.Add<form::Frame>("Frame1");
  frame.Move(3300, 150, 2400, 1500);
  frame.SetBorder(true);
  frame.SetCaption("Tray Icon");
  auto& inner = w.Add<form::Label>("Label2", form::kNoIndex, &frame);
  inner.Move(150, 300, 1500, 300);
  w.SetTopmost(true);
  w.Show();
  auto tick = [&](int n) {
    for (form::Label* label : labels) label->SetCaption(std::to_string(n) + ",52 °C");
    inner.SetCaption(std::to_string(n));
    frame.SetCaption(n % 2 ? "Tray Icon" : "Tray");
    w.SetCaption("Kelvane " + std::to_string(n));
    UpdateWindow(Real(w));
    UpdateWindow(Child(frame));
  };
  for (int n = 0; n < 5; ++n) tick(n);
  PumpFor(0.2);
  const int before = GdiObjectCount();
  ASSERT_GT(before, 0);
  for (int n = 0; n < 300; ++n) tick(n);
  PumpFor(0.2);
  const int after = GdiObjectCount();
  std::printf("GDI objects of the process: %d before and %d after 300 rounds of captions\n", before,
              after);
  EXPECT_EQ(after, before);
}

// The wallpaper shows exactly the decoder's pixels, row for row and blue-green-
// red as the bitmap keeps them; a file that does not decode shows the window's
// colour, as a missing file does; a hidden window holds no decoded picture,
// and shown again it decodes the same picture.
TEST_F(FormsRenderTest, WallpapersShowTheDecodedPixelsOrTheBackColourAndGoWhileHidden) {
  const std::string good = BesideTest("Kelvane-M.jpg");
  const std::string bytes = wine_test::ReadBytes(good);
  ASSERT_GT(bytes.size(), 1000u);
  wine_test::ScratchFolder folder;
  const std::string damaged = folder.path() + "damaged.jpg";
  std::ofstream(damaged, std::ios::binary).write(bytes.data(), bytes.size() / 2);
  const auto decoded =
      platform::DecodeJpeg({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  ASSERT_TRUE(decoded);

  form::Window& w = MakeWindow();
  constexpr form::Colour kBack = 0x00FF00;  // green
  w.SetBackColour(kBack);
  w.SetTopmost(true);
  w.SetPicture(damaged);
  w.Show();
  PumpFor(0.3);
  const auto pixel = [&](int x, int y) {
    return ScreenPixel(ScreenPoint(w, nullptr, x * 15, y * 15));
  };
  EXPECT_EQ(pixel(40, 30), RGB(0, 255, 0));
  w.SetPicture(folder.path() + "missing.jpg");
  PumpFor(0.2);
  EXPECT_EQ(pixel(40, 30), RGB(0, 255, 0));

  w.SetPicture(good);
  PumpFor(0.3);
  for (const POINT p : {POINT{3, 2}, POINT{40, 30}, POINT{200, 150}, POINT{301, 211}}) {
    const std::uint8_t* bgr = decoded->pixels.data() + p.y * decoded->Stride() + p.x * 3;
    EXPECT_EQ(pixel(p.x, p.y), RGB(bgr[2], bgr[1], bgr[0])) << p.x << "," << p.y;
  }
  const COLORREF shown = pixel(40, 30);
  const int with_picture = GdiObjectCount();
  w.Hide();
  PumpFor(0.2);
  EXPECT_EQ(GdiObjectCount(), with_picture - 1);  // the wallpaper's bitmap
  w.Show();
  PumpFor(0.3);
  EXPECT_EQ(pixel(40, 30), shown);
  EXPECT_EQ(GdiObjectCount(), with_picture);
}

}  // namespace
}  // namespace kelvane::forms_test
