#include "startup/catfilter.h"

#include <optional>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "startup/config.h"
#include "startup/errorreport.h"
#include "startup/version.h"

namespace mirrin {

namespace {

constexpr std::array<const char*, 4> kPalmKindNames = {"Dates", "Contacts", "Memos", "To Dos"};

std::optional<FilterKind> PalmKindNamed(std::string_view name) {
  for (size_t k = 0; k < kPalmKindNames.size(); ++k) {
    if (name == kPalmKindNames[k]) return static_cast<FilterKind>(k);
  }
  return std::nullopt;
}

std::optional<FilterKind> KindNamed(std::string_view name, std::string_view customKind) {
  if (std::optional<FilterKind> kind = PalmKindNamed(name)) return kind;
  if (!customKind.empty() && name == customKind) return FilterKind::Custom;
  return std::nullopt;
}

// The table the line speaks of when its user and kind are loaded in `user`;
// null otherwise.
KindHeader* TableOf(const std::vector<std::string>& pieces, const FilterUser& user,
                    std::string_view customKind) {
  if (user.name.empty() || pieces[0] != user.name) return nullptr;
  const std::optional<FilterKind> kind = KindNamed(pieces[1], customKind);
  return kind ? user.Table(*kind) : nullptr;
}

// The user's hidden categories as lines, in the order of the kinds.
std::vector<std::string> HiddenLines(const FilterUser& user, std::string_view customKind) {
  std::vector<std::string> out;
  for (int k = 0; k < kFilterKindCount; ++k) {
    const auto kind = static_cast<FilterKind>(k);
    const std::string kindName =
        kind == FilterKind::Custom ? std::string(customKind) : kPalmKindNames[static_cast<size_t>(k)];
    const KindHeader* table = user.Table(kind);
    if (!table || kindName.empty()) continue;
    for (size_t t = 0; t < table->Categories.size(); ++t) {
      if (!table->Shown(t) && !table->Deleted(t)) {
        out.push_back(user.name + "|" + kindName + "|" + table->Categories[t].LongName);
      }
    }
  }
  return out;
}

}  // namespace

DatFileHeader KindHeader::Saved() const {
  DatFileHeader saved = *this;
  saved.Categories.clear();
  for (size_t t = 0; t < Categories.size(); ++t) {
    if (!Deleted(t)) saved.Categories.push_back(Categories[t]);
  }
  return saved;
}

std::string CategoryFilterFilePath(std::string_view programDir) {
  return std::string(programDir) + "\\" + kProgramName + "CategoriestoExclude.cfg";
}

void ReadCatExcludeFile(std::string_view path, const std::array<FilterUser, 2>& users,
                        std::string_view customKind, CategoryFilters& filters, LogSink& log,
                        Platform& platform) {
  filters.unreadable = !TrapErrors(platform, "ReadCatExcludeFile", [&] {
    log.WriteLog("ReadCatExcludeFile() called.", 11);
    if (FileMissing(path)) return;
    const Bytes text = ReadWholeFile(path);
    for (std::string_view raw : TextFileLines(text)) {
      const std::string line = TrimBlanks(raw);
      if (line.empty() || line[0] == '#' || Split(line, '|').size() < 3) continue;
      filters.lines.push_back(line);
    }
    for (const FilterUser& user : users) ApplyCategoryFilters(user, customKind, filters);
  });
}

void ApplyCategoryFilters(const FilterUser& user, std::string_view customKind,
                          const CategoryFilters& filters) {
  for (const std::string& line : filters.lines) {
    const std::vector<std::string> pieces = Split(line, '|');
    KindHeader* table = TableOf(pieces, user, customKind);
    if (!table) continue;
    // The first category of that name; a name the user no longer has is
    // dropped at the next write.
    for (size_t t = 0; t < table->Categories.size(); ++t) {
      if (table->Categories[t].LongName == pieces[2]) {
        table->Flags(t).shown = false;
        break;
      }
    }
  }
}

void KeepCategoryFilters(const FilterUser& user, std::string_view customKind, CategoryFilters& filters) {
  std::erase_if(filters.lines,
                [&](const std::string& line) { return TableOf(Split(line, '|'), user, customKind); });
  for (std::string& line : HiddenLines(user, customKind)) filters.lines.push_back(std::move(line));
}

std::string CatExcludeFileText(const std::array<FilterUser, 2>& users, std::string_view customKind,
                               const CategoryFilters& filters) {
  const std::string product = kProductName;
  std::string text = "#\r\n#\r\n# This file contains Category Filters for " + product +
                     "\r\n#\r\n# (Modifying this file could affect the running of " + product + ")\r\n#\r\n";
  for (const FilterUser& user : users) {
    for (const std::string& line : HiddenLines(user, customKind)) text += line + "\r\n";
  }
  for (const std::string& line : filters.lines) {
    const std::vector<std::string> pieces = Split(line, '|');
    if (!TableOf(pieces, users[0], customKind) && !TableOf(pieces, users[1], customKind)) {
      text += line + "\r\n";
    }
  }
  return text;
}

void WriteCatExcludeFile(std::string_view path, const std::array<FilterUser, 2>& users,
                         std::string_view customKind, const CategoryFilters& filters, LogSink& log) {
  // This runs on the way out: failures are not shown to the operator, only
  // logged, and a log that cannot be written does not stop the write. The
  // file is replaced whole or not at all.
  auto logQuietly = [&](const std::string& message, int level) {
    try {
      log.WriteLog(message, level);
    } catch (const RunError&) {}
  };
  logQuietly("WriteCatExcludeFile() called.", 11);
  if (!filters.changed) return;
  if (filters.unreadable) {
    // Its lines are not all known: writing would lose them.
    logQuietly("Category Exclude list not written: " + std::string(path) + " could not be read", 0);
    return;
  }
  logQuietly("Write Category Exclude list to " + std::string(path), 0);
  try {
    WriteFileAtomic(path, CatExcludeFileText(users, customKind, filters));
  } catch (const RunError& e) {
    logQuietly("WriteCatExcludeFile failed: " + std::string(e.what()), 0);
  }
}

void SetCategoryShown(const FilterUser& user, std::string_view kindText, int category, bool show,
                      CategoryFilters& filters) {
  if (const std::optional<FilterKind> kind = PalmKindNamed(kindText)) {
    KindHeader* table = user.Table(*kind);
    if (table && category >= 0 && category < static_cast<int>(table->Categories.size())) {
      table->Flags(static_cast<size_t>(category)).shown = show;
    }
  }
  filters.changed = true;
}

}  // namespace mirrin
