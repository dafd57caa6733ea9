// The readings of the current tick, copied from the monitor's window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvane::probe {

// Slots of ProbeReading::texts, in the order of the monitor's reading windows.
enum Slot : int {
  kMarkerSlot = 1,  // the first six characters of the marker text
  kVCoreSlot = 2,
  kV5Slot = 3,
  kV33Slot = 4,
  kV12Slot = 5,
  kCpuTempSlot = 6,
  kChassisFanSlot = 7,
  kPowerFanSlot = 8,
  kCpuFanSlot = 9,
  kMbTempSlot = 10,
};

inline constexpr std::size_t kSlotWidth = 6;
inline constexpr std::size_t kTipWidth = 64;

struct ProbeReading {
  // Slots 1 to 10, each exactly six characters; slot 0 is never used.
  std::array<std::string, 11> texts;
  std::int16_t cpu_temp = 0;
  std::int16_t mb_temp = 0;
  // The tray icon's tooltip: exactly 64 characters, a NUL after the readings.
  std::string tip_text;

  ProbeReading();
};

// The motherboard temperature as a 32-bit integer: only the first two
// characters of slot 10 count (a reading of 101 gives 10).
std::int32_t MbTemp32(const ProbeReading& reading);

// Derives cpu_temp, mb_temp and then tip_text from the texts just read.
void DeriveReadings(ProbeReading& reading);

}  // namespace kelvane::probe
