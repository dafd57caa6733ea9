#include "history/history.h"

#include <algorithm>
#include <cmath>

#include "platform/calendar.h"

namespace kelvane::history {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return q * b > a ? q - 1 : q;
}

void Saturating(std::uint8_t& count) {
  if (count < 255) ++count;
}

bool AllFinite(const MeterValues& values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// Appends `point` to the last run, or starts a new one when the line must not
// join it (a break since, or too far from the run's last point).
void Extend(Span& span, const Point& point, bool& broken, std::int64_t join) {
  if (broken || span.runs.empty() || point.at - span.runs.back().back().at > join)
    span.runs.emplace_back();
  span.runs.back().push_back(point);
  broken = false;
}

void Shade(Span& span, std::int64_t begin, std::int64_t end) {
  if (!span.stale.empty() && span.stale.back().end == begin)
    span.stale.back().end = end;
  else
    span.stale.push_back({begin, end});
}

}  // namespace

MeterValues ValuesByMeter(const TickValues& v) {
  MeterValues out{};
  auto put = [&out](Meter m, float value) { out[static_cast<std::size_t>(m)] = value; };
  put(Meter::kCpuTemp, static_cast<float>(v.cpu_temp));
  put(Meter::kMbTemp, static_cast<float>(v.mb_temp));
  put(Meter::kCpuFan, static_cast<float>(v.cpu_fan));
  put(Meter::kPowerFan, static_cast<float>(v.power_fan));
  put(Meter::kChassisFan, static_cast<float>(v.chassis_fan));
  put(Meter::kV12, v.v12);
  put(Meter::kV5, v.v5);
  put(Meter::kV33, v.v33);
  put(Meter::kVCore, v.vcore);
  return out;
}

std::int64_t InstantOf(const platform::DateTime& local, int utc_offset_minutes) {
  return platform::ToSerialSeconds(local) - std::int64_t{utc_offset_minutes} * 60;
}

void History::MoveBackBefore(std::int64_t at) {
  // Whole minutes, so that every second stays in the minute it was counted in.
  const std::int64_t minutes = FloorDiv(*newest_ - at, 60) + 1;
  seconds_.MoveBack(minutes * 60);
  minutes_.MoveBack(minutes);
  *newest_ -= minutes * 60;
}

History::MinuteSlot& History::MinuteFor(std::int64_t at, int utc_offset_minutes) {
  const std::int64_t minute = FloorDiv(at, 60);
  if (!minutes_.Empty() && minute <= minutes_.Newest()) return minutes_.NewestSlot();
  MinuteSlot& slot = minutes_.Advance(minute);
  slot.utc_offset_minutes = static_cast<std::int16_t>(utc_offset_minutes);
  sums_ = {};
  return slot;
}

void History::Add(const Tick& tick) {
  const std::int64_t at = InstantOf(tick.local, tick.utc_offset_minutes);
  if (newest_ && at == *newest_) return;
  if (newest_ && at < *newest_) MoveBackBefore(at);
  newest_ = at;

  const MeterValues values = ValuesByMeter(tick.values);
  SecondSlot& second = seconds_.Advance(at);
  second.values = values;
  second.state = tick.stale ? State::kStale : State::kFresh;

  MinuteSlot& minute = MinuteFor(at, tick.utc_offset_minutes);
  if (tick.stale) {
    Saturating(minute.stale_ticks);
    return;
  }
  Saturating(minute.fresh_ticks);
  for (std::size_t m = 0; m < values.size(); ++m) {
    const float v = values[m];
    const bool first = minute.fresh_ticks == 1;
    minute.low[m] = first ? v : std::min(minute.low[m], v);
    minute.high[m] = first ? v : std::max(minute.high[m], v);
    sums_[m] = (first ? 0 : sums_[m]) + v;
    // Between low and high however the division rounds.
    minute.mean[m] = std::clamp(static_cast<float>(sums_[m] / minute.fresh_ticks), minute.low[m],
                                minute.high[m]);
  }
}

bool History::RestoreMinute(const MinuteRecord& r) {
  if (r.at < 0 || r.at > kLastInstant) return false;
  const std::int64_t minute = FloorDiv(r.at, 60);
  if (r.at != minute * 60 || r.fresh_ticks + r.stale_ticks == 0) return false;
  if (!minutes_.Empty() && minute <= minutes_.Newest()) return false;
  if (!AllFinite(r.low) || !AllFinite(r.mean) || !AllFinite(r.high)) return false;
  for (std::size_t m = 0; m < r.low.size(); ++m) {
    if (r.fresh_ticks > 0 && !(r.low[m] <= r.mean[m] && r.mean[m] <= r.high[m])) return false;
  }
  if (r.utc_offset_minutes < -24 * 60 || r.utc_offset_minutes > 24 * 60) return false;
  // A band never lies before a second restored already.
  if (newest_ && r.at <= *newest_) return false;
  MinuteSlot& slot = minutes_.Advance(minute);
  slot = {r.low, r.mean, r.high, r.utc_offset_minutes, r.fresh_ticks, r.stale_ticks};
  for (std::size_t m = 0; m < sums_.size(); ++m) sums_[m] = double{r.mean[m]} * r.fresh_ticks;
  newest_ = r.at;
  return true;
}

