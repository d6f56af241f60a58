#include "startup/systemtimezone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/filebuilder.h"
#include "support/scopedenv.h"

namespace mirrin {
namespace {

TimeZoneInfo Zone(const char* name) {
  const std::optional<TimeZoneInfo> tz = LoadTimeZone(name);
  if (!tz) ADD_FAILURE() << name << " not loaded (is tzdata installed?)";
  return tz.value_or(TimeZoneInfo{});
}

void ExpectRule(const TransitionRule& r, int month, int day, int dayOfWeek, int hour, int minute = 0) {
  EXPECT_EQ(r.year, 0);
  EXPECT_EQ(r.month, month);
  EXPECT_EQ(r.day, day);
  EXPECT_EQ(r.dayOfWeek, dayOfWeek);
  EXPECT_EQ(r.hour, hour);
  EXPECT_EQ(r.minute, minute);
}

// Minutes that converting a UTC moment to local time adds.
double LocalMinusUtcMinutes(const TimeZoneInfo& tz, int y, int m, int d, int h) {
  const double utc = MakeDate(y, m, d) + MakeTime(h, 0, 0);
  const auto seconds = static_cast<uint32_t>(std::llround((utc - kUnixEpochDay) * 86400));
  return std::round((SecondsToDate(seconds, tz) - utc) * 1440);
}

TEST(SystemTimeZoneTest, InstalledZonesGiveTheirOffsetsAndRules) {
  struct Case {
    const char* name;
    int bias;
    int daylightBias;
    int daylightMonth, daylightWeek, daylightHour;  // month 0: no daylight time
    int standardMonth, standardWeek, standardHour;
  };
  const Case cases[] = {
      {"UTC", 0, 0, 0, 0, 0, 0, 0, 0},
      {"Europe/Berlin", -60, -60, 3, 5, 2, 10, 5, 3},     // last Sundays of March and October
      {"America/New_York", 300, -60, 3, 2, 2, 11, 1, 2},  // second Sunday of March, first of November
      {"Australia/Sydney", -600, -60, 10, 1, 2, 4, 1, 3}, // daylight time spans the new year
      {"Asia/Kolkata", -330, 0, 0, 0, 0, 0, 0, 0},
      {"America/St_Johns", 210, -60, 3, 2, 2, 11, 1, 2},
      {"Africa/Casablanca", -60, 0, 0, 0, 0, 0, 0, 0},     // "<+01>-1": quoted name, no daylight rule
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TimeZoneInfo tz = Zone(c.name);
    EXPECT_EQ(tz.bias, c.bias);
    EXPECT_EQ(tz.standardBias, 0);
    EXPECT_EQ(tz.daylightBias, c.daylightBias);
    if (c.daylightMonth == 0) {
      EXPECT_EQ(tz.daylightDate.month, 0);
      EXPECT_EQ(tz.standardDate.month, 0);
    } else {
      ExpectRule(tz.daylightDate, c.daylightMonth, c.daylightWeek, 0, c.daylightHour);
      ExpectRule(tz.standardDate, c.standardMonth, c.standardWeek, 0, c.standardHour);
    }
  }
}

TEST(SystemTimeZoneTest, LoadedRulesConvertAcrossTheSwitchAndTheNewYear) {
  const TimeZoneInfo berlin = Zone("Europe/Berlin");
  EXPECT_EQ(LocalMinusUtcMinutes(berlin, 2024, 7, 1, 12), 120);
  EXPECT_EQ(LocalMinusUtcMinutes(berlin, 2024, 1, 15, 12), 60);
  // 2024-03-31 is the last Sunday: 00:30 UTC is 01:30 standard time, 01:30 UTC is 03:30 summer time.
  EXPECT_EQ(LocalMinusUtcMinutes(berlin, 2024, 3, 31, 0), 60);
  EXPECT_EQ(LocalMinusUtcMinutes(berlin, 2024, 3, 31, 2), 120);
  const TimeZoneInfo sydney = Zone("Australia/Sydney");
  EXPECT_EQ(LocalMinusUtcMinutes(sydney, 2024, 1, 15, 12), 660) << "January is summer there";
  EXPECT_EQ(LocalMinusUtcMinutes(sydney, 2024, 7, 1, 12), 600);
  EXPECT_EQ(LocalMinusUtcMinutes(sydney, 2024, 12, 24, 12), 660);
}

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

TEST(SystemZone, TzVariableNamesAZoneAFileOrARule) {
  test::ScopedEnv restore("TZ", nullptr);
  struct Case {
    const char* tz;
    int bias;
    const char* name;  // the zone's name, empty for none
  };
  for (const Case& c : {Case{"Europe/Berlin", -60, "Europe/Berlin"}, Case{":America/New_York", 300, "America/New_York"},
                        Case{"/usr/share/zoneinfo/Australia/Sydney", -600, "Australia/Sydney"},
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

}  // namespace
}  // namespace mirrin
