#include <gtest/gtest.h>

#include "sensors.h"
#include "temp_dir.h"

namespace kelvane::standin {
namespace {

constexpr std::uint64_t kSeed = 42;
constexpr double kTime = 100;

// What the hwmon source shows when a reading has no sensor.
std::string Synthetic(Reading r) {
  return FormatReading(r, SyntheticSensors(kSeed).At(kTime)[r]);
}

class HwmonTest : public TempDirTest {
 protected:
  ReadingTexts Refresh() {
    ReadingTexts texts;
    MakeHwmonSource(Path(), kSeed)->Refresh(texts, kTime);
    return texts;
  }
};

// A desktop with an Intel CPU and a board chip that labels only its
// temperatures; a disk's sensor must not count as the board's.
TEST_F(HwmonTest, DesktopWithCoretempAndBoardChip) {
  Write("hwmon0/name", "acpitz\n");
  Write("hwmon0/temp1_input", "27800\n");
  Write("hwmon1/name", "coretemp\n");
  Write("hwmon1/temp2_label", "Core 0\n");
  Write("hwmon1/temp2_input", "49000\n");
  Write("hwmon1/temp1_label", "Package id 0\n");
  Write("hwmon1/temp1_input", "52000\n");
  Write("hwmon2/name", "nct6775\n");
  Write("hwmon2/in0_input", "1344\n");
  Write("hwmon2/in1_input", "1000\n");
  Write("hwmon2/temp1_label", "SYSTIN\n");
  Write("hwmon2/temp1_input", "34000\n");
  Write("hwmon2/temp2_label", "CPUTIN\n");
  Write("hwmon2/temp2_input", "45500\n");
  Write("hwmon2/fan1_input", "1200\n");
  Write("hwmon2/fan2_input", "3100\n");
  Write("hwmon2/fan3_input", "0\n");
  Write("hwmon10/name", "nvme\n");
  Write("hwmon10/temp1_input", "38850\n");

  const ReadingTexts texts = Refresh();
  const ReadingTexts expected = {
      "1.344", Synthetic(kV5), Synthetic(kV33), Synthetic(kV12), "52", "3100", "0", "1200", "34"};
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(HwmonSensors::Discover(Path()).InputFile(kCpuTemp), Path("hwmon1/temp1_input"));
}

// A board chip that labels everything: labels decide, whatever the order.
TEST_F(HwmonTest, LabelledBoardSensorsGoToTheirReadings) {
  Write("hwmon3/name", "asus_wmi_sensors\n");
  const char* files[][2] = {
      {"in0_label", "CPU Core Voltage"},
      {"in0_input", "1392"},
      {"in1_label", "+12 Voltage"},
      {"in1_input", "12096"},
      {"in2_label", "+5 Voltage"},
      {"in2_input", "5040"},
      {"in3_label", "+3.3 Voltage"},
      {"in3_input", "3312"},
      {"temp1_label", "Motherboard Temperature"},
      {"temp1_input", "36000"},
      {"temp2_label", "CPU Temperature"},
      {"temp2_input", "47000"},
      {"fan1_label", "Chassis Fan 1"},
      {"fan1_input", "1900"},
      {"fan2_label", "PSU Fan"},
      {"fan2_input", "2200"},
      {"fan3_label", "CPU Fan"},
      {"fan3_input", "2800"},
  };
  for (const auto& [file, content] : files) Write(std::string("hwmon3/") + file, content);

  const ReadingTexts expected = {"1.392", "5.040", "3.312", "12.096", "47",
                                 "1900",  "2200",  "2800",  "36"};
  EXPECT_EQ(Refresh(), expected);
}

// AMD CPU in the older layout (files under device/), next to a graphics card
// and a battery whose sensors are not the board's.
TEST_F(HwmonTest, OldLayoutAndForeignChipsLeaveTheRestSynthetic) {
  Write("hwmon0/device/name", "k10temp\n");
  // The control temperature counts, even where a die sensor comes first.
  Write("hwmon0/device/temp1_label", "Tccd1\n");
  Write("hwmon0/device/temp1_input", "55000\n");
  Write("hwmon0/device/temp2_label", "Tctl\n");
  Write("hwmon0/device/temp2_input", "61250\n");
  Write("hwmon1/name", "amdgpu\n");
  Write("hwmon1/in0_label", "vddgfx\n");
  Write("hwmon1/in0_input", "900\n");
  Write("hwmon1/temp1_input", "40000\n");
  Write("hwmon1/fan1_input", "800\n");
  Write("hwmon2/name", "BAT0\n");
  Write("hwmon2/in0_input", "12400\n");

  const ReadingTexts expected = {
      Synthetic(kVCore),      Synthetic(kV5),       Synthetic(kV33),    Synthetic(kV12),   "61",
      Synthetic(kChassisFan), Synthetic(kPowerFan), Synthetic(kCpuFan), Synthetic(kMbTemp)};
  EXPECT_EQ(Refresh(), expected);
}

TEST_F(HwmonTest, MissingTreeGivesSyntheticReadings) {
  ReadingTexts from_missing;
  MakeHwmonSource(Path("no-such-dir"), kSeed)->Refresh(from_missing, kTime);
  ReadingTexts synthetic;
  MakeSyntheticSource(kSeed)->Refresh(synthetic, kTime);
  EXPECT_EQ(from_missing, synthetic);
}

// Sensors are found once; a value that cannot be read later falls back for that
// second only, and a changed value shows on the next refresh.
TEST_F(HwmonTest, UnreadableValuesFallBackAndChangesShow) {
  Write("hwmon0/name", "coretemp\n");
  Write("hwmon0/temp1_input", "50000\n");
  Write("hwmon1/name", "it87\n");
  Write("hwmon1/temp1_input", "33000\n");
  Write("hwmon1/fan1_input", "2500\n");
  const auto source = MakeHwmonSource(Path(), kSeed);
  ReadingTexts texts;

  source->Refresh(texts, kTime);
  EXPECT_EQ(texts[kCpuTemp], "50");
  EXPECT_EQ(texts[kMbTemp], "33");
  EXPECT_EQ(texts[kCpuFan], "2500");

  Write("hwmon0/temp1_input", "garbage\n");
  std::filesystem::remove(dir_ / "hwmon1/fan1_input");
  Write("hwmon1/temp1_input", "-5400\n");
  source->Refresh(texts, kTime);
  EXPECT_EQ(texts[kCpuTemp], Synthetic(kCpuTemp));
  EXPECT_EQ(texts[kCpuFan], Synthetic(kCpuFan));
  EXPECT_EQ(texts[kMbTemp], "-5");

  Write("hwmon0/temp1_input", "71600\n");
  source->Refresh(texts, kTime);
  EXPECT_EQ(texts[kCpuTemp], "72");
  EXPECT_NE(source->Describe().find("3 of 9"), std::string::npos) << source->Describe();
}

// Without a CPU chip a board sensor labelled as the CPU's is the CPU
// temperature; with no labels at all the first temperature is.
TEST_F(HwmonTest, CpuTemperatureWithoutCpuChip) {
  Write("a/hwmon0/name", "nct6798\n");
  Write("a/hwmon0/temp1_label", "SYSTIN\n");
  Write("a/hwmon0/temp1_input", "31000\n");
  Write("a/hwmon0/temp2_label", "CPUTIN\n");
  Write("a/hwmon0/temp2_input", "44000\n");
  Write("b/hwmon0/name", "it87\n");
  Write("b/hwmon0/temp1_input", "41000\n");
  Write("b/hwmon0/temp2_input", "29000\n");

  const HwmonSensors a = HwmonSensors::Discover(Path("a"));
  EXPECT_EQ(a.InputFile(kCpuTemp), Path("a/hwmon0/temp2_input"));
  EXPECT_EQ(a.InputFile(kMbTemp), Path("a/hwmon0/temp1_input"));
  const HwmonSensors b = HwmonSensors::Discover(Path("b"));
  EXPECT_EQ(b.InputFile(kCpuTemp), Path("b/hwmon0/temp1_input"));
  EXPECT_EQ(b.InputFile(kMbTemp), Path("b/hwmon0/temp2_input"));
}

}  // namespace
}  // namespace kelvane::standin
