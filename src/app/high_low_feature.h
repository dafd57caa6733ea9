// The High/Low/Avg dashboard in the program: made (hidden) by the first
// statistics reset, shown, centred, reset and released from the main window's
// menu and at start-up, fed by each tick while it shows, released at shut-down.
#pragma once

#include <string>

#include "app/dashboard_slot.h"
#include "highlow/high_low_dashboard.h"
#include "platform/platform.h"

namespace kelvane {

class AppContext;
class PickerWindows;

class HighLowFeature final : private highlow::HighLowHost {
 public:
  HighLowFeature(AppContext& program, PickerWindows& pickers);
  ~HighLowFeature() override;
  HighLowFeature(const HighLowFeature&) = delete;
  HighLowFeature& operator=(const HighLowFeature&) = delete;

  // Registers with the program: its menu commands, tick stages, start-up
  // step and closer.
  void Wire();

  // The window while it is loaded (hidden or shown); nullptr otherwise.
  highlow::HighLowDashboard* Dashboard() const { return slot_.Get(); }
  // The window, made and loaded (hidden) when none is loaded; nullptr once the
  // shut-down has begun, or when a shut-down during its load released it again.
  highlow::HighLowDashboard* MakeOrGet() { return slot_.MakeOrGet(); }
  // Unloads the window (saving its layout) and releases it.
  void Release() { slot_.Release(); }
  bool Visible() const { return slot_.Visible(); }
  // Made when needed and shown; nullptr once the shut-down has begun.
  highlow::HighLowDashboard* ShowNow() { return slot_.ShowNow(); }
  // A name plate renamed on the digital dashboard; the window is made
  // (hidden) for it when it is not there.
  void RenamePlate(int label, const std::string& text);

 private:
  void ShowCommand();
  void CentreCommand();
  void ResetLayoutCommand();

  // --- highlow::HighLowHost ---
  std::string AppFolder() override;
  double SampleCount() override;
  void RequestStatisticsReset() override;
  std::string StartedText() override;
  void HighLowClosed() override;

  platform::Platform& p_;
  AppContext& program_;
  PickerWindows& pickers_;
  DashboardSlot<highlow::HighLowDashboard> slot_;
};

}  // namespace kelvane
