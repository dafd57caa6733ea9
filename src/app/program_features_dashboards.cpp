// The dashboards behind the main window's hooks: shown, centred and released
// from its menu, fed by the poll tick, closed at shut-down.
#include "app/main_window.h"
#include "app/program_features.h"
#include "appearance/placement.h"

namespace kelvane {

dashboard::DigitalDashboard* ProgramFeatures::DigitalDashboard() const {
  return dashboard_ && dashboard_->Window().Loaded() ? dashboard_.get() : nullptr;
}

dashboard::DigitalDashboard& ProgramFeatures::LoadedDashboard() {
  dashboard::DashboardHost& host = *this;
  if (!DigitalDashboard()) dashboard_ = std::make_unique<dashboard::DigitalDashboard>(p_, host);
  return *dashboard_;
}

void ProgramFeatures::ReleaseDashboard() {
  if (!dashboard_) return;
  dashboard_->Window().Unload();
  dashboard_.reset();
}

void ProgramFeatures::ShowDigitalDashboard(MainWindow&) {
  LoadedDashboard().Show();
}

bool ProgramFeatures::DigitalDashboardVisible() {
  return DigitalDashboard() && dashboard_->Window().Visible();
}

void ProgramFeatures::ShowOnDigitalDashboard(const StatsTable& table) {
  if (DigitalDashboard()) dashboard_->ShowValues(table);
}

bool ProgramFeatures::DashboardCommand(form::MenuItem& item) {
  if (!main_) return false;
  form::MenuItem& show = main_->Menu(MainCommand::kShowDigitalDashboard);
  if (&item == &show) {
    show.SetChecked(!show.Checked());
    if (!show.Checked()) {
      ReleaseDashboard();
      return true;
    }
    LoadedDashboard().Show();
    // The load yields: anything may have happened to the dashboard meanwhile.
    if (!DigitalDashboard()) return true;
    // Only the right edge is pulled in here; the dashboard's menu does the rest.
    form::Window& w = dashboard_->Window();
    const int screen_width = p_.desktop.ScreenRect().Width() * p_.desktop.TwipsPerPixelX();
    if (w.Left() > screen_width - w.Width()) w.SetLeft(screen_width - w.Width());
    return true;
  }
  if (&item == &main_->Menu(MainCommand::kCentreDigitalDashboard)) {
    LoadedDashboard().Show();
    if (DigitalDashboard()) appearance::CentreOnWorkArea(dashboard_->Window(), p_.desktop);
    show.SetChecked(true);
    return true;
  }
  return false;
}

// --- what the dashboard asks ----------------------------------------------------------

std::string ProgramFeatures::AppFolder() {
  return main_ ? main_->AppFolder() : p_.files.ExeFolder();
}

void ProgramFeatures::DashboardClosed() {
  if (main_) main_->Menu(MainCommand::kShowDigitalDashboard).SetChecked(false);
}

}  // namespace kelvane
