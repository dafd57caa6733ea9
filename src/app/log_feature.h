// The text and HTML logs in the program: written on the first counted tick
// and at every log interval, and once more, marked, before a shutdown; the
// main window's view buttons open them.
#pragma once

#include "logs/logs.h"
#include "platform/platform.h"

namespace kelvane {

class AppContext;

class LogFeature {
 public:
  explicit LogFeature(AppContext& program);
  LogFeature(const LogFeature&) = delete;
  LogFeature& operator=(const LogFeature&) = delete;

  // Registers with the program: its log stage and the view buttons.
  void Wire();
  // One entry into each log that is on; `shutdown` marks the last before a
  // shutdown. May yield.
  void Write(bool shutdown);

 private:
  platform::Platform& p_;
  AppContext& program_;
  logs::LogWriter writer_;
};

}  // namespace kelvane
