#include "sysplatform/systemtimezone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "support/filebuilder.h"
#include "support/scopedenv.h"

namespace mirrin {
namespace {

#ifndef _WIN32
TimeZoneInfo Zone(const char* name) {
  const std::optional<TimeZoneInfo> tz = LoadTimeZone(name);
  if (!tz) ADD_FAILURE() << name << " not loaded (is tzdata installed?)";
  return tz.value_or(TimeZoneInfo{});
}

// Each zone as loaded converts as the C library does with the same zone, on
// both sides of every 2024 switch of these zones, in the hour after each
// switch back to standard time, and across the new year.
TEST(SystemTimeZoneTest, LoadedZonesConvertAsTheCLibraryDoes) {
  test::ScopedEnv restore("TZ", nullptr);
  const int moments[][3] = {{1, 15, 12}, {3, 10, 6}, {3, 10, 8},   {3, 31, 0},  {3, 31, 2},  {4, 6, 15},
                            {4, 6, 18},  {7, 1, 12}, {10, 5, 15},  {10, 5, 17}, {10, 27, 0}, {10, 27, 3},
                            {11, 3, 4},  {11, 3, 8}, {12, 24, 12}, {10, 27, 1}, {4, 6, 16},  {11, 3, 6}};
  for (const char* name :
       {"UTC", "Europe/Berlin", "America/New_York", "Australia/Sydney", "Asia/Kolkata", "America/St_Johns"}) {
    const TimeZoneInfo tz = Zone(name);
    ::setenv("TZ", name, 1);
    ::tzset();
    for (const auto& [month, day, hour] : moments) {
      const double utc = MakeDate(2024, month, day) + MakeTime(hour, 0, 0);
      const time_t seconds = std::llround((utc - kUnixEpochDay) * 86400);
      std::tm local{};
      ::localtime_r(&seconds, &local);
      EXPECT_EQ(std::round((SecondsToDate(static_cast<uint32_t>(seconds), tz) - utc) * 1440),
                local.tm_gmtoff / 60)
          << name << " 2024-" << month << "-" << day << " " << hour << ":00 UTC";
    }
  }
}
#endif

TEST(PosixRuleTest, RejectsMalformedRules) {
  for (const char* bad : {"", "AB1", "CET", "CET-1CEST,M3.5.0", "CET-1CEST,M13.1.0,M10.5.0",
                          "CET-1CEST,M3.6.0,M10.5.0", "<CET-1", "CET-1 junk", "CET-1:60"}) {
    EXPECT_FALSE(TimeZoneFromPosixRule(bad)) << bad;
  }
}

TEST(TzifTest, DamagedFilesAreRejectedNotOverread) {
  const std::string berlin = test::ReadFileBytes("/usr/share/zoneinfo/Europe/Berlin");
  ASSERT_GT(berlin.size(), 100u);
  for (size_t cut : {size_t{0}, size_t{10}, size_t{44}, size_t{60}, berlin.size() / 2}) {
    EXPECT_FALSE(TimeZoneFromTzif(berlin.substr(0, cut))) << cut;
  }
  std::string hugeCount = berlin;
  hugeCount[32] = '\x7f';  // transition count far beyond the file
  EXPECT_FALSE(TimeZoneFromTzif(hugeCount));
  EXPECT_FALSE(TimeZoneFromTzif("not a zone file at all, not at all, no no no no no"));
}

#ifndef _WIN32
TEST(SystemZone, TzVariableNamesAZoneAFileOrARule) {
  test::ScopedEnv restore("TZ", nullptr);
  struct Case {
    const char* tz;
    int bias;
    const char* name;  // the zone's name, empty for none
  };
  for (const Case& c :
       {Case{"Europe/Berlin", -60, "Europe/Berlin"}, Case{":America/New_York", 300, "America/New_York"},
        Case{"/usr/share/zoneinfo/Australia/Sydney", -600, "Australia/Sydney"},
        Case{"Africa/Casablanca", -60, "Africa/Casablanca"},  // "<+01>-1"
        Case{"XYZ-3", -180, ""}, Case{"", 0, "UTC"}, Case{"../../etc/passwd", 0, ""}}) {
    ::setenv("TZ", c.tz, 1);
    EXPECT_EQ(SystemTimeZone().bias, c.bias) << c.tz;
    EXPECT_EQ(SystemTimeZoneName(), c.name) << c.tz;
  }
  ::setenv("TZ", "../../etc/passwd", 1);
  SystemTimeZone();
  EXPECT_NE(SystemTimeZoneProblem().find("TZ=../../etc/passwd: "), std::string::npos);
  // What is not a zone file falls back to UTC at once, and says why.
  test::TempDir dir;
  test::WriteFileBytes(dir.File("huge"), std::string(size_t{1} << 21, 'x'));
  for (const std::string& bad : {std::string("America"), std::string("/dev/zero"), dir.File("huge")}) {
    ::setenv("TZ", bad.c_str(), 1);
    EXPECT_EQ(SystemTimeZone().bias, 0) << bad;
    EXPECT_NE(SystemTimeZoneProblem().find("TZ=" + bad + ": cannot read "), std::string::npos)
        << SystemTimeZoneProblem();
  }
}
#endif

}  // namespace
}  // namespace mirrin
