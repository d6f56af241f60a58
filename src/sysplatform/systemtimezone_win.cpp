#include <windows.h>

#include "sysplatform/systemtimezone.h"

namespace mirrin {

namespace {

TransitionRule RuleOf(const SYSTEMTIME& t) {
  TransitionRule r;
  r.year = t.wYear;
  r.month = t.wMonth;
  r.dayOfWeek = t.wDayOfWeek;
  r.day = t.wDay;
  r.hour = t.wHour;
  r.minute = t.wMinute;
  r.second = t.wSecond;
  r.milliseconds = t.wMilliseconds;
  return r;
}

}  // namespace

TimeZoneInfo WindowsTimeZone() {
  TIME_ZONE_INFORMATION info{};
  if (GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID) return TimeZoneInfo{};
  TimeZoneInfo tz;
  tz.bias = static_cast<int>(info.Bias);
  tz.standardBias = static_cast<int>(info.StandardBias);
  tz.daylightBias = static_cast<int>(info.DaylightBias);
  tz.standardDate = RuleOf(info.StandardDate);
  tz.daylightDate = RuleOf(info.DaylightDate);
  return tz;
}

}  // namespace mirrin
