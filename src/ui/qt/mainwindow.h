#pragma once
// frmMirrin on screen: every control of the main form as a widget placed by
// its twips, the menus, the window's size kept in step with the model's
// frame, and closing routed to the exit routine.
#include <QMainWindow>

#include "mainwindow/session.h"
#include "ui/mainwindowmodel.h"
#include "ui/qt/binding.h"

class QMenu;

namespace mirrin::qt {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The session and window model must outlive the window.
  MainWindow(Session& session, MainWindowModel& form);
  ~MainWindow() override;

  FormView& Form() { return *view_; }
  QMenu* FileMenu() const { return fileMenu_; }
  QMenu* RestoreMenu() const { return restoreMenu_; }

  // After start-up has laid the model out (SetGUI, InitResizer): takes the
  // caption and the frame's size, and from now on reports every resize to
  // the model.
  void StartResizing();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddControls();
  void AddMenus();
  // Sizes the window to the model's frame.
  void ApplyFrame();
  // Tab follows the layout: left pane, the middle column, right pane.
  void SetTabOrder();

  Session& s_;
  MainWindowModel& model_;
  FormView* view_;
  FormView* statusView_;
  QMenu* fileMenu_ = nullptr;
  QMenu* restoreMenu_ = nullptr;
  bool resizing_ = false;
  WindowFrame firstFrame_;  // the frame when resizing began
};

}  // namespace mirrin::qt
