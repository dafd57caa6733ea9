// The text and HTML logs in the program: written on the first counted tick
// and at every log interval, and once more, marked, before a shutdown; the
// main window's view buttons open them.
#pragma once

#include "logs/logs.h"
#include "platform/platform.h"

namespace kelvane {

class MainWindow;

class LogFeature {
 public:
  LogFeature(platform::Platform& platform, MainWindow& main);
  LogFeature(const LogFeature&) = delete;
  LogFeature& operator=(const LogFeature&) = delete;

  // Registers with the main window and its poll cycle.
  void Wire();
  // One entry into each log that is on; `shutdown` marks the last before a
  // shutdown. May yield.
  void Write(bool shutdown);

 private:
  platform::Platform& p_;
  MainWindow& main_;
  logs::LogWriter writer_;
};

}  // namespace kelvane
