#include "save/writeout.h"

#include <array>
#include <filesystem>
#include <optional>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "mainwindow/loaduser.h"
#include "mainwindow/progress.h"
#include "save/datafiles.h"
#include "startup/errorreport.h"
#include "palmdata/pathtext.h"

namespace mirrin {

namespace {

// The fixed order in which a user's files are written; step numbers are
// user number * 10 + position + 1 (11 = User1 Dates, 24 = User2 To Dos).
constexpr std::array<Kind, 5> kWriteOrder{Kind::Dates, Kind::Contacts, Kind::Memos, Kind::ToDos,
                                          Kind::Custom};

bool BothUsersShown(const Session& s) {
  return s.controls.panes[kLeft].userName.Text() != "UserLeft" &&
         s.controls.panes[kRight].userName.Text() != "UserRight";
}

bool UserChosen(Session& s, Side side) {
  return s.stores[side].loaded && s.controls.panes[side].userName.Text() != kChooseUserText;
}

// The files as they were before this program first wrote any of them. The
// datebook's copy is made when the user is loaded; it is tried again here in
// case that failed. A file that does not exist has nothing to keep.
void KeepPristineCopies(Session& s) {
  struct Pristine {
    Kind kind;
    const char* tag;
  };
  const std::array<Pristine, 5> steps{{{Kind::Dates, "ab"},
                                       {Kind::ToDos, "bb"},
                                       {Kind::Contacts, "cc"},
                                       {Kind::Memos, "dd"},
                                       {Kind::Custom, "ee"}}};
  for (Side side : kSides) {
    const std::string user = std::to_string(UserNumber(side));
    for (const Pristine& step : steps) {
      if (step.kind == Kind::ToDos && !s.settings.IncludeToDo) continue;
      if (step.kind == Kind::Custom && s.settings.Custom1.empty()) continue;
      if (!UserChosen(s, side)) continue;
      const std::string data = FilesOf(s.settings, s.stores[side].userDir, step.kind).data;
      const std::string copy = data + kSafetyCopySuffix;
      if (FileExists(copy) || !FileExists(data)) continue;
      TrapErrors(s.platform, "Writeout" + user + " " + step.tag + user + " : Copying file",
                 [&] { CopyFileAtomic(data, copy); });
    }
  }
}

void WriteKind(Session& s, Side side, Kind kind) {
  UserStore& st = s.Store(side);
  // Flags left over from a user that is no longer loaded must not write an
  // empty store anywhere.
  if (!st.loaded || st.userDir.empty()) throw RunError(err::PathFileAccess, "no user loaded");
  const KindFiles files = FilesOf(s.settings, st.userDir, kind);
  // A file the operator made read-only is not replaced, nor its backup refreshed.
  CheckReplaceable(files.data);
  // A user Palm Desktop never synchronised this kind for has no folder for it yet.
  if (DirectoryExists(st.userDir)) {
    const std::filesystem::path folder = FsPath(NativePath(files.data)).parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
  }
  // A user who never had this file gets it without a backup.
  if (!files.backup.empty() && FileExists(files.data)) {
    CopyFileAtomic(files.data, files.backup);
    s.controls.RestoreItem(side, kind)->SetEnabled(true);  // there is now a backup to restore from
  }
  const int user = UserNumber(side);
  // Extended rows are numbered by their place in the file written; the store keeps those numbers.
  const auto write = [&](auto writeFile, const KindHeader& header, auto& records) {
    writeFile(user, files.data, header.Saved(), records, s.data);
    RenumberExtended(header, records);
  };
  switch (kind) {
    case Kind::Dates:
      write(WriteDatebookFile, st.datesHeader, st.dates);
      break;
    case Kind::Contacts:
      write(WriteAddressFile, st.contactsHeader, st.contacts);
      break;
    case Kind::Memos:
      write(WriteMemoFile, st.memosHeader, st.memos);
      break;
    case Kind::ToDos:
      write(WriteTodoFile, st.todosHeader, st.todos);
      break;
    case Kind::Custom:
      WriteCustomFile(user, s.settings.Custom1, files.data, st.custom, s.data);
      break;
  }
}

}  // namespace

WriteoutResult Writeout(Session& s) {
  WriteoutResult result;
  const bool shown = BothUsersShown(s);
  if (shown) {
    KeepPristineCopies(s);
    s.WriteLog("Writing updated files...", 11);
    s.platform.SetBusy(true);
    s.controls.busyNotice.SetCaption("\r\nPlease wait while files are updated");
    s.controls.busyNotice.SetVisible(true);
  }

  // Progress by the records to write, a file at a time.
  size_t total = 0;
  for (const UserStore& st : s.stores) {
    for (Kind kind : kWriteOrder) total += st.Changed(kind) ? 1 + st.Count(kind) : 0;
  }
  std::optional<StatusProgress> progress;
  if (shown) progress.emplace(s, total);

  bool stopped = !shown;
  for (Side side : kSides) {
    const UserStore& st = s.Store(side);
    for (size_t n = 0; n < kWriteOrder.size(); ++n) {
      const Kind kind = kWriteOrder[n];
      if (!st.Changed(kind)) continue;
      SavedFile file{side, kind, FilesOf(s.settings, st.userDir, kind).data, {}};
      if (!stopped) {
        const std::string routine =
            "writeout " + std::to_string(UserNumber(side) * 10 + static_cast<int>(n) + 1) + " ";
        stopped = !TrapErrors(s.platform, routine, [&] {
          try {
            WriteKind(s, side, kind);
          } catch (const std::exception& e) {
            file.reason = e.what();
            throw;
          }
        });
      } else {
        file.reason = shown ? "not tried after an earlier failure" : "no user chosen";
      }
      if (progress) progress->Step(1 + st.Count(kind));
      (stopped ? result.notWritten : result.written).push_back(std::move(file));
    }
    if (side == kLeft && !stopped) {
      s.platform.DoEvents();
      s.platform.DoEvents();
    }
  }

  if (shown) {
    // Also after a failure: the operator must be able to carry on.
    s.controls.progress.SetVisible(false);
    s.controls.busyNotice.SetVisible(false);
    s.platform.SetBusy(false);
  }
  return result;
}

}  // namespace mirrin
