#pragma once
// Records and lists for the list display and detail tests: records are put
// into the stores directly and listed with their row texts.
#include <string>

#include "mainwindow/rowtext.h"
#include "support/palmrecords.h"
#include "support/session_fixture.h"

namespace mirrin::test {

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
