// The program as a whole, and the one place where it is put together: the
// main window with its poll cycle, each part of the program as a peer (the
// logs, the alarms, the two dashboards, the windows with a colour picker), and
// the hidden application window titled "Kelvane" through which a close
// request (from the settings remover) shuts the program down in order.
#pragma once

#include <functional>
#include <memory>
#include <typeinfo>

#include "app/main_window.h"
#include "appearance/colour_editor.h"

namespace kelvane {

namespace alarms {
class AlarmSounds;
class AlarmWindow;
class StaleWarning;
class TemperatureCheck;
}  // namespace alarms
namespace dashboard {
class DigitalDashboard;
}
namespace highlow {
class HighLowDashboard;
}
namespace tray {
class TrayIconSettings;
}

class KelvaneApp : public form::WindowHandler {
 public:
  // The program with all its parts.
  explicit KelvaneApp(AppServices services);
  // The main window alone, with what `wire` registers through the program
  // context instead of the program's parts.
  KelvaneApp(AppServices services, const std::function<void(AppContext&)>& wire);
  ~KelvaneApp() override;
  KelvaneApp(const KelvaneApp&) = delete;
  KelvaneApp& operator=(const KelvaneApp&) = delete;

  // Creates the application window and loads the main window, which runs the
  // start-up. Afterwards the message loop runs until Ended().
  void Start();
  bool Ended() const { return main_window_.Ended(); }
  MainWindow& Main() { return main_window_; }
  form::Window& ApplicationWindow() { return app_window_; }

  // The parts, for a look from outside (tests): each window while it is
  // loaded, else nullptr (always, where the program was wired otherwise).
  alarms::AlarmWindow* AlarmWindow() const;
  alarms::StaleWarning* StaleWarning() const;
  alarms::TemperatureCheck* TemperatureCheck() const;
  alarms::AlarmSounds* Sounds() const;
  dashboard::DigitalDashboard* DigitalDashboard() const;
  highlow::HighLowDashboard* HighLow() const;
  appearance::ColourEditor* ColourEditor() const;
  tray::TrayIconSettings* TrayIconSettings() const;
  appearance::EditTarget CurrentEditTarget() const;
  // A part that wires itself, by its type; nullptr when there is none.
  template <class T>
  T* OwnPart() const {
    return static_cast<T*>(FindOwnPart(typeid(T)));
  }

  void OnQueryUnload(form::UnloadMode mode, bool& cancel) override;

 private:
  struct Parts;
  void* FindOwnPart(const std::type_info& type) const;

  AppServices services_;
  MainWindow main_window_;
  std::unique_ptr<Parts> parts_;
  form::Window app_window_;
};

}  // namespace kelvane
