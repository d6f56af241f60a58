#pragma once
// The machine's time-zone rules in the shape the date conversions use. On
// Windows the system gives them in that shape; on Linux they come from the
// tz database: the POSIX rule at the end of a zone
// file ("CET-1CEST,M3.5.0,M10.5.0/3") gives the bias, the daylight bias and
// the two "n-th weekday of a month" transitions.
#include <optional>
#include <string>
#include <string_view>

#include "palmdata/palmtime.h"

namespace mirrin {

// A POSIX TZ rule; none when it cannot be parsed. A daylight rule this record
// cannot express (day-of-year forms) leaves the zone on standard time.
std::optional<TimeZoneInfo> TimeZoneFromPosixRule(std::string_view rule);

// A compiled zone file (TZif). Files without a trailing rule give the offset
// of their last transition, without daylight time.
std::optional<TimeZoneInfo> TimeZoneFromTzif(std::string_view data);

// A zone by name ("Europe/Berlin", below TZDIR or /usr/share/zoneinfo) or
// by absolute file path.
std::optional<TimeZoneInfo> LoadTimeZone(std::string_view name);

// The zone of this process: the TZ environment variable (a zone name, ":"
// name, file path or POSIX rule), else /etc/localtime (on Windows the
// system's zone), else UTC.
TimeZoneInfo SystemTimeZone();

#ifdef _WIN32
// The system's zone from GetTimeZoneInformation, whose record TimeZoneInfo
// copies field by field.
TimeZoneInfo WindowsTimeZone();
#endif

// The tz database name of the zone SystemTimeZone reads ("Europe/Berlin"),
// from TZ or the /etc/localtime link; empty when the zone has no name (a
// POSIX rule in TZ, a file outside the zone folder).
std::string SystemTimeZoneName();

// Why the last SystemTimeZone fell back to UTC although TZ or /etc/localtime
// named something (a folder, a device, a file too large, no rule); empty
// when it did not.
const std::string& SystemTimeZoneProblem();

}  // namespace mirrin
