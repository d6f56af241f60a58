#include "transfer/copyrules.h"

#include <algorithm>
#include <set>
#include <utility>

#include "palmdata/palmtime.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Copies every field of source into target except the ones that identify the
// target record in its file and its category; returns the target as it was.
// The counted texts' tags follow the target file's schema, not the source's.
template <class Record>
Record TakeContent(const Record& source, Record& target, const DatFileHeader& targetHeader) {
  Record before = std::move(target);
  target = source;
  target.RecordId = before.RecordId;
  target.ExtRowId = before.ExtRowId;
  // A record added since loading stays added: it is not in the file yet.
  target.Status = before.Status == kStatusUnchanged ? kStatusModified : before.Status;
  target.ExtFieldBase = before.ExtFieldBase;
  target.Position = before.Position;
  target.Category = before.Category;
  target.ExtTag = CountedTextTags(targetHeader);
  return before;
}

// Datebk keeps a date's category in the note's header line: the fifth
// character is '@' + the category index. A note too short to have one is
// left as it is.
std::string WithCategoryCode(const std::string& note, int32_t index, bool dbcs) {
  if (CharCount(note, dbcs) < 5) return note;
  return LeftChars(note, 4, dbcs) + static_cast<char>(64 + index) +
         MidChars(note, 6, std::string::npos, dbcs);
}

bool Contains(const std::string& text, const std::string& part, bool dbcs) {
  // An empty text contains nothing; an empty part is in every other text.
  return !text.empty() && FindText(text, part, 0, dbcs) != std::string::npos;
}

}  // namespace

std::optional<int32_t> AddCategory(KindHeader& header, const std::string& name, bool dbcs) {
  std::vector<CategoryEntry>& table = header.Categories;
  int32_t id = header.NextFreeId;
  std::set<int32_t> used;
  size_t live = 0;
  for (size_t t = 1; t < table.size(); ++t) {
    if (table[t].Id >= id) id = table[t].Id + 1;
    if (header.Deleted(t)) continue;
    used.insert(table[t].Index);
    ++live;
  }
  // Records refer to their category by index, so a live index is never given
  // twice (a table need not be in index order, and a deleted entry's index
  // may have been taken again already).
  int32_t index = 1;
  while (used.contains(index)) ++index;
  // A table read with more than the handheld holds stays as read, but gets
  // nothing more.
  if (index > kMostCategories || live >= static_cast<size_t>(kMostCategories)) return std::nullopt;
  ++header.CategoryCount;
  header.NextFreeId = id + 1;
  CategoryEntry entry;
  entry.Index = index;
  entry.Id = id;
  entry.DirtyFlag = 0;
  entry.LongName = LeftBytes(name, kCategoryNameBytes, dbcs);
  entry.ShortName = LeftChars(name, 8, dbcs);
  table.push_back(std::move(entry));
  header.Flags(table.size() - 1) = {};
  return index;
}

int32_t FindCategory(const KindHeader& header, const std::string& name) {
  for (size_t t = header.Categories.size(); t-- > 0;) {
    if (!header.Deleted(t) && header.Categories[t].LongName == name) return header.Categories[t].Index;
  }
  return -1;
}

namespace {

// A category missing from the target: added when AddCategories is on and
// the table has room, else "Unfiled".
int32_t AddOrUnfiled(const Settings& settings, KindHeader& target, const std::string& name,
                     CategoriesNotAdded& notAdded) {
  if (!settings.AddCategories) return 0;
  if (const std::optional<int32_t> added = AddCategory(target, name, settings.DBCS)) return *added;
  if (std::find(notAdded.begin(), notAdded.end(), name) == notAdded.end()) notAdded.push_back(name);
  return 0;
}

}  // namespace

int32_t MapCategory(const Settings& settings, const KindHeader& source, int32_t category, KindHeader& target,
                    CategoriesNotAdded& notAdded) {
  const std::string name = CategoryName(source, category);
  const int32_t found = FindCategory(target, name);
  if (found >= 0) return found;
  return AddOrUnfiled(settings, target, name, notAdded);
}

std::string SuffixedDescription(const std::string& source, const std::string& target,
                                const Settings& settings, const std::string& suffix) {
  const std::string& s1 = settings.SuffixUser1;
  const std::string& s2 = settings.SuffixUser2;
  if (target == source + s2 || target == source + s1 || target + s2 == source || target + s1 == source) {
    return target;
  }
  if (Contains(target, s1, settings.DBCS)) return source + s1;
  if (Contains(target, s2, settings.DBCS)) return source + s2;
  return source + suffix;
}

