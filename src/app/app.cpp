#include "app/app.h"

namespace kelvane {

KelvaneApp::KelvaneApp(AppServices services)
    : services_(services),
      main_window_(services),
      app_window_(services.platform, *this, "Kelvane") {
  app_window_.SetCaption(kProgramName);
  app_window_.SetBorderStyle(form::BorderStyle::kNone);
  app_window_.SetShowInTaskbar(false);
  app_window_.Move(0, 0, 0, 0);
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

}  // namespace kelvane
