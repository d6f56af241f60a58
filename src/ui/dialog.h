#pragma once
// What the modal dialogs and the splash window share: the window itself as
// a control (its Visible flag is the window's), and the modal show.
#include <functional>

#include "mainwindow/session.h"
#include "forms/control.h"

namespace mirrin {

class ModalWindow {
 public:
  ModalWindow() { window.SetVisible(false); }

  // The window: the binding shows and hides it with Visible.
  forms::Control window;

  // Runs the window's modal loop until the window hides itself (OK,
  // Cancel). The toolkit binding sets it; tests press the buttons from it.
  // A window hook that leaves the window shown counts as Cancel.
  std::function<void()> runModal;

 protected:
  // Shows the window and waits; calls cancel when it is still shown after
  // the modal loop (closed by the title bar, or no loop set).
  void ShowModal(const std::function<void()>& cancel) {
    window.SetVisible(true);
    if (runModal) runModal();
    if (window.Visible()) cancel();
  }
  void Hide() { window.SetVisible(false); }
};

// The file part of both dialogs' WriteIniFile. The configuration lines in
// memory take the settings either way; when the file cannot be written, or
// could not be read at start-up, the operator is told which file and why,
// and the old file stays as it is.
void RewriteConfigFile(Session& s);

}  // namespace mirrin
