#include "save/save.h"

#include "save/writeout.h"
#include "startup/runningcheck.h"
#include "startup/version.h"

namespace mirrin {

namespace {

bool DataChanged(const Session& s) { return ChangedWord(s.stores) != 0; }

}  // namespace

bool RefusedWhileRunning(Session& s) {
  std::string p;
  if (!IsPalmDesktopRunning(s.platform, p)) return false;
  const std::string name = kProductName;
  s.platform.MsgBox(p + " is running.  " + name + " cannot save data while " + "Palm Desktop" +
                        " or HotSync are running.  If you have been changing data in " + name + " and " +
                        "Palm Desktop" + " then saving " + name +
                        " data could result in losing changes made in " + "Palm Desktop" + ".",
                    mb::OKOnly | mb::Critical, ProductTitleWithVersion());
  return true;
}

namespace {

// The message that names the files a save left unwritten.
std::string NotWrittenText(const WriteoutResult& result, bool exiting) {
  const std::string name = kProductName;
  std::string text = name + " could not save these files:\r\n";
  for (const SavedFile& f : result.notWritten) text += f.path + "\r\n";
  text += "\r\nTheir changes are still in memory. ";
  text += exiting ? name +
                        " has not been closed: correct the problem and exit again, or exit "
                        "without saving to abandon the changes."
                  : std::string("Correct the problem and save again.");
  return text;
}

void ClearAllChanged(Session& s) {
  for (UserStore& st : s.stores) st.changed.fill(false);
}

// Writes the changed kinds and clears the flags of those written; false
// (after naming the files not written) when anything is left unsaved.
bool WriteChanged(Session& s, bool exiting, WriteoutResult* outcome = nullptr) {
  const WriteoutResult result = Writeout(s);
  if (outcome) *outcome = result;
  for (const SavedFile& f : result.written) s.Store(f.side).Changed(f.kind) = false;
  if (result.AllWritten()) return true;
  s.platform.MsgBox(NotWrittenText(result, exiting), mb::OKOnly | mb::Critical, kProductName);
  return false;
}

}  // namespace

SaveOutcome Save(Session& s) {
  SaveOutcome outcome;
  if (DataChanged(s)) {
    if (s.data.unsupportedVersion) {
      // Nothing can ever be saved in this run; say so rather than let the
      // disabled Save item look like a successful save.
      s.platform.MsgBox(std::string(kProductName) +
                            " cannot save changes while a data file of an unsupported version of "
                            "Palm Desktop is loaded. No data file was written.",
                        mb::OKOnly | mb::Exclamation, ProductTitleWithVersion());
      outcome.refused = "a data file of an unsupported version is loaded";
    } else {
      if (RefusedWhileRunning(s)) {
        outcome.refused = "Palm Desktop or HotSync is running";
        return outcome;
      }
      if (!WriteChanged(s, false, &outcome.files)) return outcome;
    }
  }
  ClearAllChanged(s);
  s.controls.saveItem.SetEnabled(false);
  return outcome;
}

void ExitRoutine(Session& s) {
  if (DataChanged(s) && !s.data.unsupportedVersion) {
    const int answer =
        s.platform.MsgBox("Save Data Changes before Exit?", mb::YesNoCancel | mb::Exclamation, kProductName);
    if (answer != mb::Yes && answer != mb::No) return;  // Cancel, or the box was closed
    if (answer == mb::Yes) {
      if (RefusedWhileRunning(s)) return;
      if (!WriteChanged(s, true)) return;
    }
  }
  WriteCatExcludeFile(CategoryFilterFilePath(s.programDir), CategoryFilterUsers(s), s.settings.Custom1,
                      s.filters, s.log);
  s.WriteLog(std::string(kProgramName) + " Version " + VersionText() + " finished", 0);
  throw ProgramEnd{};
}

bool ConfigUserGuard(Session& s) {
  if (!DataChanged(s)) return true;
  s.platform.MsgBox("Data has been changed for the current users.  Please exit " + std::string(kProductName) +
                        " in order to save or abandon these changes before altering any user "
                        "settings",
                    mb::OKOnly, kProductName);
  return false;
}

std::array<FilterUser, 2> CategoryFilterUsers(Session& s) {
  std::array<FilterUser, 2> users;
  for (Side side : kSides) {
    FilterUser& u = users[side];
    UserStore& st = s.Store(side);
    if (!st.loaded) continue;
    // The tables belong to the user and kinds the store read, whatever the
    // settings say by now.
    u.name = st.userName;
    auto offer = [&](FilterKind fk, Kind kind) {
      if (st.read[static_cast<size_t>(kind)]) u.tables[static_cast<size_t>(fk)] = &st.Header(kind);
    };
    offer(FilterKind::Dates, Kind::Dates);
    offer(FilterKind::Contacts, Kind::Contacts);
    offer(FilterKind::Memos, Kind::Memos);
    offer(FilterKind::ToDos, Kind::ToDos);
    offer(FilterKind::Custom, Kind::Custom);
  }
  return users;
}

}  // namespace mirrin
