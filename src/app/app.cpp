#include "app/app.h"

#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "app/alarm_feature.h"
#include "app/dashboard_feature.h"
#include "app/high_low_feature.h"
#include "app/log_feature.h"
#include "app/picker_windows.h"
#include "history/csv_feature.h"
#include "history/history_feature.h"

namespace kelvane {

// The program's parts, each a peer that knows only the few others it needs.
struct KelvaneApp::Parts {
  explicit Parts(AppContext& program)
      : logs(program),
        alarms(program, logs),
        high_low(program, pickers),
        dashboard(program, high_low, pickers),
        pickers(program, dashboard, high_low) {}

  LogFeature logs;
  AlarmFeature alarms;
  HighLowFeature high_low;
  DigitalDashboardFeature dashboard;
  PickerWindows pickers;
  // Parts that wire themselves, each with its type.
  std::vector<std::pair<std::type_index, std::shared_ptr<void>>> own;
  template <class T>
  void Own(std::shared_ptr<T> part) {
    own.emplace_back(typeid(T), std::move(part));
  }
};

KelvaneApp::KelvaneApp(AppServices services)
    : KelvaneApp(services, [this](AppContext& program) {
        parts_ = std::make_unique<Parts>(program);
        Parts& parts = *parts_;
        // Each part registers its menu commands, its clicks, its place in the
        // poll tick (the dashboards show in this order), its start-up step
        // and its place in the shut-down.
        parts.logs.Wire();
        parts.alarms.Wire();
        parts.pickers.Wire();
        parts.dashboard.Wire();
        parts.high_low.Wire();
        // Parts that wire themselves, one line each.
        parts.Own(std::make_shared<history::CsvLogFeature>(program));
        parts.Own(std::make_shared<history::HistoryFeature>(program));
      }) {}

KelvaneApp::KelvaneApp(AppServices services, const std::function<void(AppContext&)>& wire)
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

void* KelvaneApp::FindOwnPart(const std::type_info& type) const {
  if (!parts_) return nullptr;
  for (const auto& [kind, part] : parts_->own)
    if (kind == std::type_index(type)) return part.get();
  return nullptr;
}

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
