// Ticks for the readings history, one second apart on a simulated wall clock.
#pragma once

#include <cstdint>

#include "history/history.h"
#include "platform/calendar.h"

namespace kelvane::testing {

struct TickFeed {
  platform::DateTime local{2026, 12, 7, 9, 0, 0};
  int offset = 60;  // minutes ahead of UTC

  history::Tick Make(int cpu, bool stale = false) const {
    history::Tick t;
    t.local = local;
    t.utc_offset_minutes = offset;
    t.values.cpu_temp = cpu;
    t.values.mb_temp = cpu / 2;
    t.values.cpu_fan = 3000 + cpu;
    t.values.v12 = 12.16f;
    t.values.vcore = 1.52f;
    t.stale = stale;
    return t;
  }
  // Feeds one tick at the current time, then moves the clock a second on.
  void Feed(history::History& h, int cpu, bool stale = false) {
    h.Add(Make(cpu, stale));
    Skip(1);
  }
  void Skip(std::int64_t seconds) { local = platform::AddSeconds(local, seconds); }
  std::int64_t Now() const { return history::InstantOf(local, offset); }
};

inline float Cpu(const history::MeterValues& v) {
  return v[static_cast<std::size_t>(Meter::kCpuTemp)];
}

}  // namespace kelvane::testing
