// The alarm and overheat behaviour of the running program: sounds in turn,
// the alarm window, the user's program, the shutdown and its test question.
#include <gtest/gtest.h>

#include "alarms/temperature_check.h"
#include "program_fixture.h"

namespace kelvane {
namespace {

using testing::ProgramFixture;
using enum MainControl;
namespace mb = platform::mb;

class AlarmsTest : public ::testing::Test, public ProgramFixture {
 protected:
  // In the tray, with the default thresholds 79 and 89.
  void StartInTray() {
    Store("Buzzer", "79");
    Start();
    ASSERT_EQ(Main().Window().WindowState(), form::WindowState::kMinimised);
  }
  int AlarmWindowsLoaded() const {
    int n = 0;
    for (const form::Window* w : sim.forms.LoadedWindows()) n += w->Name() == "AlarmWindow";
    return n;
  }
};

TEST_F(AlarmsTest, SoundsTakeTurnsAboveTheThresholdAndNeverAtIt) {
  Store("SndCard", "1");
  Store("SndPC", "1");
  StartInTray();
  monitor.SetCpu("79.0");  // equal to the threshold: silence
  RunToFirstCheck();
  sim.Advance(3);
  EXPECT_TRUE(sim.sound.Events().empty());

  monitor.SetCpu("80.0");
  sim.Advance(1);  // the first alarm tick chirps
  ASSERT_FALSE(sim.sound.Events().empty());
  EXPECT_EQ(sim.sound.Events().front().what, "beep 3000 5");
  EXPECT_EQ(Count("play"), 0);
  // A chirp rises in 100 Hz steps and lasts about 0.09 s.
  const int tones = Count("beep");
  EXPECT_GE(tones, 17);
  EXPECT_LE(tones, 20);
  EXPECT_EQ(sim.sound.Events().back().what, "beep " + std::to_string(3000 + 100 * (tones - 1)) + " 5");

  sim.Advance(1);  // the next plays the wave at 650 x 41, then restores both volumes
  ASSERT_EQ(Count("play"), 1);
  const auto& play = sim.sound.Events().back();
  EXPECT_EQ(play.what, "play " + AppFile("Alarm\\alarm.wav"));
  EXPECT_EQ(play.volumes.at(4), 650u * 41u);
  EXPECT_EQ(play.volumes.at(0x1008), 650u * 41u);
  EXPECT_EQ(sim.sound.LineValue(4), 30000u);
  EXPECT_EQ(sim.sound.LineValue(0x1008), 20000u);
  sim.Advance(1);
  EXPECT_EQ(Count("beep"), 2 * tones);
}

TEST_F(AlarmsTest, WithOneSoundTickedTheAlarmSoundsEverySecondTick) {
  Store("SndCard", "1");
  StartInTray();
  monitor.SetCpu("85.0");
  RunToFirstCheck();  // the chirp's turn: its box is clear
  EXPECT_EQ(Count("play"), 0);
  sim.Advance(1);
  EXPECT_EQ(Count("play"), 1);
  sim.Advance(2);
  EXPECT_EQ(Count("play"), 2);
  EXPECT_EQ(Count("beep"), 0);
}

TEST_F(AlarmsTest, TheLoudestSliderPositionIsClampedToTheMixersRange) {
  Store("Volume", "1600");  // beyond the slider: it holds 1599
  Start();
  form::ScrollBar& slider = Main().Get<form::ScrollBar>(kAlarmVolume);
  EXPECT_EQ(slider.Value(), 1599);
  // "Test Volume" (its tooltip; the label beside it says "Test", the button
  // shows a play mark) ticks the sound card box and plays at once.
  EXPECT_EQ(Main().Get<form::Button>(kTestVolume).Tooltip(), "Test Volume");
  ASSERT_EQ(Box(kAlarmToSoundCard).Value(), 0);
  Main().Window().UserClickButton(Main().Get<form::Button>(kTestVolume));
  EXPECT_EQ(Box(kAlarmToSoundCard).Value(), 1);
  ASSERT_EQ(Count("play"), 1);
  EXPECT_EQ(sim.sound.Events().back().volumes.at(4), 65535u);  // 1599 x 41 = 65559, clamped
  Main().Exit();
  EXPECT_EQ(Stored("Volume"), "1599");
  EXPECT_EQ(Stored("SndCard"), "1");
}

TEST_F(AlarmsTest, AWaveAskedForWhileOnePlaysIsNotPlayedTwice) {
  Start();
  form::Button& test = Main().Get<form::Button>(kTestVolume);
  int nested = 0;
  sim.sound.DuringPlayback([&] {
    if (nested++ == 0) Main().Window().UserClickButton(test);
  });
  Main().Window().UserClickButton(test);
  EXPECT_EQ(Count("play"), 1);
  EXPECT_EQ(sim.sound.LineValue(4), 30000u);
}

TEST_F(AlarmsTest, WithoutAMixerTheSoundCardIsNotOfferedAndTheAlarmStillChirps) {
  sim::SimPlatform& s = sim;
  s.sound = sim::SimSound(&s.clock);  // a machine without a sound card
  Store("SndCard", "1");
  Store("SndPC", "1");
  Store("MsgAlarm", "1");
  StartInTray();
  EXPECT_EQ(Box(kAlarmToSoundCard).Value(), 0);
  EXPECT_FALSE(Box(kAlarmToSoundCard).Enabled());
  EXPECT_FALSE(Main().Get<form::Button>(kTestVolume).Enabled());
  EXPECT_FALSE(Main().Get<form::ScrollBar>(kAlarmVolume).Visible());
  monitor.SetCpu("85.0");
  RunToFirstCheck();
  sim.Advance(1);
  EXPECT_GT(Count("beep"), 0);
  EXPECT_EQ(Count("play"), 0);
  EXPECT_TRUE(app->AlarmWindow()->IsOpen());
}

TEST_F(AlarmsTest, AVolumeControlTheMixerLacksIsNeverWritten) {
  sim.sound = sim::SimSound(&sim.clock);
  sim.sound.AddMixerLine(4, 0, 65535, 30000);  // the speakers only, no wave-out line
  Start();
  Main().Window().UserClickButton(Main().Get<form::Button>(kTestVolume));
  ASSERT_EQ(Count("play"), 1);
  EXPECT_EQ(sim.sound.Events().back().volumes.at(4), 650u * 41u);
  // The speakers' control has the identifier 0, the one a control that was not
  // found carries too: it is read once, raised once and restored once.
  ASSERT_EQ(sim.sound.ControlIdOf(4), 0u);
  EXPECT_EQ(sim.sound.MixerReads(), std::vector<std::uint32_t>{0u});
  const auto& writes = sim.sound.MixerWrites();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].control_id, 0u);
  EXPECT_EQ(writes[0].value, 650u * 41u);
  EXPECT_EQ(writes[1].control_id, 0u);
  EXPECT_EQ(writes[1].value, 30000u);
  EXPECT_EQ(sim.sound.LineValue(4), 30000u);
}

