#pragma once
// Putting back the backup that the last save made of one data file of one
// user, after keeping a copy of the current file. The restored kind is then
// read back into memory, so a later save cannot undo the restore.
#include "mainwindow/session.h"

namespace mirrin {

// The Restore items. The custom kind has no backup and
// is not restored. Refused while Palm Desktop or HotSync runs. A missing or
// unreadable backup, or a failed copy, is told by name; the data file is
// then either untouched or wholly restored. A missing data file is simply
// replaced by the backup.
void Restore(Session& s, Side side, Kind kind);

}  // namespace mirrin
