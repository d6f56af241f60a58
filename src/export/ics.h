#pragma once
// Dates and To Dos as an iCalendar file (RFC 5545). Timed dates are local
// times of the system zone, named with its VTIMEZONE (or floating where the
// zone has no name), so that a repeat falls on its local weekday at its
// local time on both sides of a clock change, as on the handheld; untimed
// dates are all-day events. Repeats become RRULE (with UNTIL, or without an
// end for the far-future end dates that mean forever), exceptions EXDATE in
// the start's form, alarms VALARM; To Dos are VTODOs.
#include <string>
#include <vector>

#include "export/exportset.h"

namespace mirrin {

// A VCALENDAR of the records: VEVENTs for Dates, VTODOs for To Dos.
// std::invalid_argument for any other kind.
std::string CalendarText(const ExportContext& c, Kind kind, const std::vector<ExportRecord>& records);

}  // namespace mirrin
