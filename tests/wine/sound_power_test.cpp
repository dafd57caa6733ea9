// Sound and power: what can be checked without a sound card and without
// shutting anything down. ExitWindowsWith is never called here.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/clock.h"
#include "platform/win32/handles.h"
#include "platform/win32/power.h"
#include "platform/win32/sound.h"
#include "wine_test_support.h"

namespace kelvane::platform::win32 {
namespace {

// Wine here has no mixer device (mixerGetNumDevs 0, mixerOpen(0) gives
// MMSYSERR_BADDEVICEID); on a Windows machine with a sound card device 0 opens.
// The mixer path with a device runs on the simulated desktop.
TEST(SoundTest, NoMixerDeviceGivesNoMixer) {
  Win32Sound sound;
  if (mixerGetNumDevs() != 0) GTEST_SKIP() << "this machine has a mixer";
  EXPECT_EQ(sound.OpenMixer(0), nullptr);
  EXPECT_EQ(sound.OpenMixer(5), nullptr);
}

// Without a sound device PlaySoundA returns FALSE at once under Wine, file or
// no file; Windows plays the default sound for a missing file and returns when
// it has ended. Either way the call must come back.
TEST(SoundTest, PlayingAWaveAndBeepingReturnWithoutHanging) {
  Win32Sound sound;
  Win32Clock clock;
  wine_test::ScratchFolder folder;
  const double start = clock.MonotonicSeconds();
  sound.PlayWaveSync(folder.path() + "Alarm\\alarm.wav");
  EXPECT_LT(clock.MonotonicSeconds() - start, 5.0);

  const double beep_start = clock.MonotonicSeconds();
  for (int hz = 3000; hz <= 3400; hz += 100) sound.Beep(hz, 5);
  EXPECT_LT(clock.MonotonicSeconds() - beep_start, 2.0);
}

TEST(PowerTest, VersionIsTheNtFamilyInADefaultPrefix) {
  Win32Power power;
  const std::uint32_t version = power.Version();
  EXPECT_NE(version, 0u);
  EXPECT_EQ(version & 0x80000000u, 0u) << std::hex << version;
  EXPECT_GE(version & 0xFFu, 5u) << std::hex << version;  // major version
}

bool ShutdownPrivilegeEnabled() {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return false;
  LUID shutdown;
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown)) return false;
  PRIVILEGE_SET wanted = {};
  wanted.PrivilegeCount = 1;
  wanted.Privilege[0].Luid = shutdown;
  BOOL held = FALSE;
  return PrivilegeCheck(token.Get(), &wanted, &held) && held;
}

TEST(PowerTest, EnableShutdownPrivilegeEnablesItInThisProcessToken) {
  // Held but disabled in a new process, on Windows as under Wine.
  if (ShutdownPrivilegeEnabled()) GTEST_SKIP() << "already enabled: nothing to tell apart";
  Win32Power power;
  power.EnableShutdownPrivilege();
  EXPECT_TRUE(ShutdownPrivilegeEnabled());
}

}  // namespace
}  // namespace kelvane::platform::win32
