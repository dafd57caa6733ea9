// The main window's design: its controls, their places and tooltips, and the
// popup menu. Places are given in pixels of a 96 dots-per-inch screen and
// stored in twips.
#include "app/main_window.h"

namespace kelvane {

using namespace form;

namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
constexpr int kClientWidth = 480, kClientHeight = 400;
constexpr Colour kTextColour = 0x000000;
constexpr Colour kTitleColour = 0x804000;  // dark blue
constexpr Colour kShadowColour = 0xE0E0E0;

}  // namespace

void MainWindow::BuildControls() {
  form::Window& w = window_;
  w.SetCaption("Kelvane Settings");
  w.SetBorderStyle(BorderStyle::kNone);
  w.SetShowInTaskbar(true);
  w.Move(0, 0, kClientWidth * kTwipsPerPixel, kClientHeight * kTwipsPerPixel);
  w.SetBackColour(0xE0E0E0);

  // The wallpaper holder, under everything else.
  auto& paper = w.Add<PictureBox>("Picture2");
  paper.Move(0, 0, kClientWidth * kTwipsPerPixel, kClientHeight * kTwipsPerPixel);
  paper.SetBackColour(0xE0E0E0);
  Container* on = &paper;

  auto place = [](Control& c, int x, int y, int width, int height) {
    c.Move(x * kTwipsPerPixel, y * kTwipsPerPixel, width * kTwipsPerPixel, height * kTwipsPerPixel);
  };
  auto label = [&](int index, std::string caption, int x, int y, int width, int height = 16) {
    auto& l = w.Add<Label>("Label1", index, on);
    l.SetCaption(std::move(caption));
    l.SetTransparent(true);
    l.SetForeColour(kTextColour);
    l.SetTextFont({"Tahoma", 8, false});
    place(l, x, y, width, height);
    return &l;
  };
  auto check = [&](std::string name, int x, int y, std::string tooltip) {
    auto& c = w.Add<CheckBox>(std::move(name), kNoIndex, on);
    place(c, x, y, 16, 16);
    c.SetTooltip(std::move(tooltip));
    return &c;
  };
  auto section = [&](int index, std::string caption, int x, int y) {
    Label* l = label(index, std::move(caption), x, y, 200, 16);
    l->SetTextFont({"Tahoma", 9, true});
    l->SetForeColour(kTitleColour);
  };

  // Title: two copies of the name, a light one under the dark one, and the
  // picture buttons (minimise, help) at the right.
  Label* shadow = label(19, " Kelvane", 11, 7, 200, 30);
  shadow->SetTextFont({"Tahoma", 16, true});
  shadow->SetForeColour(kShadowColour);
  shadow->SetTooltip("Right Click to visit Kelvane Home Page!");
  Label* title = label(3, " Kelvane", 10, 6, 200, 30);
  title->SetTextFont({"Tahoma", 16, true});
  title->SetForeColour(kTitleColour);
  title->SetTooltip("Right Click to visit Kelvane Home Page!");
  for (int i : {0, 1}) {
    auto& b = w.Add<PictureButton>("Picture3", i, on);
    place(b, i == 0 ? 430 : 454, 8, 20, 20);
  }
  Label* cpu = label(1, "", 12, 38, 456, 16);
  cpu->SetForeColour(0x404040);

  // Logs.
  section(17, "Log Data", 12, 62);
  // The text log's row and the HTML log's row: switch, overwrite, view.
  struct LogRow {
    int y;
    int kind_label;
    const char* kind;
    const char* log_check;
    const char* log_tip;
    int overwrite_label;
    const char* overwrite_check;
    const char* overwrite_tip;
    int view_label;
    const char* view_button;
    const char* view_tip;
  };
  const LogRow rows[] = {
      {84, 6, "Txt", "Check1", "Save PC Probe data to \"log.txt\"", 7, "Check2",
       "Overwrite data in \"Log.txt\" (Disable to Append data)", 8, "Command1",
       "Open \"log.txt\" with associated program"},
      {108, 13, "Htm", "Check9", "Save PC Probe data with HLA data as \"log.htm\" (HTML)", 10,
       "Check3", "Overwrite data in \"Log.htm\" (Disable to Append data)", 16, "Command2",
       "Open \"log.htm\" with associated program"},
  };
  for (const LogRow& row : rows) {
    label(row.kind_label, row.kind, 24, row.y, 30);
    check(row.log_check, 56, row.y, row.log_tip);
    label(row.overwrite_label, "Overwrite", 80, row.y, 60);
    check(row.overwrite_check, 142, row.y, row.overwrite_tip);
    label(row.view_label, "View", 170, row.y, 32);
    auto& view = w.Add<Button>(row.view_button, kNoIndex, on);
    view.SetCaption("...");
    view.SetTooltip(row.view_tip);
    place(view, 204, row.y - 2, 26, 20);
  }

  label(12, "Interval", 256, 84, 50);
  auto& interval = w.Add<ScrollBar>("VScroll1", kNoIndex, on);
  interval.SetVertical(true);
  interval.SetRange(1, 32767);
  interval.SetSmallChange(1);
  interval.SetLargeChange(5);
  interval.SetValue(15);
  place(interval, 308, 80, 16, 32);
  auto& minutes = w.Add<Label>("Label2", kNoIndex, on);
  minutes.SetCaption("15");
  minutes.SetTooltip("Interval in minutes to save/update logs");
  minutes.SetTransparent(true);
  minutes.SetTextFont({"Tahoma", 10, true});
  place(minutes, 330, 86, 60, 18);

  // Alarm.
  section(0, "CPU Temp Alarm", 12, 140);
  // The two thresholds take any number typed or stored, not only the listed ones.
  auto& alarm = w.Add<ListBox>("Combo2", kNoIndex, on);
  alarm.SetStyle(ListStyle::kEditableCombo);
  alarm.SetTooltip("Max temp allowed, Else launch alarm(s)");
  place(alarm, 24, 162, 56, 21);
  label(11, "Notify with Message", 112, 164, 130);
  check("Check7", 92, 164, "");
  label(21, "Sound Card", 44, 192, 80);
  check("Check4", 24, 192, "Send alarm to sound card");
  label(9, "PC case speaker", 150, 192, 110);
  check("Check5", 130, 192, "");
  auto& volume = w.Add<ScrollBar>("HScroll1", kNoIndex, on);
  volume.SetRange(0, 1600);
  volume.SetSmallChange(10);
  volume.SetLargeChange(100);
  place(volume, 24, 216, 200, 16);
  label(20, "Test", 236, 216, 30);
  auto& test = w.Add<Button>("Command4", kNoIndex, on);
  test.SetCaption("Test");
  test.SetTooltip("Test Volume");
  place(test, 268, 213, 44, 22);

  // Overheat.
  section(2, "CPU Overheat", 12, 246);
  auto& shutdown = w.Add<ListBox>("Combo3", kNoIndex, on);
  shutdown.SetStyle(ListStyle::kEditableCombo);
  shutdown.SetTooltip("Max CPU temp allowed! Else launch EXE and/or Shut Down Windows!");
  place(shutdown, 24, 268, 56, 21);
  check("Check6", 92, 270, "Shut Down PC if CPU temp is higher then current setting");
  label(5, "", 112, 270, 356, 16);
  check("Check8", 24, 296, "Enable launching a Exe or Bat file");
  label(14, "Launch exe or bat file", 44, 296, 160);
  auto& program = w.Add<TextBox>("Text1", kNoIndex, on);
  program.SetTooltip(
      "Launch this .Exe if CPU temp > setting (use a .BAT file if .Exe uses parameters! )");
  place(program, 24, 316, 300, 20);

  // Tray icon and the monitor.
  section(4, "Tray Icon", 12, 346);
  auto& mode = w.Add<ListBox>("Combo4", kNoIndex, on);
  mode.SetTooltip("Select Temperature(s) to show  in system tray");
  place(mode, 24, 368, 90, 21);
  label(15, "Colors", 124, 371, 40);
  auto& colours = w.Add<Button>("Command3", kNoIndex, on);
  colours.SetCaption("...");
  colours.SetTooltip("Change Font/Colors of tray icon");
  place(colours, 166, 368, 26, 20);
  check("Check11", 256, 370, "Auto close Asus PC Probe when exiting Kelvane");
  label(18, "Close Asus Probe on Exit", 276, 370, 190);

  // The number icon's drawing surfaces: hidden, 32 x 32.
  for (const char* surface : {"Picture1", "Holder", "NewIcon"}) {
    auto& s = w.Add<PictureBox>(surface, std::string(surface) == "Picture1" ? 0 : kNoIndex, on);
    place(s, 0, 0, 32, 32);
    s.SetVisible(false);
  }
}

