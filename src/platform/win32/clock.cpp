#include "platform/win32/clock.h"

#include <windows.h>

#include <string>

#include "platform/win32/text_convert.h"

namespace kelvane::platform::win32 {
namespace {

// One locale field of the user, as UTF-8; "" when the locale does not have it.
std::string UserLocaleText(LCTYPE field) {
  char buffer[96] = {};
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, field, buffer, sizeof buffer);
  if (length <= 1) return {};
  return AcpToUtf8(std::string_view(buffer, static_cast<std::size_t>(length - 1)));
}

SYSTEMTIME ToSystemTime(const DateTime& t) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

}  // namespace

Win32Clock::Win32Clock() {
  // XP has no GetTickCount64, and GetTickCount wraps after 49.7 days; the
  // performance counter does neither and never follows changes of the date.
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency)) counts_per_second_ = frequency.QuadPart;
}

double Win32Clock::MonotonicSeconds() {
  LARGE_INTEGER now;
  if (counts_per_second_ <= 0 || !QueryPerformanceCounter(&now)) {
    return GetTickCount() / 1000.0;
  }
  // Split into whole seconds and the rest, so that the double keeps the
  // counter's resolution however long the machine has been up.
  const std::int64_t whole = now.QuadPart / counts_per_second_;
  const std::int64_t rest = now.QuadPart % counts_per_second_;
  return static_cast<double>(whole) +
         static_cast<double>(rest) / static_cast<double>(counts_per_second_);
}

DateTime Win32Clock::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::DecimalSeparator() {
  return UserLocaleText(LOCALE_SDECIMAL);
}
std::string Win32Clock::AmDesignator() {
  return UserLocaleText(LOCALE_S1159);
}
std::string Win32Clock::PmDesignator() {
  return UserLocaleText(LOCALE_S2359);
}

int Win32Clock::UtcOffsetMinutes() {
  // XP has no GetDynamicTimeZoneInformation; the bias of the zone's current
  // period is the same here. Biases count the other way: UTC = local + bias.
  TIME_ZONE_INFORMATION zone = {};
  LONG bias = 0;
  switch (GetTimeZoneInformation(&zone)) {
    case TIME_ZONE_ID_STANDARD:
      bias = zone.Bias + zone.StandardBias;
      break;
    case TIME_ZONE_ID_DAYLIGHT:
      bias = zone.Bias + zone.DaylightBias;
      break;
    case TIME_ZONE_ID_UNKNOWN:
      bias = zone.Bias;
      break;
    default:
      return 0;
  }
  return static_cast<int>(-bias);
}

std::string Win32Clock::GeneralDateTime(const DateTime& t) {
  const SYSTEMTIME st = ToSystemTime(t);
  char date[96] = {};
  const int date_length =
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  std::string text;
  if (date_length > 1) text.append(date, static_cast<std::size_t>(date_length - 1));
  return AcpToUtf8(text) + ' ' + TimeText(t);
}

std::string Win32Clock::TimeText(const DateTime& t) {
  const SYSTEMTIME st = ToSystemTime(t);
  char time[96] = {};
  const int time_length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
  std::string text;
  if (time_length > 1) text.append(time, static_cast<std::size_t>(time_length - 1));
  return AcpToUtf8(text);
}

}  // namespace kelvane::platform::win32
