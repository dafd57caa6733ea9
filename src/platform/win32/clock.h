// The Win32 clock: the performance counter for waits, the local time, and the
// user's locale for decimal separator, date-time text and AM/PM designators.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kelvane::platform::win32 {

class Win32Clock final : public Clock {
 public:
  Win32Clock();
  double MonotonicSeconds() override;
  DateTime Now() override;
  std::string DecimalSeparator() override;
  std::string GeneralDateTime(const DateTime& t) override;
  std::string TimeText(const DateTime& t) override;
  std::string AmDesignator() override;
  std::string PmDesignator() override;
  int UtcOffsetMinutes() override;

 private:
  std::int64_t counts_per_second_ = 0;
};

}  // namespace kelvane::platform::win32
