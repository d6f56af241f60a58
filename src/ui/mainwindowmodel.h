#pragma once
// The main window: two panes of one user each, the transfer buttons between
// them, the kind selector and the menus. Wires every control's events to the
// routines that act on the session, lays the controls out (the width and
// height options and proportional resizing) and switches between the
// entries view and the categories view.
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/loaduser.h"
#include "mainwindow/session.h"
#include "ui/resizer.h"
#include "ui/status.h"

namespace mirrin {

class MainWindowModel {
 public:
  // Gives every control its default (layout option "0") geometry and wires
  // the events; the session must outlive the window.
  explicit MainWindowModel(Session& session);
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  // Applies the layout options GUI and GUIHeight; values other than "1"
  // (height) or "1"/"2" (width) become "0" in the settings.
  void SetGUI();
  // Records the layout for proportional resizing (Resizer.Init);
  // without keepSize a window that is not maximised is scaled to the screen.
  void InitResizer(bool keepSize = false);
  // After the Configure dialog changed GUI or GUIHeight: the default
  // layout with the new options, recorded again and laid out for the
  // window's present size, so the options need no restart.
  void ApplyLayoutOptions();
  // The window's resize event: the frame has the new size.
  void Resized(int height, int width);
  // switchView: entries view <-> categories view.
  void SwitchView();
  // Makes the panes' multiList (with EnableMultiSelect) or list the current
  // entry lists and shows only those.
  void UseEntryLists();

  // The progress row's length in characters when the work is done.
  int ProgressFullLength() const { return s_.settings.GUI == "2" ? 89 : 74; }

  // Every control that has a place on the window (menus have none).
  std::vector<forms::Control*> LaidOutControls();

  std::string caption;
  // The status bar and the title; the window refreshes them after every
  // action of the operator.
  StatusModel status;
  static constexpr WindowFrame kDesignFrame{8910, 10275, false};
  WindowFrame frame = kDesignFrame;
  // Set by the splash window and the Configure Users dialog.
  LoadUserHooks loadHooks;

 private:
  // Geometry of layout option "0"; MainWindowModel's constructor sets the first visibility.
  void DefaultLayout();
  void Wire();
  // A transfer button towards `side`, told in the status bar when it
  // changed anything.
  void Transfer(Side side, TransferVerb verb, const std::function<void()>& operation);
  // A pane's showThisCategory changed.
  void CategoryShownClicked(Side side);

  Session& s_;
  Resizer resizer_;
};

}  // namespace mirrin
