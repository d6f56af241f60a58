#include "palmdata/palmtime.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"

namespace mirrin {
namespace {

// Central European rules: daylight from the last Sunday of March 02:00 to the
// last Sunday of October 03:00.
TimeZoneInfo Berlin() {
  TimeZoneInfo tz;
  tz.bias = -60;
  tz.daylightBias = -60;
  tz.daylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
  tz.standardDate = {0, 10, 0, 5, 3, 0, 0, 0};
  return tz;
}

TEST(PalmTime, CalendarHelpers) {
  EXPECT_EQ(MakeDate(1970, 1, 1), kUnixEpochDay);
  EXPECT_EQ(MakeDate(2024, 13, 1), MakeDate(2025, 1, 1));
  const CivilDateTime c = SplitDate(MakeDate(2024, 2, 29) + MakeTime(23, 59, 59));
  EXPECT_EQ(c.second, 59);
  EXPECT_EQ(c.weekday, 5) << "29 February 2024 was a Thursday";
  EXPECT_EQ(SplitDate(0).weekday, 7) << "day 0 was a Saturday";
  // Last Sunday of March 2024 is the 31st, first Monday of April the 1st.
  EXPECT_EQ(NthWeekdayOfMonth(2024, 3, 1, 5), MakeDate(2024, 3, 31));
  EXPECT_EQ(NthWeekdayOfMonth(2024, 4, 2, 1), MakeDate(2024, 4, 1));
  EXPECT_EQ(NthWeekdayOfMonth(2024, 4, 2, 9), NthWeekdayOfMonth(2024, 4, 2, 5)) << "n is clamped";
}

TEST(PalmTime, ZoneWithoutDaylightTime) {
  const TimeZoneInfo utc;
  EXPECT_EQ(SecondsToDate(86400, utc), MakeDate(1970, 1, 2));
  EXPECT_EQ(DateToSeconds(MakeDate(1970, 1, 2), utc), 86400);
  EXPECT_EQ(DateToSeconds(MakeDate(1969, 12, 31), utc), -86400);
  EXPECT_EQ(DateToSeconds(MakeDate(2100, 1, 1), utc), 4102444800);
  EXPECT_THROW(DateToSeconds(MakeDate(2107, 1, 1), utc), RunError);
  EXPECT_THROW(DateToSeconds(MakeDate(1901, 1, 1), utc), RunError);
  EXPECT_EQ(SecondsToDate(0xFFFFFFFFu, utc), kUnixEpochDay + 4294967295.0 / 86400.0);
}

TEST(PalmTime, UnchangedDatesKeepTheirStoredSeconds) {
  const TimeZoneInfo tz = Berlin();
  // 01:30 UTC on 27 October 2024 falls in the hour that local time repeats;
  // converting back gives another instant, so the stored value must win.
  const uint32_t repeatedHour =
      static_cast<uint32_t>(DateToSeconds(MakeDate(2024, 10, 27), TimeZoneInfo{}) + 5400);
  const PalmDate read = PalmDate::FromStored(repeatedHour, SecondsToDate(repeatedHour, tz));
  EXPECT_NE(static_cast<uint32_t>(DateToSeconds(read.value, tz)), repeatedHour);
  EXPECT_EQ(PalmTimeOf(read, tz), repeatedHour);
  PalmDate edited = read;
  edited.value += 1;
  EXPECT_EQ(PalmTimeOf(edited, tz), static_cast<uint32_t>(DateToSeconds(edited.value, tz)));
}

}  // namespace
}  // namespace mirrin
