// The first mixer's volume controls, wave playback and the PC speaker (winmm, kernel32).
#pragma once

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Sound final : public Sound {
 public:
  // The system's calls for playing, replaceable so that a test can see what they are given.
  // The file name is UTF-8.
  struct Calls {
    int(__stdcall* play_sound)(const char* file, void* module, unsigned long flags);
    int(__stdcall* beep)(unsigned long frequency_hz, unsigned long milliseconds);
  };
  // The real ones: PlaySoundW (PlaySoundA on Windows 9x) and Beep.
  static Calls SystemCalls();

  explicit Win32Sound(Calls calls = SystemCalls()) : calls_(calls) {}

  std::unique_ptr<Mixer> OpenMixer(int device) override;
  bool PlayWaveSync(std::string_view path) override;
  void Beep(int frequency_hz, int milliseconds) override;

 private:
  Calls calls_;
};

}  // namespace kelvane::platform::win32
