// The High/Low/Avg dashboard behind the main window's hooks: made (hidden) by
// the first statistics reset, shown, centred, reset and released from the
// main window's menu, fed by the poll tick, released at shut-down.
#include "app/main_window.h"
#include "app/program_features.h"
#include "appearance/placement.h"
#include "base/keys.h"
#include "base/settings.h"

namespace kelvane {

highlow::HighLowDashboard* ProgramFeatures::HighLow() const {
  return high_low_ && high_low_->Window().Loaded() ? high_low_.get() : nullptr;
}

highlow::HighLowDashboard* ProgramFeatures::LoadedHighLow() {
  highlow::HighLowHost& host = *this;
  if (!HighLow()) {
    high_low_ = std::make_unique<highlow::HighLowDashboard>(p_, host);
    high_low_->Load();
  }
  // The load yields: a shut-down in it releases the window again.
  return HighLow();
}

void ProgramFeatures::ReleaseHighLow() {
  if (!high_low_) return;
  high_low_->Window().Unload();
  high_low_.reset();
}

void ProgramFeatures::ShowHighLowDashboard(MainWindow&) {
  if (highlow::HighLowDashboard* window = LoadedHighLow()) window->Show();
}

void ProgramFeatures::HighLowResetTip(const std::string& started_text) {
  if (highlow::HighLowDashboard* window = LoadedHighLow()) window->SetStartedText(started_text);
}

void ProgramFeatures::HighLowResetText(const std::string& text) {
  if (HighLow()) high_low_->SetElapsedText(text);
}

bool ProgramFeatures::HighLowVisible() {
  return HighLow() && high_low_->Window().Visible();
}

void ProgramFeatures::ShowOnHighLow(const StatsTable& table, const std::string& elapsed) {
  if (HighLow()) high_low_->ShowValues(table, elapsed);
}

void ProgramFeatures::HighLowPlateRenamed(int label, const std::string& text) {
  // A window not made yet is made (hidden) for it, as the first reset would.
  if (highlow::HighLowDashboard* window = LoadedHighLow()) window->RenamePlate(label, text);
}

void ProgramFeatures::MainWindowQueryUnload(MainWindow&) {
  // The shut-down yields before it closes the window: no hide tick may move it
  // meanwhile.
  if (HighLowVisible()) high_low_->StopAutoHideTimers();
}

bool ProgramFeatures::HighLowCommand(form::MenuItem& item) {
  if (!main_) return false;
  form::MenuItem& show = main_->Menu(MainCommand::kShowHighLow);
  if (&item == &show) {
    show.SetChecked(!show.Checked());
    if (!show.Checked()) {
      ReleaseHighLow();
      return true;
    }
    if (main_->State().sample_count == -1) main_->State().sample_count = 0;
    if (highlow::HighLowDashboard* window = LoadedHighLow()) window->Show();
    return true;
  }
  if (&item == &main_->Menu(MainCommand::kCentreHighLow)) {
    if (highlow::HighLowDashboard* window = LoadedHighLow()) window->Show();
    if (!HighLow()) return true;
    high_low_->AutoHideOff();
    appearance::CentreOnWorkArea(high_low_->Window(), p_.desktop);
    return true;
  }
  if (&item == &main_->Menu(MainCommand::kResetHighLowLayout)) {
    ReleaseHighLow();
    p_.loop.YieldToMessages();
    if (!StillRunning()) return true;
    Settings& store = main_->Store();
    for (const KeyDef* key : {&keys::kHighLowLeft, &keys::kHighLowTop, &keys::kHighLowWidth,
                              &keys::kHighLowHeight})
      store.Remove(key->name);
    for (int k = 0; k < highlow::kColumnCount; ++k) {
      store.Remove(HighLowFrameLeftKeys().Name(k));
      store.Remove(HighLowFrameTopKeys().Name(k));
    }
    show.SetChecked(true);
    if (highlow::HighLowDashboard* window = LoadedHighLow()) window->Show();
    if (!HighLow()) return true;
    high_low_->AutoHideOff();
    appearance::CentreOnWorkArea(high_low_->Window(), p_.desktop);
    return true;
  }
  return false;
}

// --- what the High/Low/Avg dashboard asks ----------------------------------------------

void ProgramFeatures::RequestStatisticsReset() {
  if (main_) main_->State().sample_count = 0;
}

std::string ProgramFeatures::StartedText() {
  return main_ ? main_->State().started_text : std::string();
}

void ProgramFeatures::HighLowClosed() {
  if (main_) main_->Menu(MainCommand::kShowHighLow).SetChecked(false);
}

}  // namespace kelvane
