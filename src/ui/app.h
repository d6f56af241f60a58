#pragma once
// The whole program's window models together: the session, the main
// window, the splash window and the two settings dialogs. The toolkit
// binding builds its widgets over these and calls Start.
#include <string>
#include <vector>

#include "mainwindow/session.h"
#include "ui/frmconfigure.h"
#include "ui/frmconfiguser.h"
#include "ui/frmmirrin.h"
#include "ui/frmsplash.h"

namespace mirrin {

class MirrinApp {
 public:
  explicit MirrinApp(Platform& platform);
  MirrinApp(const MirrinApp&) = delete;
  MirrinApp& operator=(const MirrinApp&) = delete;

  // Form_Load: the splash, the configuration, the users and the first
  // kind. args are the command-line arguments after the program name.
  // May throw ProgramEnd (the operator cancelled, Palm Desktop is running).
  void Start(const std::vector<std::string>& args);

  Session session;
  FrmMirrin main;
  FrmSplash splash;
  FrmConfigure configure;
  FrmConfigUser configUser;
};

}  // namespace mirrin