// A volume that cannot be read could not be put back: it is left as it is,
// never "restored" to nothing, which would mute the user's speakers.
TEST_F(AlarmsTest, AVolumeThatCannotBeReadIsNeitherRaisedNorRestored) {
  sim.sound.FailReads(4);
  Start();
  Main().Window().UserClickButton(Main().Get<form::Button>(kTestVolume));
  ASSERT_EQ(Count("play"), 1);
  EXPECT_EQ(sim.sound.Events().back().volumes.at(4), 30000u);
  EXPECT_EQ(sim.sound.Events().back().volumes.at(0x1008), 650u * 41u);
  EXPECT_EQ(sim.sound.LineValue(4), 30000u);
  EXPECT_EQ(sim.sound.LineValue(0x1008), 20000u);
  for (const auto& write : sim.sound.MixerWrites())
    EXPECT_NE(write.control_id, sim.sound.ControlIdOf(4));
}

TEST_F(AlarmsTest, TheChirpIsSilentWhilePollingIsStopped) {
  Store("SndPC", "1");
  Start();
  sim.Advance(3);
  Main().Poll().StopPolling();
  app->Sounds()->ChirpSpeaker();
  EXPECT_EQ(Count("beep"), 0);
  // Ticking the speaker box tests it once polling has counted a few ticks.
  Main().Poll().StartPolling();
  Box(kAlarmToSpeaker).SetValue(0);
  Box(kAlarmToSpeaker).SetValue(1);
  EXPECT_GT(Count("beep"), 0);
}

