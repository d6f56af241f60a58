#pragma once
// Two users' stores and an export context on Central European time (named
// Europe/Berlin), the export's moment fixed at 1 June 2024 12:00 UTC.
#include <array>
#include <string>

#include "export/exportset.h"
#include "sysplatform/systemtimezone.h"
#include "support/palmrecords.h"

namespace mirrin::test {

struct ExportFixture {
  std::array<UserStore, 2> stores;
  Settings settings;
  LabelTables labels;
  TimeZoneInfo tz = *TimeZoneFromPosixRule("CET-1CEST,M3.5.0,M10.5.0/3");
  std::string zoneName = "Europe/Berlin";

  ExportContext Context() {
    return ExportContext{
        stores,   settings,       labels, tz, DateToSeconds(MakeDate(2024, 6, 1) + MakeTime(12, 0, 0), {}),
        zoneName, {"Anna", "Bob"}};
  }
  DateRecord& AddDate(Side side, int32_t id, const std::string& description, double start, double end) {
    return stores[side].dates.emplace_back(MakeDateRecord(id, description, start, end));
  }
  static void Repeat(DateRecord& r, int32_t brand, double endDate) {
    r.Repeat.Mutable().Hash = 65535;
    r.Repeat.Mutable().SchemaNo = 1;
    r.Repeat.Mutable().Brand = brand;
    r.Repeat.Mutable().Interval = 1;
    r.Repeat.Mutable().EndDate = PalmDate::Local(endDate);
  }
};

// Runs Debian's own Python (where python3-icalendar and python3-vobject
// live) on a script; its standard output, or none when it failed.
std::string RunSystemPython(const std::string& script, const std::string& inputPath, int& status);

}  // namespace mirrin::test
