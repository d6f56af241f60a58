#pragma once
// The main window on Windows: every control of the main form as a USER32
// control placed by its twips, the menus, a status line, the window's size
// kept in step with the model's frame, and closing routed to the exit
// routine.
#include <windows.h>

#include <memory>

#include "mainwindow/session.h"
#include "ui/mainwindowmodel.h"
#include "ui/win32/binding.h"
#include "ui/win32/winplatform.h"

namespace mirrin::win32 {

class MainWindow {
 public:
  // The session, window model and platform must outlive the window.
  MainWindow(Session& session, MainWindowModel& form, WinPlatform& platform);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }
  FormView& Form() { return *view_; }
  MenuBar& Menus() { return *menus_; }
  HACCEL Accelerators() const { return accelerators_; }

  // After start-up has laid the model out (SetGUI, InitResizer): takes the
  // caption and the frame's size, and from now on reports every resize to
  // the model.
  void StartResizing();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void AddControls();
  void AddMenus();
  // Sizes the window to the model's frame.
  void ApplyFrame();
  int StatusHeight() const;
  void ClientResized(int width, int height);

  Session& s_;
  MainWindowModel& model_;
  WinPlatform& platform_;
  HWND hwnd_ = nullptr;
  std::unique_ptr<FormView> view_;
  std::unique_ptr<FormView> statusView_;
  std::unique_ptr<MenuBar> menus_;
  HWND statusLine_ = nullptr;
  HACCEL accelerators_ = nullptr;
  bool resizing_ = false;
  WindowFrame firstFrame_;  // the frame when resizing began
};

// Registers a window class of the program once; its window procedure finds
// the C++ object in the window's user data, set from lpCreateParams.
const wchar_t* WindowClass(const wchar_t* name, WNDPROC proc);

}  // namespace mirrin::win32
