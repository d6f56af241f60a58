#pragma once
// When the changed data files may be written, and what happens at exit:
// nothing is written while Palm Desktop or HotSync is running, the operator
// is asked at exit whether to save, and the users dialog waits until the
// changes are saved or abandoned.
#include <array>

#include "mainwindow/session.h"
#include "save/writeout.h"
#include "startup/catfilter.h"

namespace mirrin {

// True when Palm Desktop or HotSync is running, after telling the operator
// that nothing can be saved (or restored) while it runs.
bool RefusedWhileRunning(Session& s);

// saveItem. Writes the changed kinds unless Palm Desktop or HotSync is
// running or a file of an unsupported version was read. Clears the changed
// flags of the files written; Save is disabled only when nothing is left
// unsaved, and a failure names the files not written. Returns what was
// written, and why not when nothing could be.
struct SaveOutcome {
  WriteoutResult files;
  std::string refused;  // nothing was tried: Palm Desktop is running, ...
};
SaveOutcome Save(Session& s);

// exitItem, exitButton and closing the main window. Asks whether to save when
// data has changed; on Yes a refusal or a failed write keeps the program
// running with its changes. Otherwise writes the category filter file, logs
// the finished line and throws ProgramEnd.
void ExitRoutine(Session& s);

// configureUsersItem: whether the users dialog may open; while data has changed
// the operator is told to exit first.
bool ConfigUserGuard(Session& s);

// The two loaded users as the category filter file sees them: the names of
// PalmUser1 and PalmUser2 and the category tables of the included kinds.
std::array<FilterUser, 2> CategoryFilterUsers(Session& s);

}  // namespace mirrin
