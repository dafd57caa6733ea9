// Finding the monitor's install folder, and waking its window once at start-up.
#pragma once

#include <string>

#include "base/wait.h"
#include "platform/platform.h"

namespace kelvane::probe {

inline constexpr char kInstallKey[] = "SOFTWARE\\ASUS\\ASUS Probe";
inline constexpr char kInstallValue[] = "Path";
inline constexpr char kProgramFile[] = "AsusProb.exe";
inline constexpr char kSplashClass[] = "TSplashForm";
inline constexpr char kSplashTitle[] = "SplashForm";
// ProbePath after a wake-up that could not use the monitor's window.
inline constexpr char kNotSupported[] = "notsupported";
// How long the wake-up tries to bring the monitor to the foreground.
inline constexpr double kForegroundSeconds = 15;

// The monitor's install folder from its install record, without a trailing
// backslash; "" when it is not installed or its program file is missing (a
// folder in its place does not count).
std::string FindInstallFolder(platform::Registry& registry, platform::Files& files);

// Brings the monitor window to the front and clicks through it once. On a
// window that will not come to the foreground, or whose top-left corner is off
// screen, sets `probe_path` to kNotSupported instead and returns false. Once
// `still_running` says no after a yield, it stops at once and returns false,
// `probe_path` unchanged and the monitor window no longer topmost.
bool WakeProbe(platform::Platform& p, platform::WindowId probe_window, std::string& probe_path,
               const StillRunning& still_running = {});

}  // namespace kelvane::probe
