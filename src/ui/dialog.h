#pragma once
// What the modal dialogs and the splash window share: the window itself as
// a control (its Visible flag is the window's), and the modal show.
#include <functional>

#include "records/session.h"
#include "ui/forms/control.h"

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

// Runs a dialog's WriteIniFile: an error stops it without a message (the
// dialog closes as after OK); the old file stays whole and the log tells.
void WriteIniFileSilently(Session& s, const std::function<void()>& writeIniFile);

}  // namespace mirrin
