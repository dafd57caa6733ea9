// The settings store and its key index.
#include "base/settings.h"

#include <gtest/gtest.h>

#include <set>

#include "base/keys.h"
#include "platform/sim/sim_platform.h"

namespace kelvane {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  Settings settings{sim.store, sim.clock};
};

TEST_F(SettingsTest, AnEmptyStoreGivesTheFirstRunDefaults) {
  using namespace keys;
  EXPECT_EQ(settings.Integer(kAlarmThreshold), 79);
  EXPECT_EQ(settings.Integer(kShutdownThreshold), 89);
  EXPECT_EQ(settings.Text(kTrayIconMode), "CPU & MB");
  EXPECT_EQ(settings.Integer(kOverwriteHtmlLog), 1);
  for (const KeyDef* check :
       {&kAlarmToSoundCard, &kAlarmToSpeaker, &kOverwriteTextLog, &kAlarmMessage, &kTextLogOn,
        &kLaunchOnOverheat, &kHtmlLogOn, &kCloseMonitorOnExit})
    EXPECT_EQ(settings.Integer(*check), 0) << check->name;
  EXPECT_EQ(settings.Integer(kShutdownOnOverheat), 2);
  EXPECT_EQ(settings.Integer(kLogIntervalMinutes), 15);
  EXPECT_EQ(settings.Integer(kAlarmVolume), 650);
  EXPECT_EQ(settings.Text(kTrayFont), "Arial");
  EXPECT_EQ(settings.Float(kTrayFontSize), 24);
  EXPECT_TRUE(settings.Flag(kTrayBold));
  EXPECT_EQ(settings.Colour(kTrayCpuColour), 255u);
  EXPECT_EQ(settings.Colour(kTrayMbColour), 16711680u);
  EXPECT_EQ(settings.Colour(kTrayBackColour), 16777215u);
  EXPECT_FALSE(settings.Flag(kDigitalDashboardAtStart));
  EXPECT_EQ(settings.Text(kLaunchProgram), "");
  EXPECT_EQ(settings.Text(kMainWallpaper), "Custom");
  EXPECT_EQ(DashboardFrameTopKeys().Default(3), 720);
  EXPECT_EQ(HighLowFrameLeftKeys().Default(4), 2580);
  EXPECT_EQ(DashboardFrameLeftKeys().Default(8), 0);
}

TEST_F(SettingsTest, ReadSettingGivesTheDefaultsTextForm) {
  EXPECT_EQ(ReadSetting(sim.store, kAppName, kSectionName, "Buzzer", "79"), "79");
  EXPECT_EQ(ReadSetting(sim.store, kAppName, kSectionName, "DashSrart", FlagText(false)), "False");
  EXPECT_EQ(ReadSetting(sim.store, kAppName, kSectionName, "TrayBold", FlagText(true)), "True");
  ASSERT_TRUE(WriteSetting(sim.store, kAppName, kSectionName, "Buzzer", "70"));
  EXPECT_EQ(ReadSetting(sim.store, kAppName, kSectionName, "Buzzer", "79"), "70");
  // Another section of the same application is another place.
  EXPECT_EQ(ReadSetting(sim.store, kAppName, "Other", "Buzzer", "-100"), "-100");
}

TEST_F(SettingsTest, RemovingAMissingKeyFailsQuietlyAndTheRestStillGo) {
  settings.WriteFloat("HLleft", 100);
  settings.WriteFloat("HLFT2", 50);
  int removed = 0;
  for (const char* key : {"HLleft", "HLtop", "HLwide", "HLFT2"}) removed += settings.Remove(key);
  EXPECT_EQ(removed, 2);
  EXPECT_EQ(sim.store.Size(), 0u);
  EXPECT_FALSE(RemoveSetting(sim.store, kAppName, kSectionName, std::string_view("Nope")));
}

TEST_F(SettingsTest, RemovingTheSectionTakesEveryKeyAndNothingElse) {
  settings.WriteInteger("Buzzer", 70);
  settings.WriteText("TrayFont", "Tahoma");
  WriteSetting(sim.store, kAppName, "Other", "Keep", "1");
  EXPECT_TRUE(RemoveSetting(sim.store, kAppName, kSectionName));
  EXPECT_FALSE(sim.store.HasSection(kAppName, kSectionName));
  EXPECT_EQ(sim.store.Value(kAppName, "Other", "Keep"), "1");
  EXPECT_FALSE(RemoveSetting(sim.store, kAppName, kSectionName));
}

