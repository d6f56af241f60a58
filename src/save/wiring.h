#pragma once
// Connects the main window's save, exit and restore menu items to their
// routines.
#include "mainwindow/session.h"

namespace mirrin {

// saveItem, exitItem, exitButton and the Restore items. Closing the window
// is the window's own event: it calls ExitRoutine itself.
void WireSaveMenus(Session& s);

}  // namespace mirrin
