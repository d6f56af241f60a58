#pragma once
// Text and category routines that matching, display, editing and the
// transfers share.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "palmdata/datebookfile.h"
#include "startup/catfilter.h"
#include "startup/settings.h"

namespace mirrin {

// A handheld keeps "Unfiled" and at most 15 categories of its own per
// application, with indexes 1 to 15 and long names of at most 15 bytes. A
// table beyond that cannot go to the handheld at the next HotSync, and the
// category code in a date note ('@' + index, read AND 15) cannot name it.
inline constexpr int32_t kMostCategories = 15;
inline constexpr size_t kCategoryNameBytes = 15;

// More live categories of its own, or a higher index, than a handheld holds.
bool BeyondHandheld(const KindHeader& header);

// The show flag of the entry with that index, searching from the last
// position down and skipping deleted entries; for an index no entry has,
// the flag of the last live entry met (normally "Unfiled"); false when
// every entry is deleted.
bool CategoryShown(const KindHeader& header, int32_t index);

// The long name of the first live entry from position 1 up with that index;
// "Unfiled" when none.
std::string CategoryName(const KindHeader& header, int32_t index);

// A date's category: with KeepCategories on and a note starting "##", the
// note's fifth character's code AND 15 (0 when there is none); otherwise
// the record's category index.
int32_t DateCategoryIndex(const DateRecord& record, const Settings& settings);

// A date's category name, from the "##" code of its note when it has one.
std::string DateCategoryName(std::string_view note, const DateRecord& record, const KindHeader& header,
                             const Settings& settings);

struct AgendusParts {
  std::string rest;     // the text without its first bracketed part
  std::string bracket;  // "[...]" inclusive, or empty
};
// With Agendus off, or without a "[" before a "]", the text is all rest.
AgendusParts StripAgendus(std::string_view text, const Settings& settings);

struct NoteParts {
  std::string body;
  std::string header;
  std::string trailer;
};
// Splits a date note into its category header, the body and the trailer
// that other programs keep in it. header + body + trailer is the note.
NoteParts NoteSplit(std::string_view note, const Settings& settings, std::string_view agendusMarker);

// A date's description as matching and pairing compare it: without its
// Agendus bracket part, trimmed.
std::string MatchedDescription(std::string_view description, const Settings& settings);
// The same without a copy: a view into description, or into kept when the
// bracket part had to be cut out of it.
std::string_view MatchedDescription(std::string_view description, const Settings& settings,
                                    std::string& kept);

// The loose description test for pairing rows: the first FirstDuplicateChars
// characters, directly or with either user's suffix.
bool SameDescription(std::string_view a, std::string_view b, const Settings& settings);

// A memo's title: its text up to the first CR LF.
std::string MemoTitle(std::string_view text, const Settings& settings);

}  // namespace mirrin
