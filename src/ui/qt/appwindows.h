#pragma once
// Every window of the program over one MirrinApp: the main window, the
// splash and the two dialogs, with the platform's dialogs owned by the main
// window.
#include <QString>

#include "ui/app.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/qtplatform.h"

namespace mirrin::qt {

class AppWindows {
 public:
  // The app (and the platform) must outlive the windows.
  AppWindows(MirrinApp& app, QtPlatform& platform);

  // After MirrinApp::Start: the main window takes its laid-out size and shows.
  void ShowMain();

  // Draws the main window (a paired record selected, its differences
  // marked), the categories view, both dialogs, the splash, the main window
  // in a dark palette and its status bar after a transfer and Save into PNG
  // files in dir (for the documentation); false when one could not be
  // written. Saves into the data it was started on.
  bool SaveScreenshots(const QString& dir);

  MainWindow main;
  SplashWindow splash;
  ConfigureDialog* configure;    // owned by main
  ConfigUserDialog* configUser;  // owned by main

 private:
  MirrinApp& app_;
};

}  // namespace mirrin::qt
