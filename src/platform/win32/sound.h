// The first mixer's volume controls, wave playback and the PC speaker (winmm, kernel32).
#pragma once

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Sound final : public Sound {
 public:
  std::unique_ptr<Mixer> OpenMixer(int device) override;
  bool PlayWaveSync(std::string_view path) override;
  void Beep(int frequency_hz, int milliseconds) override;
};

}  // namespace kelvane::platform::win32