TEST_F(AlarmsTest, InTheTrayTheAlarmWindowOpensOnceAndDisableAlarmEndsIt) {
  Store("MsgAlarm", "1");
  StartInTray();
  monitor.SetCpu("83.0");
  RunToFirstCheck();
  alarms::AlarmWindow& alarm = *app->AlarmWindow();
  ASSERT_TRUE(alarm.IsOpen());
  EXPECT_EQ(alarm.Window().Caption(), "Kelvane - CPU Temp Alarm Message");
  EXPECT_EQ(alarm.TemperatureText(), "CPU Temp: 83\xC2\xB0" "C");
  EXPECT_TRUE(alarm.Window().Topmost());
  EXPECT_EQ(AlarmWindowsLoaded(), 1);
  // Its own timer follows the temperature; later hot ticks open no second window.
  monitor.SetCpu("86.0");
  sim.Advance(2);
  EXPECT_EQ(alarm.TemperatureText(), "CPU Temp: 86\xC2\xB0" "C");
  EXPECT_EQ(AlarmWindowsLoaded(), 1);

  alarm.Window().UserClickButton(alarm.Window().Get<form::Button>("DisableAlarm"));
  EXPECT_FALSE(alarm.IsOpen());
  EXPECT_EQ(Box(kAlarmMessage).Value(), 0);
  sim.Advance(3);
  EXPECT_FALSE(alarm.IsOpen());
  EXPECT_EQ(alarm.Window().Timer("Refresh").Interval(), 0);
}

TEST_F(AlarmsTest, WithTheSettingsWindowOpenNoAlarmWindowOpensAndNoProgramStarts) {
  Store("MsgAlarm", "1");
  Store("LnchIt", "1");
  Store("LnchExe", "C:\\cool.bat");
  Start();  // a first run: the settings window is open
  monitor.SetCpu("95.0");
  RunToFirstCheck();
  sim.Advance(2);
  EXPECT_FALSE(app->AlarmWindow()->IsOpen());
  for (const auto& r : sim.shell.Requests()) EXPECT_NE(r.file, "C:\\cool.bat");
}

TEST_F(AlarmsTest, TheArmedProgramStartsOnceOnTheFirstHotCheck) {
  Store("LnchIt", "1");
  Store("LnchExe", "C:\\cool.bat");
  StartInTray();
  monitor.SetCpu("95.0");
  RunToFirstCheck();
  sim.Advance(3);
  int starts = 0;
  for (const auto& r : sim.shell.Requests()) {
    if (r.file != "C:\\cool.bat") continue;
    ++starts;
    EXPECT_EQ(r.verb, "");
    EXPECT_EQ(r.show_command, platform::sw::kShowNormal);
  }
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(Box(kLaunchOnOverheat).Value(), 0);
}

class ShutdownTest : public AlarmsTest {
 protected:
  void StartArmed() {
    Store("Smoke", "1");
    Store("Log", "1");
    Store("LogWrite", "1");
    StartInTray();
    sim.Advance(2);  // the first log entry
  }
};

