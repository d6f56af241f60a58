#include "mainwindow/loaduser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "palmdata/fileio.h"
#include "mainwindow/progress.h"
#include "mainwindow/selectkind.h"
#include "startup/errorreport.h"
#include "palmdata/pathtext.h"

namespace mirrin {

namespace {

// The field's text before the side has ever been given a user.
const char* InitialUserText(Side side) { return side == kLeft ? "UserLeft" : "UserRight"; }

// Empties both lists and the counts before the side's store is replaced.
void ForgetLoadedUser(Session& s, Side side) {
  forms::ComboBox& combo = s.controls.kindSelector;
  // The right side is documented to select entry 0 without testing for
  // entries; on an empty selector that is an error that would end the
  // program, so both sides test.
  if (combo.ListCount() > 0) combo.SetListIndex(0);
  combo.SetEnabled(false);
  for (Side x : kSides) {
    s.List(x).Clear();
    s.controls.panes[x].recordCount.SetCaption("");
  }
  s.Store(side).loaded = false;
}

// Keeps the datebook as it was before this program first touched it: made
// once, never refreshed.
void MakeSafetyCopy(const std::string& datebook) {
  const std::string copy = datebook + kSafetyCopySuffix;
  if (!FileExists(copy) && FileExists(datebook)) CopyFileAtomic(datebook, copy);
}

// A store holds one user's data only: every kind of the side is replaced,
// an included one by its file (empty, with the kind's default header, when
// the file is missing) and one that is not included by an empty kind.
void ReadIncludedFiles(Session& s, Side side) {
  UserStore& st = s.Store(side);
  const Settings& set = s.settings;
  st.read = {};
  const std::array<std::pair<Kind, bool>, 5> kinds{{{Kind::Dates, set.IncludeDates},
                                                    {Kind::Contacts, set.IncludeContacts},
                                                    {Kind::ToDos, set.IncludeToDo},
                                                    {Kind::Memos, set.IncludeMemo},
                                                    {Kind::Custom, !set.Custom1.empty()}}};
  // Progress by the bytes to read, a file at a time; a size that cannot be
  // had counts as nothing here, the read itself reports what is wrong.
  std::array<size_t, 5> units{};
  size_t total = 0;
  for (const auto& [kind, included] : kinds) {
    if (!included) continue;
    std::error_code ec;
    const auto bytes =
        std::filesystem::file_size(FsPath(NativePath(KindFilePath(set, st.userDir, kind))), ec);
    units[static_cast<size_t>(kind)] = 1 + (ec ? 0 : static_cast<size_t>(bytes));
    total += units[static_cast<size_t>(kind)];
  }
  StatusProgress progress(s, total);
  for (const auto& [kind, included] : kinds) {
    st.read[static_cast<size_t>(kind)] = included;
    ReadKindFile(s, side, kind, included ? KindFilePath(set, st.userDir, kind) : std::string(), st);
    progress.Step(units[static_cast<size_t>(kind)]);
  }
  s.controls.progress.SetVisible(false);
}

// The list index maps are indexed by list row, so they must hold the longest
// list any kind of this store can produce: every kind counts, not only
// Dates and Contacts. Grows in the same steps of 100, and never shrinks.
void GrowListCapacity(Session& s, const UserStore& st) {
  int32_t& capacity = s.window.ListCapacity;
  const int32_t before = capacity;
  for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos, Kind::Custom}) {
    const auto count = static_cast<int32_t>(std::min<size_t>(st.Count(kind), INT32_MAX - 100));
    if (count > capacity) capacity = count + 100;
  }
  if (capacity != before) s.ResetMaps();  // the old contents are discarded
}

// Open only once both sides have been given a user; with a single kind on
// offer that kind is shown at once.
void EnableKindSelector(Session& s) {
  for (Side x : kSides) {
    if (s.controls.panes[x].userName.Text() == InitialUserText(x)) return;
  }
  forms::ComboBox& combo = s.controls.kindSelector;
  combo.SetEnabled(true);
  if (combo.ListCount() != 2) return;
  // Already on that kind (the side was not loaded before, so nothing reset
  // the selector): selecting it again fires nothing, yet the lists must show
  // the new data.
  if (combo.ListIndex() == 1) {
    SelectKind(s);
  } else {
    combo.SetListIndex(1);
  }
}

