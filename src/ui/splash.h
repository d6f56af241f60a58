#pragma once
// The splash window shown while the program starts, with its growing
// "Loading ." indicator, and the About panel laid over the main window.
#include <string>

#include "mainwindow/session.h"
#include "ui/dialog.h"
#include "forms/controls.h"

namespace mirrin {

class SplashModel : public ModalWindow {
 public:
  explicit SplashModel(Session& session);

  // Form_Load: the version and product labels, then the window is shown.
  void Load();
  // Appends ".." to lblLoading and lets it paint.
  void Progress();
  // A click on Frame1 or any key, and the end of start-up.
  void Unload() { Hide(); }

  forms::Label lblLoading, lblVersion, lblProductName, lblCompany, lblWarning;

 private:
  Session& s_;
};

// File -> "&About Mirrin": the main window becomes read-only and shows the
// About text; aboutClose closes it again.
void ShowAbout(Session& s);
void CloseAbout(Session& s);

}  // namespace mirrin
