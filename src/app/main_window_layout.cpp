// The main window's design: its controls with their places, captions and
// tooltips, and its popup menu, as tables. The controls' own names ("Check11",
// "Label1"(5)) are given here and nowhere else in the program's code; behaviour
// reaches a control by what it holds (MainControl) and a menu item by what it
// does (MainCommand). Places are pixels of a 96 dots-per-inch screen, stored
// in twips.
#include <stdexcept>
#include <utility>

#include "app/main_window.h"
#include "platform/form/menu_table.h"

namespace kelvane {

using form::ControlKind;
using form::kNoIndex;

namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
constexpr int kClientWidth = 480, kClientHeight = 400;
constexpr form::Colour kPaperColour = 0xE0E0E0;
constexpr form::Colour kTextColour = 0x000000;
constexpr form::Colour kTitleColour = 0x804000;  // dark blue
constexpr form::Colour kShadowColour = 0xE0E0E0;
constexpr form::Colour kCpuNameColour = 0x404040;

// How a control looks and behaves beyond its kind.
enum class Look {
  kPlain,
  kWallpaper,     // the picture box under everything else
  kCaption,       // a label on the wallpaper
  kSectionTitle,  // a label that heads a group of controls
  kTitle,         // the program's name ...
  kTitleShadow,   // ... over a light copy of it
  kCpuName,
  kValue,          // a label that shows a control's value
  kThresholdList,  // shows the stored text even when it is not listed; typing is refused
  kIntervalBar,    // minutes, 1 to 32767
  kVolumeBar,      // the alarm volume, 16 to 1599 slider steps
  kHiddenSurface,  // a drawing surface of the number icon, 32 x 32
};

// Every label but a value label is a grip: a left press below its top row
// drags the window, a right click opens the menu.
bool DesignedAsGrip(ControlKind kind, Look look) {
  return kind == ControlKind::kLabel && look != Look::kValue;
}

struct Place {
  int x = 0, y = 0, width = 0, height = 0;
};

struct ControlDesign {
  MainControl role;
  ControlKind kind;
  const char* name;
  int index;
  Place at;
  Look look = Look::kPlain;
  const char* caption = nullptr;
  const char* tooltip = nullptr;
};

// One maker for each kind of control, so that a row of the table reads as the
// control it makes.
constexpr ControlDesign Label1(int index, Place at, const char* caption, Look look = Look::kCaption,
                               MainControl role = MainControl::kNone,
                               const char* tooltip = nullptr) {
  return {role, ControlKind::kLabel, "Label1", index, at, look, caption, tooltip};
}
constexpr ControlDesign Value(MainControl role, const char* name, Place at, const char* caption,
                              const char* tooltip) {
  return {role, ControlKind::kLabel, name, kNoIndex, at, Look::kValue, caption, tooltip};
}
constexpr ControlDesign Picture(MainControl role, const char* name, int index, Place at,
                                Look look) {
  return {role, ControlKind::kPictureBox, name, index, at, look};
}
constexpr ControlDesign PictureButton(MainControl role, const char* name, int index, Place at) {
  return {role, ControlKind::kPictureButton, name, index, at};
}
// Check boxes are 16 x 16.
constexpr ControlDesign Check(MainControl role, const char* name, int x, int y,
                              const char* tooltip = nullptr) {
  return {role,           ControlKind::kCheckBox, name,    kNoIndex,
          {x, y, 16, 16}, Look::kPlain,           nullptr, tooltip};
}
constexpr ControlDesign Combo(MainControl role, const char* name, Place at, Look look,
                              const char* tooltip) {
  return {role, ControlKind::kListBox, name, kNoIndex, at, look, nullptr, tooltip};
}
constexpr ControlDesign Scroll(MainControl role, const char* name, Place at, Look look) {
  return {role, ControlKind::kScrollBar, name, kNoIndex, at, look};
}
constexpr ControlDesign Command(MainControl role, const char* name, Place at, const char* caption,
                                const char* tooltip) {
  return {role, ControlKind::kButton, name, kNoIndex, at, Look::kPlain, caption, tooltip};
}
constexpr ControlDesign Text(MainControl role, const char* name, Place at, const char* tooltip) {
  return {role, ControlKind::kTextBox, name, kNoIndex, at, Look::kPlain, nullptr, tooltip};
}

using enum MainControl;
constexpr char kHomePageTip[] = "Right Click to visit Kelvane Home Page!";

// In creation order: later controls lie above earlier ones. The wallpaper
// comes first and holds all the others.
constexpr ControlDesign kControls[] = {
    Picture(kWallpaper, "Picture2", kNoIndex, {0, 0, 480, 400}, Look::kWallpaper),
    // Title: two copies of the name, a light one under the dark one, and the
    // picture buttons (minimise, help) at the right.
    Label1(19, {11, 7, 200, 30}, " Kelvane", Look::kTitleShadow, kNone, kHomePageTip),
    Label1(3, {10, 6, 200, 30}, " Kelvane", Look::kTitle, kTitle, kHomePageTip),
    PictureButton(kMinimiseButton, "Picture3", 0, {430, 8, 20, 20}),
    PictureButton(kHelpButton, "Picture3", 1, {454, 8, 20, 20}),
    Label1(1, {12, 38, 456, 16}, "", Look::kCpuName, kCpuName),

    // Logs: the text log's row and the HTML log's row (switch, overwrite,
    // view), then the interval.
    Label1(17, {12, 62, 200, 16}, "Log Data", Look::kSectionTitle),
    Label1(6, {24, 84, 30, 16}, "Txt"),
    Check(kTextLog, "Check1", 56, 84, "Save PC Probe data to \"log.txt\""),
    Label1(7, {80, 84, 60, 16}, "Overwrite"),
    Check(kOverwriteTextLog, "Check2", 142, 84,
          "Overwrite data in \"Log.txt\" (Disable to Append data)"),
    Label1(8, {170, 84, 32, 16}, "View"),
    Command(kViewTextLog, "Command1", {204, 82, 26, 20}, "...",
            "Open \"log.txt\" with associated program"),
    Label1(13, {24, 108, 30, 16}, "Htm"),
    Check(kHtmlLog, "Check9", 56, 108, "Save PC Probe data with HLA data as \"log.htm\" (HTML)"),
    Label1(10, {80, 108, 60, 16}, "Overwrite"),
    Check(kOverwriteHtmlLog, "Check3", 142, 108,
          "Overwrite data in \"Log.htm\" (Disable to Append data)"),
    Label1(16, {170, 108, 32, 16}, "View"),
    Command(kViewHtmlLog, "Command2", {204, 106, 26, 20}, "...",
            "Open \"log.htm\" with associated program"),
    Label1(12, {256, 84, 50, 16}, "Interval"),
    Scroll(kLogInterval, "VScroll1", {308, 80, 16, 32}, Look::kIntervalBar),
    Value(kLogIntervalMinutes, "Label2", {330, 86, 60, 18}, "15",
          "Interval in minutes to save/update logs"),

    // Alarm.
    Label1(0, {12, 140, 200, 16}, "CPU Temp Alarm", Look::kSectionTitle),
    Combo(kAlarmThreshold, "Combo2", {24, 162, 56, 21}, Look::kThresholdList,
          "Max temp allowed, Else launch alarm(s)"),
    Label1(11, {112, 164, 130, 16}, "Notify with Message"),
    Check(kAlarmMessage, "Check7", 92, 164),
    Label1(21, {44, 192, 80, 16}, "Sound Card"),
    Check(kAlarmToSoundCard, "Check4", 24, 192, "Send alarm to sound card"),
    Label1(9, {150, 192, 110, 16}, "PC case speaker"),
    Check(kAlarmToSpeaker, "Check5", 130, 192),
    Scroll(kAlarmVolume, "HScroll1", {24, 216, 200, 16}, Look::kVolumeBar),
    Label1(20, {236, 216, 30, 16}, "Test"),
    Command(kTestVolume, "Command4", {268, 213, 44, 22}, "\u25BA", "Test Volume"),

    // Overheat.
    Label1(2, {12, 246, 200, 16}, "CPU Overheat", Look::kSectionTitle),
    Combo(kShutdownThreshold, "Combo3", {24, 268, 56, 21}, Look::kThresholdList,
          "Max CPU temp allowed! Else launch EXE and/or Shut Down Windows!"),
    Check(kShutdownOnOverheat, "Check6", 92, 270,
          "Shut Down PC if CPU temp is higher then current setting"),
    Label1(5, {112, 270, 356, 16}, "", Look::kCaption, kShutdownHint),
    Check(kLaunchOnOverheat, "Check8", 24, 296, "Enable launching a Exe or Bat file"),
    Label1(14, {44, 296, 160, 16}, "Launch exe or bat file"),
    Text(kLaunchProgram, "Text1", {24, 316, 300, 20},
         "Launch this .Exe if CPU temp > setting (use a .BAT file if .Exe uses parameters! )"),

    // Tray icon and the monitor.
    Label1(4, {12, 346, 200, 16}, "Tray Icon", Look::kSectionTitle),
    Combo(kTrayIconMode, "Combo4", {24, 368, 90, 21}, Look::kPlain,
          "Select Temperature(s) to show  in system tray"),
    Label1(15, {124, 371, 40, 16}, "Colors"),
    Command(kTrayIconLook, "Command3", {166, 368, 26, 20}, "...",
            "Change Font/Colors of tray icon"),
    Check(kCloseMonitorOnExit, "Check11", 256, 370,
          "Auto close Asus PC Probe when exiting Kelvane"),
    Label1(18, {276, 370, 190, 16}, "Close Asus Probe on Exit"),

    // The number icon's drawing surfaces.
    Picture(kNone, "Picture1", 0, {0, 0, 32, 32}, Look::kHiddenSurface),
    Picture(kNone, "Holder", kNoIndex, {0, 0, 32, 32}, Look::kHiddenSurface),
    Picture(kNone, "NewIcon", kNoIndex, {0, 0, 32, 32}, Look::kHiddenSurface),
};

form::Control& AddControl(form::Window& w, const ControlDesign& d, form::Container* on) {
  switch (d.kind) {
    case ControlKind::kLabel:
      return w.Add<form::Label>(d.name, d.index, on);
    case ControlKind::kPictureBox:
      return w.Add<form::PictureBox>(d.name, d.index, on);
    case ControlKind::kCheckBox:
      return w.Add<form::CheckBox>(d.name, d.index, on);
    case ControlKind::kListBox:
      return w.Add<form::ListBox>(d.name, d.index, on);
    case ControlKind::kScrollBar:
      return w.Add<form::ScrollBar>(d.name, d.index, on);
    case ControlKind::kButton:
      return w.Add<form::Button>(d.name, d.index, on);
    case ControlKind::kTextBox:
      return w.Add<form::TextBox>(d.name, d.index, on);
    case ControlKind::kPictureButton:
      return w.Add<form::PictureButton>(d.name, d.index, on);
    case ControlKind::kFrame:
      return w.Add<form::Frame>(d.name, d.index, on);
  }
  throw std::invalid_argument("no such kind of control");
}

void ApplyLook(form::Control& c, Look look) {
  auto caption_label = [&](form::Font font, form::Colour colour) {
    auto& label = static_cast<form::Label&>(c);
    label.SetTransparent(true);
    label.SetTextFont(std::move(font));
    label.SetForeColour(colour);
  };
  switch (look) {
    case Look::kPlain:
      break;
    case Look::kWallpaper:
      c.SetBackColour(kPaperColour);
      break;
    case Look::kCaption:
      caption_label({"Tahoma", 8, false}, kTextColour);
      break;
    case Look::kSectionTitle:
      caption_label({"Tahoma", 9, true}, kTitleColour);
      break;
    case Look::kTitle:
      caption_label({"Tahoma", 16, true}, kTitleColour);
      break;
    case Look::kTitleShadow:
      caption_label({"Tahoma", 16, true}, kShadowColour);
      break;
    case Look::kCpuName:
      caption_label({"Tahoma", 8, false}, kCpuNameColour);
      break;
    case Look::kValue:
      static_cast<form::Label&>(c).SetTransparent(true);
      c.SetTextFont({"Tahoma", 10, true});
      break;
    case Look::kThresholdList:
      static_cast<form::ListBox&>(c).SetStyle(form::ListStyle::kEditableCombo);
      break;
    case Look::kIntervalBar: {
      auto& bar = static_cast<form::ScrollBar&>(c);
      bar.SetVertical(true);
      bar.SetRange(1, 32767);
      bar.SetSmallChange(1);
      bar.SetLargeChange(5);
      bar.SetValue(15);
      break;
    }
    case Look::kVolumeBar: {
      auto& bar = static_cast<form::ScrollBar&>(c);
      bar.SetRange(16, 1599);
      bar.SetSmallChange(16);
      bar.SetLargeChange(128);
      break;
    }
    case Look::kHiddenSurface:
      c.SetVisible(false);
      break;
  }
}

void SetCaption(form::Control& c, const char* caption) {
  if (auto* label = dynamic_cast<form::Label*>(&c)) label->SetCaption(caption);
  if (auto* button = dynamic_cast<form::Button*>(&c)) button->SetCaption(caption);
}

constexpr form::MenuRow<MainCommand> kMenu[] = {
    {0, "MnuTop", "MnuTop", MainCommand::kMenu},
    {1, "mnuBckGrnd", "Background"},
    {2, "MnuAsus", "Asus", MainCommand::kWallpaper},
    {2, "mnuCustom", "Custom", MainCommand::kWallpaper},
    {2, "MnuGreen", "Green", MainCommand::kWallpaper},
    {2, "MnuPurple", "Purple", MainCommand::kWallpaper},
    {2, "MnuRed", "Red", MainCommand::kWallpaper},
    {2, "mnuMARBLE", "White Marble", MainCommand::kWallpaper},
    {1, "zzzzzzzzzz", nullptr},
    {1, "Mu1", "Digital Dashboard"},
    {2, "MnuDash", "Show Digital Dashboard", MainCommand::kShowDigitalDashboard},
    {2, "zzzzzzz", nullptr},
    {2, "MnuDashTop", "Center Digital Dashboard", MainCommand::kCentreDigitalDashboard},
    {2, "zzzzzzzz", nullptr},
    {2, "MnuDashStrt", "Show Digital  DB on Startup", MainCommand::kDigitalDashboardAtStart},
    {1, "Mu3", "High/Low/Avg Dashboard"},
    {2, "MnuHiLo", "Show High-Low Dashboard", MainCommand::kShowHighLow},
    {2, "zzzzzz", nullptr},
    {2, "mnuCntrHiLow", "Center High-Low Dashboard", MainCommand::kCentreHighLow},
    {2, "MnuRstHLow", "Reset High-Low Layout", MainCommand::kResetHighLowLayout},
    {2, "zzzzz", nullptr},
    {2, "MnuHiLoStrt", "Show High-Low DB on Startup", MainCommand::kHighLowAtStart},
    {1, "mnuline35", nullptr},
    {1, "OpnBmpFolder", "Open BMP Folder", MainCommand::kOpenBmpFolder},
    {1, "OpnHtmFolder", "Open Log/HTML Folder", MainCommand::kOpenLogFolder},
    {1, "mnuline30", nullptr},
    {1, "mnuTrayIcon", "Tray Icon"},
    {2, "MnuRebuild", "Tray Icon Left", MainCommand::kRebuildTrayIcon},
    {2, "mnuline44", nullptr},
    {2, "MNuTrayColrFont", "Change Color / Font", MainCommand::kTrayIconLook},
    {1, "mnuline3", nullptr},
    {1, "mnuEXIT", "Exit Kelvane", MainCommand::kExit},
};

}  // namespace

