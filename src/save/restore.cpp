#include "save/restore.h"

#include <string>
#include <utility>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "mainwindow/loaduser.h"
#include "mainwindow/selectkind.h"
#include "save/datafiles.h"
#include "save/save.h"
#include "startup/version.h"

namespace mirrin {

namespace {

struct RestoreTexts {
  const char* question;
  const char* log;
};

RestoreTexts TextsOf(Kind kind) {
  switch (kind) {
    case Kind::Dates:
      return {"Restore Dates from Backup files for ", "Restoring Dates for "};
    case Kind::Contacts:
      return {"Restore Contacts from Backup files for ", "Restoring Contacts for "};
    case Kind::ToDos:
      return {"Restore Todos from Backup files for ", "Restoring Todos for "};
    case Kind::Memos:
      return {"Restore Memos from Backup files for ", "Restoring Memos for "};
    case Kind::Custom:
      break;
  }
  return {nullptr, nullptr};
}

void Tell(Session& s, const std::string& text) {
  s.platform.MsgBox(text, mb::OKOnly | mb::Critical, kProductName);
}

// Copies whole or not at all; false after telling the operator.
bool Copied(Session& s, const std::string& from, const std::string& to, const std::string& consequence) {
  try {
    CopyFileAtomic(from, to);
    return true;
  } catch (const RunError& e) {
    Tell(s, "Restore failed: " + from + " could not be copied to " + to + ". " + std::to_string(e.number()) +
                " " + e.what() + "\r\n\r\n" + consequence);
  }
  return false;
}

// The restored kind in memory becomes the restored file, so that no later
// save can write the store as it was before the restore.
void TakeKind(UserStore& st, UserStore& restored, Kind kind) {
  std::swap(st.Header(kind), restored.Header(kind));
  switch (kind) {
    case Kind::Dates:
      st.dates.swap(restored.dates);
      break;
    case Kind::Contacts:
      st.contacts.swap(restored.contacts);
      break;
    case Kind::ToDos:
      st.todos.swap(restored.todos);
      break;
    case Kind::Memos:
      st.memos.swap(restored.memos);
      break;
    case Kind::Custom:
      st.custom.swap(restored.custom);
      break;
  }
  st.Changed(kind) = false;
}

}  // namespace

void Restore(Session& s, Side side, Kind kind) {
  const RestoreTexts texts = TextsOf(kind);
  if (!texts.question) return;
  const std::string& user = s.controls.panes[side].userName.Text();
  // Palm Desktop would overwrite the restored file, or lose what it holds.
  if (RefusedWhileRunning(s)) return;
  if (s.platform.MsgBox(texts.question + user + "?", mb::YesNo | mb::Exclamation, kProductName) != mb::Yes) {
    return;
  }
  s.WriteLog(texts.log + user, 5);

  UserStore& st = s.Store(side);
  const std::string& dir = side == kLeft ? s.settings.UserDir1 : s.settings.UserDir2;
  const KindFiles files = FilesOf(s.settings, dir, kind);
  if (!FileExists(files.backup)) {
    Tell(s, "Restore is not possible: " + files.backup + " does not exist. No file was changed.");
    return;
  }
  // Read first: a backup that cannot be read is not put in place.
  UserStore restored;
  restored.userDir = dir;
  try {
    ReadKindFile(s, side, kind, files.backup, restored);
  } catch (const RunError& e) {
    Tell(s, "Restore is not possible: " + files.backup + " cannot be read. " + e.what() +
                " No file was changed.");
    return;
  }
  // A data file that is missing has nothing to keep: the backup is put in its place.
  if (FileExists(files.data) && !Copied(s, files.data, files.preRestore, files.data + " was not changed.")) {
    return;
  }
  if (!Copied(s, files.backup, files.data,
              files.data + " was not changed; the copy of it made before the restore is " + files.preRestore +
                  ".")) {
    return;
  }
  TakeKind(st, restored, kind);
  if (s.ShownKind() == kind) SelectKind(s);  // the lists show the restored records
  s.platform.MsgBox("Restore is complete. Please exit " + std::string(kProductName) + " without saving",
                    mb::OKOnly | mb::Information, kProductName);
}

}  // namespace mirrin
