#pragma once
// What an export writes: which records of which user, and what it needs to
// turn them into text (category names, labels, the time-zone rules of the
// files and the moment of the export).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "palmdata/palmtime.h"
#include "mainwindow/labeltables.h"
#include "mainwindow/userstore.h"
#include "startup/settings.h"

namespace mirrin {

struct ExportRecord {
  Side side = kLeft;
  int32_t index = 0;
};

struct ExportContext {
  const std::array<UserStore, 2>& stores;
  const Settings& settings;
  const LabelTables& labels;
  TimeZoneInfo timeZone;
  int64_t stamp = 0;                     // the export's moment, seconds since 1970 UTC
  std::string zoneName;                  // the tz database name of timeZone; empty: unknown
  std::array<std::string, 2> userNames;  // as the users file names them

  const UserStore& Store(Side side) const { return stores[side]; }
};

// The live records of a kind (not deleted or archived), the left user's in
// file order and, with `both`, then the right user's that have no twin by
// the program's own rules among the left records exported. Private records
// only with includePrivate; custom records have no private flag.
std::vector<ExportRecord> ChooseRecords(const ExportContext& c, Kind kind, bool both, bool includePrivate);

// The record's category name for the export; empty for "Unfiled".
std::string ExportCategory(const ExportContext& c, Kind kind, const ExportRecord& r);

// Seconds since 1970 UTC as "YYYYMMDDTHHMMSSZ".
std::string UtcStampText(int64_t seconds);
// The day of a local date-time, to the nearest second: a date converted
// from a Palm time may fall a hair before its midnight.
double LocalDay(double local);
// The local date's day as "YYYYMMDD".
std::string DayText(double local);

}  // namespace mirrin
