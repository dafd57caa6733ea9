// The digital dashboard in the program: shown, centred and released from the
// main window's menu and at start-up, fed by each tick while it shows,
// released at shut-down.
#pragma once

#include <string>

#include "app/dashboard_slot.h"
#include "dashboard/digital_dashboard.h"
#include "platform/platform.h"

namespace kelvane {

class AppContext;
class HighLowFeature;
class PickerWindows;

class DigitalDashboardFeature final : private dashboard::DashboardHost {
 public:
  DigitalDashboardFeature(AppContext& program, HighLowFeature& high_low, PickerWindows& pickers);
  ~DigitalDashboardFeature() override;
  DigitalDashboardFeature(const DigitalDashboardFeature&) = delete;
  DigitalDashboardFeature& operator=(const DigitalDashboardFeature&) = delete;

  // Registers with the program: its menu commands, tick stages, start-up
  // step and closer.
  void Wire();

  // The dashboard while one is loaded; nullptr otherwise.
  dashboard::DigitalDashboard* Dashboard() const { return slot_.Get(); }
  // Unloads the dashboard (saving its keys) and releases it.
  void Release() { slot_.Release(); }
  bool Visible() const { return slot_.Visible(); }
  // Made when needed and shown; nullptr once the shut-down has begun.
  dashboard::DigitalDashboard* ShowNow() { return slot_.ShowNow(); }

 private:
  void ShowCommand();
  void CentreCommand();

  // --- dashboard::DashboardHost ---
  std::string AppFolder() override;
  void DashboardClosed() override;
  void HighLowPlateRenamed(int label, const std::string& text) override;

  platform::Platform& p_;
  AppContext& program_;
  HighLowFeature& high_low_;
  PickerWindows& pickers_;
  DashboardSlot<dashboard::DigitalDashboard> slot_;
};

}  // namespace kelvane
