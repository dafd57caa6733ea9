// The readings history: the last hour at one point a second and the last 24
// hours at one band a minute (lowest, average, highest), fed once per counted
// poll tick, and the spans a graph draws from it.
//
// Time. Every tick is placed on one line of seconds, its instant: the local
// time less the zone's offset from UTC at that tick. Daylight saving moves the
// local time and the offset together, so it neither tears nor folds the
// history. Other jumps of the wall clock are the user's (or a sleep of the
// machine), and the history cannot tell them apart:
//  - forward: the time in between is missing time, a gap like a time when the
//    program did not run;
//  - backward: the whole history moves back by whole minutes, just far enough
//    to lie before the new tick, so the buffers stay in time order and the
//    newest readings stay beside "now";
//  - a second tick in the same second is left out (each second has one point,
//    and the minute's band counts each tick once).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "history/time_ring.h"
#include "platform/platform.h"
#include "probe/stats.h"

namespace kelvane::history {

// The nine readings in the order of Meter (the logs' order), as the history
// keeps them: a float holds every temperature and fan reading exactly and a
// voltage as the statistics keep it.
using MeterValues = std::array<float, kMeterCount>;
MeterValues ValuesByMeter(const TickValues& values);

// One counted poll tick, as the history and the CSV log take it.
struct Tick {
  platform::DateTime local;
  int utc_offset_minutes = 0;
  TickValues values;
  bool stale = false;
};

// Seconds since 1970-01-01 00:00:00 UTC. A file's records lie between 1970
// and the end of 9999; others are not taken.
inline constexpr std::int64_t kLastInstant = 253402300799;  // 9999-12-31 23:59:59
std::int64_t InstantOf(const platform::DateTime& local, int utc_offset_minutes);

// One second as the history keeps it.
struct SecondRecord {
  std::int64_t at = 0;
  bool stale = false;
  MeterValues values{};
};

// One minute's band: of its fresh ticks the lowest, the average and the
// highest reading per meter (zeros when it had none).
struct MinuteRecord {
  std::int64_t at = 0;  // the instant of the minute's first second
  std::int16_t utc_offset_minutes = 0;
  std::uint8_t fresh_ticks = 0;
  std::uint8_t stale_ticks = 0;
  MeterValues low{}, mean{}, high{};
};

// What a graph draws for a span of time [begin, end).
struct Point {
  std::int64_t at = 0;
  MeterValues low{}, mean{}, high{};  // all three alike for a second
};
struct Interval {
  std::int64_t begin = 0, end = 0;  // [begin, end)
  friend bool operator==(const Interval&, const Interval&) = default;
};
struct Span {
  std::int64_t begin = 0, end = 0;
  int step = 1;  // seconds one point stands for: 1 or 60
  // Each run is drawn as one line; a line never joins two runs. Runs break
  // at stale readings and at missing time.
  std::vector<std::vector<Point>> runs;
  // Times of stale readings, shaded on the graph.
  std::vector<Interval> stale;
};

enum class SpanKind { kTenMinutes, kHour, kDay };

class History {
 public:
  static constexpr int kSecondsKept = 3600;
  static constexpr int kMinutesKept = 1440;
  // Points of seconds at most this far apart are joined: a poll timer that
  // runs late now and then skips a second without meaning a gap.
  static constexpr int kJoinSeconds = 3;

  // Records one tick (see the header comment for ticks not later than the last).
  void Add(const Tick& tick);

  // Put back what a file kept, oldest first: each record must be later than
  // the last of its kind and well formed, else it is refused (false) and the
  // history is as it was.
  bool RestoreMinute(const MinuteRecord& record);
  bool RestoreSecond(const SecondRecord& record);

  // The instant of the newest tick (restored or added); nullopt when none.
  std::optional<std::int64_t> Newest() const;
  // The records kept, oldest first.
  void ForEachMinute(const std::function<void(const MinuteRecord&)>& visit) const;
  void ForEachSecond(const std::function<void(const SecondRecord&)>& visit) const;
  std::optional<SecondRecord> SecondAt(std::int64_t at) const;
  std::optional<MinuteRecord> MinuteAt(std::int64_t at) const;  // the minute holding `at`
  // The local time, in seconds of the local calendar, of an instant: by the
  // offset of its minute, or of the newest minute when it has none.
  std::int64_t LocalOf(std::int64_t at) const;

  // Seconds and minutes of [begin, end).
  Span Seconds(std::int64_t begin, std::int64_t end) const;
  Span Minutes(std::int64_t begin, std::int64_t end) const;
  // The span that ends with the second `now`: ten minutes or an hour of
  // seconds, or 24 hours of minute bands.
  Span Query(SpanKind kind, std::int64_t now) const;

 private:
  enum class State : std::uint8_t { kMissing, kFresh, kStale };
  struct SecondSlot {
    MeterValues values{};
    State state = State::kMissing;
  };
  struct MinuteSlot {
    MeterValues low{}, mean{}, high{};
    std::int16_t utc_offset_minutes = 0;
    std::uint8_t fresh_ticks = 0;
    std::uint8_t stale_ticks = 0;
  };

  void MoveBackBefore(std::int64_t at);
  MinuteSlot& MinuteFor(std::int64_t at, int utc_offset_minutes);
  static MinuteRecord RecordOf(std::int64_t minute, const MinuteSlot& slot);

  TimeRing<SecondSlot, kSecondsKept> seconds_;
  TimeRing<MinuteSlot, kMinutesKept> minutes_;  // keyed by minute: instant / 60
  // The newest minute's sums, so that its average is not rounded at each tick.
  std::array<double, kMeterCount> sums_{};
  std::optional<std::int64_t> newest_;
};

}  // namespace kelvane::history
