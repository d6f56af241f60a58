#pragma once
// Dates for the benchmarks, perDay of them a day from firstDay. Half of
// each side's dates have a twin on the other side; the rest are near misses
// (the same slot, another text or length). user is 1 or 2.
#include <algorithm>
#include <string>

#include "palmdata/datebookfile.h"
#include "palmdata/palmtime.h"

namespace mirrin {

inline DateRecord BenchDate(int i, int user, double firstDay, int perDay) {
  DateRecord r;
  r.RecordId = 100000 + i;
  const double start = firstDay + i / perDay + MakeTime(8 + i % std::min(perDay, 12), (i % 4) * 15, 0);
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(start + MakeTime(1, 0, 0));
  r.Description = "Appointment " + std::to_string(i) + " with the team";
  r.Duration = 60;
  r.Note =
      "Agenda: review item " + std::to_string(i) + ", then plans for the next quarter.\r\nBring the figures.";
  r.AlarmSet = i % 2 == 0;
  r.AlarmAdvance = 10;
  r.Category = i % 3;
  if (i % 5 == 0) {
    // Weekly, ending a year on; the class name is what a written file needs.
    r.Repeat.Mutable().Hash = 0xFFFF;
    r.Repeat.Mutable().SchemaNo = 1;
    r.Repeat.Mutable().ClassName = "CWeekly";
    r.Repeat.Mutable().ClassNameLength = 7;
    r.Repeat.Mutable().Brand = 2;
    r.Repeat.Mutable().Interval = 1;
    r.Repeat.Mutable().EndDate = PalmDate::Local(start + 365);
    r.Repeat.Mutable().DaysMask = static_cast<uint8_t>(1u << (i % 7));
  }
  if (i % 2 == 1 && user == 2) {
    if (i % 4 == 1)
      r.Description += " (moved)";
    else
      r.Duration = 90;
  }
  return r;
}

}  // namespace mirrin