void RebuildRepeatClass(RepeatRule& rule) {
  if (rule.Brand == kNoRepeat) {
    rule.Hash = 0;
    return;
  }
  const std::string_view name = RepeatTypeName(rule.Brand);
  // A repeat type without a known class name keeps the class entry it was
  // read with: an empty name would make the record unreadable.
  if (rule.Brand < kNoRepeat || name.empty()) return;
  rule.Hash = 65535;
  rule.SchemaNo = 1;
  rule.ClassName = std::string(name);
  rule.ClassNameLength = static_cast<int32_t>(name.size());
}

// Rebuilt in a copy, so that a record that does not repeat holds no rule.
void RebuildHeldRepeat(Held<RepeatRule>& repeat) {
  RepeatRule rule = repeat.Get();
  RebuildRepeatClass(rule);
  repeat.Set(std::move(rule));
}

void CopyContact(const Settings& settings, const ContactRecord& source, const KindHeader& sourceHeader,
                 ContactRecord& target, KindHeader& targetHeader, CategoriesNotAdded& notAdded) {
  TakeContent(source, target, targetHeader);
  if (settings.ShowCategories) {
    target.Category = MapCategory(settings, sourceHeader, source.Category, targetHeader, notAdded);
  }
}

void CopyMemo(const Settings& settings, const MemoRecord& source, const KindHeader& sourceHeader,
              MemoRecord& target, KindHeader& targetHeader, CategoriesNotAdded& notAdded) {
  TakeContent(source, target, targetHeader);
  if (settings.ShowMemoCategories) {
    target.Category = MapCategory(settings, sourceHeader, source.Category, targetHeader, notAdded);
  }
}

void CopyTodo(const Settings& settings, const TodoRecord& source, const KindHeader& sourceHeader,
              TodoRecord& target, KindHeader& targetHeader, CategoriesNotAdded& notAdded) {
  TakeContent(source, target, targetHeader);
  if (settings.ShowToDoCategories) {
    target.Category = MapCategory(settings, sourceHeader, source.Category, targetHeader, notAdded);
  }
  // A task without these dates (one from a classic file) gets the start of
  // 1970, which the extended layout can store.
  const PalmDate start1970 = PalmDate::Local(MakeDate(1970, 1, 1));
  for (PalmDate* date : {&target.ExtDate1, &target.ExtDate2, &target.ExtDate3}) {
    if (date->value == 0) *date = start1970;
  }
  RebuildHeldRepeat(target.Repeat);
}

void CopyDate(const Settings& settings, std::string_view agendusMarker, const DateRecord& source,
              const KindHeader& sourceHeader, DateRecord& target, KindHeader& targetHeader,
              const std::string& suffix, CategoriesNotAdded& notAdded) {
  const DateRecord before = TakeContent(source, target, targetHeader);
  const bool dbcs = settings.DBCS;
  if (!settings.CopyAlarms) target.AlarmSet = before.AlarmSet;
  target.Description =
      BytesOf(SuffixedDescription(TextOf(source.Description), TextOf(before.Description), settings, suffix));

  const std::string sourceNote = TextOf(source.Note);
  const std::string targetNote = TextOf(before.Note);
  // The header and trailer of a note belong to the programs that keep their
  // data in it on the target's handheld; only the body travels.
  auto targetFrameAroundSourceBody = [&] {
    const NoteParts from = NoteSplit(sourceNote, settings, agendusMarker);
    const NoteParts into = NoteSplit(targetNote, settings, agendusMarker);
    return into.header + from.body + into.trailer;
  };
  if (settings.Agendus) {
    target.Note = BytesOf(targetFrameAroundSourceBody());
  } else if (settings.KeepCategories && StartsWith(sourceNote, "##")) {
    const std::string name = DateCategoryName(sourceNote, source, sourceHeader, settings);
    int32_t index = FindCategory(targetHeader, name);
    if (index < 0) {
      index = AddOrUnfiled(settings, targetHeader, name, notAdded);
      target.Category = index;
    }
    target.Note = BytesOf(WithCategoryCode(sourceNote, index, dbcs));
  } else if (settings.KeepCategories && StartsWith(targetNote, "##")) {
    target.Note = BytesOf(WithCategoryCode(targetFrameAroundSourceBody(), 0, dbcs));
  } else {
    if (settings.ShowDatebookCategories && source.Category != 0) {
      const int32_t mapped = MapCategory(settings, sourceHeader, source.Category, targetHeader, notAdded);
      if (mapped != 0) target.Category = mapped;
    }
    target.Note = source.Note;
  }
  RebuildHeldRepeat(target.Repeat);
}

void CopyCustom(const CustomRecord& source, CustomRecord& target) {
  target.Fields = source.Fields;
  target.Extra = source.Extra;
}

}  // namespace mirrin
