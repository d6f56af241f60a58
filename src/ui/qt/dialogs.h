#pragma once
// The splash window and the two settings dialogs on screen. Their controls
// are the models' (src/ui/frm*.h); the layout is Qt's, since the dialogs'
// geometry is not part of the models.
#include <QDialog>

#include "ui/configuredialog.h"
#include "ui/usersdialog.h"
#include "ui/splash.h"
#include "ui/qt/binding.h"

namespace mirrin::qt {

// A modal window of the model: shown by its modal loop, hidden when the
// model hides it; closing it by the title bar or Escape leaves the model's
// window shown, which the model takes as Cancel.
class ModalDialog : public QDialog {
  Q_OBJECT

 public:
  ModalDialog(ModalWindow& model, const std::string& title, QWidget* parent);

  FormView& Form() { return *view_; }

 protected:
  FormView* view_;
};

class ConfigureDialog : public ModalDialog {
  Q_OBJECT

 public:
  ConfigureDialog(ConfigureDialogModel& model, QWidget* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ConfigureDialogModel& model_;
  QWidget* daysToIgnore_;
};

class ConfigUserDialog : public ModalDialog {
  Q_OBJECT

 public:
  ConfigUserDialog(UsersDialogModel& model, QWidget* parent);
};

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SplashWindow(SplashModel& model);

  FormView& Form() { return *view_; }

 protected:
  // A click or any key closes the splash.
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  SplashModel& model_;
  FormView* view_;
};

// Runs a dialog's modal loop; a ProgramEnd caught inside it goes on to the
// model code that opened the dialog.
void RunModal(QDialog& dialog);

}  // namespace mirrin::qt
