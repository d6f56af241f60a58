#pragma once
// Writing every changed data file of both users back to disk: a one-time
// pristine copy of each file first, then per changed kind a fresh backup of
// the file and the file itself, in a fixed order (datebook, address,
// memopad, todo, custom; User1 before User2).
#include <string>
#include <vector>

#include "mainwindow/session.h"

namespace mirrin {

struct SavedFile {
  Side side;
  Kind kind;
  std::string path;    // the data file, as configured
  std::string reason;  // why it was not written, for the operator
};

struct WriteoutResult {
  std::vector<SavedFile> written;
  // The file whose backup or write failed and every changed file after it,
  // none of which was touched.
  std::vector<SavedFile> notWritten;

  bool AllWritten() const { return notWritten.empty(); }
};

// Writes the changed kinds; the changed flags are left for the caller.
// Does nothing (every changed file is reported not written) while a user
// field still shows its initial text. Errors are reported to the operator:
// a failed pristine copy as "Writeout<user> <step> : Copying file" and the
// writing goes on; a failed backup or write as "writeout <step number> "
// and the rest is not written.
WriteoutResult Writeout(Session& s);

}  // namespace mirrin
