// Sound and power: what can be checked without a sound card and without
// shutting anything down. ExitWindowsWith is never called here.
#include <gtest/gtest.h>
#include <windows.h>
// <windows.h> first: mmsystem.h builds on its types.
#include <mmsystem.h>

#include <string>
#include <utility>
#include <vector>

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

// What the sound service handed to the system, recorded on the way to the real calls.
struct SoundCall {
  std::string file;
  bool module_given;
  unsigned long flags;
};
std::vector<SoundCall> played;
std::vector<std::pair<unsigned long, unsigned long>> beeped;
int play_answer = -1;  // -1: the real call's answer

int WINAPI RecordingPlay(const char* file, void* module, unsigned long flags) {
  played.push_back({file, module != nullptr, flags});
  const int real = Win32Sound::SystemCalls().play_sound(file, module, flags);
  return play_answer < 0 ? real : play_answer;
}

int WINAPI RecordingBeep(unsigned long frequency_hz, unsigned long milliseconds) {
  beeped.emplace_back(frequency_hz, milliseconds);
  return Win32Sound::SystemCalls().beep(frequency_hz, milliseconds);
}

// A wave file plays synchronously from its file name, whatever its letters (SND_FILENAME
// alone: no SND_ASYNC, and the default sound for a missing file), and what the system answers
// comes back. Without a sound device PlaySoundA returns FALSE at once under Wine, file or no
// file; on Windows it returns when the sound has ended. Either way the call comes back.
TEST(SoundTest, PlaysTheWaveFileSynchronouslyAndBeepsTheSpeaker) {
  played.clear();
  beeped.clear();
  Win32Sound sound({&RecordingPlay, &RecordingBeep});
  Win32Clock clock;
  wine_test::ScratchFolder folder;
  const std::string wave = folder.path() + "Alarm \xC2\xB0\\alarm.wav";
  const double start = clock.MonotonicSeconds();
  play_answer = -1;
  sound.PlayWaveSync(wave);
  EXPECT_LT(clock.MonotonicSeconds() - start, 5.0);
  play_answer = 1;
  EXPECT_TRUE(sound.PlayWaveSync(wave));
  play_answer = 0;
  EXPECT_FALSE(sound.PlayWaveSync(wave));
  ASSERT_EQ(played.size(), 3u);
  EXPECT_EQ(played[0].file, wave);
  EXPECT_FALSE(played[0].module_given);
  EXPECT_EQ(played[0].flags, static_cast<unsigned long>(SND_FILENAME));

  const double beep_start = clock.MonotonicSeconds();
  for (int hz = 3000; hz <= 3400; hz += 100) sound.Beep(hz, 5);
  EXPECT_LT(clock.MonotonicSeconds() - beep_start, 2.0);
  EXPECT_EQ(beeped.size(), 5u);
  EXPECT_EQ(beeped.back(), std::make_pair(3400ul, 5ul));
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