void MainWindow::BuildMenu() {
  MenuItem& top = window_.AddMenu("MnuTop", "MnuTop");
  MenuItem& paper = top.Add("mnuBckGrnd", "Background");
  paper.Add("MnuAsus", "Asus");
  paper.Add("mnuCustom", "Custom");
  paper.Add("MnuGreen", "Green");
  paper.Add("MnuPurple", "Purple");
  paper.Add("MnuRed", "Red");
  paper.Add("mnuMARBLE", "White Marble");
  top.AddSeparator("zzzzzzzzzz");
  MenuItem& dash = top.Add("Mu1", "Digital Dashboard");
  dash.Add("MnuDash", "Show Digital Dashboard");
  dash.AddSeparator("zzzzzzz");
  dash.Add("MnuDashTop", "Center Digital Dashboard");
  dash.AddSeparator("zzzzzzzz");
  dash.Add("MnuDashStrt", "Show Digital  DB on Startup");
  MenuItem& hilo = top.Add("Mu3", "High/Low/Avg Dashboard");
  hilo.Add("MnuHiLo", "Show High-Low Dashboard");
  hilo.AddSeparator("zzzzzz");
  hilo.Add("mnuCntrHiLow", "Center High-Low Dashboard");
  hilo.Add("MnuRstHLow", "Reset High-Low Layout");
  hilo.AddSeparator("zzzzz");
  hilo.Add("MnuHiLoStrt", "Show High-Low DB on Startup");
  top.AddSeparator("mnuline35");
  top.Add("OpnBmpFolder", "Open BMP Folder");
  top.Add("OpnHtmFolder", "Open Log/HTML Folder");
  top.AddSeparator("mnuline30");
  MenuItem& tray = top.Add("mnuTrayIcon", "Tray Icon");
  tray.Add("MnuRebuild", "Tray Icon Left");
  tray.AddSeparator("mnuline44");
  tray.Add("MNuTrayColrFont", "Change Color / Font");
  top.AddSeparator("mnuline3");
  top.Add("mnuEXIT", "Exit Kelvane");
}

}  // namespace kelvane
