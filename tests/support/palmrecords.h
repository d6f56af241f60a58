#pragma once
// Records and category tables built in memory, for tests that fill stores
// directly (lists, details, exports).
#include <string>

#include "palmdata/palmtime.h"
#include "palmdata/datebookfile.h"
#include "startup/catfilter.h"

namespace mirrin::test {

// A timed date from `start` to `end` (one hour when not given), local times.
inline DateRecord MakeDateRecord(int32_t id, const std::string& description, double start, double end = -1) {
  DateRecord r;
  r.RecordId = id;
  r.Description = description;
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(end < 0 ? start + 1.0 / 24 : end);
  return r;
}

inline void AddCategory(KindHeader& header, int32_t index, const std::string& name, bool show = true) {
  CategoryEntry e;
  e.Index = index;
  e.Id = index + 100;
  e.LongName = name;
  e.ShortName = name.substr(0, 8);
  header.Categories.push_back(e);
  header.Flags(header.Categories.size() - 1).shown = show;
  header.CategoryCount = static_cast<int32_t>(header.Categories.size()) - 1;
}

}  // namespace mirrin::test
