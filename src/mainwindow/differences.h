#pragma once
// Which fields of two paired records differ, as the twin rules judge them,
// and marking them in the two detail panes.
#include <cstdint>
#include <string>
#include <vector>

#include "mainwindow/session.h"

namespace mirrin {

// The names of the fields ("Note", "Alarm", ...) in which record leftIndex
// of the left store and record rightIndex of the right store differ, in the
// order the detail panes show them; empty when the twin rules find none.
std::vector<std::string> DifferingFields(Session& s, Kind kind, int32_t leftIndex, int32_t rightIndex);

// The same for row `row` of a side's list and its partner row, joined with
// ", " ("Note, Alarm"); empty when the row has no partner or none differs.
std::string RowDifferences(Session& s, Side side, int row);

// With exactly one row selected in each list (entries view, details shown):
// marks the description box (Dates) and the detail lines of each pane that
// belong to a differing field; otherwise clears every mark.
void MarkDifferences(Session& s);

}  // namespace mirrin