TEST_F(ShutdownTest, FiveHotChecksInARowShutDownAfterALastLogEntry) {
  StartArmed();
  monitor.SetCpu("95.0");
  sim.Advance(4);
  monitor.SetCpu("85.0");  // a cool check starts the count again
  sim.Advance(1);
  monitor.SetCpu("95.0");
  sim.Advance(4);
  EXPECT_TRUE(sim.power.Requests().empty());
  sim.Advance(1);
  // Reboot + force + power-off: the request that kills unsaved work is made once.
  ASSERT_EQ(sim.power.Requests(), std::vector<std::uint32_t>{14u});
  EXPECT_TRUE(sim.power.PrivilegeEnabled());
  EXPECT_EQ(Stored("Smoke"), "0");
  EXPECT_EQ(Stored("ShutDown"), "90");
  EXPECT_EQ(Stored("LogWrite"), "0");
  EXPECT_FALSE(Main().Poll().Polling());
  EXPECT_FALSE(Main().Poll().LogTimerRunning());
  // The entry is appended after the one the overwrite box left.
  const std::string log = *FileText("Logs\\log.txt");
  const std::size_t last = log.find("*** PC ShutDown Initiated ***\r\n");
  ASSERT_NE(last, std::string::npos);
  EXPECT_GT(last, 0u);
  EXPECT_NE(log.find("CPU Temp.... 95\r\n", last), std::string::npos);
}

TEST_F(ShutdownTest, OnWindows9xTheRequestIsAShutdownWithoutThePrivilege) {
  sim.power.SetVersion(0xC0000A04);
  StartArmed();
  monitor.SetCpu("95.0");
  sim.Advance(5);
  EXPECT_EQ(sim.power.Requests(), std::vector<std::uint32_t>{5u});  // shutdown + force
  EXPECT_FALSE(sim.power.PrivilegeEnabled());
}

// The shutdown's guards, each able to power the machine off unasked.
TEST_F(ShutdownTest, TheShutdownLimitIsStrictAndNeedsFiveHotChecksInARow) {
  StartArmed();  // the default limit, 89
  monitor.SetCpu("89.0");
  sim.Advance(8);
  EXPECT_EQ(app->TemperatureCheck()->ShutdownCount(), 0);
  monitor.SetCpu("90.0");
  sim.Advance(4);
  EXPECT_TRUE(sim.power.Requests().empty());
  sim.Advance(1);
  EXPECT_EQ(sim.power.Requests(), std::vector<std::uint32_t>{14u});
}

TEST(ShutdownGuards, UntickedTheShutdownBoxAsksCountsLogsAndRewritesNothing) {
  for (const bool in_tray : {false, true}) {
    SCOPED_TRACE(in_tray ? "in the tray" : "with the settings window open");
    ProgramFixture run;
    run.Store("Smoke", "0");
    run.Store("Log", "1");
    run.Store("LogWrite", "0");
    if (in_tray) run.Store("Buzzer", "79");  // a later run starts in the tray
    run.Start();
    ASSERT_EQ(run.Main().Window().WindowState(),
              in_tray ? form::WindowState::kMinimised : form::WindowState::kNormal);
    run.monitor.SetCpu("95.0");
    run.sim.Advance(10);
    EXPECT_TRUE(run.sim.loop.MessageBoxes().empty());
    EXPECT_EQ(run.app->TemperatureCheck()->ShutdownCount(), 0);
    EXPECT_TRUE(run.sim.power.Requests().empty());
    EXPECT_EQ(run.FileText("Logs\\log.txt").value_or("").find("ShutDown"), std::string::npos);
    EXPECT_EQ(run.List(kShutdownThreshold).Text(), "89");
    EXPECT_TRUE(run.Main().Poll().Polling());
    run.Main().Exit();
    EXPECT_EQ(run.Stored("ShutDown"), "89");
  }
}

