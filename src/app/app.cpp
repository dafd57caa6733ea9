#include "app/app.h"

#include "app/alarm_feature.h"
#include "app/dashboard_feature.h"
#include "app/high_low_feature.h"
#include "app/log_feature.h"
#include "app/picker_windows.h"

namespace kelvane {

// The program's parts, each a peer that knows only the few others it needs.
struct KelvaneApp::Parts {
  Parts(platform::Platform& p, MainWindow& main)
      : logs(p, main),
        alarms(p, main, logs),
        high_low(p, main, pickers),
        dashboard(p, main, high_low, pickers),
        pickers(p, main, dashboard, high_low) {}

  LogFeature logs;
  AlarmFeature alarms;
  HighLowFeature high_low;
  DigitalDashboardFeature dashboard;
  PickerWindows pickers;
};

KelvaneApp::KelvaneApp(AppServices services)
    : KelvaneApp(services, [this](MainWindow& main) {
        parts_ = std::make_unique<Parts>(services_.platform, main);
        Parts& parts = *parts_;
        // Each part registers its menu commands, its clicks and its place in
        // the poll tick (the dashboards show in this order).
        parts.logs.Wire();
        parts.alarms.Wire();
        parts.pickers.Wire();
        parts.dashboard.Wire();
        parts.high_low.Wire();
        // The shut-down closes the other windows in this order, each saving
        // its own keys.
        main.OnCloseWindows([&parts] { parts.alarms.Window().Close(); });
        main.OnCloseWindows([&parts] { parts.alarms.StaleWarningWindow().Close(); });
        main.OnCloseWindows([&parts] { parts.pickers.CloseColourEditor(); });
        main.OnCloseWindows([&parts] { parts.pickers.CloseTrayIconSettings(); });
        main.OnCloseWindows([&parts] { parts.dashboard.Release(); });
        main.OnCloseWindows([&parts] { parts.high_low.Release(); });
      }) {}

KelvaneApp::KelvaneApp(AppServices services, const std::function<void(MainWindow&)>& wire)
    : services_(services),
      main_window_(services),
      app_window_(services.platform, *this, "Kelvane") {
  app_window_.SetCaption(kProgramName);
  app_window_.SetClassName(kApplicationWindowClass);
  app_window_.SetBorderStyle(form::BorderStyle::kNone);
  app_window_.SetShowInTaskbar(false);
  app_window_.Move(0, 0, 0, 0);
  wire(main_window_);
}

KelvaneApp::~KelvaneApp() {
  // The main window's own unload ran at shut-down; what is left goes quietly.
  app_window_.Unload();
}

void KelvaneApp::Start() {
  // A second copy leaves no window behind that the remover could take for the
  // running one.
  if (!services_.another_copy_running) app_window_.Load();
  main_window_.Start();
  if (main_window_.Ended()) app_window_.Unload();
}

void KelvaneApp::OnQueryUnload(form::UnloadMode mode, bool&) {
  // A close request from outside: the normal shut-down, settings saved.
  if (mode != form::UnloadMode::kFromCode && !main_window_.Ended()) main_window_.Close();
}

// --- the parts, for a look from outside -----------------------------------------------

alarms::AlarmWindow* KelvaneApp::AlarmWindow() const {
  return parts_ ? &parts_->alarms.Window() : nullptr;
}
alarms::StaleWarning* KelvaneApp::StaleWarning() const {
  return parts_ && parts_->alarms.StaleWarningWindow().IsOpen()
             ? &parts_->alarms.StaleWarningWindow()
             : nullptr;
}
alarms::TemperatureCheck* KelvaneApp::TemperatureCheck() const {
  return parts_ ? &parts_->alarms.Check() : nullptr;
}
alarms::AlarmSounds* KelvaneApp::Sounds() const {
  return parts_ ? &parts_->alarms.Sounds() : nullptr;
}
dashboard::DigitalDashboard* KelvaneApp::DigitalDashboard() const {
  return parts_ ? parts_->dashboard.Dashboard() : nullptr;
}
highlow::HighLowDashboard* KelvaneApp::HighLow() const {
  return parts_ ? parts_->high_low.Dashboard() : nullptr;
}
appearance::ColourEditor* KelvaneApp::ColourEditor() const {
  return parts_ ? parts_->pickers.ColourEditor() : nullptr;
}
tray::TrayIconSettings* KelvaneApp::TrayIconSettings() const {
  return parts_ ? parts_->pickers.TrayIconSettings() : nullptr;
}
appearance::EditTarget KelvaneApp::CurrentEditTarget() const {
  return parts_ ? parts_->pickers.Target() : appearance::EditTarget::kNone;
}

}  // namespace kelvane
