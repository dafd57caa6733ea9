// Dreslin: removes every setting Kelvane has stored, after asking the user and
// closing a running Kelvane first. It shows no window of its own, only
// message boxes, and shares nothing with Kelvane but the settings store and
// the class and title of Kelvane's hidden application window.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace kelvane::remover {

inline constexpr std::string_view kTitle = "Kelvane v1.0 Uninstaller";
inline constexpr std::string_view kAskText =
    "OK to remove all Kelvane v1.0 settings from registry?";
inline constexpr std::string_view kRemovedText = "Kelvane v1.0 removed successfully!";
inline constexpr std::string_view kNothingText =
    "Nothing To Remove -  Kelvane not found in registry!";
inline constexpr std::string_view kStillThereText =
    "Kelvane v1.0 settings are still in the registry: Kelvane saved them again while they were "
    "being removed. Close Kelvane and run the uninstaller once more.";
// How long a closing Kelvane may take to save its settings and go.
inline constexpr double kCloseWaitSeconds = 5.0;

struct Services {
  platform::SettingsStore& store;
  platform::Loop& loop;
  platform::Desktop& desktop;
  platform::Clock& clock;
};

enum class Outcome {
  kNothingToRemove,
  kDeclined,
  kRemoved,
  kStillPresent,  // Kelvane saved again after the deletion
  kFailed,        // the store could not be read or changed; the user was told
};

// Runs the remover once, as the program does when it starts.
Outcome RunRemover(const Services& s);

}  // namespace kelvane::remover
