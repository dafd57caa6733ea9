#include "app/program_features.h"

#include "app/main_window.h"

namespace kelvane {

ProgramFeatures::ProgramFeatures(platform::Platform& platform) : p_(platform) {}

ProgramFeatures::~ProgramFeatures() = default;

void ProgramFeatures::Attach(MainWindow& main) {
  main_ = &main;
}

void ProgramFeatures::MenuCommand(MainWindow&, form::MenuItem& item) {
  DashboardCommand(item);
}

void ProgramFeatures::CloseWindows(MainWindow&) {
  ReleaseDashboard();
}

}  // namespace kelvane
