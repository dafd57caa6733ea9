// The date-time in the names of the files the program writes on request (the
// bitmaps of the dashboards, the High/Low report).
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvane {

// "yyyy-mm-dd_hh.nn.ss AMPM": the hour on the 12-hour clock (01 to 12), then a
// space and the locale's morning or afternoon designator, e.g.
// "2026-12-06_04.12.33 PM". A locale without designators gets neither the
// space nor a designator.
std::string FileTimeStamp(const platform::DateTime& t, std::string_view am, std::string_view pm);

}  // namespace kelvane
