// The features of the program behind the main window's hooks: the alarms and
// overheat actions, the logs, and the windows of their own. The main window
// and the poll cycle call the hooks; this class sends each to the feature that
// answers it, with the main window's controls and state that the feature needs.
#pragma once

#include <memory>

#include "app/features.h"
#include "dashboard/digital_dashboard.h"
#include "platform/platform.h"

namespace kelvane {

class ProgramFeatures : public FeatureHooks, private dashboard::DashboardHost {
 public:
  explicit ProgramFeatures(platform::Platform& platform);
  ~ProgramFeatures() override;
  ProgramFeatures(const ProgramFeatures&) = delete;
  ProgramFeatures& operator=(const ProgramFeatures&) = delete;

  void Attach(MainWindow& main) override;
  void MenuCommand(MainWindow& main, form::MenuItem& item) override;
  void CloseWindows(MainWindow& main) override;

  // --- the digital dashboard (program_features_dashboards.cpp) ---
  void ShowDigitalDashboard(MainWindow& main) override;
  bool DigitalDashboardVisible() override;
  void ShowOnDigitalDashboard(const StatsTable& table) override;
  // The dashboard while one is loaded; nullptr otherwise.
  dashboard::DigitalDashboard* DigitalDashboard() const;

 private:
  // The main window's "Digital Dashboard" commands; false for other items.
  bool DashboardCommand(form::MenuItem& item);
  // The dashboard, made afresh when none is loaded (a released one is gone).
  dashboard::DigitalDashboard& LoadedDashboard();
  // Unloads the dashboard (saving its keys) and releases it.
  void ReleaseDashboard();
  // dashboard::DashboardHost
  std::string AppFolder() override;
  void DashboardClosed() override;
  void HighLowPlateRenamed(int label, const std::string& text) override;

  platform::Platform& p_;
  MainWindow* main_ = nullptr;
  std::unique_ptr<dashboard::DigitalDashboard> dashboard_;
};

}  // namespace kelvane
