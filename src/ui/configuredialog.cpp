#include "ui/configuredialog.h"

#include <array>

#include "palmdata/errors.h"
#include "startup/config.h"
#include "startup/errorreport.h"
#include "startup/version.h"
#include "ui/usersdialog.h"

namespace mirrin {

namespace {

struct BoxSetting {
  forms::CheckBox ConfigureDialogModel::*box;
  bool Settings::*setting;
  const char* caption;
};

using F = ConfigureDialogModel;
using S = Settings;
constexpr std::array<BoxSetting, 18> kBoxes{{
    {&F::chkDates, &S::IncludeDates, "Include Dates:"},
    {&F::chkContacts, &S::IncludeContacts, "Include Contacts:"},
    {&F::chkToDo, &S::IncludeToDo, "Include ToDos:"},
    {&F::chkMemo, &S::IncludeMemo, "Include Memos:"},
    {&F::chkShowCategories, &S::ShowCategories, "Show/Copy Contact Categories:"},
    {&F::chkShowDatebookCategories, &S::ShowDatebookCategories, "Show/Copy Datebook Categories:"},
    {&F::chkShowMemoCategories, &S::ShowMemoCategories, "Show/Copy Memo Categories:"},
    {&F::chkShowToDoCategories, &S::ShowToDoCategories, "Show/Copy ToDo Categories:"},
    {&F::chkAddCategories, &S::AddCategories, "Add Categories if not present for User:"},
    {&F::chkCategories, &S::KeepCategories, "Work with Datebk3/4/5:"},
    {&F::chkSortbyCategory, &S::SortbyCategory, "Sort Category before Date:"},
    {&F::chkShowCompany, &S::ShowCompany, "Show Contacts by Company:"},
    {&F::chkShowCompletedToDo, &S::ShowCompletedToDos, "Show Completed ToDos:"},
    {&F::chkAgendus, &S::Agendus, "Ignore Agendus Contacts in Date Descriptions:"},
    {&F::chkCopyAlarms, &S::CopyAlarms, "Copy Alarms with dates:"},
    {&F::chkArchive, &S::ArchiveDeleted, "Archive Deleted Entries:"},
    {&F::chkDBCS, &S::DBCS, "DBCS:"},
    {&F::chkMultiSelect, &S::EnableMultiSelect, "Enable Multi Select:"},
}};

// A layout option's text as the list's index; anything else is the default.
int OptionIndex(const std::string& text, int count) {
  for (int i = 0; i < count; ++i) {
    if (text == std::to_string(i)) return i;
  }
  return 0;
}

std::string IndexText(const forms::ComboBox& combo) {
  return std::to_string(combo.ListIndex() < 0 ? 0 : combo.ListIndex());
}

}  // namespace

ConfigureDialogModel::ConfigureDialogModel(Session& session, UsersDialogModel& configUser)
    : s_(session), configUser_(configUser) {
  for (const BoxSetting& b : kBoxes) {
    (this->*b.box).SetCaption(b.caption);
  }
  for (const char* option : {"Default", "Buttons 2 columns", "Buttons 2 columns + wider!"}) {
    txtGUI.AddItem(option);
  }
  for (const char* option : {"Default", "Smaller List, more Details!"}) txtHeight.AddItem(option);
  txtHideAfter.SetText("dd/mm/yyyy");
  cmdOK.SetCaption("OK");
  cmdCancel.SetCaption("Cancel");
  cmdOK.onClick = [this] { OK(); };
  cmdCancel.onClick = [this] { Cancel(); };
}

void ConfigureDialogModel::DrawValues() {
  const Settings& set = s_.settings;
  for (const BoxSetting& b : kBoxes) {
    (this->*b.box).SetValue(set.*b.setting ? forms::CheckBox::Checked : forms::CheckBox::Unchecked);
  }
  for (int i = cmbStartwith.ListCount() - 1; i >= 0; --i) {
    cmbStartwith.SetListIndex(i);
    if (cmbStartwith.Text() == set.Startwith) break;
  }
  txtDaystoIgnore.SetText(set.DaystoIgnore);
  txtFirstDuplicate.SetText(std::to_string(set.FirstDuplicateChars));
  txtHideAfter.SetText(set.HideAfter);
  txtGUI.SetListIndex(OptionIndex(set.GUI, txtGUI.ListCount()));
  txtHeight.SetListIndex(OptionIndex(set.GUIHeight, txtHeight.ListCount()));
}

void ConfigureDialogModel::WriteIniFile() {
  // A log that cannot be written is told; the settings are still saved.
  TrapErrors(s_.platform, "WriteIniFile", [this] { s_.WriteLog("WriteIniFile() called.", 11); });
  Settings& set = s_.settings;
  const Settings before = set;
  set.FirstDuplicateChars = ToInt16(txtFirstDuplicate.Text());
  for (const BoxSetting& b : kBoxes) {
    set.*b.setting = (this->*b.box).Value() == forms::CheckBox::Checked;
  }
  set.GUI = IndexText(txtGUI);
  set.GUIHeight = IndexText(txtHeight);
  set.DaystoIgnore = txtDaystoIgnore.Text();
  set.HideAfter = txtHideAfter.Text();
  set.Startwith = cmbStartwith.Text();
  ForgetSetKeys(before, set);
  RewriteConfigFile(s_);
}

bool ConfigureDialogModel::ValidateDaystoIgnore() {
  try {
    ToInt16(txtDaystoIgnore.Text());
    return true;
  } catch (const RunError&) {
    s_.platform.Beep();
    return false;
  }
}

void ConfigureDialogModel::Show() {
  DrawValues();
  ShowModal([this] { Cancel(); });
}

void ConfigureDialogModel::OK() {
  // Both numbers are checked before anything is copied, so a refused OK
  // keeps every edit in the dialog.
  refusedField = nullptr;
  if (!ValidateDaystoIgnore()) {
    refusedField = &txtDaystoIgnore;
    return;
  }
  try {
    ToInt16(txtFirstDuplicate.Text());
  } catch (const RunError&) {
    refusedField = &txtFirstDuplicate;
    s_.platform.MsgBox("Mirrin will match Date entries if the first ... characters are identical: \"" +
                           txtFirstDuplicate.Text() + "\" is not a whole number from -32768 to 32767.",
                       mb::OKOnly | mb::Exclamation, kProductName);
    return;
  }
  for (Side side : kSides) {
    forms::Label& count = configUser_.Frame(side).userRecords;
    if (count.Caption().empty()) count.SetCaption("0");
  }
  WriteIniFile();
  Hide();
}

void ConfigureDialogModel::Cancel() { Hide(); }

}  // namespace mirrin
