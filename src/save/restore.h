#pragma once
// Putting back the backup that the last save made of one data file of one
// user, after keeping a copy of the current file. Only the files change; the
// data in memory stays as it is, so the operator is told to exit without
// saving.
#include "records/session.h"

namespace mirrin {

// The Restore items mnuDate1 ... mnuMemo2. The custom kind has no backup and
// is not restored. A missing data or backup file, or a failed copy, is told
// by name; the data file is then either untouched or wholly restored.
void Restore(Session& s, Side side, Kind kind);

}  // namespace mirrin