void MainWindow::BuildControls() {
  window_.SetCaption("Kelvane Settings");
  window_.SetBorderStyle(form::BorderStyle::kNone);
  window_.SetShowInTaskbar(true);
  window_.Move(0, 0, kClientWidth * kTwipsPerPixel, kClientHeight * kTwipsPerPixel);
  window_.SetBackColour(kPaperColour);

  form::Container* on = nullptr;
  for (const ControlDesign& d : kControls) {
    form::Control& c = AddControl(window_, d, on);
    if (d.caption) SetCaption(c, d.caption);
    if (d.tooltip) c.SetTooltip(d.tooltip);
    ApplyLook(c, d.look);
    c.Move(d.at.x * kTwipsPerPixel, d.at.y * kTwipsPerPixel, d.at.width * kTwipsPerPixel,
           d.at.height * kTwipsPerPixel);
    if (d.role != MainControl::kNone) controls_[static_cast<std::size_t>(d.role)] = &c;
    if (DesignedAsGrip(d.kind, d.look)) grips_.push_back(&c);
    if (d.look == Look::kWallpaper) on = static_cast<form::PictureBox*>(&c);
  }
}

void MainWindow::BuildMenu() {
  // The wallpaper items share their command; each is told apart by its caption.
  menu_.Build(window_, kMenu, MainCommand::kWallpaper);
}

}  // namespace kelvane
