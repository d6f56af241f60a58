#include "export/exportset.h"

#include <cstdio>

#include "mainwindow/recordtext.h"
#include "mainwindow/twins.h"

namespace mirrin {

namespace {

const CommonFields* Common(const UserStore& st, Kind kind, int32_t i) {
  const auto at = static_cast<size_t>(i);
  switch (kind) {
    case Kind::Dates:
      return &st.dates[at];
    case Kind::Contacts:
      return &st.contacts[at];
    case Kind::ToDos:
      return &st.todos[at];
    case Kind::Memos:
      return &st.memos[at];
    case Kind::Custom:
      break;
  }
  return nullptr;  // custom records have no common fields
}

bool Live(const UserStore& st, Kind kind, int32_t i, bool includePrivate) {
  const CommonFields* common = Common(st, kind, i);
  if (common == nullptr) return !st.custom[static_cast<size_t>(i)].Deleted;
  return common->Status < 4 && (includePrivate || !common->Private);
}

}  // namespace

std::vector<ExportRecord> ChooseRecords(const ExportContext& c, Kind kind, bool both, bool includePrivate) {
  std::vector<ExportRecord> chosen;
  const auto leftCount = static_cast<int32_t>(c.Store(kLeft).Count(kind));
  for (int32_t i = 0; i < leftCount; ++i) {
    if (Live(c.Store(kLeft), kind, i, includePrivate)) chosen.push_back({kLeft, i});
  }
  if (!both) return chosen;
  // Only the left records exported stand in for their twins: the others
  // count as gone, so a private first twin does not hide a later one.
  std::array<UserStore, 2> exported = c.stores;
  for (int32_t i = 0; i < leftCount; ++i) {
    if (Live(c.Store(kLeft), kind, i, includePrivate)) continue;
    if (const CommonFields* common = Common(exported[kLeft], kind, i)) {
      const_cast<CommonFields*>(common)->Status = 4;  // our own copy
    } else {
      exported[kLeft].custom[static_cast<size_t>(i)].Deleted = true;
    }
  }
  TwinFinder twins(exported, kind, c.settings, c.labels.AgendusMarker, TwinSearch::Indexed);
  const auto rightCount = static_cast<int32_t>(c.Store(kRight).Count(kind));
  for (int32_t i = 0; i < rightCount; ++i) {
    if (Live(c.Store(kRight), kind, i, includePrivate) && twins.FindTwin(kRight, i) < 0)
      chosen.push_back({kRight, i});
  }
  return chosen;
}

std::string ExportCategory(const ExportContext& c, Kind kind, const ExportRecord& r) {
  const UserStore& st = c.Store(r.side);
  const auto at = static_cast<size_t>(r.index);
  std::string name;
  switch (kind) {
    case Kind::Dates:
      name = DateCategoryName(st.dates[at].Note, st.dates[at], st.datesHeader, c.settings);
      break;
    case Kind::Contacts:
      name = CategoryName(st.contactsHeader, st.contacts[at].Category);
      break;
    case Kind::ToDos:
      name = CategoryName(st.todosHeader, st.todos[at].Category);
      break;
    case Kind::Memos:
      name = CategoryName(st.memosHeader, st.memos[at].Category);
      break;
    case Kind::Custom:
      name = st.custom[at].Fields[0];
      break;
  }
  return name == "Unfiled" ? std::string() : name;
}

std::string UtcStampText(int64_t seconds) {
  const CivilDateTime t = SplitDate(kUnixEpochDay + static_cast<double>(seconds) / 86400.0);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buf;
}

double LocalDay(double local) {
  const CivilDateTime t = SplitDate(local);
  return MakeDate(t.year, t.month, t.day);
}

std::string DayText(double local) {
  const CivilDateTime t = SplitDate(local);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.year, t.month, t.day);
  return buf;
}

}  // namespace mirrin
