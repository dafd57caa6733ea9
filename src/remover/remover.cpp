#include "remover/remover.h"

#include <optional>
#include <string>

#include "base/settings.h"

namespace kelvane::remover {
namespace {

using platform::StoreStatus;
namespace mb = platform::mb;

constexpr unsigned kBoxFlags = mb::kSystemModal | mb::kSetForeground;
constexpr std::int32_t kAbsent = -100;

// Whether Kelvane's settings are there, judged by "Buzzer", which Kelvane
// saves at every shut-down; nullopt (after telling the user) when the store
// cannot be read.
std::optional<bool> SettingsPresent(const Services& s) {
  platform::StoreRead r = s.store.Read(kAppName, kSectionName, keys::kAlarmThreshold.name);
  if (r.status == StoreStatus::kFailed) {
    s.loop.ShowMessageBox(r.error, kTitle, mb::kOk | mb::kIconStop | kBoxFlags);
    return std::nullopt;
  }
  if (r.status == StoreStatus::kMissing) return false;
  // Something that is not a number is still something stored.
  return ParseInteger(r.value).value_or(0) != kAbsent;
}

void PumpMessages(const Services& s, int times) {
  for (int i = 0; i < times; ++i) s.loop.YieldToMessages();
}

}  // namespace

Outcome RunRemover(const Services& s) {
  std::optional<bool> present = SettingsPresent(s);
  if (!present) return Outcome::kFailed;
  if (!*present) {
    s.loop.ShowMessageBox(kNothingText, kTitle, mb::kOk | mb::kIconInformation | kBoxFlags);
    return Outcome::kNothingToRemove;
  }
  if (s.loop.ShowMessageBox(kAskText, kTitle, mb::kYesNo | mb::kIconQuestion | kBoxFlags) !=
      mb::kIdYes)
    return Outcome::kDeclined;

  // A running Kelvane saves its settings once more when it closes; that save
  // must be over before the section goes, or it would bring the settings back.
  platform::WindowId kelvane =
      s.desktop.FindTopWindow(kApplicationWindowClass, kApplicationWindowTitle);
  if (kelvane != platform::kNoWindow) {
    s.desktop.SendClose(kelvane);
    const double start = s.clock.MonotonicSeconds();
    while (s.desktop.IsWindow(kelvane) && s.clock.MonotonicSeconds() - start < kCloseWaitSeconds)
      s.loop.YieldToMessages();
  }
  PumpMessages(s, 1000);

  platform::StoreResult removed = s.store.RemoveSection(kAppName, kSectionName);
  if (removed.status == StoreStatus::kFailed) {
    s.loop.ShowMessageBox(removed.error, kTitle, mb::kOk | mb::kIconStop | kBoxFlags);
    return Outcome::kFailed;
  }
  PumpMessages(s, 1000);

  present = SettingsPresent(s);
  if (!present) return Outcome::kFailed;
  if (*present) {
    s.loop.ShowMessageBox(kStillThereText, kTitle, mb::kOk | mb::kIconExclamation | kBoxFlags);
    return Outcome::kStillPresent;
  }
  s.loop.ShowMessageBox(kRemovedText, kTitle, mb::kOk | mb::kIconInformation | kBoxFlags);
  return Outcome::kRemoved;
}

}  // namespace kelvane::remover