TEST_F(AlarmsTest, TheUsersProgramStartsOnlyAboveTheShutdownLimitAndNeverFromAnEmptyPath) {
  for (const char* path : {"C:\\cool.bat", ""}) {
    SCOPED_TRACE(std::string("path \"") + path + "\"");
    ProgramFixture run;
    run.Store("Buzzer", "79");
    run.Store("LnchIt", "1");
    run.Store("LnchExe", path);
    run.Start();
    const std::size_t requests = run.sim.shell.Requests().size();
    run.monitor.SetCpu("89.0");  // over the alarm limit, at the shutdown limit
    run.sim.Advance(6);
    EXPECT_EQ(run.sim.shell.Requests().size(), requests);
    run.monitor.SetCpu("95.0");
    run.sim.Advance(3);
    EXPECT_EQ(run.sim.shell.Requests().size(), requests + (*path ? 1 : 0));
    EXPECT_EQ(run.Box(kLaunchOnOverheat).Value(), *path ? 0 : 1);
  }
}

TEST_F(AlarmsTest, TheAlarmWindowNeedsTheMessageBoxTickedAndATemperatureAboveTheLimit) {
  struct Case {
    const char* message_box;
    const char* cpu;
    bool opens;
  } cases[] = {{"1", "79.0", false}, {"0", "95.0", false}, {"1", "80.0", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("box ") + c.message_box + ", CPU " + c.cpu);
    ProgramFixture run;
    run.Store("Buzzer", "79");
    run.Store("MsgAlarm", c.message_box);
    run.Start();
    run.monitor.SetCpu(c.cpu);
    run.sim.Advance(5);
    EXPECT_EQ(run.app->AlarmWindow()->IsOpen(), c.opens);
  }
}

TEST_F(ShutdownTest, WithTheSettingsWindowOpenTheUserIsAskedAndNoRaisesTheThreshold) {
  Store("Smoke", "1");
  Start();  // first run: the settings window is open
  monitor.SetCpu("95.0");
  sim.loop.QueueAnswer(mb::kIdNo);
  RunToFirstCheck();
  ASSERT_EQ(sim.loop.MessageBoxes().size(), 1u);
  const auto& box = sim.loop.MessageBoxes()[0];
  EXPECT_EQ(box.text,
            "The CPU temp is currently greater then the selected setting!\r\n"
            "Do you want to test the PC shutdown feature now?");
  EXPECT_EQ(box.title, "Kelvane");
  EXPECT_EQ(box.style, 69908u);
  EXPECT_EQ(List(kShutdownThreshold).Text(), "90");
  EXPECT_EQ(Main().Get<form::Label>(kShutdownHint).Caption(),
            "Shut down Windows if CPU temp is greater then 90\xC2\xB0" "C");
  EXPECT_TRUE(Main().Poll().Polling());
  EXPECT_EQ(Box(kShutdownOnOverheat).Value(), 1);
  EXPECT_EQ(Stored("ShutDown"), std::nullopt);  // not saved here
  // Still hotter than 90: asked again on the next tick; Yes shuts down at once.
  sim.loop.QueueAnswer(mb::kIdYes);
  sim.Advance(1);
  EXPECT_EQ(sim.loop.MessageBoxes().size(), 2u);
  EXPECT_EQ(sim.power.Requests().size(), 1u);
  EXPECT_FALSE(Main().Poll().Polling());
}

// Each No is the user's answer: the count of hot checks never overrules it.
TEST_F(ShutdownTest, WithTheSettingsWindowOpenNoIsNeverOverruledByTheHotCheckCount) {
  Store("Smoke", "1");
  Start();
  monitor.SetCpu("95.0");  // above the limit the first No raises it to
  for (int i = 0; i < 8; ++i) sim.loop.QueueAnswer(mb::kIdNo);
  RunToFirstCheck();
  sim.Advance(6);
  EXPECT_EQ(sim.loop.MessageBoxes().size(), 7u);
  EXPECT_TRUE(sim.power.Requests().empty());
  EXPECT_EQ(app->TemperatureCheck()->ShutdownCount(), 0);
  EXPECT_TRUE(Main().Poll().Polling());
}

