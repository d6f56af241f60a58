#pragma once
// Where a user's data file of each kind lives, with its backup (refreshed at
// every save) and its pre-restore copy (kept when a backup is put back).
#include <string>

#include "mainwindow/session.h"

namespace mirrin {

struct KindFiles {
  std::string data;        // the Palm Desktop file itself
  std::string backup;      // empty: the kind has no backup
  std::string preRestore;  // empty: the kind cannot be restored
};

// Full configured paths (backslashes) below the user directory dir; the
// custom kind's file is dir + Custom1File.
KindFiles FilesOf(const Settings& settings, const std::string& dir, Kind kind);

}  // namespace mirrin
