#pragma once
// The parts of Platform that come from the machine rather than from the
// window toolkit: window titles, clock, time zone and program folder. The
// toolkit's Platform forwards these to one SystemServices.
#include <string>
#include <vector>

#include "palmdata/palmtime.h"

namespace mirrin {

class SystemServices {
 public:
  // Reads the time zone and the program folder once, as start-up does.
  SystemServices();

  // In the data files' code page, so the running check compares like with like.
  std::vector<std::string> TopLevelWindowTitles() const;
  // Local date and time as a day count, by the time zone read at start.
  double Now() const;
  const TimeZoneInfo& TimeZone() const { return timeZone_; }
  const std::string& ProgramDirectory() const { return programDir_; }

 private:
  TimeZoneInfo timeZone_;
  std::string programDir_;
};

}  // namespace mirrin
