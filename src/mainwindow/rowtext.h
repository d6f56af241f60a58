#pragma once
// What a list row looks like for each kind. Building a row text also sets
// the record's display state in the store (RowDisplay).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/errors.h"
#include "mainwindow/session.h"

namespace mirrin {

// The entries-view row text of record `index` of the side's store of `kind`
// (with the 100-space tail and record id for the four Palm kinds), setting
// the record's display state. `category`, when given, is the name shown
// instead of the one the header gives (a category just chosen in the menu);
// Dates always take theirs from the record.
std::string RowText(Session& s, Side side, Kind kind, int32_t index, const std::string* category = nullptr);

// What the operator sees of a row: the text before the 100 spaces and
// record id that end the rows of the four Palm kinds.
std::string ShownRowText(const std::string& row);
// The same, as a view into row.
std::string_view ShownRowView(std::string_view row);

// The categories-view row of the entry at `position`: the long name cut or
// padded to 16 characters, a TAB, then "Yes" or "No" for the show flag.
std::string CategoryRowText(const KindHeader& header, size_t position, bool dbcs);

// The record a row's item data (or a current record index) names; error 9
// when the store has no such record, so a stale index never reads past the array.
template <typename Record>
Record& RowRecord(std::vector<Record>& records, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= records.size()) {
    throw RunError(err::SubscriptOutOfRange, "record " + std::to_string(index));
  }
  return records[static_cast<size_t>(index)];
}

}  // namespace mirrin
