// The sound card's two volume controls that the alarm turns up while it plays:
// the speakers' master volume and the wave-out volume of mixer device 0.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace kelvane::alarms {

// Mixer line component types.
inline constexpr std::uint32_t kSpeakersLine = 4;
inline constexpr std::uint32_t kWaveOutLine = 0x1008;

class Volume {
 public:
  // Opens mixer device 0 and finds both volume controls.
  explicit Volume(platform::Sound& sound);
  // Closes the mixer.
  ~Volume();
  Volume(const Volume&) = delete;
  Volume& operator=(const Volume&) = delete;

  // Whether mixer device 0 opened.
  bool HasMixer() const { return mixer_ != nullptr; }

  // A control that was not found has the range 0 to 0.
  std::int32_t MinWaveVolume() const { return wave_.minimum; }
  std::int32_t MaxWaveVolume() const { return wave_.maximum; }
  std::int32_t MinWaveInVolume() const { return wave_in_.minimum; }
  std::int32_t MaxWaveInVolume() const { return wave_in_.maximum; }

  // The control's value now; nothing when the control was not found or the
  // read failed.
  std::optional<std::int32_t> WaveVolume() { return Read(wave_); }
  std::optional<std::int32_t> WaveInVolume() { return Read(wave_in_); }
  // Clamps into the control's range, then writes; a failed write is ignored.
  void SetWaveVolume(std::int32_t volume) { Write(wave_, volume); }
  void SetWaveInVolume(std::int32_t volume) { Write(wave_in_, volume); }

 private:
  std::optional<std::int32_t> Read(const platform::MixerControl& control);
  void Write(const platform::MixerControl& control, std::int32_t volume);

  std::unique_ptr<platform::Mixer> mixer_;
  platform::MixerControl wave_;
  platform::MixerControl wave_in_;
};

}  // namespace kelvane::alarms
