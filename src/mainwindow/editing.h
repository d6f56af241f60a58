#pragma once
// Editing in the detail panes: notes, date descriptions (re-pairing the
// edited row) and category names.
#include "mainwindow/session.h"

namespace mirrin {

// Change of a pane's details or description.
void LineChanged(Session& s, Side side);
void DescChanged(Session& s, Side side);

}  // namespace mirrin
