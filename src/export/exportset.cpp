#include "export/exportset.h"

#include <cstdio>

#include "records/recordtext.h"
#include "records/twins.h"

namespace mirrin {

namespace {

bool Live(const UserStore& st, Kind kind, int32_t i, bool includePrivate) {
  const auto at = static_cast<size_t>(i);
  const CommonFields* common = nullptr;
  switch (kind) {
    case Kind::Dates: common = &st.dates[at]; break;
    case Kind::Contacts: common = &st.contacts[at]; break;
    case Kind::ToDos: common = &st.todos[at]; break;
    case Kind::Memos: common = &st.memos[at]; break;
    case Kind::Custom: return !st.custom[at].Deleted;
  }
  return common->Status < 4 && (includePrivate || !common->Private);
}

}  // namespace

std::vector<ExportRecord> ChooseRecords(const ExportContext& c, Kind kind, bool both, bool includePrivate) {
  std::vector<ExportRecord> chosen;
  const auto leftCount = static_cast<int32_t>(c.Store(kLeft).Count(kind));
  std::vector<bool> leftChosen(static_cast<size_t>(leftCount), false);
  for (int32_t i = 0; i < leftCount; ++i) {
    if (!Live(c.Store(kLeft), kind, i, includePrivate)) continue;
    leftChosen[static_cast<size_t>(i)] = true;
    chosen.push_back({kLeft, i});
  }
  if (!both) return chosen;
  TwinFinder twins(c.stores, kind, c.settings, c.labels.AgendusMarker, TwinSearch::Indexed);
  const auto rightCount = static_cast<int32_t>(c.Store(kRight).Count(kind));
  for (int32_t i = 0; i < rightCount; ++i) {
    if (!Live(c.Store(kRight), kind, i, includePrivate)) continue;
    // A twin that was left out (private) does not stand in for this one.
    const int32_t twin = twins.FindTwin(kRight, i);
    if (twin >= 0 && leftChosen[static_cast<size_t>(twin)]) continue;
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
    case Kind::Contacts: name = CategoryName(st.contactsHeader, st.contacts[at].Category); break;
    case Kind::ToDos: name = CategoryName(st.todosHeader, st.todos[at].Category); break;
    case Kind::Memos: name = CategoryName(st.memosHeader, st.memos[at].Category); break;
    case Kind::Custom: name = st.custom[at].Fields[0]; break;
  }
  return name == "Unfiled" ? std::string() : name;
}

double RepeatForeverAfter() { return MakeDate(2031, 12, 30) + MakeTime(0, 1, 0); }
double NoDueDateFrom() { return MakeDate(2031, 12, 31) + MakeTime(21, 0, 0); }

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
