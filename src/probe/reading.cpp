#include "probe/reading.h"

#include "base/numbers.h"
#include "base/text.h"

namespace kelvane::probe {

ProbeReading::ProbeReading() : tip_text(kTipWidth, ' ') {
  texts.fill(std::string(kSlotWidth, ' '));
}

std::int32_t MbTemp32(const ProbeReading& reading) {
  return RoundToInt32(LeadingNumber(LeftChars(reading.texts[kMbTempSlot], 2)));
}

void DeriveReadings(ProbeReading& r) {
  r.cpu_temp = RoundToInt16(LeadingNumber(r.texts[kCpuTempSlot]));
  r.mb_temp = RoundToInt16(LeadingNumber(LeftChars(r.texts[kMbTempSlot], 2)));

  std::string degrees_c = std::string(kDegree) + "C  ";
  std::string tip = "CPU:" + IntText(r.cpu_temp) + degrees_c;
  tip += "MB:" + LeftChars(r.texts[kMbTempSlot], 2) + degrees_c;
  tip += "Cpu:" + r.texts[kCpuFanSlot] + "  ";
  tip += "Pwr:" + r.texts[kPowerFanSlot] + "  ";
  tip += "Chs:" + r.texts[kChassisFanSlot] + "  ";
  tip += '\0';
  r.tip_text = FixedWidth(tip, kTipWidth);
}

}  // namespace kelvane::probe
