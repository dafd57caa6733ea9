#include "probe/reading.h"

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::probe {

ProbeReading::ProbeReading() : TipText(kTipWidth, ' ') {
  Texts.fill(std::string(kSlotWidth, ' '));
}

std::int32_t MbTemp32(const ProbeReading& reading) {
  return RoundToInt32(LeadingNumber(LeftChars(reading.Texts[kMbTempSlot], 2)));
}

void DeriveReadings(ProbeReading& r) {
  r.CpuTemp = RoundToInt16(LeadingNumber(r.Texts[kCpuTempSlot]));
  r.MbTemp = RoundToInt16(LeadingNumber(LeftChars(r.Texts[kMbTempSlot], 2)));

  std::string degrees_c = std::string(kDegree) + "C  ";
  std::string tip = "CPU:" + IntText(r.CpuTemp) + degrees_c;
  tip += "MB:" + LeftChars(r.Texts[kMbTempSlot], 2) + degrees_c;
  tip += "Cpu:" + r.Texts[kCpuFanSlot] + "  ";
  tip += "Pwr:" + r.Texts[kPowerFanSlot] + "  ";
  tip += "Chs:" + r.Texts[kChassisFanSlot] + "  ";
  tip += '\0';
  r.TipText = FixedWidth(tip, kTipWidth);
}

}  // namespace kelvane::probe
