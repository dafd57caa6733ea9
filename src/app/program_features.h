// The features of the program behind the main window's hooks: the alarms and
// overheat actions, the logs, and the windows of their own. The main window
// and the poll cycle call the hooks; this class sends each to the feature that
// answers it, with the main window's controls and state that the feature needs.
#pragma once

#include <memory>

#include "app/features.h"
#include "platform/platform.h"

namespace kelvane {

class ProgramFeatures : public FeatureHooks {
 public:
  explicit ProgramFeatures(platform::Platform& platform);
  ~ProgramFeatures() override;
  ProgramFeatures(const ProgramFeatures&) = delete;
  ProgramFeatures& operator=(const ProgramFeatures&) = delete;

  void Attach(MainWindow& main) override;

 private:
  platform::Platform& p_;
  MainWindow* main_ = nullptr;
};

}  // namespace kelvane
