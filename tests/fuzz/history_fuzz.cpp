// The history file's reader on any text: it reads a prefix of whole records,
// and what it read writes back as a file that reads back the same.
#include "fuzz_input.h"
#include "history/history_file.h"

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
    history::Tick tick;
    tick.local = {2026, 12, 7, 9, 0, 0};
    h.Add(tick);
    FUZZ_EXPECT(h.SecondAt(*h.Newest()));
  }
  return 0;
}
