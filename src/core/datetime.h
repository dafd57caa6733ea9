// Calendar arithmetic on the platform's DateTime.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kelvane {

// Seconds since 1970-01-01 00:00:00 of the same (local) calendar.
std::int64_t ToSerialSeconds(const platform::DateTime& t);
platform::DateTime FromSerialSeconds(std::int64_t seconds);

// `t` moved by `seconds` (either sign).
platform::DateTime AddSeconds(const platform::DateTime& t, std::int64_t seconds);

}  // namespace kelvane
