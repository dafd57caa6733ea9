#include "platform/win32/sound.h"

#include <windows.h>
// mmsystem.h builds on the types of windows.h.
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "platform/win32/handles.h"
#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

// The records as the mixer functions expect them: the 64-bit ones carry
// pointer-sized members and their alignment.
#ifdef _WIN64
static_assert(sizeof(MIXERLINEA) == 172);
static_assert(sizeof(MIXERLINECONTROLSA) == 28);
static_assert(sizeof(MIXERCONTROLDETAILS) == 32);
#else
static_assert(sizeof(MIXERLINEA) == 168);
static_assert(sizeof(MIXERLINECONTROLSA) == 24);
static_assert(sizeof(MIXERCONTROLDETAILS) == 24);
#endif

// The control buffer is handed out larger than one MIXERCONTROLA (148 bytes),
// so that a driver that writes a padded record stays inside it.
constexpr std::size_t kControlBufferBytes = 152;
static_assert(kControlBufferBytes >= sizeof(MIXERCONTROLA));

// The handle from mixerOpen is passed as an HMIXER; without the flag the
// functions would take it for a device number.
constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;

class Win32Mixer final : public Mixer {
 public:
  explicit Win32Mixer(MixerHandle mixer) : mixer_(std::move(mixer)) {}

  MixerControl FindVolumeControl(std::uint32_t component_type) override {
    MIXERLINEA line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = component_type;
    if (mixerGetLineInfoA(Object(), &line, kByHandle | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR) {
      return {};
    }
    const GlobalBlock buffer(kControlBufferBytes);
    if (!buffer) return {};
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(MIXERCONTROLA);
    controls.pamxctrl = static_cast<MIXERCONTROLA*>(buffer.Data());
    if (mixerGetLineControlsA(Object(), &controls, kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR) {
      return {};
    }
    MIXERCONTROLA control;
    std::memcpy(&control, buffer.Data(), sizeof control);
    return MixerControl{true, control.dwControlID,
                        static_cast<std::int32_t>(control.Bounds.dwMinimum),
                        static_cast<std::int32_t>(control.Bounds.dwMaximum)};
  }

  std::optional<std::uint32_t> ReadValue(std::uint32_t control_id) override {
    const GlobalBlock value(sizeof(MIXERCONTROLDETAILS_UNSIGNED));
    if (!value) return std::nullopt;
    MIXERCONTROLDETAILS details = Details(control_id, value);
    if (mixerGetControlDetailsA(Object(), &details, kByHandle | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR) {
      return std::nullopt;
    }
    return static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(value.Data())->dwValue;
  }

  bool WriteValue(std::uint32_t control_id, std::uint32_t new_value) override {
    const GlobalBlock value(sizeof(MIXERCONTROLDETAILS_UNSIGNED));
    if (!value) return false;
    static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(value.Data())->dwValue = new_value;
    MIXERCONTROLDETAILS details = Details(control_id, value);
    return mixerSetControlDetails(Object(), &details, kByHandle | MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
  }

 private:
  HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(mixer_.Get()); }

  // One unsigned value for all channels alike.
  static MIXERCONTROLDETAILS Details(std::uint32_t control_id, const GlobalBlock& value) {
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = control_id;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = value.Data();
    return details;
  }

  MixerHandle mixer_;
};

}  // namespace

std::unique_ptr<Mixer> Win32Sound::OpenMixer(int device) {
  MixerHandle mixer;
  if (mixerOpen(mixer.Receive(), static_cast<UINT>(device), 0, 0, MIXER_OBJECTF_MIXER) !=
      MMSYSERR_NOERROR) {
    return nullptr;
  }
  return std::make_unique<Win32Mixer>(std::move(mixer));
}

namespace {

int WINAPI SystemPlaySound(const char* file, void* module, unsigned long flags) {
  if (WidePathCalls())
    return PlaySoundW(Utf8ToWide(file).c_str(), static_cast<HMODULE>(module), flags);
  return PlaySoundA(Utf8ToAcp(file).c_str(), static_cast<HMODULE>(module), flags);
}

int WINAPI SystemBeep(unsigned long frequency_hz, unsigned long milliseconds) {
  return ::Beep(frequency_hz, milliseconds);
}

}  // namespace

Win32Sound::Calls Win32Sound::SystemCalls() {
  return {&SystemPlaySound, &SystemBeep};
}

// SND_FILENAME alone: synchronous, and the system's default sound when the
// file is missing.
bool Win32Sound::PlayWaveSync(std::string_view path) {
  return calls_.play_sound(std::string(path).c_str(), nullptr, SND_FILENAME) != FALSE;
}

void Win32Sound::Beep(int frequency_hz, int milliseconds) {
  calls_.beep(static_cast<unsigned long>(frequency_hz), static_cast<unsigned long>(milliseconds));
}

}  // namespace kelvane::platform::win32
