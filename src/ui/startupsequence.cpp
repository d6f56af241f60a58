#include "ui/startupsequence.h"

#include <cctype>
#include <filesystem>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "mainwindow/format.h"
#include "save/datafiles.h"
#include "save/save.h"
#include "startup/errorreport.h"
#include "startup/runningcheck.h"
#include "sysplatform/systemtimezone.h"
#include "startup/version.h"
#include "ui/app.h"
#include "palmdata/pathtext.h"

namespace mirrin {

namespace {

constexpr int kListCapacity = 500;
// Logs this many days old are deleted at start-up.
constexpr int kFirstPrunedDay = 6;
constexpr int kLastPrunedDay = 36;

void Critical(Session& s, const std::string& text, const std::string& title) {
  s.platform.MsgBox(text, mb::OKOnly | mb::Critical, title);
}

// Whether the Palm directory holds a file matching "users.da*" (letter
// case ignored, as the directories come from a system that ignores it). An
// empty directory stands for the root of the current drive.
bool HasUsersFile(const std::string& palmDir) {
  namespace fs = std::filesystem;
  const std::string dir = NativePath(palmDir.empty() ? std::string("\\") : palmDir);
  std::error_code ec;
  if (!fs::is_directory(FsPath(dir), ec)) return false;
  for (const auto& entry : fs::directory_iterator(FsPath(dir), ec)) {
    std::string name = PathText(entry.path().filename());
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.starts_with("users.da") && entry.is_regular_file(ec)) return true;
  }
  return false;
}

// UserFolder = the part of UserDir after PalmDir and its backslash.
void DeriveUserFolder(const std::string& palmDir, const std::string& userDir, std::string& userFolder) {
  if (userDir.size() > palmDir.size()) userFolder = userDir.substr(palmDir.size() + 1);
}

void RunOptionally(Session& s, const char* routine, const std::function<void()>& body) {
  TrapErrors(s.platform, routine, body);
}

// Configure Users, shown because the configuration is missing or wrong;
// true when the operator confirmed it (the file is then rewritten).
bool UsersPrompt(MirrinApp& app) { return app.configUser.Show(); }

// The side's user: its selectors filled and the user found and loaded.
// False when the operator must be asked again.
bool ValidateUser(MirrinApp& app, Side side) {
  Session& s = app.session;
  const Settings& set = s.settings;
  const std::string& user = side == kLeft ? set.PalmUser1 : set.PalmUser2;
  app.configUser.FillSelectors(side);
  if (user.empty()) {
    Critical(s, "Both users must be specified correctly in CFG file : " + ConfigFilePath(s.programDir),
             kProductName);
    return false;
  }
  if (!SelectUser(s, side, user)) {
    Critical(s, "Invalud User specified in CFG file : " + user,
             side == kLeft ? ProductTitleWithVersion() : std::string(kProductName));
    return false;
  }
  s.controls.panes[side].userName.SetText(user);
  app.splash.Progress();
  SetRestoreItems(s, side);
  return true;
}

void NoPalmDirectory(Session& s, Side side) {
  forms::ComboBox& selector = s.controls.panes[side].userSelector;
  selector.AddItem(kNoPalmDirText);
  selector.SetListIndex(selector.NewIndex());
}

bool InvalidDirectory(Session& s, const std::string& palmDir, const std::string& title) {
  if (HasUsersFile(palmDir)) return false;
  Critical(
      s,
      "Invalid directory in CFG file : " + palmDir + "\r" + "Palm Data could not be found in this Directory",
      title);
  return true;
}

// A value that does not convert is told once, naming its line, and the
// rest of the configuration still applies.
void ReadAllSettings(Session& s) {
  Settings& set = s.settings;
  std::vector<RunError> errors = ReadSettings(s.configLines, set, s.programDir, s.log, s.platform);
  const std::string noDate = "dd/mm/yyyy";
  if (set.HideAfter != noDate && !ParseDayMonthYear(set.HideAfter)) {
    if (set.Unread.insert("HideAfter").second) {
      errors.emplace_back(err::TypeMismatch,
                          ErrorDescription(err::TypeMismatch) + " (HideAfter=" + set.HideAfter + ")", "");
    }
    set.HideAfter = noDate;
  }
  for (const RunError& e : errors) {
    ReportError(s.platform, e.number(), e.description(), "ProcessIniFile");
  }
}

// One pass over the configuration; false when the users prompt is needed.
// confirmed: the operator has just given the users in the dialog, whose
// values are in memory even when the file could not be written.
bool ApplyConfiguration(MirrinApp& app, bool confirmed) {
  Session& s = app.session;
  Settings& set = s.settings;
  ReadAllSettings(s);
  FillKindList(set, s.controls.kindSelector, true);
  FillKindList(set, app.configure.cmbStartwith, false);
  DeriveUserFolder(set.PalmDir1, set.UserDir1, set.UserFolder1);
  app.main.UseEntryLists();

  if (!confirmed && FileMissing(ConfigFilePath(s.programDir))) {
    Critical(s, "Configuration options not found\rPlease specify on the following screen...", kProductName);
    return false;
  }
  if (InvalidDirectory(s, set.PalmDir1, kProductName)) return false;
  if (!set.PalmDir1.empty()) {
    if (!ValidateUser(app, kLeft)) return false;
  } else {
    NoPalmDirectory(s, kLeft);
  }

  DeriveUserFolder(set.PalmDir2, set.UserDir2, set.UserFolder2);
  if (InvalidDirectory(s, set.PalmDir2, ProductTitleWithVersion())) return false;
  if (set.PalmDir2.empty()) {
    NoPalmDirectory(s, kRight);
    return true;
  }
  if (!ValidateUser(app, kRight)) return false;
  if (SamePlace(set.UserDir1, set.UserDir2)) {
    Critical(s, SameUserFolderText(set.UserDir1), kProductName);
    return false;
  }
  return true;
}

// One of the four Palm kinds' texts, and that kind is included.
bool KindIncluded(const Settings& set, const std::string& kind) {
  return (kind == kDatesText && set.IncludeDates) || (kind == kContactsText && set.IncludeContacts) ||
         (kind == kToDosText && set.IncludeToDo) || (kind == kMemosText && set.IncludeMemo);
}

void ShowArchiveSetting(Session& s) {
  s.controls.archive.SetValue(s.settings.ArchiveDeleted ? forms::CheckBox::Checked
                                                        : forms::CheckBox::Unchecked);
}

}  // namespace

