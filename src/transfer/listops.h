#pragma once
// What the transfer operations share: walking, removing and reselecting
// list rows, copying one record across, and the room a store has left.
#include <cstdint>
#include <string>
#include <vector>

#include "mainwindow/session.h"
#include "transfer/copyrules.h"

namespace mirrin {

// Where a list's selection and scroll position were before its rows changed.
struct ListPlace {
  int row = -1;
  int top = 0;
};
ListPlace RememberPlace(const forms::ListBox& list);

// Gives a list its selection back at the remembered place, clamped to the
// rows it has now (nothing when it has none). Selecting runs the list's
// selection handling. topFirst: set the top row before the selected row.
void RestorePlace(forms::ListBox& list, ListPlace place, bool topFirst);

// The item data (record indexes) of the selected rows, in list order.
std::vector<int32_t> SelectedRecords(const forms::ListBox& list);

// Removes the selected rows of the side's list, keeping the others with
// their item data, and clears every pair of both lists.
void RemoveSelectedRows(Session& s, Side side);

// After an operation on the selected rows of a side's list: the rows leave
// the list, both count labels are rewritten, the side's pane is cleared, the
// lists are paired again, the transfer buttons are disabled and the list
// gets its selection back at the same place.
void TakeRowsOut(Session& s, Side side);

// The fields every Palm record starts with, of record `index` of a kind;
// null for the custom kind. Error 9 when the store has no such record.
CommonFields* CommonOf(UserStore& store, Kind kind, int32_t index);

// Applies the kind's copy rule from record sourceIndex of side `from` onto
// record targetIndex of the other side. `suffix` is handed to the date rule;
// categories the target's full table refused go to notAdded.
void CopyRecord(Session& s, Kind kind, Side from, int32_t sourceIndex, int32_t targetIndex,
                const std::string& suffix, CategoriesNotAdded& notAdded);

// Tells the operator, once for a whole transfer, which categories the
// target's table could not take. `records`: records were copied and went
// to "Unfiled" (not a category added in the categories view).
void TellCategoriesNotAdded(Session& s, Side target, Kind kind, const CategoriesNotAdded& names,
                            bool records);

// The lists keep record indexes and row positions as 16-bit numbers, so a
// user holds at most this many records of a kind.
inline constexpr size_t kMostRecordsOfKind = 32767;

// True when `target` can take `adding` more records of the kind; otherwise
// tells the operator and returns false.
bool RoomFor(Session& s, Kind kind, Side target, size_t adding);

// The title of the program's questions and notices: "Mirrin 3.0.26".
std::string NoticeTitle();

}  // namespace mirrin
