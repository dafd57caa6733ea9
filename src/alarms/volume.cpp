#include "alarms/volume.h"

#include <algorithm>

namespace kelvane::alarms {

Volume::Volume(platform::Sound& sound) : mixer_(sound.OpenMixer(0)) {
  if (!mixer_) return;
  wave_ = mixer_->FindVolumeControl(kSpeakersLine);
  wave_in_ = mixer_->FindVolumeControl(kWaveOutLine);
}

Volume::~Volume() = default;

// A control that was not found has no identifier of its own: it is neither read
// nor written, so no other control of the card is touched in its place.
std::optional<std::int32_t> Volume::Read(const platform::MixerControl& control) {
  if (!mixer_ || !control.found) return std::nullopt;
  const std::optional<std::uint32_t> value = mixer_->ReadValue(control.control_id);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

void Volume::Write(const platform::MixerControl& control, std::int32_t volume) {
  volume = std::clamp(volume, std::min(control.minimum, control.maximum),
                      std::max(control.minimum, control.maximum));
  if (!mixer_ || !control.found) return;
  mixer_->WriteValue(control.control_id, static_cast<std::uint32_t>(volume));
}

}  // namespace kelvane::alarms
