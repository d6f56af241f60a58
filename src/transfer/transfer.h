#pragma once
// The transfer buttons between the two lists. Each operation takes the side
// it acts towards: Add, Change and Move bring records to that side; Delete
// and Make private act on that side's own selected rows. In the window, a
// pane's add/change/del/move/priv buttons act towards its side.
#include "mainwindow/session.h"

namespace mirrin {

// add: copies the rows selected in the other list to `target`
// (entries view), or adds the category selected there, or "NewCategory"
// when none is (categories view).
void AddAcross(Session& s, Side target);

// change: overwrites the current record of `target` with the
// current record of the other side.
void ChangeAcross(Session& s, Side target);

// del: marks the rows selected in the side's list deleted (or
// archived, with ArchiveDeleted on); in the categories view deletes the
// selected category, moving its records to "Unfiled".
void DeleteOnSide(Session& s, Side side);

// move: adds the rows selected in the other list to `target` and
// deletes them there; entries view only.
void MoveAcross(Session& s, Side target);

// priv: marks the rows selected in the side's list private.
void MakePrivate(Session& s, Side side);

// archive: Delete archives while the box is checked (this run only).
void ArchiveClicked(Session& s);

// Adds every selected row of the `source` list to the other side, in list
// order; returns how many were added.
int AddSelected(Session& s, Kind kind, Side source);

// Marks the records of every selected row of the side's list deleted or archived.
void DeleteSelected(Session& s, Side side, Kind kind);

}  // namespace mirrin
