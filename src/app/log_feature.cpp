#include "app/log_feature.h"

#include "app/app_context.h"

namespace kelvane {

using enum MainControl;

// The writer keeps the program's folder, which start-up fills in.
LogFeature::LogFeature(AppContext& program)
    : p_(program.Platform()), program_(program), writer_(p_, program.AppFolder()) {}

void LogFeature::Wire() {
  program_.OnTick(TickStage::kLog, [this] { Write(false); });
  program_.OnControlClick(kViewTextLog, [this] { writer_.OpenTextLog(program_.OwnerWindow()); });
  program_.OnControlClick(kViewHtmlLog, [this] { writer_.OpenHtmlLog(program_.OwnerWindow()); });
}

void LogFeature::Write(bool shutdown) {
  const ProbeState& state = program_.State();
  const platform::DateTime now = p_.clock.Now();
  const Options& o = program_.CurrentOptions();
  const logs::LogOptions options{o.text_log, o.overwrite_text_log, o.html_log,
                                 o.overwrite_html_log};
  const logs::LogEntry entry{state.reading,
                             state.statistics,
                             p_.clock.DecimalSeparator(),
                             p_.clock.GeneralDateTime(now),
                             state.started_text,
                             ElapsedText(state.start_time, now),
                             shutdown};
  const logs::WriteResult written =
      writer_.Write(options, entry, [this] { return program_.Running(); });
  if (written.text_written && program_.Running()) program_.ReloadLogCountdown();
}

}  // namespace kelvane
