#pragma once
// How a record of one user becomes (or overwrites) a record of the other:
// the per-kind copy rules shared by Add, Change and Move, the mapping of a
// category by name, and appending a category to a table.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/addressfile.h"
#include "palmdata/customfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/header.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"
#include "startup/catfilter.h"
#include "startup/settings.h"

namespace mirrin {

// The RecordId of every record a transfer creates (Palm Desktop gives it a
// real one at the next HotSync).
inline constexpr int32_t kNewRecordId = 2147483647;

// Record Status values.
inline constexpr int32_t kStatusUnchanged = 0;
inline constexpr int32_t kStatusAdded = 1;
inline constexpr int32_t kStatusModified = 2;
inline constexpr int32_t kStatusDeleted = 4;
inline constexpr int32_t kStatusArchived = 128;

// Appends a category named `name` (cut to 15 bytes) and returns its index:
// the smallest index from 1 up that no live entry uses, with a fresh ID.
// Keeps CategoryCount and NextFreeId consistent with the table. Nothing,
// and the table unchanged, when the handheld could not hold one more.
std::optional<int32_t> AddCategory(KindHeader& header, const std::string& name, bool dbcs);

// The names a transfer could not add to a full table, told once at its end.
using CategoriesNotAdded = std::vector<std::string>;

// The index of the live entry named exactly `name`, searching from the last
// position down ("Unfiled" at position 0 gives 0); -1 when none.
int32_t FindCategory(const KindHeader& header, const std::string& name);

// The target's index for the source's category: the entry of the same name,
// else a new one when AddCategories is on and the table has room, else 0
// ("Unfiled"). A name the full table refused goes to notAdded.
int32_t MapCategory(const Settings& settings, const KindHeader& source, int32_t category, KindHeader& target,
                    CategoriesNotAdded& notAdded);

// The description a copied date gets: the target keeps a description that
// already is the source's with a user suffix (or the other way round), keeps
// the suffix it carries, and otherwise gets the source's with `suffix`.
std::string SuffixedDescription(const std::string& source, const std::string& target,
                                const Settings& settings, const std::string& suffix);

// The copy rules: `target` takes the content of `source`. The record's own
// identity (RecordId, row numbers, Position) and the list's working fields
// stay the target's; an unchanged target becomes modified, an added one
// stays added. Categories the target's full table refused go to notAdded.
void CopyContact(const Settings& settings, const ContactRecord& source, const KindHeader& sourceHeader,
                 ContactRecord& target, KindHeader& targetHeader, CategoriesNotAdded& notAdded);
void CopyMemo(const Settings& settings, const MemoRecord& source, const KindHeader& sourceHeader,
              MemoRecord& target, KindHeader& targetHeader, CategoriesNotAdded& notAdded);
void CopyTodo(const Settings& settings, const TodoRecord& source, const KindHeader& sourceHeader,
              TodoRecord& target, KindHeader& targetHeader, CategoriesNotAdded& notAdded);
// `suffix`: the source user's suffix for an added date, "" for a change.
void CopyDate(const Settings& settings, std::string_view agendusMarker, const DateRecord& source,
              const KindHeader& sourceHeader, DateRecord& target, KindHeader& targetHeader,
              const std::string& suffix, CategoriesNotAdded& notAdded);
void CopyCustom(const CustomRecord& source, CustomRecord& target);

// Rebuilds a repeat rule's class entry from its repeat type.
void RebuildRepeatClass(RepeatRule& rule);

}  // namespace mirrin