TEST_F(SettingsTest, AStoredTextThatDoesNotConvertReadsAsTheDefault) {
  struct Case {
    const char* stored;
    std::int32_t integer;  // read as "Buzzer" (default 79)
  } cases[] = {{"70", 70},  {" 70 ", 70}, {"70.5", 70}, {"71.5", 72}, {"-5", -5},
               {"abc", 79}, {"", 79},     {"7O", 79},   {"70,5", 70}, {"1.2.3", 79}};
  for (const Case& c : cases) {
    settings.WriteText("Buzzer", c.stored);
    EXPECT_EQ(settings.Integer(keys::kAlarmThreshold), c.integer) << c.stored;
  }
  settings.WriteText("TrayBold", "maybe");
  EXPECT_TRUE(settings.Flag(keys::kTrayBold));
  settings.WriteText("TrayFcolr", "red");
  EXPECT_EQ(settings.Colour(keys::kTrayCpuColour), 255u);
}

TEST_F(SettingsTest, FlagsAcceptTrueFalseInAnyCaseOrANumber) {
  struct Case {
    const char* stored;
    bool expected;
  } cases[] = {{"True", true}, {"False", false}, {"true", true}, {"FALSE", false},
               {"0", false},   {"1", true},      {"-1", true},   {"2", true}};
  for (const Case& c : cases) {
    settings.WriteText("dbBold", c.stored);
    EXPECT_EQ(settings.Flag(keys::kDashboardBold), c.expected) << c.stored;
  }
}

TEST_F(SettingsTest, FloatsAreWrittenInTheLocaleFormAndSurviveALocaleChange) {
  settings.WriteFloat("DBLeft", 1234.5);
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "DBLeft"), "1234.5");
  sim.clock.SetLocale(sim::Locale::German());
  EXPECT_DOUBLE_EQ(settings.Float("DBLeft", 0), 1234.5);
  settings.WriteFloat("DBTop", 99.25);
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "DBTop"), "99,25");
  sim.clock.SetLocale(sim::Locale::EnglishUs());
  EXPECT_DOUBLE_EQ(settings.Float("DBTop", 0), 99.25);
  settings.WriteFloat("DBWidth", 1200);
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "DBWidth"), "1200");
}

TEST_F(SettingsTest, ColoursAndFlagsAreWrittenInTheirTextForms) {
  settings.WriteColour("TrayBcolr", 16777215);
  settings.WriteFlag("HiLoStrt", true);
  settings.WriteCheck("SndPC", true);
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "TrayBcolr"), "16777215");
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "HiLoStrt"), "True");
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "SndPC"), "1");
  // A system colour is stored as the negative number it is; the unsigned form
  // that other writers left reads back as the same colour.
  settings.WriteColour("DshColr3", 0x8000000F);
  EXPECT_EQ(sim.store.Value(kAppName, kSectionName, "DshColr3"), "-2147483633");
  EXPECT_EQ(settings.Colour("DshColr3", 0), 0x8000000Fu);
  settings.WriteText("DshColr4", "2147483663");
  EXPECT_EQ(settings.Colour("DshColr4", 0), 0x8000000Fu);
}

TEST_F(SettingsTest, AFailingStoreReadsAsDefaultsAndWritesDoNotStopTheProgram) {
  settings.WriteInteger("Buzzer", 60);
  sim.store.FailReads("The system cannot find the file specified.");
  EXPECT_EQ(settings.Integer(keys::kAlarmThreshold), 79);
  sim.store.FailWrites("Access is denied.");
  settings.WriteInteger("Buzzer", 61);  // swallowed
  sim.store.FailReads("");
  EXPECT_EQ(settings.Integer(keys::kAlarmThreshold), 60);
}

TEST(KeyIndex, NamesAreUniqueAndIndexedNamesHaveNoSeparator) {
  std::set<std::string> names;
  for (const KeyDef& k : AllKeys()) EXPECT_TRUE(names.insert(std::string(k.name)).second) << k.name;
  for (const IndexedKeyDef* family : AllIndexedKeys())
    for (int i : family->indices)
      EXPECT_TRUE(names.insert(family->Name(i)).second) << family->Name(i);
  EXPECT_EQ(DashboardFrameLeftKeys().Name(3), "DBLF3");
  EXPECT_EQ(HighLowLabelColourKeys().Name(49), "HLcolor49");
  EXPECT_TRUE(names.count("dPlate14") && names.count("hlPlate43") && !names.count("hlPlate41"));
  EXPECT_EQ(names.size(), AllKeys().size() + 9 + 9 + 9 + 18 + 5 + 5 + 5 + 5 + 50 + 5);
  EXPECT_EQ(MainWindowKeys().front().name, "Paper");
  EXPECT_EQ(MainWindowKeys().size(), 25u);
}

}  // namespace
}  // namespace kelvane
