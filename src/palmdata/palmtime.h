#pragma once
// Local dates are day counts from 1899-12-30 with the time of day as the
// fraction; the files hold seconds since 1970 UTC. The time-zone record has
// the shape of the classic system call, so the transitions are "n-th weekday
// of a month" rules.
#include <cstdint>

namespace mirrin {

struct TransitionRule {
  int year = 0;  // 0: the rule repeats every year
  int month = 0;
  int dayOfWeek = 0;  // 0 = Sunday
  int day = 0;        // occurrence 1..5 of dayOfWeek (5 = last) when year is 0
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

struct TimeZoneInfo {
  int bias = 0;  // minutes: UTC = local + bias
  int standardBias = 0;
  int daylightBias = 0;
  TransitionRule standardDate;  // month 0: the zone has no daylight time
  TransitionRule daylightDate;
};

constexpr double kUnixEpochDay = 25569.0;  // 1970-01-01 as a local date

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
  int weekday = 7;  // 1 = Sunday ... 7 = Saturday
};

double MakeDate(int year, int month, int day);
double MakeTime(int hour, int minute, int second);

// The handheld marks "never ends" and "no due date" with dates at the end of
// 2031. The detail text calls a repeat endless after the day itself, the
// matching and the exports a minute later.
// Worked out once: every record's twin test asks.
inline double LastRepeatDay() {
  static const double day = MakeDate(2031, 12, 30);
  return day;
}
inline double RepeatForeverAfter() {
  static const double after = LastRepeatDay() + MakeTime(0, 1, 0);
  return after;
}
// To Do due dates from this moment on mean no due date.
inline double NoDueDateFrom() {
  static const double from = MakeDate(2031, 12, 31) + MakeTime(21, 0, 0);
  return from;
}
// Nearest whole second, so 12:00:00 never shows as 11:59:59.
CivilDateTime SplitDate(double date);

double NthWeekdayOfMonth(int year, int month, int weekday, int n);
double TransitionDate(const TransitionRule& rule, int year);
bool IsDaylightTime(double local, const TimeZoneInfo& tz);
double UtcToLocal(double utc, const TimeZoneInfo& tz);
double LocalToUtc(double local, const TimeZoneInfo& tz);

// Palm time is unsigned seconds since 1970 UTC.
double SecondsToDate(uint32_t palmTime, const TimeZoneInfo& tz);
// Whole seconds from 1970 UTC. Error 6 outside what a 32-bit Palm time can
// hold: before 1901 (written as a negative long) or after 2106 (unsigned).
int64_t DateToSeconds(double local, const TimeZoneInfo& tz);

// A date field keeps the Palm time it was read from. Converting local time
// back is not one-to-one (the repeated hour in autumn, the "no date" values
// whose top byte is FF), so an unchanged date is written back as read.
struct PalmDate {
  double value = 0;  // local date
  uint32_t stored = 0;
  bool hasStored = false;

  static PalmDate Local(double value) { return PalmDate{value, 0, false}; }
  static PalmDate FromStored(uint32_t stored, double value) { return PalmDate{value, stored, true}; }
  bool operator==(const PalmDate& other) const { return value == other.value; }
};

// The Palm time to write for a date: the stored one while the value is
// still the one it was read as.
uint32_t PalmTimeOf(const PalmDate& date, const TimeZoneInfo& tz);

}  // namespace mirrin
