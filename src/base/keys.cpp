#include "base/keys.h"

#include <numeric>

namespace kelvane {
namespace {

std::vector<int> Range(int first, int last) {
  std::vector<int> v(last - first + 1);
  std::iota(v.begin(), v.end(), first);
  return v;
}

}  // namespace

const IndexedKeyDef& DashboardFrameLeftKeys() {
  static const IndexedKeyDef k{"DBLF", KeyType::kFloat, Range(0, 8)};
  return k;
}
const IndexedKeyDef& DashboardFrameTopKeys() {
  static const IndexedKeyDef k{"DBFtop", KeyType::kFloat, Range(0, 8), 240};
  return k;
}
const IndexedKeyDef& DashboardFrameColourKeys() {
  static const IndexedKeyDef k{"DshbColr", KeyType::kColour, Range(0, 8), 0, true};
  return k;
}
const IndexedKeyDef& DashboardLabelColourKeys() {
  static const IndexedKeyDef k{"DshColr", KeyType::kColour, Range(0, 17), 0, true};
  return k;
}
const IndexedKeyDef& DashboardPlateKeys() {
  static const IndexedKeyDef k{"dPlate", KeyType::kText, {0, 11, 12, 13, 14}, 0, true};
  return k;
}
const IndexedKeyDef& HighLowFrameLeftKeys() {
  static const IndexedKeyDef k{"HLFL", KeyType::kFloat, Range(0, 4), 645};
  return k;
}
const IndexedKeyDef& HighLowFrameTopKeys() {
  static const IndexedKeyDef k{"HLFT", KeyType::kFloat, Range(0, 4)};
  return k;
}
const IndexedKeyDef& HighLowFrameColourKeys() {
  static const IndexedKeyDef k{"HLbcolor", KeyType::kColour, Range(0, 4), 0, true};
  return k;
}
const IndexedKeyDef& HighLowLabelColourKeys() {
  static const IndexedKeyDef k{"HLcolor", KeyType::kColour, Range(0, 49), 0, true};
  return k;
}
const IndexedKeyDef& HighLowPlateKeys() {
  static const IndexedKeyDef k{"hlPlate", KeyType::kText, {38, 39, 40, 42, 43}, 0, true};
  return k;
}

const std::vector<KeyDef>& MainWindowKeys() {
  using namespace keys;
  static const std::vector<KeyDef> k = [] {
    std::vector<KeyDef> all{kMainWallpaper,    kAlarmThreshold,     kShutdownThreshold,
                            kTrayIconMode,     kAlarmToSoundCard,   kAlarmToSpeaker,
                            kOverwriteTextLog, kOverwriteHtmlLog,   kShutdownOnOverheat,
                            kAlarmMessage,     kTextLogOn,          kLogIntervalMinutes,
                            kAlarmVolume,      kLaunchOnOverheat,   kHtmlLogOn,
                            kLaunchProgram,    kCloseMonitorOnExit, kDigitalDashboardAtStart,
                            kHighLowAtStart};
    all.insert(all.end(), TrayIconKeys().begin(), TrayIconKeys().end());
    return all;
  }();
  return k;
}

const std::vector<KeyDef>& TrayIconKeys() {
  using namespace keys;
  static const std::vector<KeyDef> k{kTrayCpuColour, kTrayMbColour, kTrayBackColour,
                                     kTrayFont,      kTrayBold,     kTrayFontSize};
  return k;
}

const std::vector<KeyDef>& AllKeys() {
  using namespace keys;
  static const std::vector<KeyDef> k = [] {
    std::vector<KeyDef> all = MainWindowKeys();
    for (const KeyDef& d :
         {kDashboardBold, kDashboardWallpaper, kDashboardLeft, kDashboardTop, kDashboardWidth,
          kDashboardHeight, kHighLowWallpaper, kHighLowLeft, kHighLowTop, kHighLowWidth,
          kHighLowHeight, kHighLowBold, kHighLowHideAtRight})
      all.push_back(d);
    return all;
  }();
  return k;
}

const std::vector<const IndexedKeyDef*>& AllIndexedKeys() {
  static const std::vector<const IndexedKeyDef*> k{
      &DashboardFrameLeftKeys(),   &DashboardFrameTopKeys(),  &DashboardFrameColourKeys(),
      &DashboardLabelColourKeys(), &DashboardPlateKeys(),     &HighLowFrameLeftKeys(),
      &HighLowFrameTopKeys(),      &HighLowFrameColourKeys(), &HighLowLabelColourKeys(),
      &HighLowPlateKeys()};
  return k;
}

}  // namespace kelvane
