#pragma once
// Filling a side's user selectors from users.dat in its Palm directory:
// the main window's selector and the Configure Users dialog's user and
// folder lists, whose entries pair up by position.
#include <string>

#include "mainwindow/session.h"
#include "forms/combobox.h"

namespace mirrin {

// The process's one user list and the users.dat it was read from; empty
// when the last read failed or none was made.
struct UserListSource {
  std::string path;
};

// Reads the side's users.dat, or reuses the list when it was read from the
// very same path (both sides naming one installation), and fills the three
// selectors. A missing file or a file without users is told.
void FillUserSelectors(Session& s, Side side, forms::ComboBox& dialogUsers, forms::ComboBox& dialogDirs,
                       UserListSource& source);

}  // namespace mirrin
