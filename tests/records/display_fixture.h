#pragma once
// Records and lists for the list display and detail tests: records are put
// into the stores directly and listed with their row texts.
#include <string>

#include "palmdata/palmtime.h"
#include "records/rowtext.h"
#include "support/session_fixture.h"

namespace mirrin::test {

inline DateRecord MakeDateRecord(int32_t id, const std::string& description, double start) {
  DateRecord r;
  r.RecordId = id;
  r.Description = description;
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(start + 1.0 / 24);
  return r;
}

inline void AddCategory(DatFileHeader& header, int32_t index, const std::string& name, bool show = true) {
  CategoryEntry e;
  e.Index = index;
  e.Id = index + 100;
  e.LongName = name;
  e.ShortName = name.substr(0, 8);
  e.Show = show;
  header.Categories.push_back(e);
  header.CategoryCount = static_cast<int32_t>(header.Categories.size()) - 1;
}

// Lists every record of the kind on that side, as the kind selection does.
inline void ListAll(Session& s, Side side, Kind kind) {
  for (size_t i = 0; i < s.Store(side).Count(kind); ++i) {
    const auto index = static_cast<int32_t>(i);
    s.List(side).AddItem(RowText(s, side, kind, index), index);
  }
}

// The row of a side's list whose item data is `record`; -1 when none.
inline int RowOf(Session& s, Side side, int32_t record) {
  for (int row = 0; row < s.List(side).ListCount(); ++row) {
    if (s.List(side).ItemData(row) == record) return row;
  }
  return -1;
}

}  // namespace mirrin::test
