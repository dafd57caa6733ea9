// The alarm's two sounds, played in turn while the CPU is too hot: the alarm
// wave through the sound card at the user's volume, and a short rising chirp
// on the PC speaker. Each routine does nothing while its check box is clear,
// and returns at once when entered again during its own run (both yield).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "alarms/alarm_host.h"
#include "alarms/volume.h"
#include "base/options.h"
#include "platform/platform.h"

namespace kelvane::alarms {

// The alarm wave, relative to the program's folder.
inline constexpr char kAlarmWave[] = "Alarm\\alarm.wav";

class AlarmSounds {
 public:
  AlarmSounds(platform::Platform& platform, const Options& options, AlarmHost& host,
              const std::string& app_folder);
  ~AlarmSounds();
  AlarmSounds(const AlarmSounds&) = delete;
  AlarmSounds& operator=(const AlarmSounds&) = delete;

  // Opens the mixer and reads its ranges; false when there is no mixer (the
  // sound card is then not to be offered).
  bool SetUpMixer();
  // Plays the alarm wave once, to its end, with both volumes at the slider's
  // value times the volume step; the volumes are restored afterwards.
  void PlayAlarmWave();
  // One chirp: 5 ms tones rising from 3000 Hz in 100 Hz steps for about
  // 0.09 s, cut short when polling stops.
  void ChirpSpeaker();

  // Mixer units per step of the volume slider (0 without a mixer).
  std::int32_t VolumeStep() const { return volume_step_; }

 private:
  platform::Platform& p_;
  const Options& options_;
  AlarmHost& host_;
  // The program's folder, ending in "\\"; set once start-up has found it.
  const std::string& app_folder_;
  std::unique_ptr<Volume> volume_;
  std::int32_t volume_step_ = 0;
  bool sound_busy_ = false;
  bool speaker_busy_ = false;
};

}  // namespace kelvane::alarms
