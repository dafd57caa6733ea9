#include "app/dashboard_feature.h"

#include "app/high_low_feature.h"
#include "app/main_window.h"
#include "app/picker_windows.h"
#include "appearance/placement.h"

namespace kelvane {

DigitalDashboardFeature::DigitalDashboardFeature(platform::Platform& platform, MainWindow& main,
                                                 HighLowFeature& high_low, PickerWindows& pickers)
    : p_(platform), main_(main), high_low_(high_low), pickers_(pickers) {}

DigitalDashboardFeature::~DigitalDashboardFeature() = default;

void DigitalDashboardFeature::Wire() {
  main_.OnCommand(MainCommand::kShowDigitalDashboard, [this] { ShowCommand(); });
  main_.OnCommand(MainCommand::kCentreDigitalDashboard, [this] { CentreCommand(); });
  main_.OnShowAtStart(MainCommand::kShowDigitalDashboard, [this] { Loaded().Show(); });
  main_.Poll().Register(TickStage::kFreshness, [this] {
    if (Dashboard()) Dashboard()->ShowStale(main_.State().stale);
  });
  main_.Poll().Register(TickStage::kShow, [this] {
    if (Visible()) Dashboard()->ShowValues(main_.State().statistics);
  });
}

dashboard::DigitalDashboard& DigitalDashboardFeature::Loaded() {
  if (dashboard::DigitalDashboard* dashboard = Dashboard()) return *dashboard;
  dashboard::DashboardHost& host = *this;
  return dashboard_.Hold(std::make_unique<dashboard::DigitalDashboard>(
      p_, host, pickers_.EditorFor(appearance::EditTarget::kDigitalDashboard)));
}

void DigitalDashboardFeature::ShowCommand() {
  form::MenuItem& show = main_.Menu(MainCommand::kShowDigitalDashboard);
  show.SetChecked(!show.Checked());
  if (!show.Checked()) {
    Release();
    return;
  }
  Loaded().Show();
  // The load yields: anything may have happened to the dashboard meanwhile.
  if (!Dashboard()) return;
  // Only the right edge is pulled in here; the dashboard's menu does the rest.
  form::Window& w = Dashboard()->Window();
  const int screen_width = p_.desktop.ScreenRect().Width() * p_.desktop.TwipsPerPixelX();
  if (w.Left() > screen_width - w.Width()) w.SetLeft(screen_width - w.Width());
}

void DigitalDashboardFeature::CentreCommand() {
  Loaded().Show();
  if (Dashboard()) appearance::CentreOnWorkArea(Dashboard()->Window(), p_.desktop);
  main_.Menu(MainCommand::kShowDigitalDashboard).SetChecked(true);
}

// --- what the dashboard asks ----------------------------------------------------------

std::string DigitalDashboardFeature::AppFolder() {
  return main_.AppFolder();
}

void DigitalDashboardFeature::DashboardClosed() {
  main_.Menu(MainCommand::kShowDigitalDashboard).SetChecked(false);
}

void DigitalDashboardFeature::HighLowPlateRenamed(int label, const std::string& text) {
  high_low_.RenamePlate(label, text);
}

}  // namespace kelvane