TEST_F(ShutdownTest, ShutdownSwitchedOffMeanwhileResumesPollingInstead) {
  Store("Smoke", "1");
  Store("LogHTML", "1");  // the shutdown's log entry yields after reading the template
  Start();
  monitor.SetCpu("95.0");
  sim.loop.QueueAnswer(mb::kIdYes);
  // The user clears the box while the shutdown writes its log entry.
  sim.loop.OnYield([&](int) {
    if (!sim.loop.MessageBoxes().empty()) Box(kShutdownOnOverheat).SetValue(0);
  });
  RunToFirstCheck();
  ASSERT_EQ(sim.loop.MessageBoxes().size(), 1u);
  EXPECT_TRUE(sim.power.Requests().empty());
  EXPECT_TRUE(Main().Poll().Polling());
  EXPECT_EQ(Stored("ShutDown"), "90");
  EXPECT_EQ(Stored("Smoke"), "1");  // as it was: the next run is still armed
}

// The question stops polling while it is open; nothing but a Yes powers the
// machine off: a box that could not be shown answers 0.
TEST(ShutdownQuestion, OnlyYesPowersOffAndPollingWaitsWhileItIsOpen) {
  const std::pair<int, const char*> answers[] = {
      {0, "the box failed"}, {mb::kIdOk, "OK"}, {2, "Cancel"},     {3, "Abort"},
      {4, "Retry"},          {5, "Ignore"},     {mb::kIdNo, "No"}, {mb::kIdYes, "Yes"},
  };
  for (const auto& [answer, name] : answers) {
    SCOPED_TRACE(name);
    ProgramFixture run;
    run.Store("Smoke", "1");
    run.Start();  // a first run: the settings window is open
    run.monitor.SetCpu("95.0");
    bool asked = false;
    run.sim.loop.QueueAnswer(answer, [&] {
      asked = true;
      EXPECT_TRUE(run.Main().Poll().PollingStopped());
      EXPECT_FALSE(run.Main().Poll().Polling());
    });
    run.RunToFirstCheck();
    ASSERT_TRUE(asked);
    const bool yes = answer == mb::kIdYes;
    EXPECT_EQ(run.sim.power.Requests().size(), yes ? 1u : 0u);
    EXPECT_EQ(run.Main().Poll().Polling(), !yes);
  }
}

// Cleared while the question is open or while the shutdown writes its last
// entry, the shutdown resumes polling; ticked again in the same heat it
// needs the user's Yes or a new run of five hot checks, never the count that
// brought the first attempt.
TEST_F(ShutdownTest, ClearedMeanwhileAndTickedAgainInTheSameHeatItDoesNotPowerOffAtOnce) {
  {
    SCOPED_TRACE("with the settings window open");
    ProgramFixture run;
    run.Store("Smoke", "1");
    run.Start();
    run.monitor.SetCpu("95.0");
    run.sim.loop.QueueAnswer(mb::kIdYes, [&] { run.Box(kShutdownOnOverheat).SetValue(0); });
    run.RunToFirstCheck();
    ASSERT_EQ(run.sim.loop.MessageBoxes().size(), 1u);
    EXPECT_TRUE(run.sim.power.Requests().empty());
    EXPECT_TRUE(run.Main().Poll().Polling());
    run.Box(kShutdownOnOverheat).SetValue(1);
    run.sim.loop.QueueAnswer(mb::kIdNo);
    run.sim.Advance(1);
    EXPECT_EQ(run.sim.loop.MessageBoxes().size(), 2u);
    EXPECT_TRUE(run.sim.power.Requests().empty());
  }
  SCOPED_TRACE("in the tray");
  Store("LogHTML", "1");
  StartArmed();
  sim.loop.OnYield([&](int) {
    if (app->TemperatureCheck()->ShutdownCount() == 5) Box(kShutdownOnOverheat).SetValue(0);
  });
  monitor.SetCpu("95.0");
  sim.Advance(5);
  ASSERT_EQ(app->TemperatureCheck()->ShutdownCount(), 5);
  EXPECT_TRUE(sim.power.Requests().empty());
  EXPECT_TRUE(Main().Poll().Polling());
  sim.loop.OnYield({});
  Box(kShutdownOnOverheat).SetValue(1);
  sim.Advance(3);
  EXPECT_EQ(app->TemperatureCheck()->ShutdownCount(), 8);
  EXPECT_TRUE(sim.power.Requests().empty());
  // A new heat counts from the start.
  monitor.SetCpu("85.0");
  sim.Advance(1);
  monitor.SetCpu("95.0");
  sim.Advance(4);
  EXPECT_TRUE(sim.power.Requests().empty());
  sim.Advance(1);
  EXPECT_EQ(sim.power.Requests().size(), 1u);
}

