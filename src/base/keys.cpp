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

const IndexedKeyDef& DbFrameLeftKeys() {
  static const IndexedKeyDef k{"DBLF", KeyType::kFloat, Range(0, 8)};
  return k;
}
const IndexedKeyDef& DbFrameTopKeys() {
  static const IndexedKeyDef k{"DBFtop", KeyType::kFloat, Range(0, 8), 240};
  return k;
}
const IndexedKeyDef& DbFrameColourKeys() {
  static const IndexedKeyDef k{"DshbColr", KeyType::kColour, Range(0, 8), 0, true};
  return k;
}
const IndexedKeyDef& DbLabelColourKeys() {
  static const IndexedKeyDef k{"DshColr", KeyType::kColour, Range(0, 17), 0, true};
  return k;
}
const IndexedKeyDef& DbPlateKeys() {
  static const IndexedKeyDef k{"dPlate", KeyType::kText, {0, 11, 12, 13, 14}, 0, true};
  return k;
}
const IndexedKeyDef& HlFrameLeftKeys() {
  static const IndexedKeyDef k{"HLFL", KeyType::kFloat, Range(0, 4), 645};
  return k;
}
const IndexedKeyDef& HlFrameTopKeys() {
  static const IndexedKeyDef k{"HLFT", KeyType::kFloat, Range(0, 4)};
  return k;
}
const IndexedKeyDef& HlFrameColourKeys() {
  static const IndexedKeyDef k{"HLbcolor", KeyType::kColour, Range(0, 4), 0, true};
  return k;
}
const IndexedKeyDef& HlLabelColourKeys() {
  static const IndexedKeyDef k{"HLcolor", KeyType::kColour, Range(0, 49), 0, true};
  return k;
}
const IndexedKeyDef& HlPlateKeys() {
  static const IndexedKeyDef k{"hlPlate", KeyType::kText, {38, 39, 40, 42, 43}, 0, true};
  return k;
}

const std::vector<KeyDef>& MainWindowKeys() {
  using namespace keys;
  static const std::vector<KeyDef> k{kPaper,      kBuzzer,      kShutDown,  kToggleIcon, kSndCard,
                                     kSndPC,      kLogWrite,    kHtmOw,     kSmoke,      kMsgAlarm,
                                     kLog,        kLogInterval, kVolume,    kLnchIt,     kLogHtml,
                                     kLnchExe,    kClosAsus,    kDashSrart, kHiLoStrt,   kTrayFcolr,
                                     kTrayFcolr2, kTrayBcolr,   kTrayFont,  kTrayBold,   kTraySize};
  return k;
}

const std::vector<KeyDef>& AllKeys() {
  using namespace keys;
  static const std::vector<KeyDef> k = [] {
    std::vector<KeyDef> all = MainWindowKeys();
    for (const KeyDef& d : {kDbBold, kDbWpaper, kDbLeft, kDbTop, kDbWidth, kDbHite, kHlWpaper,
                            kHlLeft, kHlTop, kHlWide, kHlHite, kHlBold, kHlHideRight})
      all.push_back(d);
    return all;
  }();
  return k;
}

const std::vector<const IndexedKeyDef*>& AllIndexedKeys() {
  static const std::vector<const IndexedKeyDef*> k{
      &DbFrameLeftKeys(),   &DbFrameTopKeys(),  &DbFrameColourKeys(), &DbLabelColourKeys(),
      &DbPlateKeys(),       &HlFrameLeftKeys(), &HlFrameTopKeys(),    &HlFrameColourKeys(),
      &HlLabelColourKeys(), &HlPlateKeys()};
  return k;
}

}  // namespace kelvane
