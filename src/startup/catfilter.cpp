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

// The line's meaning for a loaded user: hide one category.
void ApplyLine(const std::string& line, const std::array<FilterUser, 2>& users,
               std::string_view customKind, CategoryFilters& filters) {
  const std::vector<std::string> pieces = Split(line, '|');
  if (pieces.size() < 3) return;
  const FilterUser* user = nullptr;
  for (const FilterUser& u : users) {
    if (pieces[0] == u.name) {
      user = &u;
      break;
    }
  }
  std::optional<FilterKind> kind = PalmKindNamed(pieces[1]);
  // The fifth kind's lines are written, so they are applied too; otherwise
  // its hidden categories would be forgotten at the next write.
  if (!kind && !customKind.empty() && pieces[1] == customKind) kind = FilterKind::Custom;
  std::vector<CategoryEntry>* table = user && kind ? user->Table(*kind) : nullptr;
  if (!user || (kind && !table)) {
    // Not a loaded user, or a kind of it that is not loaded: keep the line as it is.
    filters.OtherUserFilterLines.push_back(line);
    return;
  }
  if (!kind) return;  // a kind this program does not know: dropped
  for (CategoryEntry& c : *table) {
    if (c.LongName == pieces[2]) {
      c.Show = false;
      return;
    }
  }
  // A category the user no longer has: dropped.
}

}  // namespace

std::string CategoryFilterFilePath(std::string_view programDir) {
  return std::string(programDir) + "\\" + kProgramName + "CategoriestoExclude.cfg";
}

void ReadCatExcludeFile(std::string_view path, const std::array<FilterUser, 2>& users,
                        std::string_view customKind, CategoryFilters& filters, LogSink& log,
                        Platform& platform) {
  TrapErrors(platform, "ReadCatExcludeFile", [&] {
    log.WriteLog("ReadCatExcludeFile() called.", 11);
    if (!FileExists(path)) return;
    const Bytes text = ReadWholeFile(path);
    for (std::string_view raw : TextFileLines(text)) {
      const std::string line = TrimBlanks(raw);
      if (line.empty() || line[0] == '#') continue;
      ApplyLine(line, users, customKind, filters);
    }
  });
}

std::string CatExcludeFileText(const std::array<FilterUser, 2>& users, std::string_view customKind,
                               const CategoryFilters& filters) {
  const std::string product = kProductName;
  std::string text = "#\r\n#\r\n# This file contains Category Filters for " + product +
                     "\r\n#\r\n# (Modifying this file could affect the running of " + product +
                     ")\r\n#\r\n";
  for (const FilterUser& user : users) {
    for (int k = 0; k < kFilterKindCount; ++k) {
      const auto kind = static_cast<FilterKind>(k);
      const std::string kindName =
          kind == FilterKind::Custom ? std::string(customKind) : kPalmKindNames[k];
      const std::vector<CategoryEntry>* table = user.Table(kind);
      if (!table || kindName.empty()) continue;
      for (const CategoryEntry& c : *table) {
        if (!c.Show && !c.Deleted) text += user.name + "|" + kindName + "|" + c.LongName + "\r\n";
      }
    }
  }
  for (const std::string& line : filters.OtherUserFilterLines) text += line + "\r\n";
  return text;
}

void WriteCatExcludeFile(std::string_view path, const std::array<FilterUser, 2>& users,
                         std::string_view customKind, const CategoryFilters& filters,
                         LogSink& log) {
  // This runs on the way out: failures are not shown to the operator, only
  // logged, and a log that cannot be written does not stop the write. The
  // file is replaced whole or not at all.
  auto logQuietly = [&](const std::string& message, int level) {
    try {
      log.WriteLog(message, level);
    } catch (const RunError&) {
    }
  };
  logQuietly("WriteCatExcludeFile() called.", 11);
  if (!filters.changed) return;
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
    std::vector<CategoryEntry>* table = user.Table(*kind);
    if (table && category >= 0 && category < static_cast<int>(table->size())) {
      (*table)[static_cast<size_t>(category)].Show = show;
    }
  }
  filters.changed = true;
}

}  // namespace mirrin