TEST_F(AlarmsTest, StoredThresholdsShowAsStoredAndCountByTheirLeadingNumber) {
  Store("Buzzer", "70.5");
  Store("ShutDown", "75\xC2\xB0");
  Store("SndCard", "1");
  Start();
  EXPECT_EQ(List(kAlarmThreshold).Text(), "70.5");
  EXPECT_EQ(List(kShutdownThreshold).Text(), "75\xC2\xB0");
  EXPECT_DOUBLE_EQ(Main().CurrentOptions().AlarmThreshold(), 70.5);
  Main().Exit();
  EXPECT_EQ(Stored("Buzzer"), "70.5");
  EXPECT_EQ(Stored("ShutDown"), "75\xC2\xB0");

  // Texts that are no plain number never crash a check: no number is 0, an
  // overflowing one never alarms.
  const std::pair<const char*, bool> cases[] = {
      {"1E999", false}, {"-0", true}, {"  45,5", true}, {"", true}, {"abc", true}, {"70.5", true}};
  for (const auto& [text, alarms] : cases) {
    ProgramFixture run;
    run.Store("Buzzer", text);
    run.Store("SndCard", "1");
    run.Start();
    run.monitor.SetCpu("71.0");
    run.sim.Advance(4);  // the second alarm tick plays the wave
    EXPECT_EQ(run.Count("play") == 1, alarms) << "threshold \"" << text << "\"";
  }
}

// The hint beside the shutdown box names the limit the shutdown really uses,
// from the first moment the window shows, whatever set the list.
TEST_F(AlarmsTest, TheShutdownHintFollowsTheListFromTheStart) {
  Start();  // a first run: the settings window is open, nothing has the focus yet
  form::Label& hint = Main().Get<form::Label>(kShutdownHint);
  EXPECT_EQ(hint.Caption(),
            "Shut down Windows if CPU temp is greater then 89\xC2\xB0"
            "C");
  List(kShutdownThreshold).SetText("75");
  EXPECT_EQ(hint.Caption(),
            "Shut down Windows if CPU temp is greater then 75\xC2\xB0"
            "C");
}

TEST_F(AlarmsTest, TheListsCannotBeTypedIntoAndSendTheFocusOn) {
  Start();
  form::Window& w = Main().Window();
  form::ListBox& alarm = List(kAlarmThreshold);
  sim.forms.Type(w, alarm, "5");
  EXPECT_EQ(alarm.Text(), "79");
  EXPECT_EQ(w.Focused(), &Main().Get(kLaunchProgram));
  sim.forms.Focus(w, alarm);
  EXPECT_EQ(sim.forms.Key(w, form::KeyKind::kDown, 0x28 /* down arrow */), 0);
  EXPECT_EQ(alarm.Text(), "79");
  // The icon mode list passes its key on, but to the launch box.
  form::ListBox& mode = List(kTrayIconMode);
  sim.forms.Focus(w, mode);
  EXPECT_EQ(sim.forms.Key(w, form::KeyKind::kDown, 0x28), 0x28);
  EXPECT_EQ(mode.Text(), "CPU & MB");
  EXPECT_EQ(w.Focused(), &Main().Get(kLaunchProgram));
  // A choice with the mouse goes through, and the hint follows it.
  sim.forms.PickListItem(w, List(kShutdownThreshold), "70");
  EXPECT_EQ(Main().Get<form::Label>(kShutdownHint).Caption(),
            "Shut down Windows if CPU temp is greater then 70\xC2\xB0" "C");
}

}  // namespace
}  // namespace kelvane
