#include "save/restore.h"

#include <string>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "save/datafiles.h"
#include "startup/errorreport.h"
#include "startup/version.h"

namespace mirrin {

namespace {

struct RestoreTexts {
  const char* question;
  const char* log;
};

RestoreTexts TextsOf(Kind kind) {
  switch (kind) {
    case Kind::Dates: return {"Restore Dates from Backup files for ", "Restoring Dates for "};
    case Kind::Contacts:
      return {"Restore Contacts from Backup files for ", "Restoring Contacts for "};
    case Kind::ToDos: return {"Restore Todos from Backup files for ", "Restoring Todos for "};
    case Kind::Memos: return {"Restore Memos from Backup files for ", "Restoring Memos for "};
    case Kind::Custom: break;
  }
  return {nullptr, nullptr};
}

void Tell(Session& s, const std::string& text) {
  s.platform.MsgBox(text, mb::OKOnly | mb::Critical, kProductName);
}

// Copies whole or not at all; false after telling the operator.
bool Copied(Session& s, const std::string& from, const std::string& to,
            const std::string& consequence) {
  try {
    CopyFileAtomic(from, to);
    return true;
  } catch (const RunError& e) {
    Tell(s, "Restore failed: " + from + " could not be copied to " + to + ". " +
                std::to_string(e.number()) + " " + e.description() + "\r\n\r\n" + consequence);
  }
  return false;
}

}  // namespace

void Restore(Session& s, Side side, Kind kind) {
  const RestoreTexts texts = TextsOf(kind);
  if (!texts.question) return;
  const std::string& user = s.form.UserField(side).Text();
  if (s.platform.MsgBox(texts.question + user + "?", mb::YesNo | mb::Exclamation, kProductName) !=
      mb::Yes) {
    return;
  }
  TrapErrors(s.platform, "Restore", [&] { s.WriteLog(texts.log + user, 5); });

  const std::string& dir = side == kLeft ? s.settings.UserDir1 : s.settings.UserDir2;
  const KindFiles files = FilesOf(s.settings, dir, kind);
  // Checked first, so that nothing is copied when the restore cannot be done.
  for (const std::string* missing : {&files.data, &files.backup}) {
    if (!FileExists(*missing)) {
      Tell(s, "Restore is not possible: " + *missing + " does not exist. No file was changed.");
      return;
    }
  }
  if (!Copied(s, files.data, files.preRestore, files.data + " was not changed.")) return;
  if (!Copied(s, files.backup, files.data,
              files.data + " was not changed; the copy of it made before the restore is " +
                  files.preRestore + ".")) {
    return;
  }
  s.platform.MsgBox("Restore is complete. Please exit " + std::string(kProductName) +
                        " without saving",
                    mb::OKOnly | mb::Information, kProductName);
}

}  // namespace mirrin
