#pragma once
// Count labels, pairing of the two lists, the categories view and the
// redraw of one row after its category changed.
#include <cstdint>
#include <string>

#include "mainwindow/session.h"

namespace mirrin {

// recordCount: "<rows> Records (of <total> in total)" in the entries
// view, "<rows> Records" in the categories view.
void WriteCountLabels(Session& s);

// Pairs near-identical rows of the two lists through the list index maps
// (entries view only), after clearing every pair. The maps grow first when
// a list has more rows than they hold. Errors are reported under
// "Error: UpdateLists <step> <p>,<q>".
void UpdateLists(Session& s);

// The row of the other list that row `row` of the side's list is paired
// with; -1 when none (or when the map names no row the other list has).
int Partner(Session& s, Side side, int row);

// Sets the side's map entry for `row` (-1 clears it). Both maps grow, keeping
// their entries, when the row lies past their end.
void SetPartner(Session& s, Side side, int row, int32_t partner);

// Fills both lists with the category tables of the shown kind.
void DisplayCategories(Session& s);

// Gives the side's current record the chosen category (name and index) and
// redraws list row `row` in place.
void UpdateCategory(Session& s, Side side, const std::string& name, int32_t index, int row);

// Disables the ten transfer buttons (the Add pair only in the entries view).
void DisableTransferButtons(Session& s);

}  // namespace mirrin
