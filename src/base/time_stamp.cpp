#include "base/time_stamp.h"

#include <cstdio>

namespace kelvane {

std::string FileTimeStamp(const platform::DateTime& t, std::string_view am, std::string_view pm) {
  const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d.%02d.%02d", t.year % 10000, t.month % 100,
                t.day % 100, hour12, t.minute % 100, t.second % 100);
  std::string stamp = text;
  const std::string_view designator = t.hour < 12 ? am : pm;
  if (!designator.empty()) stamp.append(" ").append(designator);
  return stamp;
}

}  // namespace kelvane
