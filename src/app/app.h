// The program as a whole: the main window, and the hidden application window
// titled "Kelvane" through which a close request (from the settings remover)
// shuts the program down in order.
#pragma once

#include "app/main_window.h"

namespace kelvane {

class KelvaneApp : public form::WindowHandler {
 public:
  explicit KelvaneApp(AppServices services);
  ~KelvaneApp() override;

  // Creates the application window and loads the main window, which runs the
  // start-up. Afterwards the message loop runs until Ended().
  void Start();
  bool Ended() const { return main_window_.Ended(); }
  MainWindow& Main() { return main_window_; }
  form::Window& ApplicationWindow() { return app_window_; }

  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;

 private:
  AppServices services_;
  MainWindow main_window_;
  form::Window app_window_;
};

}  // namespace kelvane
