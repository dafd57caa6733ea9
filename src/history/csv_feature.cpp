#include "history/csv_feature.h"

#include <string>

namespace kelvane::history {
namespace {

constexpr KeyDef kCsvLogOn{"LogCSV", KeyType::kCheck, "0"};

// Beside the interval of the text and HTML logs, in the settings window's
// pixels at 96 dots per inch.
constexpr int kTwips = 15;
constexpr form::ControlRow kControls[] = {
    {form::ControlKind::kLabel, "Label1", 22, 400 * kTwips, 84 * kTwips, 30 * kTwips, 16 * kTwips,
     "Csv"},
    {form::ControlKind::kCheckBox, "Check12", form::kNoIndex, 432 * kTwips, 84 * kTwips,
     16 * kTwips, 16 * kTwips, nullptr,
     "Save PC Probe data every second to \"Kelvane-<date>.csv\" (for a spreadsheet)"},
};

}  // namespace

CsvLogFeature::CsvLogFeature(ProgramContext& program) : program_(program) {
  const std::vector<form::Control*> controls = program.AddControls(kControls);
  // The caption as the settings window's other captions: on its wallpaper.
  auto& label = static_cast<form::Label&>(*controls[0]);
  label.SetTransparent(true);
  label.SetTextFont({"Tahoma", 8, false});
  box_ = static_cast<form::CheckBox*>(controls[1]);

  SettingRow row;
  row.key = &kCsvLogOn;
  row.binding = Binding::kCheckBox;
  row.control = box_;
  // Loaded after the other logs' boxes, saved after every setting of the
  // settings window's own.
  row.stage = LoadStage::kAfterCpuName;
  row.load_order = 100;
  row.save_order = 1000;
  program.AddSettings({&row, 1});

  program.OnTick(TickStage::kTray, [this] { tick_taken_ = false; });
  program.OnTick(TickStage::kElapsed, [this] { AddRow(); });
  program.AddCloser(close_rank::kLater, [this] {
    if (log_) log_->Flush();
  });
  program.BeforePowerOff([this](const OverheatPowerOff&) {
    // The checks run before the tick is counted: its row is the last.
    if (!tick_taken_) AddRow();
    if (log_) log_->Flush();
  });
  // Said in the tray icon's tip for as long as rows wait for the file.
  program.AddTipNote([this] { return log_ && log_->Waiting() ? "CSV log is waiting" : ""; });
}

void CsvLogFeature::AddRow() {
  tick_taken_ = true;
  if (box_->Value() != 1) return;
  platform::Platform& p = program_.Platform();
  if (!log_) log_ = std::make_unique<CsvLog>(p.files, program_.AppFolder());
  const ProbeState& state = program_.State();
  log_->Add({p.clock.Now(), p.clock.UtcOffsetMinutes(), ValuesOf(state.reading), state.stale},
            p.clock.MonotonicSeconds());
}

}  // namespace kelvane::history
