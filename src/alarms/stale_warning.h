// The warning that the monitor has stopped answering: a small always-on-top
// window in the alarm window's colours, saying that the temperatures are not
// being watched. It opens once per episode of stale readings, after a minute
// of them and only while "Notify with Message" is ticked; the user closes it,
// or the monitor answering again does.
#pragma once

#include <string>

#include "platform/form/form.h"
#include "platform/platform.h"

namespace kelvane::alarms {

class StaleWarning : public form::WindowHandler {
 public:
  // How long the readings have been stale before the warning opens.
  static constexpr double kAfterSeconds = 60;

  explicit StaleWarning(platform::Platform& platform);
  StaleWarning(const StaleWarning&) = delete;
  StaleWarning& operator=(const StaleWarning&) = delete;

  // One poll tick: whether the readings are stale and for how many seconds,
  // whether the user wants alarm messages, and when the last fresh reading was
  // taken.
  void Watch(bool stale, double stale_seconds, bool notify, const platform::DateTime& last_fresh);
  bool IsOpen() const { return window_.Loaded(); }
  void Close();
  form::Window& Window() { return window_; }
  const std::string& MessageText() const;

  void OnLoad() override;
  void OnClick(form::Control* control) override;

 private:
  platform::Platform& p_;
  form::Window window_;
  form::Label* message_ = nullptr;
  form::Button* ok_ = nullptr;
  // The warning of this episode has been shown (and perhaps closed).
  bool warned_ = false;
};

}  // namespace kelvane::alarms
