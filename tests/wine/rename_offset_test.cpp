// Renaming a file without replacing another, and the zone's offset from UTC.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/calendar.h"
#include "platform/win32/clock.h"
#include "platform/win32/files.h"
#include "wine_test_support.h"

namespace kelvane::platform::win32 {
namespace {

using wine_test::ReadBytes;
using wine_test::ScratchFolder;

TEST(FilesRename, GivesTheFileItsNewNameAndNeverReplacesAnother) {
  ScratchFolder folder;
  Win32Files files;
  const std::string from = folder.path() + "history.dat";
  const std::string to = from + ".foreign";
  ASSERT_TRUE(files.WriteText(from, "ours", false));
  ASSERT_TRUE(files.WriteText(to, "set aside before", false));
  EXPECT_FALSE(files.Rename(from, to));
  EXPECT_EQ(ReadBytes(from), "ours");
  EXPECT_EQ(ReadBytes(to), "set aside before");

  const std::string free_name = from + ".foreign2";
  EXPECT_TRUE(files.Rename(from, free_name));
  EXPECT_FALSE(files.FileExists(from));
  EXPECT_EQ(ReadBytes(free_name), "ours");
  EXPECT_FALSE(files.Rename(from, from + ".foreign3"));  // nothing to rename
}

DateTime FromSystemTime(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

TEST(ClockOffset, IsTheLocalTimeLessUtc) {
  Win32Clock clock;
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  const std::int64_t seconds =
      ToSerialSeconds(FromSystemTime(local)) - ToSerialSeconds(FromSystemTime(utc));
  // The two readings may straddle a second; zones are whole quarter hours.
  const std::int64_t minutes = (seconds + (seconds < 0 ? -450 : 450)) / 900 * 15;
  EXPECT_EQ(clock.UtcOffsetMinutes(), minutes);
}

}  // namespace
}  // namespace kelvane::platform::win32
