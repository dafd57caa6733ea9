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

namespace keys {
// Main window: read at start-up and written at shut-down in this order; the
// six tray keys are written by the tray icon settings window instead.
inline constexpr KeyDef kPaper{"Paper", KeyType::kText, "Custom"};
inline constexpr KeyDef kBuzzer{"Buzzer", KeyType::kInteger, "79"};
inline constexpr KeyDef kShutDown{"ShutDown", KeyType::kInteger, "89"};
inline constexpr KeyDef kToggleIcon{"ToggleIcon", KeyType::kText, "CPU & MB"};
inline constexpr KeyDef kSndCard{"SndCard", KeyType::kCheck, "0"};
inline constexpr KeyDef kSndPC{"SndPC", KeyType::kCheck, "0"};
inline constexpr KeyDef kLogWrite{"LogWrite", KeyType::kCheck, "0"};
inline constexpr KeyDef kHtmOw{"HTM_Ow", KeyType::kCheck, "1"};
inline constexpr KeyDef kSmoke{"Smoke", KeyType::kCheck, "2"};  // a stored 2 shows unchecked
inline constexpr KeyDef kMsgAlarm{"MsgAlarm", KeyType::kCheck, "0"};
inline constexpr KeyDef kLog{"Log", KeyType::kCheck, "0"};
inline constexpr KeyDef kLogInterval{"LogInterval", KeyType::kInteger, "15"};
inline constexpr KeyDef kVolume{"Volume", KeyType::kInteger, "650"};
inline constexpr KeyDef kLnchIt{"LnchIt", KeyType::kCheck, "0"};
inline constexpr KeyDef kLogHtml{"LogHTML", KeyType::kCheck, "0"};
inline constexpr KeyDef kLnchExe{"LnchExe", KeyType::kText, ""};
inline constexpr KeyDef kClosAsus{"ClosAsus", KeyType::kCheck, "0"};
inline constexpr KeyDef kDashSrart{"DashSrart", KeyType::kFlag, "False"};
inline constexpr KeyDef kHiLoStrt{"HiLoStrt", KeyType::kFlag, "False"};
inline constexpr KeyDef kTrayFcolr{"TrayFcolr", KeyType::kColour, "255"};
inline constexpr KeyDef kTrayFcolr2{"TrayFcolr2", KeyType::kColour, "16711680"};
inline constexpr KeyDef kTrayBcolr{"TrayBcolr", KeyType::kColour, "16777215"};
inline constexpr KeyDef kTrayFont{"TrayFont", KeyType::kText, "Arial"};
inline constexpr KeyDef kTrayBold{"TrayBold", KeyType::kFlag, "True"};
inline constexpr KeyDef kTraySize{"TraySize", KeyType::kFloat, "24"};

// The first-run test reads "Buzzer" with this default instead of its own.
inline constexpr int kFirstRunBuzzer = -100;

// Digital Dashboard.
inline constexpr KeyDef kDbBold{"dbBold", KeyType::kFlag, "True"};
inline constexpr KeyDef kDbWpaper{"db-Wpaper", KeyType::kText, "Custom"};
inline constexpr KeyDef kDbLeft{"DBLeft", KeyType::kFloat, "", true};
inline constexpr KeyDef kDbTop{"DBTop", KeyType::kFloat, "", true};
inline constexpr KeyDef kDbWidth{"DBWidth", KeyType::kFloat, "1200"};
inline constexpr KeyDef kDbHite{"DBHite", KeyType::kFloat, "2280"};

// High/Low/Avg Dashboard.
inline constexpr KeyDef kHlWpaper{"HL-Wpaper", KeyType::kText, "Custom"};
inline constexpr KeyDef kHlLeft{"HLleft", KeyType::kFloat, "", true};
inline constexpr KeyDef kHlTop{"HLtop", KeyType::kFloat, "", true};
inline constexpr KeyDef kHlWide{"HLwide", KeyType::kFloat, "3330"};
inline constexpr KeyDef kHlHite{"HLhite", KeyType::kFloat, "2764"};
inline constexpr KeyDef kHlBold{"HLbold", KeyType::kFlag, "False"};
inline constexpr KeyDef kHlHideRight{"hl_HideRight", KeyType::kFlag, "False"};
}  // namespace keys

// Indexed key families.
const IndexedKeyDef& DbFrameLeftKeys();    // "DBLF0".."DBLF8", default 0
const IndexedKeyDef& DbFrameTopKeys();     // "DBFtop0".."DBFtop8", default index x 240
const IndexedKeyDef& DbFrameColourKeys();  // "DshbColr0".."DshbColr8", read only
const IndexedKeyDef& DbLabelColourKeys();  // "DshColr0".."DshColr17"
const IndexedKeyDef& DbPlateKeys();        // "dPlate0", "dPlate11".."dPlate14"
const IndexedKeyDef& HlFrameLeftKeys();    // "HLFL0".."HLFL4", default index x 645
const IndexedKeyDef& HlFrameTopKeys();     // "HLFT0".."HLFT4", default 0
const IndexedKeyDef& HlFrameColourKeys();  // "HLbcolor0".."HLbcolor4", read only
const IndexedKeyDef& HlLabelColourKeys();  // "HLcolor0".."HLcolor49"
const IndexedKeyDef& HlPlateKeys();        // "hlPlate38".."hlPlate40", "hlPlate42", "hlPlate43"

// The main window's keys, in the order above.
const std::vector<KeyDef>& MainWindowKeys();
// Every plain key of the index, and every indexed family.
const std::vector<KeyDef>& AllKeys();
const std::vector<const IndexedKeyDef*>& AllIndexedKeys();

}  // namespace kelvane
