#pragma once
// The whole program's window models together: the session, the main
// window, the splash window and the two settings dialogs. The toolkit
// binding builds its widgets over these and calls Start.
#include <string>
#include <vector>

#include "mainwindow/session.h"
#include "ui/configuredialog.h"
#include "ui/usersdialog.h"
#include "ui/mainwindowmodel.h"
#include "ui/splash.h"

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
  MainWindowModel main;
  SplashModel splash;
  ConfigureDialogModel configure;
  UsersDialogModel configUser;
};

}  // namespace mirrin
