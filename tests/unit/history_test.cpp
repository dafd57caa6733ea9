// The readings history: what it keeps, the spans a graph draws, gaps, and
// clocks that jump.
#include "history/history.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "history_fixture.h"

// Counts the bytes allocated while a test asks for it, to weigh the history.
// The replacement pair is malloc and free throughout; GCC, seeing free() where
// a new-expression's pointer ends, would warn of a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
bool counting = false;
std::size_t counted_bytes = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (counting) counted_bytes += size;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
// The library's temporary buffers (a stable sort's) come from the nothrow form.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) counted_bytes += size;
  return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

namespace kelvane {
namespace {

using history::History;
using history::Interval;
using history::Span;
using history::SpanKind;
using testing::Cpu;
using testing::TickFeed;

std::size_t PointCount(const Span& span) {
  std::size_t n = 0;
  for (const auto& run : span.runs) n += run.size();
  return n;
}

TEST(History, TheWholeHistoryOfADayAndMoreStaysWithinHalfAMegabyte) {
  counted_bytes = 0;
  counting = true;
  auto h = std::make_unique<History>();
  const std::size_t made = counted_bytes;
  TickFeed feed;
  for (int s = 0; s < 25 * 3600; ++s) feed.Feed(*h, s % 100, s % 700 == 0);
  counting = false;
  EXPECT_LE(made, 512u * 1024u);
  // Feeding a day allocates nothing more: the memory does not grow.
  EXPECT_EQ(counted_bytes, made);
}

TEST(History, SecondsKeepTheLastHourAndBandsTheLastDay) {
  auto h = std::make_unique<History>();
  TickFeed feed;
  const std::int64_t start = feed.Now();
  for (int s = 0; s < 25 * 3600; ++s) feed.Feed(*h, s % 60);
  const std::int64_t last = feed.Now() - 1;
  ASSERT_EQ(h->Newest(), last);

  const Span hour = h->Query(SpanKind::kHour, last);
  ASSERT_EQ(hour.runs.size(), 1u);
  EXPECT_EQ(hour.runs[0].size(), 3600u);
  EXPECT_EQ(hour.runs[0].front().at, last - 3599);
  EXPECT_EQ(Cpu(hour.runs[0].back().mean), static_cast<float>((25 * 3600 - 1) % 60));
  EXPECT_FALSE(h->SecondAt(last - 3600));
  EXPECT_EQ(PointCount(h->Query(SpanKind::kTenMinutes, last)), 600u);

  const Span day = h->Query(SpanKind::kDay, last);
  EXPECT_EQ(day.step, 60);
  ASSERT_EQ(day.runs.size(), 1u);
  ASSERT_EQ(day.runs[0].size(), 1440u);
  // Each minute saw the readings 0 to 59 once.
  const history::Point& band = day.runs[0][700];
  EXPECT_EQ(Cpu(band.low), 0.0f);
  EXPECT_EQ(Cpu(band.high), 59.0f);
  EXPECT_EQ(Cpu(band.mean), 29.5f);
  EXPECT_EQ(band.mean[static_cast<std::size_t>(Meter::kV12)], 12.16f);
  EXPECT_FALSE(h->MinuteAt(start));  // more than a day ago
  EXPECT_TRUE(day.stale.empty());
}

TEST(History, AMinuteBandCountsOnlyItsFreshTicksAndIsShadedWhenAnyWasStale) {
  History h;
  TickFeed feed;
  for (int s = 0; s < 60; ++s) feed.Feed(h, s < 10 ? 99 : 40 + s % 2, s < 10);  // partly stale
  for (int s = 0; s < 60; ++s) feed.Feed(h, 0, true);                           // wholly stale
  for (int s = 0; s < 60; ++s) feed.Feed(h, 50);
  const std::int64_t first = feed.Now() - 180;

  auto band = h.MinuteAt(first);
  ASSERT_TRUE(band);
  EXPECT_EQ(band->fresh_ticks, 50);
  EXPECT_EQ(band->stale_ticks, 10);
  EXPECT_EQ(Cpu(band->high), 41.0f);  // the stale 99 does not count
  EXPECT_EQ(Cpu(band->mean), 40.5f);

  const Span day = h.Minutes(first, first + 180);
  // The wholly stale minute leaves a gap between two bands.
  ASSERT_EQ(day.runs.size(), 2u);
  EXPECT_EQ(day.runs[0].front().at, first);
  EXPECT_EQ(day.runs[1].front().at, first + 120);
  EXPECT_EQ(day.stale, (std::vector<Interval>{{first, first + 120}}));
}

TEST(History, StaleSecondsAndMissingTimeBreakTheLineAndOnlyStaleOnesAreShaded) {
  History h;
  TickFeed feed;
  const std::int64_t t0 = feed.Now();
  for (int s = 0; s < 10; ++s) feed.Feed(h, 40);
  for (int s = 0; s < 5; ++s) feed.Feed(h, 40, true);  // 10..14 stale
  for (int s = 0; s < 5; ++s) feed.Feed(h, 41);        // 15..19
  feed.Skip(2);                                        // a late timer: 20 and 21 missed
  for (int s = 0; s < 5; ++s) feed.Feed(h, 42);        // 22..26
  feed.Skip(30);                                       // the program did not run
  for (int s = 0; s < 5; ++s) feed.Feed(h, 43);        // 57..61

  const Span span = h.Seconds(t0, t0 + 62);
  ASSERT_EQ(span.runs.size(), 3u);
  EXPECT_EQ(span.runs[0].size(), 10u);
  EXPECT_EQ(span.runs[1].front().at, t0 + 15);  // joined over the late timer's two seconds
  EXPECT_EQ(span.runs[1].back().at, t0 + 26);
  EXPECT_EQ(span.runs[2].front().at, t0 + 57);
  EXPECT_EQ(span.stale, (std::vector<Interval>{{t0 + 10, t0 + 15}}));

  // A minute with no tick breaks the bands as well.
  History m;
  TickFeed f;
  for (int s = 0; s < 120; ++s) f.Feed(m, 40);
  f.Skip(120);
  for (int s = 0; s < 60; ++s) f.Feed(m, 40);
  EXPECT_EQ(m.Query(SpanKind::kDay, f.Now() - 1).runs.size(), 2u);
}

TEST(History, TheNewestMinuteIsABandWhileItFills) {
  History h;
  TickFeed feed;  // 09:00:00
  for (int s = 0; s < 70; ++s) feed.Feed(h, s);
  const Span day = h.Query(SpanKind::kDay, feed.Now() - 1);
  ASSERT_EQ(day.runs.size(), 1u);
  ASSERT_EQ(day.runs[0].size(), 2u);
  EXPECT_EQ(Cpu(day.runs[0][1].low), 60.0f);
  EXPECT_EQ(Cpu(day.runs[0][1].high), 69.0f);
  EXPECT_EQ(day.end, feed.Now() + 50);  // the end of the minute that holds the last tick
}

TEST(History, DaylightSavingNeitherTearsNorFoldsTheHistory) {
  History h;
  TickFeed feed;  // 09:00:00, an hour ahead of UTC
  for (int s = 0; s < 60; ++s) feed.Feed(h, 40);
  // Spring: the clock goes an hour on as the offset grows by an hour.
  feed.Skip(3600);
  feed.offset += 60;
  for (int s = 0; s < 60; ++s) feed.Feed(h, 41);
  // Autumn: back again.
  feed.Skip(-3600);
  feed.offset -= 60;
  for (int s = 0; s < 60; ++s) feed.Feed(h, 42);

  const Span span = h.Query(SpanKind::kTenMinutes, feed.Now() - 1);
  ASSERT_EQ(span.runs.size(), 1u);
  ASSERT_EQ(span.runs[0].size(), 180u);
  EXPECT_EQ(Cpu(span.runs[0][59].mean), 40.0f);
  EXPECT_EQ(Cpu(span.runs[0][60].mean), 41.0f);
  EXPECT_EQ(Cpu(span.runs[0][120].mean), 42.0f);
  // Each point shows the local time of its own minute.
  using platform::ToSerialSeconds;
  EXPECT_EQ(h.LocalOf(span.runs[0][0].at), ToSerialSeconds({2026, 12, 7, 9, 0, 0}));
  EXPECT_EQ(h.LocalOf(span.runs[0][60].at), ToSerialSeconds({2026, 12, 7, 10, 1, 0}));
  EXPECT_EQ(h.LocalOf(span.runs[0][179].at), ToSerialSeconds({2026, 12, 7, 9, 2, 59}));
}

TEST(History, AClockSetBackMovesTheHistoryBackByWholeMinutesKeepingItsOrder) {
  History h;
  TickFeed feed;                                  // 09:00:00
  for (int s = 0; s < 150; ++s) feed.Feed(h, s);  // to 09:02:29
  feed.Skip(-200);                                // 08:59:10
  for (int s = 0; s < 10; ++s) feed.Feed(h, 200 + s);

  const std::int64_t now = feed.Now() - 1;
  const Span span = h.Query(SpanKind::kTenMinutes, now);
  // The earlier readings moved four minutes back, to end at 08:58:29 before
  // the new ones, in their order; the band of each minute moved along.
  ASSERT_EQ(span.runs.size(), 2u);
  EXPECT_EQ(span.runs[0].size(), 150u);
  EXPECT_EQ(Cpu(span.runs[0].back().mean), 149.0f);
  EXPECT_EQ(span.runs[0].back().at, h.Newest().value() - 9 - 41);
  EXPECT_EQ(Cpu(span.runs[1].front().mean), 200.0f);
  EXPECT_EQ(Cpu(h.MinuteAt(span.runs[0].front().at)->high), 59.0f);
  EXPECT_EQ(Cpu(h.MinuteAt(now)->low), 200.0f);

  // However far back, and a second tick in the same second changes nothing.
  feed.Skip(-10 * 86400);
  feed.Feed(h, 300);
  feed.Skip(-1);
  feed.Feed(h, 999);
  EXPECT_EQ(Cpu(h.SecondAt(feed.Now() - 1)->values), 300.0f);
  EXPECT_EQ(Cpu(h.SecondAt(feed.Now() - 2)->values), 209.0f);  // right before it
  // Its minute holds the ten moved seconds and the new one, counted once.
  EXPECT_EQ(h.MinuteAt(feed.Now() - 1)->fresh_ticks, 11);
  EXPECT_EQ(Cpu(h.MinuteAt(feed.Now() - 1)->high), 300.0f);
  EXPECT_EQ(PointCount(h.Query(SpanKind::kHour, feed.Now() - 1)), 161u);
}

TEST(History, AClockSetForwardLeavesMissingTimeAndOldReadingsFallOut) {
  History h;
  TickFeed feed;
  for (int s = 0; s < 60; ++s) feed.Feed(h, 40);
  feed.Skip(2 * 3600);
  for (int s = 0; s < 60; ++s) feed.Feed(h, 41);
  const std::int64_t now = feed.Now() - 1;
  EXPECT_EQ(PointCount(h.Query(SpanKind::kHour, now)), 60u);
  const Span day = h.Query(SpanKind::kDay, now);
  ASSERT_EQ(day.runs.size(), 2u);
  EXPECT_EQ(day.runs[1][0].at - day.runs[0][0].at, 2 * 3600 + 60);
}

}  // namespace
}  // namespace kelvane
