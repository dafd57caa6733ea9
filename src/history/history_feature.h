// The readings history in the program: every counted tick goes into the
// history, which is kept in Logs\history.dat (read at start, written once a
// minute, at exit and before the overheat power-off); "Show History" in the
// menu opens its window; and when the last run ended in the program's own
// overheat power-off, the next start opens the window at the minutes before
// it, saying so.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "history/history.h"
#include "history/history_file.h"
#include "history/history_window.h"
#include "program/context.h"

namespace kelvane::history {

// Where the program notes its overheat power-off for the next start:
// "<instant> <local time, seconds of the local calendar> <CPU °C> <limit °C>".
inline constexpr KeyDef kPoweredOff{"HistPowerOff", KeyType::kText, ""};

// The line the window shows after the power-off.
std::string PowerOffLine(const std::string& time, int cpu_temp, double limit);

class HistoryFeature {
 public:
  // The history is written this often while the program runs.
  static constexpr double kSaveSeconds = 60;

  explicit HistoryFeature(ProgramContext& program);
  HistoryFeature(const HistoryFeature&) = delete;
  HistoryFeature& operator=(const HistoryFeature&) = delete;

  const History& Readings() const { return history_; }
  // nullptr until the window was first asked for.
  HistoryWindow* Window() { return window_.get(); }
  void ShowWindow();

 private:
  void Load();
  void AddTick();
  void Save();
  void NotePowerOff(const OverheatPowerOff& why);
  void ShowLastPowerOff();
  HistoryWindow& MakeWindow();

  ProgramContext& program_;
  History history_;
  std::unique_ptr<HistoryFile> file_;
  std::optional<double> last_save_;
  // This tick's readings are in the history.
  bool tick_taken_ = false;
  std::unique_ptr<HistoryWindow> window_;
};

}  // namespace kelvane::history