bool History::RestoreSecond(const SecondRecord& r) {
  if (r.at < 0 || r.at > kLastInstant || !AllFinite(r.values)) return false;
  if (!seconds_.Empty() && r.at <= seconds_.Newest()) return false;
  // A second lies in a band already restored, not after all of them: that
  // band counted it.
  if (minutes_.Empty() || FloorDiv(r.at, 60) > minutes_.Newest()) return false;
  SecondSlot& slot = seconds_.Advance(r.at);
  slot.values = r.values;
  slot.state = r.stale ? State::kStale : State::kFresh;
  newest_ = std::max(*newest_, r.at);
  return true;
}

std::optional<std::int64_t> History::Newest() const {
  return newest_;
}

MinuteRecord History::RecordOf(std::int64_t minute, const MinuteSlot& slot) {
  return {
      minute * 60, slot.utc_offset_minutes, slot.fresh_ticks, slot.stale_ticks, slot.low, slot.mean,
      slot.high};
}

void History::ForEachMinute(const std::function<void(const MinuteRecord&)>& visit) const {
  if (minutes_.Empty()) return;
  for (std::int64_t m = minutes_.Newest() - kMinutesKept + 1; m <= minutes_.Newest(); ++m) {
    const MinuteSlot* slot = minutes_.Find(m);
    if (slot && slot->fresh_ticks + slot->stale_ticks > 0) visit(RecordOf(m, *slot));
  }
}

void History::ForEachSecond(const std::function<void(const SecondRecord&)>& visit) const {
  if (seconds_.Empty()) return;
  for (std::int64_t t = seconds_.Newest() - kSecondsKept + 1; t <= seconds_.Newest(); ++t) {
    if (auto record = SecondAt(t)) visit(*record);
  }
}

std::optional<SecondRecord> History::SecondAt(std::int64_t at) const {
  const SecondSlot* slot = seconds_.Find(at);
  if (!slot || slot->state == State::kMissing) return std::nullopt;
  return SecondRecord{at, slot->state == State::kStale, slot->values};
}

std::optional<MinuteRecord> History::MinuteAt(std::int64_t at) const {
  const std::int64_t minute = FloorDiv(at, 60);
  const MinuteSlot* slot = minutes_.Find(minute);
  if (!slot || slot->fresh_ticks + slot->stale_ticks == 0) return std::nullopt;
  return RecordOf(minute, *slot);
}

std::int64_t History::LocalOf(std::int64_t at) const {
  if (auto minute = MinuteAt(at)) return at + std::int64_t{minute->utc_offset_minutes} * 60;
  if (minutes_.Empty()) return at;
  return at + std::int64_t{minutes_.Find(minutes_.Newest())->utc_offset_minutes} * 60;
}

Span History::Seconds(std::int64_t begin, std::int64_t end) const {
  Span span{begin, end, 1, {}, {}};
  if (seconds_.Empty()) return span;
  // Only the seconds the ring can hold: a span of years costs no more.
  const std::int64_t first = std::max(begin, seconds_.Newest() - kSecondsKept + 1);
  const std::int64_t last = std::min(end - 1, seconds_.Newest());
  bool broken = true;
  for (std::int64_t t = first; t <= last; ++t) {
    const SecondSlot* slot = seconds_.Find(t);
    if (!slot || slot->state == State::kMissing) continue;
    if (slot->state == State::kStale) {
      Shade(span, t, t + 1);
      broken = true;
      continue;
    }
    Extend(span, Point{t, slot->values, slot->values, slot->values}, broken, kJoinSeconds);
  }
  return span;
}

Span History::Minutes(std::int64_t begin, std::int64_t end) const {
  Span span{begin, end, 60, {}, {}};
  if (minutes_.Empty()) return span;
  bool broken = true;
  const std::int64_t first = std::max(FloorDiv(begin, 60), minutes_.Newest() - kMinutesKept + 1);
  const std::int64_t last = std::min(FloorDiv(end - 1, 60), minutes_.Newest());
  for (std::int64_t m = first; m <= last; ++m) {
    const MinuteSlot* slot = minutes_.Find(m);
    if (!slot) continue;
    // A minute that was partly stale keeps the band of its fresh readings:
    // at one minute a point the stale seconds inside it have no width.
    if (slot->stale_ticks > 0) Shade(span, m * 60, m * 60 + 60);
    if (slot->fresh_ticks == 0) {
      broken = true;
      continue;
    }
    Extend(span, Point{m * 60, slot->low, slot->mean, slot->high}, broken, 60);
  }
  return span;
}

Span History::Query(SpanKind kind, std::int64_t now) const {
  switch (kind) {
    case SpanKind::kTenMinutes:
      return Seconds(now - 599, now + 1);
    case SpanKind::kHour:
      return Seconds(now - 3599, now + 1);
    case SpanKind::kDay:
      break;
  }
  // Whole minutes: the newest one, still filling, is the last band.
  const std::int64_t end = (FloorDiv(now, 60) + 1) * 60;
  return Minutes(end - 86400, end);
}

}  // namespace kelvane::history
