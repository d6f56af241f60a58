#pragma once
// The Configure Users dialog: each side's Palm directory, user, private
// switches, date filter and suffix. Picking a directory or a user acts at
// once (the user is loaded into the main window); OK rewrites the file.
#include <array>
#include <string>

#include "mainwindow/session.h"
#include "ui/dialog.h"
#include "forms/combobox.h"
#include "forms/controls.h"
#include "ui/userselectors.h"

namespace mirrin {

// One side's frame ("First User", "Second User").
struct UserFrame {
  forms::TextBox txtDir;
  forms::Button cmdDir;
  forms::ComboBox users;  // user names; entry k pairs with entry k of cmbUserDir
  forms::TextBox txtUser;
  forms::ComboBox cmbUserDir;
  forms::TextBox txtUserDir;
  forms::CheckBox chkPrivateDates, chkPrivateToDos, chkPrivateMemos, chkPrivateContacts;
  forms::TextBox txtDateFilter;  // txtu1dateFilter / txtu2dateFilter
  forms::TextBox txtSuffix;
  forms::Label userRecords;  // user1records / user2records
  forms::Label lblRecords;   // "No. of Date entries:"
};

// What the dialog and start-up say when both users have one user folder.
std::string SameUserFolderText(const std::string& folder);

class UsersDialogModel : public ModalWindow {
 public:
  explicit UsersDialogModel(Session& session);

  inline static const std::string kTitle = "Configure Mirrin Users";
  inline static const std::string kBrowseTitle = "Please Choose Base Directory";

  UserFrame& Frame(Side side) { return frames_[side]; }

  // Fills the controls from the settings; the selectors act only after it.
  void DrawValues();
  // Copies the users, suffixes, filters and private switches into the
  // settings and rewrites the file (RewriteConfigFile tells when it cannot).
  void WriteIniFile();
  // DrawValues, then the modal loop with the selectors acting; true when
  // it was closed with OK.
  bool Show();
  // FillUserSelectors for the side, with this dialog's lists.
  void FillSelectors(Side side);

  forms::Button cmdOK, cmdCancel;

 private:
  void Wire(Side side);
  void UserPicked(Side side);
  // A folder from users.dat outside the Palm directory: says why and is true.
  bool FolderRefused(Side side, const std::string& dir);
  void ChooseBaseDirectory(Side side);
  void OK();
  void Cancel();

  Session& s_;
  std::array<UserFrame, 2> frames_;
  // The selectors act on the operator's picks only: off while the program fills them.
  bool eventsEnabled_ = false;
  bool closedWithOK_ = false;
  UserListSource usersSource_;
};

}  // namespace mirrin
