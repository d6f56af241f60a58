// mirrin-cli export: one kind of one user's records (or two users' merged)
// as iCalendar, vCard or CSV. Reads the data files only; never writes them.
#include <ctime>
#include <filesystem>

#include "app/cli/cli.h"
#include "app/cli/headless.h"
#include "export/csv.h"
#include "export/ics.h"
#include "export/vcf.h"
#include "palmdata/fileio.h"
#include "mainwindow/loaduser.h"
#include "startup/config.h"
#include "sysplatform/systemtimezone.h"
#include "palmdata/pathtext.h"

namespace mirrin::cli {

namespace {

constexpr const char* kUsage =
    "usage: mirrin-cli export --kind KIND --format ics|vcf|csv USERDIR [--both OTHERDIR]\n"
    "                         [--include-private] [-o FILE] [--config Mirrin.cfg] [--set Key=Value]...\n"
    "                         [--raw] [--bom] [--quiet]\n"
    "  ics: Dates and To Dos; vcf: Contacts; csv: every kind. --both adds OTHERDIR's\n"
    "  records that are no twins of USERDIR's. Private records only with\n"
    "  --include-private. Writes standard output or FILE, never a Palm file, a\n"
    "  recovery copy or any file inside a user folder. CSV: texts a spreadsheet\n"
    "  would run as formulas start with ' unless --raw; --bom starts the file\n"
    "  with a UTF-8 byte-order mark.\n";

// Reads the kind's file of the side's user, as loading a user does, but
// without the safety copy: an export leaves the Palm folders as they are.
void ReadKind(Session& s, Side side, Kind kind) {
  UserStore& st = s.Store(side);
  ReadKindFile(s, side, kind, KindFilePath(s.settings, st.userDir, kind), st);
  st.loaded = true;
}

// Why an export must not write this file: the Palm files, the copies kept
// for recovery and everything inside a user folder; empty when it may.
std::string RefusedTarget(const std::string& path, const std::array<std::string, 2>& userDirs) {
  namespace fs = std::filesystem;
  const std::string name = UpperAscii(path.substr(path.find_last_of("/\\") + 1));
  for (const char* palm : {"DATEBOOK.DAT", "ADDRESS.DAT", "TODO.DAT", "MEMOPAD.DAT", "USERS.DAT"}) {
    if (name == palm) return "a Palm data file";
  }
  const auto ends = [&](const std::string& tail) {
    return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (ends(".PREMIRRIN22") || name.rfind("MIRRIN_BACKUP_", 0) == 0 ||
      name.rfind("MIRRIN_PRERESTORE_", 0) == 0) {
    return "a copy kept for recovery";
  }
  std::error_code ec;
  const fs::path target = fs::weakly_canonical(fs::absolute(FsPath(path)), ec);
  for (const std::string& dir : userDirs) {
    if (dir.empty()) continue;
    const fs::path folder = fs::weakly_canonical(fs::absolute(FsPath(dir)), ec);
    const fs::path inside = target.lexically_relative(folder);
    if (!inside.empty() && *inside.begin() != "..") return "inside the user folder " + dir;
  }
  return "";
}

}  // namespace

int RunExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SessionOptions options;
  std::string format, outFile;
  std::array<std::string, 2> dirs;
  bool includePrivate = false, raw = false, bom = false;
  bool failed = false;
  for (size_t i = 0; i < args.size() && !failed; ++i) {
    const std::string& a = args[i];
    if (a == "--help") {
      out << kUsage;
      return 0;
    }
    if (TakeSessionOption(args, i, options, failed, err)) continue;
    if (a == "--include-private" || a == "--raw" || a == "--bom") {
      (a == "--raw" ? raw : a == "--bom" ? bom : includePrivate) = true;
    } else if ((a == "--format" || a == "--both" || a == "-o") && i + 1 < args.size()) {
      (a == "--format" ? format : a == "--both" ? dirs[kRight] : outFile) = args[++i];
    } else if (!a.empty() && a[0] != '-' && dirs[kLeft].empty()) {
      dirs[kLeft] = a;
    } else {
      err << "mirrin-cli: export: unexpected argument " << a << "\n";
      failed = true;
    }
  }
  if (failed || options.kind.empty() || dirs[kLeft].empty() ||
      (format != "ics" && format != "vcf" && format != "csv") || ((raw || bom) && format != "csv")) {
    err << kUsage;
    return 2;
  }
  if (const std::string why = outFile.empty() ? "" : RefusedTarget(outFile, dirs); !why.empty()) {
    err << "mirrin-cli: export: will not write " << outFile << ": " << why << "\n";
    return 2;
  }

  HeadlessPlatform platform(err, ProgramDirFor(options));
  Session s(platform);
  const std::optional<Kind> kind = SettingsAndKind(s, options, "export", err);
  if (!kind) return 2;
  const bool calendarKind = *kind == Kind::Dates || *kind == Kind::ToDos;
  if ((format == "ics" && !calendarKind) || (format == "vcf" && *kind != Kind::Contacts)) {
    err << "mirrin-cli: export: " << s.KindText(*kind) << " cannot be written as " << format << "\n";
    return 2;
  }
  const bool both = !dirs[kRight].empty();
  if (both && SamePlace(dirs[kLeft], dirs[kRight])) {
    err << "mirrin-cli: export: --both names the same user folder: " << dirs[kRight] << "\n";
    return 2;
  }
  ProgressLine progress(err, options.quiet);
  for (Side side : kSides) {
    if (side == kRight && !both) break;
    if (!DirectoryExists(dirs[side])) {
      err << "mirrin-cli: export: no such user folder: " << dirs[side] << "\n";
      return 2;
    }
    s.Store(side).userDir = dirs[side];
    try {
      ReadKind(s, side, *kind);
    } catch (const RunError& e) {
      err << "mirrin-cli: export: " << (e.where().empty() ? dirs[side] : e.where()) << ": " << e.what()
          << "\n";
      return 2;
    }
    progress.Show(
        [&] { return "export: read User" + std::to_string(UserNumber(side)) + "'s " + s.KindText(*kind); });
  }
  const std::array<std::string, 2> names{UserNameOf(dirs[kLeft]), both ? UserNameOf(dirs[kRight]) : ""};
  const ExportContext context{s.stores,           s.settings,           s.labels, s.data.timeZone,
                              std::time(nullptr), SystemTimeZoneName(), names};
  const std::vector<ExportRecord> records = ChooseRecords(context, *kind, both, includePrivate);
  progress.Show([&] { return "export: writing " + std::to_string(records.size()) + " records"; });
  std::string text;
  if (format == "ics") {
    text = CalendarText(context, *kind, records);
  } else if (format == "vcf") {
    text = ContactCards(context, records);
  } else {
    // Spreadsheets take a file without the mark for the system's code page.
    text = (bom ? "\xEF\xBB\xBF" : "") + CsvText(context, *kind, records, raw);
  }
  if (outFile.empty()) {
    out << text;
    return 0;
  }
  try {
    WriteFileAtomic(outFile, text);
  } catch (const RunError& e) {
    err << "mirrin-cli: export: " << outFile << ": " << e.what() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace mirrin::cli