void PruneLogs(Platform& platform, const std::string& dir) {
  const double today = platform.Now();
  for (int n = kFirstPrunedDay; n <= kLastPrunedDay; ++n) {
    const std::string name = dir + "\\" + kProgramName + DateDigits(today - n) + ".log";
    if (FileExists(name)) RemoveFile(name);
  }
}

bool SelectUser(Session& s, Side side, const std::string& name) {
  forms::ComboBox& selector = s.controls.panes[side].userSelector;
  for (int i = 0; i < selector.ListCount(); ++i) {
    selector.SetListIndex(i);
    if (selector.Text() == name) return true;
  }
  return false;
}

void SetRestoreItems(Session& s, Side side) {
  const std::string& user = side == kLeft ? s.settings.PalmUser1 : s.settings.PalmUser2;
  const std::string& dir = side == kLeft ? s.settings.UserDir1 : s.settings.UserDir2;
  static constexpr std::array<const char*, 4> kCaptions{" Dates...", " Contacts...", " Todos...",
                                                        " Memos..."};
  for (size_t i = 0; i < kCaptions.size(); ++i) {
    forms::MenuItem& item = s.controls.panes[side].restore[i];
    item.SetCaption(user + kCaptions[i]);
    if (FileExists(FilesOf(s.settings, dir, static_cast<Kind>(i)).backup)) item.SetEnabled(true);
  }
}

void FillKindList(const Settings& set, forms::ComboBox& combo, bool withCustom) {
  std::string remembered;
  if (combo.ListCount() > 0) {
    remembered = combo.Text();
    combo.Clear();
  }
  std::array<bool, kKindCount> included = IncludedKinds(set);
  included[static_cast<size_t>(Kind::Custom)] = withCustom && set.IncludeCustom;
  AddKindRows(combo, included, set.Custom1);
  int selected = 0;
  for (int i = 0; i < combo.ListCount(); ++i) {
    if (!remembered.empty() && combo.List(i) == remembered) selected = i;
  }
  combo.SetListIndex(selected);
}

void ProcessIniFile(MirrinApp& app) {
  Session& s = app.session;
  app.splash.Progress();
  TrapErrors(s.platform, "ProcessIniFile", [&] {
    std::string title;
    if (IsPalmDesktopRunning(s.platform, title)) {
      const std::string product = kProductName;
      Critical(s,
               title + " is running.  " + product +
                   " should not be run at the same time as Palm Desktop or HotSync.  Please "
                   "restart " +
                   product + " when " + "Palm Desktop" + " and HotSync are closed.",
               ProductTitleWithVersion());
      throw ProgramEnd{};
    }
    s.WriteLog("ProcessIniFile() called.", 11);
    bool confirmed = false;
    while (!ApplyConfiguration(app, confirmed)) {
      if (!UsersPrompt(app)) throw ProgramEnd{};
      confirmed = true;
    }
  });
}

