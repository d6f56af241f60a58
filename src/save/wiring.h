#pragma once
// Connects the main window's save, exit and restore menu items to their
// routines.
#include "mainwindow/session.h"

namespace mirrin {

// mnuSave, exitmenu, cmdExit and mnuDate1 ... mnuMemo2. Closing the window
// is the window's own event: it calls ExitRoutine itself.
void WireSaveMenus(Session& s);

}  // namespace mirrin
