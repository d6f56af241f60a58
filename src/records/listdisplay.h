#pragma once
// Count labels, pairing of the two lists, the categories view and the
// redraw of one row after its category changed.
#include <cstdint>
#include <string>

#include "records/session.h"

namespace mirrin {

// numrec1/numrec2: "<rows> Records (of <total> in total)" in the entries
// view, "<rows> Records" in the categories view.
void WriteCountLabels(Session& s);

// Pairs near-identical rows of the two lists through the list index maps
// (entries view only). Errors are reported under "Error: UpdateLists ...".
void UpdateLists(Session& s);

// Fills both lists with the category tables of the shown kind.
void DisplayCategories(Session& s);

// Gives the side's current record the chosen category (name and index) and
// redraws list row `row` in place.
void UpdateCategory(Session& s, Side side, const std::string& name, int32_t index, int row);

// Disables the ten transfer buttons (the Add pair only in the entries view).
void DisableTransferButtons(Session& s);

}  // namespace mirrin
