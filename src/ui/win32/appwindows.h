#pragma once
// Every window of the program over one MirrinApp: the main window, the
// splash and the two dialogs, with the platform's dialogs owned by the main
// window, and the message loop.
#include <windows.h>

#include <string>

#include "ui/app.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/mainwindow.h"
#include "ui/win32/winplatform.h"

namespace mirrin::win32 {

class AppWindows {
 public:
  // The app (and the platform) must outlive the windows.
  AppWindows(MirrinApp& app, WinPlatform& platform);

  // After MirrinApp::Start: the main window takes its laid-out size and shows.
  void ShowMain();
  // Runs the messages until the program ends; its exit code.
  int Run();
  // Runs the messages waiting now (tests drive the window between them).
  void Pump();

  // Draws the main window (a paired record selected, its differences
  // marked), the categories view, both dialogs, the splash, the About panel
  // and the status line after a transfer and Save into BMP files in dir;
  // false when one could not be written. Saves into the data it was
  // started on.
  bool SaveScreenshots(const std::wstring& dir);

  MainWindow main;
  SplashWindow splash;
  ConfigureDialog configure;
  ConfigUserDialog configUser;

 private:
  bool Dispatch(MSG& msg);
  MirrinApp& app_;
};

// The window as it is on the screen, as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::wstring& path);

}  // namespace mirrin::win32
