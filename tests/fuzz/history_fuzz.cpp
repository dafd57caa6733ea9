// The history file's reader on any text: it reads a prefix of whole records,
// and what it read writes back as a file that reads back the same.
#include "fuzz_input.h"
#include "history/history_file.h"
#include "platform/calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvane;
  using Status = history::ReadOutcome::Status;
  const std::string_view input = fuzz::AsText(data, size);
  history::History h;
  const history::ReadOutcome outcome = history::ReadHistoryText(input, h);
  FUZZ_EXPECT(outcome.records >= 0);
  FUZZ_EXPECT((outcome.status == Status::kComplete) == (outcome.bad_line == 0));
  if (outcome.status == Status::kForeign) FUZZ_EXPECT(outcome.records == 0 && !h.Newest());
  if (outcome.status == Status::kComplete) {
    FUZZ_EXPECT(outcome.records == static_cast<int>(fuzz::Lines(input).size()) - 1);
  }
  FUZZ_EXPECT(outcome.records == 0 || h.Newest());

  // What was read is kept whole: written and read again, it is the same.
  const std::string text = history::HistoryText(h);
  history::History again;
  const history::ReadOutcome second = history::ReadHistoryText(text, again);
  FUZZ_EXPECT(second.status == Status::kComplete);
  FUZZ_EXPECT(second.records <= outcome.records);
  FUZZ_EXPECT(history::HistoryText(again) == text);

  // The spans a graph asks for, and a tick after the file (or long before it).
  if (const auto newest = h.Newest()) {
    for (auto kind :
         {history::SpanKind::kTenMinutes, history::SpanKind::kHour, history::SpanKind::kDay}) {
      const history::Span span = h.Query(kind, *newest);
      for (const auto& run : span.runs) FUZZ_EXPECT(!run.empty());
    }
    // A tick right after the newest one, and one long before it (a clock set
    // back): each takes its second and its minute, and is the newest.
    for (const std::int64_t at : {*newest + 1, *newest - 10 * 86400 + 7}) {
      history::Tick tick;
      tick.local = platform::FromSerialSeconds(at);
      h.Add(tick);
      FUZZ_EXPECT(h.Newest() == at);
      FUZZ_EXPECT(h.SecondAt(at) && h.MinuteAt(at));
    }
  }
  return 0;
}
