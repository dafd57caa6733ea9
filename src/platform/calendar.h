// Calendar arithmetic on DateTime: the poll cycle's elapsed time and the
// simulated desktop's wall clock both count in it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kelvane::platform {

// Seconds since 1970-01-01 00:00:00 of the same (local) calendar.
std::int64_t ToSerialSeconds(const DateTime& t);
DateTime FromSerialSeconds(std::int64_t seconds);

// `t` moved by `seconds` (either sign).
DateTime AddSeconds(const DateTime& t, std::int64_t seconds);

}  // namespace kelvane::platform
