// The alarm window: a small always-on-top message that the CPU is too hot,
// with the temperature refreshed every second and a button that switches the
// message off. There is at most one; closing it (by any means) stops its timer.
#pragma once

#include <functional>

#include "alarms/alarm_host.h"
#include "platform/form/form.h"
#include "platform/platform.h"

namespace kelvane::alarms {

class AlarmWindow : public form::WindowHandler {
 public:
  // `disable_alarm` clears the main window's "Notify with Message" box, whose
  // handler closes this window.
  AlarmWindow(platform::Platform& platform, AlarmHost& host,
              std::function<void()> disable_alarm);
  AlarmWindow(const AlarmWindow&) = delete;
  AlarmWindow& operator=(const AlarmWindow&) = delete;

  // Opens the window, or leaves the open one as it is.
  void Show();
  void Close();
  bool IsOpen() const { return window_.Loaded(); }
  form::Window& Window() { return window_; }
  // "CPU Temp: 83°C".
  const std::string& TemperatureText() const;

  void OnLoad() override;
  void OnUnload() override;
  void OnClick(form::Control* control) override;
  void OnTimer(form::WindowTimer& timer) override;

 private:
  void ShowTemperature();

  platform::Platform& p_;
  AlarmHost& host_;
  std::function<void()> disable_alarm_;
  form::Window window_;
  form::Label* temperature_ = nullptr;
  form::Button* disable_ = nullptr;
  form::WindowTimer* refresh_ = nullptr;
};

}  // namespace kelvane::alarms
