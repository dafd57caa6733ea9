#include "app/dashboard_feature.h"

#include "app/app_context.h"
#include "app/high_low_feature.h"
#include "app/picker_windows.h"
#include "appearance/placement.h"

namespace kelvane {

DigitalDashboardFeature::DigitalDashboardFeature(AppContext& program, HighLowFeature& high_low,
                                                 PickerWindows& pickers)
    : p_(program.Platform()), program_(program), high_low_(high_low), pickers_(pickers) {}

DigitalDashboardFeature::~DigitalDashboardFeature() = default;

void DigitalDashboardFeature::Wire() {
  program_.OnCommand(MainCommand::kShowDigitalDashboard, [this] { ShowCommand(); });
  program_.OnCommand(MainCommand::kCentreDigitalDashboard, [this] { CentreCommand(); });
  program_.AddStartStep(start_rank::kDigitalDashboard, [this] {
    if (!program_.CurrentOptions().digital_dashboard_at_start) return;
    program_.Menu(MainCommand::kShowDigitalDashboard).SetChecked(true);
    if (dashboard::DigitalDashboard* dashboard = MakeOrGet()) dashboard->Show();
    p_.loop.YieldToMessages();
  });
  program_.AddCloser(close_rank::kDigitalDashboard, [this] { Release(); });
  program_.OnTick(TickStage::kFreshness, [this] {
    if (Dashboard()) Dashboard()->ShowStale(program_.State().stale);
  });
  program_.OnTick(TickStage::kShow, [this] {
    if (Visible()) Dashboard()->ShowValues(program_.State().statistics);
  });
}

dashboard::DigitalDashboard* DigitalDashboardFeature::MakeOrGet() {
  if (dashboard::DigitalDashboard* dashboard = Dashboard()) return dashboard;
  // A window made now would never be saved or closed.
  if (!program_.Running()) return nullptr;
  dashboard::DashboardHost& host = *this;
  return &dashboard_.Hold(std::make_unique<dashboard::DigitalDashboard>(
      p_, host, pickers_.EditorFor(appearance::EditTarget::kDigitalDashboard)));
}

void DigitalDashboardFeature::ShowCommand() {
  form::MenuItem& show = program_.Menu(MainCommand::kShowDigitalDashboard);
  show.SetChecked(!show.Checked());
  if (!show.Checked()) {
    Release();
    return;
  }
  if (dashboard::DigitalDashboard* dashboard = MakeOrGet()) dashboard->Show();
  // The load yields: anything may have happened to the dashboard meanwhile.
  if (!Dashboard()) return;
  // Only the right edge is pulled in here; the dashboard's menu does the rest.
  form::Window& w = Dashboard()->Window();
  const int screen_width = p_.desktop.ScreenRect().Width() * p_.desktop.TwipsPerPixelX();
  if (w.Left() > screen_width - w.Width()) w.SetLeft(screen_width - w.Width());
}

void DigitalDashboardFeature::CentreCommand() {
  if (dashboard::DigitalDashboard* dashboard = MakeOrGet()) dashboard->Show();
  if (!Dashboard()) return;
  appearance::CentreOnWorkArea(Dashboard()->Window(), p_.desktop);
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