void SelectStartKind(MirrinApp& app) {
  Session& s = app.session;
  const std::string& start = s.settings.Startwith;
  forms::ComboBox& combo = s.controls.kindSelector;
  // The selector is empty when the configuration pass stopped at an error;
  // there is then nothing to select.
  if (start.empty()) {
    if (combo.ListCount() > 0) combo.SetListIndex(0);
    app.splash.Progress();
    return;
  }
  // A kind that is not included, or any other text, selects nothing.
  if (!KindIncluded(s.settings, start)) return;
  for (int i = 0; i < combo.ListCount(); ++i) {
    if (combo.List(i) == start) combo.SetListIndex(i);
  }
}

void FormLoad(MirrinApp& app, const std::vector<std::string>& args) {
  Session& s = app.session;
  MainWindowControls& f = s.controls;
  WindowState& w = s.window;

  w.currentList = {&f.panes[kLeft].list, &f.panes[kRight].list};
  ShowArchiveSetting(s);
  // Enabled only for the backups that exist, once the users are known.
  for (Side side : kSides) {
    for (forms::MenuItem& item : f.panes[side].restore) item.SetEnabled(false);
  }

  std::string commandLine;
  for (const std::string& arg : args) commandLine += (commandLine.empty() ? "" : " ") + arg;
  commandLine = TrimBlanks(commandLine);
  if (!commandLine.empty()) {
    const std::vector<std::string> words = Split(commandLine, ' ');
    if (UpperAscii(words[0]) == "-D") {
      s.settings.LogLevel = 100;
      RunOptionally(s, "Form_Load", [&] { s.WriteLog("Logging set at Debug level", 0); });
    }
    if (words.size() > 1 && words[1] == "-dev") {
      RunOptionally(s, "Form_Load", [&] { s.WriteLog("Development Environment - not safe", 0); });
      s.data.developmentMode = true;
    }
  }

  s.data.timeZone = s.platform.TimeZone();
  if (!SystemTimeZoneProblem().empty()) {
    RunOptionally(s, "Form_Load", [&] { s.WriteLog(SystemTimeZoneProblem(), 0); });
  }
  s.labels = LabelTables{};
  w.notesMode = false;
  w.categoriesView = false;
  w.ListCapacity = kListCapacity;
  w.currentIndex = {-1, -1};

  // Before the configuration is read the log goes to the program directory.
  const std::string earlyLogDir = s.settings.LogFilePath.empty() ? s.programDir : s.settings.LogFilePath;
  RunOptionally(s, "Form_Load", [&] { PruneLogs(s.platform, earlyLogDir); });

  app.splash.Load();
  RunOptionally(s, "Form_Load",
                [&] { s.WriteLog(std::string(kProgramName) + " Version " + VersionText() + " started", 0); });
  app.splash.Progress();
  s.ResetMaps();

  RunOptionally(s, "Form_Load", [&] { s.WriteLog("Settings folder: " + s.programDir, 0); });
  s.configUnreadable = !ReadIniFile(s.configLines, ConfigFilePath(s.programDir), s.log, s.platform);
  ProcessIniFile(app);
  // The configured log directory has its old logs too.
  if (!s.settings.LogFilePath.empty() && s.settings.LogFilePath != earlyLogDir) {
    RunOptionally(s, "Form_Load", [&] { PruneLogs(s.platform, s.settings.LogFilePath); });
  }
  ShowArchiveSetting(s);

  ReadCatExcludeFile(CategoryFilterFilePath(s.programDir), CategoryFilterUsers(s), s.settings.Custom1,
                     s.filters, s.log, s.platform);
  app.main.SetGUI();
  app.main.InitResizer();
  s.ResetMaps();
  SelectStartKind(app);
  app.splash.Unload();
}

void ConfigureMenu(MirrinApp& app) {
  Session& s = app.session;
  const std::string gui = s.settings.GUI, height = s.settings.GUIHeight;
  app.configure.Show();
  ShowArchiveSetting(s);
  // The layout options act at once rather than after a restart.
  if (s.settings.GUI != gui || s.settings.GUIHeight != height) app.main.ApplyLayoutOptions();
}

void ConfigUserMenu(MirrinApp& app) {
  Session& s = app.session;
  if (!ConfigUserGuard(s)) return;
  if (app.configUser.Show()) return;  // the users picked were loaded already
  // Reading the file afresh re-selects the configured users, undoing any
  // pick; its lines replace the ones in memory, so none is kept twice.
  s.configLines.clear();
  s.configUnreadable = !ReadIniFile(s.configLines, ConfigFilePath(s.programDir), s.log, s.platform);
  ProcessIniFile(app);
}

}  // namespace mirrin
