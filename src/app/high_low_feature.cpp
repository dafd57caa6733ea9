#include "app/high_low_feature.h"

#include "app/app_context.h"
#include "app/picker_windows.h"
#include "appearance/placement.h"
#include "base/keys.h"
#include "base/settings.h"

namespace kelvane {

HighLowFeature::HighLowFeature(AppContext& program, PickerWindows& pickers)
    : p_(program.Platform()),
      program_(program),
      pickers_(pickers),
      slot_(program,
            {MainCommand::kShowHighLow, &Options::high_low_at_start, start_rank::kHighLow,
             close_rank::kHighLow},
            [this] {
              highlow::HighLowHost& host = *this;
              return std::make_unique<highlow::HighLowDashboard>(
                  p_, host, pickers_.EditorFor(appearance::EditTarget::kHighLow));
            }) {}

HighLowFeature::~HighLowFeature() = default;

void HighLowFeature::Wire() {
  program_.OnCommand(MainCommand::kShowHighLow, [this] { ShowCommand(); });
  program_.OnCommand(MainCommand::kCentreHighLow, [this] { CentreCommand(); });
  program_.OnCommand(MainCommand::kResetHighLowLayout, [this] { ResetLayoutCommand(); });
  slot_.Wire();
  // The shut-down yields before it closes the window: no hide tick may move it
  // meanwhile.
  program_.OnClosing([this] {
    if (Visible()) Dashboard()->StopAutoHideTimers();
  });
  program_.OnTick(TickStage::kReset, [this] {
    // The reset makes the window (hidden) when it is not there yet.
    if (highlow::HighLowDashboard* window = MakeOrGet())
      window->SetStartedText(program_.State().started_text);
    if (!program_.Running()) return;
    if (Dashboard()) Dashboard()->SetElapsedText("00:00:00");
  });
  program_.OnTick(TickStage::kElapsed, [this] {
    if (Visible())
      Dashboard()->SetElapsedText(ElapsedText(program_.State().start_time, p_.clock.Now()));
  });
  program_.OnTick(TickStage::kShow, [this] {
    if (Visible()) Dashboard()->ShowValues(program_.State().statistics);
  });
}

void HighLowFeature::RenamePlate(int label, const std::string& text) {
  if (highlow::HighLowDashboard* window = MakeOrGet()) window->RenamePlate(label, text);
}

void HighLowFeature::ShowCommand() {
  // The first show starts the statistics when no tick has counted yet.
  const bool to_show = !program_.Menu(MainCommand::kShowHighLow).Checked();
  if (to_show && program_.State().sample_count == -1) program_.RequestStatisticsReset();
  slot_.ToggleFromMenu();
}

void HighLowFeature::CentreCommand() {
  highlow::HighLowDashboard* window = ShowNow();
  if (!window) return;
  window->AutoHideOff();
  appearance::CentreOnWorkArea(window->Window(), p_.desktop);
}

void HighLowFeature::ResetLayoutCommand() {
  Release();
  p_.loop.YieldToMessages();
  if (!program_.Running()) return;
  Settings& store = program_.Store();
  for (const KeyDef* key :
       {&keys::kHighLowLeft, &keys::kHighLowTop, &keys::kHighLowWidth, &keys::kHighLowHeight})
    store.Remove(key->name);
  for (int k = 0; k < highlow::kColumnCount; ++k) {
    store.Remove(HighLowFrameLeftKeys().Name(k));
    store.Remove(HighLowFrameTopKeys().Name(k));
  }
  program_.Menu(MainCommand::kShowHighLow).SetChecked(true);
  CentreCommand();
}

// --- what the High/Low/Avg dashboard asks ----------------------------------------------

std::string HighLowFeature::AppFolder() {
  return program_.AppFolder();
}
double HighLowFeature::SampleCount() {
  return program_.State().sample_count;
}
void HighLowFeature::RequestStatisticsReset() {
  program_.RequestStatisticsReset();
}
std::string HighLowFeature::StartedText() {
  return program_.State().started_text;
}
void HighLowFeature::HighLowClosed() {
  program_.Menu(MainCommand::kShowHighLow).SetChecked(false);
}

}  // namespace kelvane
