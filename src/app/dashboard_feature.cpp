#include "app/dashboard_feature.h"

#include "app/app_context.h"
#include "app/high_low_feature.h"
#include "app/picker_windows.h"
#include "appearance/placement.h"

namespace kelvane {

DigitalDashboardFeature::DigitalDashboardFeature(AppContext& program, HighLowFeature& high_low,
                                                 PickerWindows& pickers)
    : p_(program.Platform()),
      program_(program),
      high_low_(high_low),
      pickers_(pickers),
      slot_(program,
            {MainCommand::kShowDigitalDashboard, &Options::digital_dashboard_at_start,
             start_rank::kDigitalDashboard, close_rank::kDigitalDashboard},
            [this] {
              dashboard::DashboardHost& host = *this;
              return std::make_unique<dashboard::DigitalDashboard>(
                  p_, host, pickers_.EditorFor(appearance::EditTarget::kDigitalDashboard));
            }) {}

DigitalDashboardFeature::~DigitalDashboardFeature() = default;

void DigitalDashboardFeature::Wire() {
  program_.OnCommand(MainCommand::kShowDigitalDashboard, [this] { ShowCommand(); });
  program_.OnCommand(MainCommand::kCentreDigitalDashboard, [this] { CentreCommand(); });
  slot_.Wire();
  program_.OnTick(TickStage::kShow, [this] {
    if (Visible()) Dashboard()->ShowValues(program_.State().statistics);
  });
}

void DigitalDashboardFeature::ShowCommand() {
  dashboard::DigitalDashboard* dashboard = slot_.ToggleFromMenu();
  if (!dashboard) return;
  // Only the right edge is pulled in here; the dashboard's menu does the rest.
  form::Window& w = dashboard->Window();
  const int screen_width = p_.desktop.ScreenRect().Width() * p_.desktop.TwipsPerPixelX();
  if (w.Left() > screen_width - w.Width()) w.SetLeft(screen_width - w.Width());
}

void DigitalDashboardFeature::CentreCommand() {
  dashboard::DigitalDashboard* dashboard = slot_.ShowNow();
  if (!dashboard) return;
  appearance::CentreOnWorkArea(dashboard->Window(), p_.desktop);
  program_.Menu(MainCommand::kShowDigitalDashboard).SetChecked(true);
}

// --- what the dashboard asks ----------------------------------------------------------

std::string DigitalDashboardFeature::AppFolder() {
  return program_.AppFolder();
}

void DigitalDashboardFeature::DashboardClosed() {
  program_.Menu(MainCommand::kShowDigitalDashboard).SetChecked(false);
}

void DigitalDashboardFeature::HighLowPlateRenamed(int label, const std::string& text) {
  high_low_.RenamePlate(label, text);
}

}  // namespace kelvane
