#include "history/history_feature.h"

#include <array>
#include <sstream>

#include "base/keys.h"
#include "base/numbers.h"
#include "base/text.h"
#include "platform/calendar.h"

namespace kelvane::history {

std::string PowerOffLine(const std::string& time, int cpu_temp, double limit) {
  const std::string degrees = std::string(kDegree) + "C";
  return "Kelvane shut this computer down at " + time + ": CPU " + std::to_string(cpu_temp) +
         degrees + ", above the " + FloatText(static_cast<float>(limit), ".") + degrees +
         " limit for five checks.";
}

HistoryFeature::HistoryFeature(ProgramContext& program) : program_(program) {
  // Before the first tick: the start-up loads the settings window's controls
  // before polling begins.
  program.OnControlsLoaded([this] { Load(); });
  program.OnTick(TickStage::kTray, [this] { tick_taken_ = false; });
  program.OnTick(TickStage::kElapsed, [this] { AddTick(); });
  program.AddMenuCommand("mnuHistory", "Show History", [this] { ShowWindow(); });
  program.AddStartStep(start_rank::kLater, [this] { ShowLastPowerOff(); });
  program.AddCloser(close_rank::kLater, [this] {
    if (window_) window_->Close();
    Save();
  });
  program.BeforePowerOff([this](const OverheatPowerOff& why) { NotePowerOff(why); });
}

void HistoryFeature::Load() {
  if (file_) return;
  platform::Platform& p = program_.Platform();
  file_ = std::make_unique<HistoryFile>(p.files, program_.AppFolder() + kHistoryFile);
  file_->Load(history_);
  last_save_ = p.clock.MonotonicSeconds();
}

void HistoryFeature::AddTick() {
  platform::Platform& p = program_.Platform();
  const ProbeState& state = program_.State();
  history_.Add({p.clock.Now(), p.clock.UtcOffsetMinutes(), ValuesOf(state.reading), state.stale});
  tick_taken_ = true;
  if (window_ && window_->IsOpen()) window_->Refresh();
  const double now = p.clock.MonotonicSeconds();
  if (!last_save_ || now - *last_save_ >= kSaveSeconds) Save();
}

void HistoryFeature::Save() {
  if (!file_) return;
  platform::Platform& p = program_.Platform();
  last_save_ = p.clock.MonotonicSeconds();
  p.files.CreateFolder(program_.AppFolder() + "Logs");
  file_->Save(history_);
}

void HistoryFeature::NotePowerOff(const OverheatPowerOff& why) {
  // The checks run before the tick is counted: the reading that powers the
  // machine off is the history's last.
  if (!tick_taken_) AddTick();
  Save();
  // The user who answered the question knows why the machine went off.
  if (!why.after_hot_checks) return;
  platform::Platform& p = program_.Platform();
  const platform::DateTime now = p.clock.Now();
  const std::int64_t at = InstantOf(now, p.clock.UtcOffsetMinutes());
  std::ostringstream note;
  note << at << ' ' << platform::ToSerialSeconds(now) << ' ' << why.cpu_temp << ' ' << why.limit;
  program_.Store().WriteText(kPoweredOff.name, note.str());
}

void HistoryFeature::ShowLastPowerOff() {
  Settings& store = program_.Store();
  const std::string note = store.Text(kPoweredOff.name, "");
  if (note.empty()) return;
  // Shown once, whatever follows.
  store.Remove(kPoweredOff.name);
  std::istringstream in(note);
  std::int64_t at = 0, local = 0;
  int cpu = 0;
  double limit = 0;
  if (!(in >> at >> local >> cpu >> limit) || at < 0 || at > kLastInstant) return;
  const std::string time = program_.Platform().clock.TimeText(platform::FromSerialSeconds(local));
  MakeWindow().ShowPowerOff(at, PowerOffLine(time, cpu, limit));
}

void HistoryFeature::ShowWindow() {
  if (!program_.Running()) return;
  MakeWindow().Show();
}

HistoryWindow& HistoryFeature::MakeWindow() {
  if (window_) return *window_;
  ProgramContext& program = program_;
  HistorySource source{history_,
                       [&program] {
                         const TemperatureLimits limits = program.Limits();
                         return Limits{limits.alarm, limits.shutdown};
                       },
                       [&program] {
                         // The digital dashboard's reading labels, 1 to 9, in the meters' order.
                         std::array<std::optional<form::Colour>, kMeterCount> colours;
                         Settings& store = program.Store();
                         for (int i = 0; i < kMeterCount; ++i) {
                           const std::string key = DashboardLabelColourKeys().Name(i + 1);
                           if (!store.Text(key, "").empty())
                             colours[static_cast<std::size_t>(i)] = store.Colour(key, 0);
                         }
                         return colours;
                       }};
  window_ =
      std::make_unique<HistoryWindow>(program_.Platform(), program_.Store(), std::move(source));
  return *window_;
}

}  // namespace kelvane::history
