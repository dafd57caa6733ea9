#include "app/log_feature.h"

#include "app/main_window.h"

namespace kelvane {

using enum MainControl;

// The writer keeps the main window's folder, which start-up fills in.
LogFeature::LogFeature(platform::Platform& platform, MainWindow& main)
    : p_(platform), main_(main), writer_(platform, main.AppFolder()) {}

void LogFeature::Wire() {
  main_.Poll().Register(TickStage::kLog, [this] { Write(false); });
  main_.OnControlClick(kViewTextLog, [this] { writer_.OpenTextLog(main_.Window().Handle()); });
  main_.OnControlClick(kViewHtmlLog, [this] { writer_.OpenHtmlLog(main_.Window().Handle()); });
}

void LogFeature::Write(bool shutdown) {
  const ProbeState& state = main_.State();
  const platform::DateTime now = p_.clock.Now();
  const Options& o = main_.CurrentOptions();
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
      writer_.Write(options, entry, [this] { return main_.Running(); });
  if (written.text_written && main_.Running()) main_.Poll().ReloadLogCountdown();
}

}  // namespace kelvane
