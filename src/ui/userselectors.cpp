#include "ui/userselectors.h"

#include "palmdata/users.h"
#include "startup/version.h"
#include "mainwindow/loaduser.h"
#include "startup/errorreport.h"

namespace mirrin {

void FillUserSelectors(Session& s, Side side, forms::ComboBox& dialogUsers, forms::ComboBox& dialogDirs,
                       UserListSource& source) {
  const std::string& palmDir = side == kLeft ? s.settings.PalmDir1 : s.settings.PalmDir2;
  const std::string path = palmDir + "\\users.dat";
  // The list is reused only when it really came from this file: a list read
  // for another directory, or a read that failed, would offer the wrong users.
  bool ok = path == source.path;
  if (!ok) {
    source.path.clear();
    ok = ReadUserFile(path, s.users, [&](const std::string& where, const RunError& e) {
      ReportError(s.platform, e.number(), e.description(), where, e.detail());
    });
    if (ok) source.path = path;
  }

  forms::ComboBox& mainUsers = s.controls.panes[side].userSelector;
  mainUsers.Clear();
  mainUsers.AddItem(kChooseUserText);
  dialogUsers.Clear();
  dialogUsers.AddItem(kChooseUserText);
  // Keeps each folder at its user's position in the user lists.
  dialogDirs.Clear();
  dialogDirs.AddItem(" .");

  if (!ok) {
    s.platform.MsgBox("No Palm Information found in the directory " + path, mb::OKOnly, kProductName);
    return;
  }
  for (int32_t i = 0; i < s.users.UserCount; ++i) {
    const UserEntry& u = s.users.Users[static_cast<size_t>(i)];
    mainUsers.AddItem(u.UserName);
    dialogUsers.AddItem(u.UserName);
    dialogDirs.AddItem(palmDir + "\\" + u.UserFolder);
  }
  if (mainUsers.ListCount() == 1) {
    s.platform.MsgBox("No users found in that directory!!", mb::OKOnly, kProductName);
    mainUsers.Clear();
    mainUsers.AddItem(kNoPalmDirText);
    mainUsers.SetListIndex(0);
    return;
  }
  mainUsers.SetListIndex(0);
  dialogUsers.SetListIndex(0);
}

}  // namespace mirrin