void Load(Session& s, Side side, const LoadUserHooks& hooks, const std::string& context) {
  UserStore& st = s.Store(side);
  if (st.loaded) ForgetLoadedUser(s, side);

  const std::string& name = s.controls.panes[side].userName.Text();
  if (name == kNoPalmDirText || name == kChooseUserText) return;

  s.platform.SetBusy(true);
  s.controls.busyNotice.SetCaption("\r\nOpening/Verifying User File");
  s.controls.busyNotice.SetVisible(true);
  s.platform.DoEvents();
  s.platform.DoEvents();

  st.userName = name;
  st.userDir = side == kLeft ? s.settings.UserDir1 : s.settings.UserDir2;
  // A failed safety copy is told but does not stop the load; saving tries
  // again before it first writes the datebook.
  if (hooks.makeSafetyCopy) {
    TrapErrors(s.platform, context + ": Copying datebook file",
               [&] { MakeSafetyCopy(KindFilePath(s.settings, st.userDir, Kind::Dates)); });
  }

  if (hooks.splashProgress) hooks.splashProgress();

  // The left side counts as loaded while its files are read, the right one
  // only afterwards; nothing looks at the flag in between, and a read error
  // ends the program.
  if (side == kLeft) st.loaded = true;
  ReadIncludedFiles(s, side);
  if (side == kRight) st.loaded = true;

  GrowListCapacity(s, st);
  if (hooks.showDateCount) hooks.showDateCount(side, st.datesHeader.RecordCount);
  EnableKindSelector(s);

  s.controls.busyNotice.SetVisible(false);
  s.platform.SetBusy(false);
}

}  // namespace

std::string KindFilePath(const Settings& settings, const std::string& dir, Kind kind) {
  switch (kind) {
    case Kind::Dates:
      return dir + "\\datebook\\datebook.dat";
    case Kind::Contacts:
      return dir + "\\address\\address.dat";
    case Kind::ToDos:
      return dir + "\\todo\\todo.dat";
    case Kind::Memos:
      return dir + "\\memopad\\memopad.dat";
    case Kind::Custom:
      break;
  }
  // Custom1File begins with its own backslash.
  return dir + settings.Custom1File;
}

void ReadKindFile(Session& s, Side side, Kind kind, const std::string& path, UserStore& into) {
  const int user = UserNumber(side);
  // An empty path stands for a file that does not exist: the kind is empty.
  const std::string file = path.empty() ? KindFilePath(s.settings, into.userDir, kind) : path;
  const bool read = !path.empty();
  into.Header(kind).flags.clear();  // a new table: every category shown, none deleted
  switch (kind) {
    case Kind::Dates:
      into.dates.clear();
      SetDefaultDatebookHeader(into.datesHeader, file);
      if (read) ReadDatebookFile(user, file, into.datesHeader, into.dates, s.data);
      break;
    case Kind::Contacts:
      into.contacts.clear();
      SetDefaultAddressHeader(into.contactsHeader, file);
      if (read) ReadAddressFile(user, file, into.contactsHeader, into.contacts, s.data);
      break;
    case Kind::ToDos:
      into.todos.clear();
      SetDefaultTodoHeader(into.todosHeader, file);
      if (read) ReadTodoFile(user, file, into.todosHeader, into.todos, s.data);
      break;
    case Kind::Memos:
      into.memos.clear();
      SetDefaultMemoHeader(into.memosHeader, file);
      if (read) ReadMemoFile(user, file, into.memosHeader, into.memos, s.data);
      break;
    case Kind::Custom:
      ParseCustomText("", into.customHeader, into.custom);
      if (read) ReadCustomFile(file, into.customHeader, into.custom);
      break;
  }
}

void LoadUser(Session& s, Side side, const LoadUserHooks& hooks) {
  const std::string context = "Loading User '" + s.controls.panes[side].userName.Text() + "'";
  if (!TrapErrors(s.platform, context, [&] { Load(s, side, hooks, context); })) {
    throw ProgramEnd{1};
  }
}

}  // namespace mirrin
