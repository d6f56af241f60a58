#include "app/cli/headless.h"

#include <ctime>
#include <filesystem>

#include "palmdata/fileio.h"
#include "palmdata/users.h"
#include "sysplatform/systemtimezone.h"
#include "palmdata/pathtext.h"

namespace mirrin::cli {

HeadlessPlatform::HeadlessPlatform(std::ostream& err, std::string programDir)
    : err_(err), programDir_(std::move(programDir)), timeZone_(SystemTimeZone()) {
  if (!SystemTimeZoneProblem().empty()) err_ << "mirrin-cli: " << SystemTimeZoneProblem() << "\n";
}

int HeadlessPlatform::MsgBox(const std::string& text, int style, const std::string& title) {
  if ((style & mb::IconMask) == mb::Critical) ++errorsShown;
  err_ << "mirrin-cli: " << title << ": " << text << "\n";
  switch (style & mb::ButtonMask) {
    case mb::OKOnly:
    case mb::OKCancel:
      return mb::OK;
    case mb::YesNo:
    case mb::YesNoCancel:
      return mb::No;
    case mb::AbortRetryIgnore:
      return mb::Abort;
    default:
      return mb::Cancel;
  }
}

double HeadlessPlatform::Now() {
  const double utc = kUnixEpochDay + static_cast<double>(std::time(nullptr)) / 86400.0;
  return UtcToLocal(utc, timeZone_);
}

bool TakeSessionOption(const std::vector<std::string>& args, size_t& i, SessionOptions& options, bool& failed,
                       std::ostream& err) {
  const std::string& a = args[i];
  std::string* target = nullptr;
  if (a == "--config") target = &options.config;
  if (a == "--kind") target = &options.kind;
  if (a == "--quiet") {
    options.quiet = true;
    return true;
  }
  if (a != "--set" && target == nullptr) return false;
  if (i + 1 >= args.size()) {
    err << "mirrin-cli: " << a << " needs a value\n";
    failed = true;
    return true;
  }
  ++i;
  if (target != nullptr) {
    *target = args[i];
  } else {
    options.sets.push_back(args[i]);
  }
  return true;
}

std::string ProgramDirFor(const SessionOptions& options) {
  namespace fs = std::filesystem;
  if (!options.config.empty()) {
    const fs::path parent = fs::absolute(FsPath(options.config)).parent_path();
    return PathText(parent);
  }
  return PathText(fs::current_path());
}

namespace {

std::string KeyOf(const std::string& line) { return UpperAscii(TrimBlanks(Split(line, '=')[0])); }

}  // namespace

bool ApplySettings(Session& s, const SessionOptions& options, std::ostream& err) {
  // A headless run leaves no log file behind.
  s.settings.LogLevel = -1;
  if (!options.config.empty()) {
    if (FileMissing(options.config)) {
      err << "mirrin-cli: " << options.config << ": no such configuration file\n";
      return false;
    }
    if (!ReadIniFile(s.configLines, options.config, s.log, s.platform)) return false;
  }
  for (const std::string& set : options.sets) {
    const std::string key = KeyOf(set);
    bool known = false;
    for (const SettingKey& k : SettingKeys()) known = known || UpperAscii(k.key) == key;
    if (set.find('=') == std::string::npos || !known) {
      err << "mirrin-cli: --set " << set << ": not a setting (Key=Value)\n";
      return false;
    }
    // The first line with a value wins, so earlier lines of the key go.
    for (std::string& line : s.configLines) {
      if (!line.empty() && KeyOf(line) == key) line.clear();
    }
    s.configLines.push_back(set);
  }
  const std::vector<RunError> errors =
      ReadSettings(s.configLines, s.settings, s.programDir, s.log, s.platform);
  for (const RunError& e : errors) err << "mirrin-cli: a setting does not convert: " << e.what() << "\n";
  if (!errors.empty()) return false;
  s.settings.LogLevel = -1;
  return true;
}

std::optional<Kind> ChooseKind(Session& s, const std::string& text) {
  const std::string want = UpperAscii(text);
  Settings& set = s.settings;
  if (want == "DATES") {
    set.IncludeDates = true;
    return Kind::Dates;
  }
  if (want == "CONTACTS") {
    set.IncludeContacts = true;
    return Kind::Contacts;
  }
  if (want == "TO DOS" || want == "TODOS") {
    set.IncludeToDo = true;
    return Kind::ToDos;
  }
  if (want == "MEMOS") {
    set.IncludeMemo = true;
    return Kind::Memos;
  }
  if (!set.Custom1.empty() && want == UpperAscii(set.Custom1)) return Kind::Custom;
  return std::nullopt;
}

std::optional<Kind> SettingsAndKind(Session& s, const SessionOptions& options, const char* verb,
                                    std::ostream& err) {
  if (!ApplySettings(s, options, err)) return std::nullopt;
  const std::optional<Kind> kind = ChooseKind(s, options.kind);
  if (!kind) err << "mirrin-cli: " << verb << ": unknown kind " << options.kind << "\n";
  return kind;
}

std::string UserNameOf(const std::string& userDir) {
  namespace fs = std::filesystem;
  fs::path dir = fs::absolute(FsPath(userDir)).lexically_normal();
  if (!dir.has_filename()) dir = dir.parent_path();  // a trailing separator
  const std::string folder = PathText(dir.filename());
  UserList list;
  // A damaged or missing list only costs the name.
  ReadUserFile(PathText(dir.parent_path() / "users.dat"), list, [](const std::string&, const RunError&) {});
  for (int32_t i = 0; i < list.UserCount && static_cast<size_t>(i) < list.Users.size(); ++i) {
    const UserEntry& u = list.Users[static_cast<size_t>(i)];
    if (UpperAscii(u.UserFolder) == UpperAscii(folder) && !u.UserName.empty()) return u.UserName;
  }
  return folder;
}

void ProgressLine::Show(const std::function<std::string()>& text) {
  if (quiet_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < std::chrono::seconds(1)) return;
  last_ = now;
  err_ << "mirrin-cli: " << text() << "\n";
}

}  // namespace mirrin::cli
