#pragma once
// The flags the program keeps beside each kind's category table, and the
// category filter file: which categories of which user's kinds are hidden,
// kept between runs. Lines of users other than the two loaded ones are
// carried through unchanged.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/header.h"
#include "palmdata/logsink.h"
#include "platform/platform.h"

namespace mirrin {

// What the program keeps of a category besides its entry in the file.
struct CategoryFlags {
  bool shown = true;     // records of the category are listed
  bool deleted = false;  // deleted by the operator: the entry keeps its place but is not saved
};

// A kind's header as the program holds it: what the file holds and, by
// position in the category table, the flags beside it. Positions past the
// end of `flags` have the defaults.
struct KindHeader : DatFileHeader {
  std::vector<CategoryFlags> flags;

  bool Shown(size_t position) const { return position >= flags.size() || flags[position].shown; }
  bool Deleted(size_t position) const { return position < flags.size() && flags[position].deleted; }
  CategoryFlags& Flags(size_t position) {
    if (position >= flags.size()) flags.resize(position + 1);
    return flags[position];
  }
  // The header as saved: the deleted entries left out, the others in order.
  DatFileHeader Saved() const;
};

// In the order the file is written.
enum class FilterKind { Dates, Contacts, Memos, ToDos, Custom };
inline constexpr int kFilterKindCount = 5;

// One loaded user as the filter file sees it: the name as in users.dat and
// the header of each kind (null: that kind is not loaded).
struct FilterUser {
  std::string name;
  std::array<KindHeader*, kFilterKindCount> tables{};

  KindHeader* Table(FilterKind kind) const { return tables[static_cast<size_t>(kind)]; }
};

struct CategoryFilters {
  // The file's filter lines, trimmed, in file order. Those of a loaded
  // user's loaded kind live in the category flags while it is loaded; all
  // others (other users, kinds not loaded now) are written back as they are.
  std::vector<std::string> lines;
  bool changed = false;     // set by toggling; the file is rewritten at exit only when set
  bool unreadable = false;  // the file is there but could not be read: it is never rewritten
};

// programDir + "\" + program name + "CategoriestoExclude.cfg"
std::string CategoryFilterFilePath(std::string_view programDir);

// Reads the file's lines and hides every category they name for a loaded
// user. customKind is the fifth kind's name (Custom1), empty when there is
// none. Only a missing file reads as empty; a read error (a folder or FIFO in
// its place too) is reported as "ReadCatExcludeFile", ends reading and sets
// filters.unreadable.
void ReadCatExcludeFile(std::string_view path, const std::array<FilterUser, 2>& users,
                        std::string_view customKind, CategoryFilters& filters, LogSink& log,
                        Platform& platform);

// Does nothing unless filters.changed. A failure is not shown to the
// operator; it is logged at level 0 and the old file stays whole.
void WriteCatExcludeFile(std::string_view path, const std::array<FilterUser, 2>& users,
                         std::string_view customKind, const CategoryFilters& filters, LogSink& log);

// A user has just been loaded: hides the categories the lines name for it.
void ApplyCategoryFilters(const FilterUser& user, std::string_view customKind,
                          const CategoryFilters& filters);

// A user is about to be replaced: its flags go back into the lines, so its
// hidden categories outlive it.
void KeepCategoryFilters(const FilterUser& user, std::string_view customKind, CategoryFilters& filters);

// The file's content: the loaded users' hidden categories, then every line
// that is not theirs.
std::string CatExcludeFileText(const std::array<FilterUser, 2>& users, std::string_view customKind,
                               const CategoryFilters& filters);

// A "Show this Category:" box changed: kindText is the kind selector's text,
// category the position in that kind's table. Only the four Palm kinds
// change a flag; any kind marks the filters changed.
void SetCategoryShown(const FilterUser& user, std::string_view kindText, int category, bool show,
                      CategoryFilters& filters);

}  // namespace mirrin
