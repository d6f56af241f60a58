#include "ui/usersdialog.h"

#include <algorithm>

#include "palmdata/fileio.h"
#include "palmdata/users.h"
#include "startup/config.h"
#include "startup/errorreport.h"
#include "startup/version.h"

namespace mirrin {

namespace {

struct PrivateSwitches {
  bool Settings::*dates;
  bool Settings::*todos;
  bool Settings::*memos;
  bool Settings::*contacts;
};

PrivateSwitches SwitchesOf(Side side) {
  using S = Settings;
  if (side == kLeft) {
    return {&S::User1ShowPrivateDates, &S::User1ShowPrivateToDos, &S::User1ShowPrivateMemos,
            &S::User1ShowPrivateContacts};
  }
  return {&S::User2ShowPrivateDates, &S::User2ShowPrivateToDos, &S::User2ShowPrivateMemos,
          &S::User2ShowPrivateContacts};
}

// The side's settings the dialog edits.
struct SideSettings {
  std::string& palmDir;
  std::string& userDir;
  std::string& palmUser;
  std::string& filter;
  std::string& suffix;
};

SideSettings SettingsOf(Settings& set, Side side) {
  if (side == kLeft) {
    return {set.PalmDir1, set.UserDir1, set.PalmUser1, set.FilterUser1, set.SuffixUser1};
  }
  return {set.PalmDir2, set.UserDir2, set.PalmUser2, set.FilterUser2, set.SuffixUser2};
}

// Makes the entries of the list the selected one in turn, from the last to
// the first, until one reads `text`; its index, or -1 (entry 0 selected).
int SelectEntry(forms::ComboBox& list, const std::string& text) {
  for (int i = list.ListCount() - 1; i >= 0; --i) {
    list.SetListIndex(i);
    if (list.Text() == text) return i;
  }
  return -1;
}

forms::CheckState BoxValue(bool on) { return on ? forms::CheckBox::Checked : forms::CheckBox::Unchecked; }
bool Ticked(const forms::CheckBox& box) { return box.Value() == forms::CheckBox::Checked; }

}  // namespace

UsersDialogModel::UsersDialogModel(Session& session) : s_(session) {
  for (Side side : kSides) {
    UserFrame& f = frames_[side];
    f.lblRecords.SetCaption("No. of Date entries:");
    f.cmdDir.SetCaption("...");
    f.chkPrivateDates.SetCaption("Show Private Dates:");
    f.chkPrivateToDos.SetCaption("Show Private ToDos:");
    f.chkPrivateMemos.SetCaption("Show Private Memos:");
    f.chkPrivateContacts.SetCaption("Show Private Contacts:");
    Wire(side);
  }
  cmdOK.SetCaption("OK");
  cmdCancel.SetCaption("Cancel");
  cmdOK.onClick = [this] { OK(); };
  cmdCancel.onClick = [this] { Cancel(); };
}

void UsersDialogModel::Wire(Side side) {
  UserFrame& f = frames_[side];
  f.users.onClick = [this, side] { UserPicked(side); };
  // Only the operator's pick: DrawValues and refilling the lists select
  // entries too, and must not turn the configured folder's text into the
  // list's.
  f.cmbUserDir.onClick = [this, side] {
    if (!eventsEnabled_) return;
    const std::string& dir = frames_[side].cmbUserDir.Text();
    if (!FolderRefused(side, dir)) SettingsOf(s_.settings, side).userDir = dir;
  };
  f.cmdDir.onClick = [this, side] { ChooseBaseDirectory(side); };
}

void UsersDialogModel::FillSelectors(Side side) {
  UserFrame& f = frames_[side];
  FillUserSelectors(s_, side, f.users, f.cmbUserDir, usersSource_);
}

bool UsersDialogModel::FolderRefused(Side side, const std::string& dir) {
  const std::string& palmDir = SettingsOf(s_.settings, side).palmDir;
  if (dir.size() <= palmDir.size() || dir.compare(0, palmDir.size(), palmDir) != 0) return false;
  // users.dat is not ours: a folder outside the Palm directory is never used.
  const std::string folder = dir.substr(palmDir.size() + 1);
  const std::string why = UnsafeUserFolderReason(folder);
  if (why.empty()) return false;
  s_.platform.MsgBox("The folder \"" + folder + "\" in users.dat cannot be used: " + why + ".",
                     mb::OKOnly | mb::Exclamation, kProductName);
  return true;
}

void UsersDialogModel::UserPicked(Side side) {
  if (!eventsEnabled_) return;
  UserFrame& f = frames_[side];
  SideSettings set = SettingsOf(s_.settings, side);
  const int k = f.users.ListIndex();
  // Entry 0 is the "Please choose User" placeholder (selected when the list
  // is refilled): no user yet, so the loaded one stays.
  if (k <= 0) return;
  if (k < f.cmbUserDir.ListCount() && FolderRefused(side, f.cmbUserDir.List(k))) return;
  if (!StorableValue(f.users.Text())) {
    s_.platform.MsgBox("The user name \"" + f.users.Text() +
                           "\" cannot be kept in the configuration file; choose another user.",
                       mb::OKOnly | mb::Exclamation, kProductName);
    eventsEnabled_ = false;
    SelectEntry(f.users, set.palmUser);
    eventsEnabled_ = true;
    return;
  }
  set.palmUser = f.users.Text();
  // The folder list pairs with the user list by position.
  if (k < f.cmbUserDir.ListCount()) f.cmbUserDir.SetListIndex(k);
  set.userDir = f.cmbUserDir.Text();
  // Loads the user at once.
  s_.controls.panes[side].userName.SetText(set.palmUser);
}

void UsersDialogModel::ChooseBaseDirectory(Side side) {
  std::optional<std::string> folder = s_.platform.BrowseForFolder(kBrowseTitle);
  if (!folder || folder->empty()) return;
  // A drive root ("C:\") is kept without its backslash, as paths are joined
  // with one. Only a drive root: other three-character paths ("/mn") stay whole.
  if (folder->size() == 3 && (*folder)[1] == ':') folder->resize(2);
  SettingsOf(s_.settings, side).palmDir = *folder;
  FillSelectors(side);
  frames_[side].txtDir.SetText(*folder);
}

void UsersDialogModel::DrawValues() {
  eventsEnabled_ = false;
  for (Side side : kSides) {
    UserFrame& f = frames_[side];
    SideSettings set = SettingsOf(s_.settings, side);
    f.txtUser.SetText(set.palmUser);
    f.txtSuffix.SetText(set.suffix);
    f.txtDateFilter.SetText(set.filter);
    const int i = SelectEntry(f.users, set.palmUser);
    if (i >= 0 && i < f.cmbUserDir.ListCount()) f.cmbUserDir.SetListIndex(i);
    f.txtUserDir.SetText(set.userDir);
    f.txtDir.SetText(set.palmDir);
    const PrivateSwitches sw = SwitchesOf(side);
    f.chkPrivateDates.SetValue(BoxValue(s_.settings.*sw.dates));
    f.chkPrivateToDos.SetValue(BoxValue(s_.settings.*sw.todos));
    f.chkPrivateMemos.SetValue(BoxValue(s_.settings.*sw.memos));
    f.chkPrivateContacts.SetValue(BoxValue(s_.settings.*sw.contacts));
    // A save may have changed the count since the user was loaded.
    const UserStore& st = s_.Store(side);
    if (st.loaded) {
      f.userRecords.SetCaption(std::to_string(std::count_if(
          st.dates.begin(), st.dates.end(), [](const DateRecord& d) { return d.Status <= 3; })));  // live
    }
  }
  eventsEnabled_ = true;
}

void UsersDialogModel::WriteIniFile() {
  // A log that cannot be written is told; the settings are still saved.
  TrapErrors(s_.platform, "WriteIniFile", [this] { s_.WriteLog("WriteIniFile() called.", 11); });
  const Settings before = s_.settings;
  for (Side side : kSides) {
    UserFrame& f = frames_[side];
    SideSettings set = SettingsOf(s_.settings, side);
    // The placeholder, or no list at all, leaves the configured user.
    if (f.users.ListIndex() > 0) set.palmUser = f.users.Text();
    set.suffix = f.txtSuffix.Text();
    set.filter = f.txtDateFilter.Text();
    const PrivateSwitches sw = SwitchesOf(side);
    s_.settings.*sw.dates = Ticked(f.chkPrivateDates);
    s_.settings.*sw.todos = Ticked(f.chkPrivateToDos);
    s_.settings.*sw.memos = Ticked(f.chkPrivateMemos);
    s_.settings.*sw.contacts = Ticked(f.chkPrivateContacts);
  }
  ForgetSetKeys(before, s_.settings);
  RewriteConfigFile(s_);
}

bool UsersDialogModel::Show() {
  DrawValues();
  eventsEnabled_ = true;
  ShowModal([this] { Cancel(); });
  eventsEnabled_ = false;
  return closedWithOK_;
}

std::string SameUserFolderText(const std::string& folder) {
  return "The First User and the Second User have the same user directory:\r\n" + folder +
         "\r\n\r\nSaving would write one user's changes over the other's. Please choose two "
         "different users.";
}

void UsersDialogModel::OK() {
  // The dialog stays open until the two users are told apart.
  if (SamePlace(s_.settings.UserDir1, s_.settings.UserDir2)) {
    s_.platform.MsgBox(SameUserFolderText(s_.settings.UserDir1), mb::OKOnly | mb::Exclamation, kTitle);
    return;
  }
  closedWithOK_ = true;
  WriteIniFile();
  Hide();
}

void UsersDialogModel::Cancel() {
  closedWithOK_ = false;
  Hide();
}

}  // namespace mirrin
