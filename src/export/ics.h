#pragma once
// Dates and To Dos as an iCalendar file (RFC 5545). Timed dates are given
// in UTC, which is what the Palm files hold; untimed dates are all-day
// events on their local day. Repeats become RRULE (with UNTIL, or without
// an end for the far-future end dates that mean forever), exceptions
// EXDATE, alarms VALARM; To Dos are VTODOs.
#include <string>
#include <vector>

#include "export/exportset.h"

namespace mirrin {

// A VCALENDAR of the records: VEVENTs for Dates, VTODOs for To Dos.
// std::invalid_argument for any other kind.
std::string CalendarText(const ExportContext& c, Kind kind, const std::vector<ExportRecord>& records);

}  // namespace mirrin
