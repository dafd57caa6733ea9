// The program context of the parts that are built into the settings window
// itself: the logs and the alarms own controls of its design, the dashboards
// and the picker windows own items of its menu. Beyond what every part gets
// (ProgramContext), they reach those controls and items by what they hold or
// do, the user's settings as values, and the poll timer the alarms stop while
// the shutdown question is open.
#pragma once

#include <functional>
#include <stdexcept>

#include "app/main_window_design.h"
#include "base/options.h"
#include "program/context.h"
#include "tray/tray_icon.h"

namespace kelvane {

class AppContext : public ProgramContext {
 public:
  // A control of the settings window's design; throws std::out_of_range when
  // it is another kind.
  template <class T = form::Control>
  T& Get(MainControl which) const {
    T* control = dynamic_cast<T*>(&ControlOf(which));
    if (!control) throw std::out_of_range("the main window has no such control");
    return *control;
  }
  // The item of a command that has one item (not kWallpaper).
  virtual form::MenuItem& Menu(MainCommand command) const = 0;
  // A command of the settings window's menu that it does not carry out itself.
  virtual void OnCommand(MainCommand command, std::function<void()> action) = 0;
  void OnControlClick(MainControl control, std::function<void()> action) {
    OnClick(Get(control), std::move(action));
  }

  // The user's settings as the settings window holds them now, and the way
  // for a part to change one (it shows at once and runs what the user's
  // change would).
  virtual const Options& CurrentOptions() const = 0;
  virtual OptionChanges& Changes() = 0;
  // Without a mixer the sound card is not offered.
  virtual void WithoutSoundCard() = 0;
  // Normal while the user has the settings window open, minimised while the
  // program lives in the tray.
  virtual form::WindowState MainWindowState() const = 0;
  virtual tray::TrayIconStyle& IconStyle() = 0;

  // The poll timer: stopped (interval 0, disabled), running again at 1000 ms,
  // and whether its interval is 0; the log timer stopped; the log countdown
  // begun anew from the interval.
  virtual void StopPolling() = 0;
  virtual void ResumePolling() = 0;
  virtual bool PollingStopped() const = 0;
  virtual void StopLogTimer() = 0;
  virtual void ReloadLogCountdown() = 0;
  // The alarms are about to power the machine off: every part's last step.
  virtual void PowerOffComing(const OverheatPowerOff& why) = 0;

 protected:
  virtual form::Control& ControlOf(MainControl which) const = 0;
};

}  // namespace kelvane
