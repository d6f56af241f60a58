#pragma once
// Selecting rows and what follows from it: the partner row, the transfer
// buttons enabled, and the detail panes under the lists filled.
#include "mainwindow/session.h"

namespace mirrin {

// Sets a flag for a scope and puts back what it was.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = was_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

// Empties a side's pane: line and description cleared and locked, the
// "Show this Category" box unchecked and disabled.
void ClearDetail(Session& s, Side side);

// detail1 / detail2: fills a side's pane from its current record.
void Detail(Session& s, Side side);

// The selection of a side's list changed (click, key or program).
void ListSelectionChanged(Session& s, Side side);

// Key down / key up on a side's list.
void ListKeyDown(Session& s, Side side, forms::KeyCode key);
void ListKeyUp(Session& s, Side side);

// editNotes: switches the notes-editing mode.
void ToggleNotesMode(Session& s);

// The row of the side's current record when it is the only selected row; -1 otherwise.
int CurrentRow(Session& s, Side side);
// Clears a list's selection; a multiple-selection list runs Click once.
void DeselectAll(forms::ListBox& list);
void SelectOnly(forms::ListBox& list, int row);

}  // namespace mirrin
