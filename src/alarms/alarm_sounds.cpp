#include "alarms/alarm_sounds.h"

#include <cstdint>
#include <optional>

#include "base/numbers.h"

namespace kelvane::alarms {
namespace {

// The slider's 1600 steps span the speakers control's range.
constexpr double kSliderSteps = 1600;
constexpr int kChirpFirstHz = 3000, kChirpLastHz = 5000, kChirpStepHz = 100;
constexpr int kToneMs = 5;
constexpr double kChirpSeconds = 0.09;

// Clears a flag when the routine that set it ends, however it ends.
class BusyWhile {
 public:
  explicit BusyWhile(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyWhile() { flag_ = false; }
  BusyWhile(const BusyWhile&) = delete;
  BusyWhile& operator=(const BusyWhile&) = delete;

 private:
  bool& flag_;
};

}  // namespace

AlarmSounds::AlarmSounds(platform::Platform& platform, const Options& options, AlarmHost& host,
                         const std::string& app_folder)
    : p_(platform), options_(options), host_(host), app_folder_(app_folder) {}

AlarmSounds::~AlarmSounds() = default;

bool AlarmSounds::SetUpMixer() {
  volume_ = std::make_unique<Volume>(p_.sound);
  volume_step_ = RoundToInt32(volume_->MaxWaveVolume() / kSliderSteps);
  return volume_->HasMixer();
}

void AlarmSounds::PlayAlarmWave() {
  if (sound_busy_) return;
  BusyWhile busy(sound_busy_);
  if (!options_.sound_card) return;
  // A volume that cannot be read is left alone: turned up, it could not be
  // put back, and "restoring" it to 0 would leave the user's speakers mute.
  // Without a mixer neither volume is read or touched.
  const std::optional<std::int32_t> wave = volume_ ? volume_->WaveVolume() : std::nullopt;
  const std::optional<std::int32_t> wave_in = volume_ ? volume_->WaveInVolume() : std::nullopt;
  const std::int64_t alarm = static_cast<std::int64_t>(options_.volume) * volume_step_;
  const auto alarm32 = static_cast<std::int32_t>(
      alarm > INT32_MAX ? INT32_MAX : alarm < INT32_MIN ? INT32_MIN : alarm);
  if (wave) volume_->SetWaveVolume(alarm32);
  if (wave_in) volume_->SetWaveInVolume(alarm32);
  p_.loop.YieldToMessages();
  // A shut-down inside the yield skips the sound, never the restore.
  if (host_.StillRunning()) p_.sound.PlayWaveSync(app_folder_ + kAlarmWave);
  if (wave) volume_->SetWaveVolume(*wave);
  if (wave_in) volume_->SetWaveInVolume(*wave_in);
}

void AlarmSounds::ChirpSpeaker() {
  if (speaker_busy_) return;
  BusyWhile busy(speaker_busy_);
  if (!options_.speaker) return;
  p_.loop.YieldToMessages();
  if (!host_.StillRunning()) return;
  const double start = p_.clock.MonotonicSeconds();
  for (int hz = kChirpFirstHz; hz <= kChirpLastHz; hz += kChirpStepHz) {
    if (p_.clock.MonotonicSeconds() - start > kChirpSeconds) break;
    if (host_.PollingStopped()) break;
    p_.sound.Beep(hz, kToneMs);
  }
}

}  // namespace kelvane::alarms
