#include "app/high_low_feature.h"

#include "app/main_window.h"
#include "app/picker_windows.h"
#include "appearance/placement.h"
#include "base/keys.h"
#include "base/settings.h"

namespace kelvane {

HighLowFeature::HighLowFeature(platform::Platform& platform, MainWindow& main,
                               PickerWindows& pickers)
    : p_(platform), main_(main), pickers_(pickers) {}

HighLowFeature::~HighLowFeature() = default;

void HighLowFeature::Wire() {
  main_.OnCommand(MainCommand::kShowHighLow, [this] { ShowCommand(); });
  main_.OnCommand(MainCommand::kCentreHighLow, [this] { CentreCommand(); });
  main_.OnCommand(MainCommand::kResetHighLowLayout, [this] { ResetLayoutCommand(); });
  main_.OnShowAtStart(MainCommand::kShowHighLow, [this] {
    if (highlow::HighLowDashboard* window = Loaded()) window->Show();
  });
  // The shut-down yields before it closes the window: no hide tick may move it
  // meanwhile.
  main_.OnClosing([this] {
    if (Visible()) Dashboard()->StopAutoHideTimers();
  });
  PollCycle& poll = main_.Poll();
  poll.Register(TickStage::kReset, [this] {
    // The reset makes the window (hidden) when it is not there yet.
    const form::Lifetime program = main_.Window().Life();
    if (highlow::HighLowDashboard* window = Loaded())
      window->SetStartedText(main_.State().started_text);
    if (!program.Exists() || !main_.Running()) return;
    if (Dashboard()) Dashboard()->SetElapsedText("00:00:00");
  });
  poll.Register(TickStage::kFreshness, [this] {
    if (Dashboard()) Dashboard()->ShowStale(main_.State().stale);
  });
  poll.Register(TickStage::kElapsed, [this] {
    if (Visible())
      Dashboard()->SetElapsedText(ElapsedText(main_.State().start_time, p_.clock.Now()));
  });
  poll.Register(TickStage::kShow, [this] {
    if (Visible()) Dashboard()->ShowValues(main_.State().statistics);
  });
}

highlow::HighLowDashboard* HighLowFeature::Loaded() {
  if (!Dashboard()) {
    highlow::HighLowHost& host = *this;
    window_
        .Hold(std::make_unique<highlow::HighLowDashboard>(
            p_, host, pickers_.EditorFor(appearance::EditTarget::kHighLow)))
        .Load();
  }
  // The load yields: a shut-down in it releases the window again.
  return Dashboard();
}

void HighLowFeature::RenamePlate(int label, const std::string& text) {
  if (highlow::HighLowDashboard* window = Loaded()) window->RenamePlate(label, text);
}

void HighLowFeature::ShowCommand() {
  form::MenuItem& show = main_.Menu(MainCommand::kShowHighLow);
  show.SetChecked(!show.Checked());
  if (!show.Checked()) {
    Release();
    return;
  }
  if (main_.State().sample_count == -1) main_.State().sample_count = 0;
  if (highlow::HighLowDashboard* window = Loaded()) window->Show();
}

void HighLowFeature::CentreCommand() {
  if (highlow::HighLowDashboard* window = Loaded()) window->Show();
  if (!Dashboard()) return;
  Dashboard()->AutoHideOff();
  appearance::CentreOnWorkArea(Dashboard()->Window(), p_.desktop);
}

void HighLowFeature::ResetLayoutCommand() {
  Release();
  p_.loop.YieldToMessages();
  if (!main_.Running()) return;
  Settings& store = main_.Store();
  for (const KeyDef* key :
       {&keys::kHighLowLeft, &keys::kHighLowTop, &keys::kHighLowWidth, &keys::kHighLowHeight})
    store.Remove(key->name);
  for (int k = 0; k < highlow::kColumnCount; ++k) {
    store.Remove(HighLowFrameLeftKeys().Name(k));
    store.Remove(HighLowFrameTopKeys().Name(k));
  }
  main_.Menu(MainCommand::kShowHighLow).SetChecked(true);
  CentreCommand();
}

// --- what the High/Low/Avg dashboard asks ----------------------------------------------

std::string HighLowFeature::AppFolder() {
  return main_.AppFolder();
}
double HighLowFeature::SampleCount() {
  return main_.State().sample_count;
}
void HighLowFeature::RequestStatisticsReset() {
  main_.State().sample_count = 0;
}
std::string HighLowFeature::StartedText() {
  return main_.State().started_text;
}
void HighLowFeature::HighLowClosed() {
  main_.Menu(MainCommand::kShowHighLow).SetChecked(false);
}

}  // namespace kelvane
