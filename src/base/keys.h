// The key index of the settings store: every key the program reads or writes,
// with its default when absent. Every reader takes its default from here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

enum class KeyType { kText, kInteger, kCheck, kFlag, kFloat, kColour };

struct KeyDef {
  std::string_view name;
  KeyType type;
  // The default as stored text. Empty for keys whose default is given at the
  // place of use (a window centred on the screen, a label's current colour).
  std::string_view default_text;
  bool default_at_use = false;
};

// A family of keys: the prefix followed by the decimal index, no separator.
struct IndexedKeyDef {
  std::string_view prefix;
  KeyType type;
  std::vector<int> indices;
  // The default of index i is i * default_step when default_at_use is false.
  int default_step = 0;
  bool default_at_use = false;

  std::string Name(int index) const { return std::string(prefix) + std::to_string(index); }
  int Default(int index) const { return index * default_step; }
};

// The constants are named for what the key holds; the stored texts stay as
// every earlier installation wrote them.
namespace keys {
// Main window: read at start-up and written at shut-down in this order; the
// six tray keys are written by the tray icon settings window instead.
inline constexpr KeyDef kMainWallpaper{"Paper", KeyType::kText, "Custom"};
inline constexpr KeyDef kAlarmThreshold{"Buzzer", KeyType::kInteger, "79"};
inline constexpr KeyDef kShutdownThreshold{"ShutDown", KeyType::kInteger, "89"};
inline constexpr KeyDef kTrayIconMode{"ToggleIcon", KeyType::kText, "CPU & MB"};
inline constexpr KeyDef kAlarmToSoundCard{"SndCard", KeyType::kCheck, "0"};
inline constexpr KeyDef kAlarmToSpeaker{"SndPC", KeyType::kCheck, "0"};
inline constexpr KeyDef kOverwriteTextLog{"LogWrite", KeyType::kCheck, "0"};
inline constexpr KeyDef kOverwriteHtmlLog{"HTM_Ow", KeyType::kCheck, "1"};
inline constexpr KeyDef kShutdownOnOverheat{"Smoke", KeyType::kCheck,
                                            "2"};  // a stored 2 shows unchecked
inline constexpr KeyDef kAlarmMessage{"MsgAlarm", KeyType::kCheck, "0"};
inline constexpr KeyDef kTextLogOn{"Log", KeyType::kCheck, "0"};
inline constexpr KeyDef kLogIntervalMinutes{"LogInterval", KeyType::kInteger, "15"};
inline constexpr KeyDef kAlarmVolume{"Volume", KeyType::kInteger, "650"};
inline constexpr KeyDef kLaunchOnOverheat{"LnchIt", KeyType::kCheck, "0"};
inline constexpr KeyDef kHtmlLogOn{"LogHTML", KeyType::kCheck, "0"};
inline constexpr KeyDef kLaunchProgram{"LnchExe", KeyType::kText, ""};
inline constexpr KeyDef kCloseMonitorOnExit{"ClosAsus", KeyType::kCheck, "0"};
inline constexpr KeyDef kDigitalDashboardAtStart{"DashSrart", KeyType::kFlag, "False"};
inline constexpr KeyDef kHighLowAtStart{"HiLoStrt", KeyType::kFlag, "False"};
inline constexpr KeyDef kTrayCpuColour{"TrayFcolr", KeyType::kColour, "255"};
inline constexpr KeyDef kTrayMbColour{"TrayFcolr2", KeyType::kColour, "16711680"};
inline constexpr KeyDef kTrayBackColour{"TrayBcolr", KeyType::kColour, "16777215"};
inline constexpr KeyDef kTrayFont{"TrayFont", KeyType::kText, "Arial"};
inline constexpr KeyDef kTrayBold{"TrayBold", KeyType::kFlag, "True"};
inline constexpr KeyDef kTrayFontSize{"TraySize", KeyType::kFloat, "24"};

// The first-run test reads "Buzzer" with this default instead of its own.
inline constexpr int kFirstRunAlarmThreshold = -100;

// Digital Dashboard.
inline constexpr KeyDef kDashboardBold{"dbBold", KeyType::kFlag, "True"};
inline constexpr KeyDef kDashboardWallpaper{"db-Wpaper", KeyType::kText, "Custom"};
inline constexpr KeyDef kDashboardLeft{"DBLeft", KeyType::kFloat, "", true};
inline constexpr KeyDef kDashboardTop{"DBTop", KeyType::kFloat, "", true};
inline constexpr KeyDef kDashboardWidth{"DBWidth", KeyType::kFloat, "1200"};
inline constexpr KeyDef kDashboardHeight{"DBHite", KeyType::kFloat, "2280"};

// High/Low/Avg Dashboard.
inline constexpr KeyDef kHighLowWallpaper{"HL-Wpaper", KeyType::kText, "Custom"};
inline constexpr KeyDef kHighLowLeft{"HLleft", KeyType::kFloat, "", true};
inline constexpr KeyDef kHighLowTop{"HLtop", KeyType::kFloat, "", true};
inline constexpr KeyDef kHighLowWidth{"HLwide", KeyType::kFloat, "3330"};
inline constexpr KeyDef kHighLowHeight{"HLhite", KeyType::kFloat, "2764"};
inline constexpr KeyDef kHighLowBold{"HLbold", KeyType::kFlag, "False"};
inline constexpr KeyDef kHighLowHideAtRight{"hl_HideRight", KeyType::kFlag, "False"};
}  // namespace keys

// Indexed key families.
const IndexedKeyDef& DashboardFrameLeftKeys();    // "DBLF0".."DBLF8", default 0
const IndexedKeyDef& DashboardFrameTopKeys();     // "DBFtop0".."DBFtop8", default index x 240
const IndexedKeyDef& DashboardFrameColourKeys();  // "DshbColr0".."DshbColr8", read only
const IndexedKeyDef& DashboardLabelColourKeys();  // "DshColr0".."DshColr17"
const IndexedKeyDef& DashboardPlateKeys();        // "dPlate0", "dPlate11".."dPlate14"
const IndexedKeyDef& HighLowFrameLeftKeys();      // "HLFL0".."HLFL4", default index x 645
const IndexedKeyDef& HighLowFrameTopKeys();       // "HLFT0".."HLFT4", default 0
const IndexedKeyDef& HighLowFrameColourKeys();    // "HLbcolor0".."HLbcolor4", read only
const IndexedKeyDef& HighLowLabelColourKeys();    // "HLcolor0".."HLcolor49"
const IndexedKeyDef& HighLowPlateKeys();  // "hlPlate38".."hlPlate40", "hlPlate42", "hlPlate43"

// The main window's keys, in the order above: first those it loads into its
// controls and menu and saves from them (the shut-down's in its saving order),
// then the tray icon keys.
const std::vector<KeyDef>& MainWindowKeys();
// The tray icon's look, the last six of the main window's keys: read at
// start-up into the tray icon's style, written by the tray icon settings window.
const std::vector<KeyDef>& TrayIconKeys();
// Every plain key of the index, and every indexed family.
const std::vector<KeyDef>& AllKeys();
const std::vector<const IndexedKeyDef*>& AllIndexedKeys();

}  // namespace kelvane
