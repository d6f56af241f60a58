#include "palmdata/palmtime.h"

#include <cmath>

#include "palmdata/errors.h"

namespace mirrin {

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's method).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

double MakeDate(int year, int month, int day) {
  // Months outside 1..12 roll into neighbouring years, as the classic DateSerial does.
  int64_t y = year + (month - 1) / 12;
  int m = (month - 1) % 12;
  if (m < 0) {
    m += 12;
    --y;
  }
  return static_cast<double>(DaysFromCivil(y, m + 1, 1) + (day - 1)) + kUnixEpochDay;
}

double MakeTime(int hour, int minute, int second) {
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

CivilDateTime SplitDate(double date) {
  const int64_t totalSeconds = std::llround(date * 86400.0);
  int64_t days = totalSeconds / 86400;
  int64_t secs = totalSeconds % 86400;
  if (secs < 0) {
    secs += 86400;
    --days;
  }
  CivilDateTime c;
  CivilFromDays(days - static_cast<int64_t>(kUnixEpochDay), c.year, c.month, c.day);
  c.hour = static_cast<int>(secs / 3600);
  c.minute = static_cast<int>(secs / 60 % 60);
  c.second = static_cast<int>(secs % 60);
  // Day 0 (1899-12-30) was a Saturday.
  c.weekday = static_cast<int>((((days % 7) + 7) % 7 + 6) % 7) + 1;
  return c;
}

double NthWeekdayOfMonth(int year, int month, int weekday, int n) {
  if (n < 1) n = 1;
  if (n > 5) n = 5;
  const double first = MakeDate(year, month, 1);
  int k = weekday - SplitDate(first).weekday;
  if (k < 0) k += 7;
  double d = first + 7 * (n - 1) + k;
  if (SplitDate(d).month != SplitDate(first).month) d -= 7;
  return d;
}

double TransitionDate(const TransitionRule& r, int year) {
  if (r.year == 0 && r.month == 0 && r.dayOfWeek == 0 && r.day == 0 && r.hour == 0 && r.minute == 0 &&
      r.second == 0 && r.milliseconds == 0) {
    return 1;
  }
  const double time = MakeTime(r.hour, r.minute, r.second);
  if (r.year != 0) return MakeDate(r.year, r.month, r.day) + time;
  return NthWeekdayOfMonth(year, r.month, r.dayOfWeek + 1, r.day) + time;
}

// The switch back to standard time is given in daylight wall-clock time;
// `endShift` moves it onto the clock `local` is read on.
static bool InDaylight(double local, const TimeZoneInfo& tz, double endShift) {
  if (tz.standardDate.month == 0) return false;
  const int year = SplitDate(std::floor(local)).year;
  // Compared in whole seconds: day fractions of the same instant, reached by
  // different sums, may differ in their last bit.
  const auto seconds = [](double day) { return std::llround(day * 86400.0); };
  const int64_t at = seconds(local);
  const int64_t start = seconds(TransitionDate(tz.daylightDate, year));
  const int64_t end = seconds(TransitionDate(tz.standardDate, year) + endShift);
  // In the southern hemisphere daylight time spans the new year, so the
  // daylight start falls after the standard start within one calendar year.
  if (start > end) return at >= start || at < end;
  return at >= start && at < end;
}

bool IsDaylightTime(double local, const TimeZoneInfo& tz) { return InDaylight(local, tz, 0); }

static double OffsetMinutes(double local, const TimeZoneInfo& tz) {
  return tz.bias + (IsDaylightTime(local, tz) ? tz.daylightBias : tz.standardBias);
}

double UtcToLocal(double utc, const TimeZoneInfo& tz) {
  // Read on the standard clock, daylight time ends (daylight - standard
  // bias) earlier than its wall-clock end; otherwise the hour after the
  // switch back would be shown an hour late.
  const double standardLocal = utc - (tz.bias + tz.standardBias) / 1440.0;
  const bool daylight = InDaylight(standardLocal, tz, (tz.daylightBias - tz.standardBias) / 1440.0);
  return utc - (tz.bias + (daylight ? tz.daylightBias : tz.standardBias)) / 1440.0;
}

double LocalToUtc(double local, const TimeZoneInfo& tz) { return local + OffsetMinutes(local, tz) / 1440.0; }

double SecondsToDate(uint32_t palmTime, const TimeZoneInfo& tz) {
  return UtcToLocal(kUnixEpochDay + palmTime / 86400.0, tz);
}

int64_t DateToSeconds(double local, const TimeZoneInfo& tz) {
  const double seconds = std::round((LocalToUtc(local, tz) - kUnixEpochDay) * 86400.0);
  if (!(seconds >= -2147483648.0 && seconds <= 4294967295.0)) {
    throw RunError(err::Overflow, "date outside the range of the data files");
  }
  return static_cast<int64_t>(seconds);
}

uint32_t PalmTimeOf(const PalmDate& date, const TimeZoneInfo& tz) {
  if (date.hasStored) {
    // Top byte FF reads as the start of 1970; any other stored value as itself.
    const uint32_t readAs = (date.stored >> 24) == 0xFF ? 0u : date.stored;
    if (SecondsToDate(readAs, tz) == date.value) return date.stored;
  }
  return static_cast<uint32_t>(DateToSeconds(date.value, tz));
}

}  // namespace mirrin
