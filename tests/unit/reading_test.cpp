// The reading record: slots, derived temperatures and the tray tooltip.
#include "probe/reading.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/text.h"
#include "probe/stats.h"

namespace kelvane::probe {
namespace {

ProbeReading WithSlots(const char* cpu, const char* mb, const char* cpu_fan, const char* pwr_fan,
                       const char* chs_fan) {
  ProbeReading r;
  r.texts[kCpuTempSlot] = FixedWidth(cpu, 6);
  r.texts[kMbTempSlot] = FixedWidth(mb, 6);
  r.texts[kCpuFanSlot] = FixedWidth(cpu_fan, 6);
  r.texts[kPowerFanSlot] = FixedWidth(pwr_fan, 6);
  r.texts[kChassisFanSlot] = FixedWidth(chs_fan, 6);
  DeriveReadings(r);
  return r;
}

TEST(Text, CutsAndPadsByCharactersNotBytes) {
  // The degree sign is two bytes in UTF-8 and one character.
  EXPECT_EQ(CharCount("45\xC2\xB0"
                      "C"),
            4u);
  EXPECT_EQ(FixedWidth("45\xC2\xB0"
                       "C",
                       6),
            "45\xC2\xB0"
            "C  ");
  EXPECT_EQ(FixedWidth("1\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0", 6),
            "1\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0\xC2\xB0");
  EXPECT_EQ(LeftChars("\xC2\xB0"
                      "C",
                      1),
            "\xC2\xB0");
  EXPECT_EQ(FixedWidth("1.5200V", 6), "1.5200");
  EXPECT_EQ(TrimSpaces("  1.52  "), "1.52");
  EXPECT_EQ(std::string(CutAtNul(std::string("ab\0cd", 5))), "ab");
}

TEST(Text, ABrokenSequenceCountsByteForByteSoASlotStaysSixCharactersWide) {
  // A lead byte without its continuation bytes, and a stray continuation byte.
  EXPECT_EQ(CharCount("\xE4>"), 2u);
  EXPECT_EQ(CharCount("45\xB0" "C"), 4u);
  const std::string slot = FixedWidth("\xE4>", 6);
  EXPECT_EQ(slot, "\xE4>    ");
  EXPECT_EQ(CharCount(slot), 6u);
  EXPECT_EQ(LeftChars("\xF0\x9F" "ab", 2), "\xF0\x9F");
}

TEST(ProbeReading, StartsBlankWithZeroNumbers) {
  ProbeReading r;
  for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(r.texts[slot], "      ");
  EXPECT_EQ(r.cpu_temp, 0);
  EXPECT_EQ(r.mb_temp, 0);
  EXPECT_EQ(CharCount(r.tip_text), kTipWidth);
}

TEST(ProbeReading, DerivesTemperaturesWithTiesToEvenAndTwoMotherboardCharacters) {
  struct Case {
    const char* cpu;
    const char* mb;
    int cpu_temp;
    int mb_temp;
  } cases[] = {{"45.5", "35.5", 46, 35},
               {"44.5", "31", 44, 31},
               {"45\xC2\xB0"
                "C",
                "100", 45, 10},
               {"", "", 0, 0},
               {"  52", "2.5", 52, 2},
               {"-3", "9", -3, 9}};
  for (const Case& c : cases) {
    ProbeReading r = WithSlots(c.cpu, c.mb, "", "", "");
    EXPECT_EQ(r.cpu_temp, c.cpu_temp) << c.cpu;
    EXPECT_EQ(r.mb_temp, c.mb_temp) << c.mb;
  }
  EXPECT_EQ(MbTemp32(WithSlots("", "101", "", "", "")), 10);
}

TEST(ProbeReading, TipTextHoldsTheReadingsThenANulPaddedToSixtyFourCharacters) {
  ProbeReading r = WithSlots("45", "31", "4560", "3213", "2700");
  std::string expected =
      "CPU:45\xC2\xB0"
      "C  MB:31\xC2\xB0"
      "C  Cpu:4560    Pwr:3213    Chs:2700    ";
  expected += '\0';
  expected += std::string(64 - 56, ' ');
  EXPECT_EQ(r.tip_text, expected);
  EXPECT_EQ(CharCount(r.tip_text), 64u);
}

TEST(ProbeReading, AVoltageBeyondAnyFloatStopsAtTheLargest) {
  ProbeReading r;
  r.texts[kVCoreSlot] = "9e99  ";
  r.texts[kV12Slot] = "-9e99 ";
  const TickValues v = ValuesOf(r);
  EXPECT_EQ(v.vcore, std::numeric_limits<float>::max());
  EXPECT_EQ(v.v12, -std::numeric_limits<float>::max());
}

}  // namespace
}  // namespace kelvane::probe
