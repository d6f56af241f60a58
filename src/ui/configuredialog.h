#pragma once
// The Configure dialog: the general options of the settings, rewritten to
// the configuration file on OK.
#include <string>

#include "mainwindow/session.h"
#include "ui/dialog.h"
#include "forms/combobox.h"
#include "forms/controls.h"

namespace mirrin {

class UsersDialogModel;

class ConfigureDialogModel : public ModalWindow {
 public:
  // configUser: its record-count labels are set to "0" on OK when empty.
  ConfigureDialogModel(Session& session, UsersDialogModel& configUser);

  inline static const std::string kTitle = "Configure Mirrin";

  // Fills every control from the settings; enables the dialog events.
  void DrawValues();
  // Copies the controls into the settings and rewrites the file (OK has
  // checked the numbers).
  void WriteIniFile();
  // Leaving txtDaystoIgnore: false (after a beep) when the text is no
  // 16-bit integer, and the focus must stay in the field.
  bool ValidateDaystoIgnore();

  // The field OK refused, which takes the focus; null when OK went through.
  forms::TextBox* refusedField = nullptr;
  // DrawValues, then the modal loop.
  void Show();

  forms::CheckBox chkDates, chkContacts, chkToDo, chkMemo;
  forms::ComboBox cmbStartwith;
  forms::CheckBox chkShowCategories, chkShowDatebookCategories, chkShowMemoCategories, chkShowToDoCategories,
      chkAddCategories, chkCategories, chkSortbyCategory, chkShowCompany, chkShowCompletedToDo, chkAgendus,
      chkCopyAlarms, chkArchive, chkDBCS, chkMultiSelect;
  forms::TextBox txtDaystoIgnore, txtFirstDuplicate, txtHideAfter;
  forms::ComboBox txtGUI, txtHeight;
  forms::Button cmdOK, cmdCancel;

 private:
  void OK();
  void Cancel();

  Session& s_;
  UsersDialogModel& configUser_;
};

}  // namespace mirrin
