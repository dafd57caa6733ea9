// The CSV log in the program: a "Csv" check box beside the other logs on the
// settings window (stored as "LogCSV", off at first) and, while it is ticked,
// one row for every counted tick, fresh or stale, written in batches and once
// more at shut-down and before the overheat power-off. While rows wait for a
// file that refuses them, the tray icon's tip says so.
#pragma once

#include <memory>

#include "history/csv_log.h"
#include "program/context.h"

namespace kelvane::history {

class CsvLogFeature {
 public:
  explicit CsvLogFeature(ProgramContext& program);
  CsvLogFeature(const CsvLogFeature&) = delete;
  CsvLogFeature& operator=(const CsvLogFeature&) = delete;

  // The log while one was begun; nullptr before the first row.
  const CsvLog* Log() const { return log_.get(); }

 private:
  void AddRow();

  ProgramContext& program_;
  form::CheckBox* box_ = nullptr;
  // Begun with the first row: the program's folder is known by then.
  std::unique_ptr<CsvLog> log_;
  // This tick's row is kept.
  bool tick_taken_ = false;
};

}  // namespace kelvane::history
