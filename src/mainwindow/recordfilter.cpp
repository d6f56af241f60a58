#include "mainwindow/recordfilter.h"

#include <charconv>

#include "palmdata/errors.h"
#include "palmdata/palmtime.h"
#include "mainwindow/format.h"
#include "mainwindow/pattern.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

// The right pass writes its window texts with two-digit years, so its
// window wraps at the century where the left one does not.
const char* WindowPicture(Side side) { return side == kLeft ? "yyyy/mm/dd" : "yy/mm/dd"; }

// A window text's digits as one number when its year has a fixed width
// ("yyyy" of 0 to 9999, "yy" of a year from 0 on; month and day always have
// two digits): comparing the numbers then compares the texts, without
// writing them out.
int32_t DayNumber(double date, Side side) {
  const CivilDateTime c = SplitDate(date);
  if (c.year < 0 || (side == kLeft && c.year > 9999)) return -1;
  return (side == kLeft ? c.year : c.year % 100) * 10000 + c.month * 100 + c.day;
}

bool NotBeforeCutoff(double date, Side side, const DateWindow& w) {
  if (w.cutoffDay[side] >= 0) {
    const int32_t day = DayNumber(date, side);
    if (day >= 0) return day >= w.cutoffDay[side];
  }
  return FormatDate(date, WindowPicture(side)) >= w.cutoff[side];
}

double DaysToIgnore(const std::string& text) {
  const std::string trimmed = Trim(text, false);
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  if (first != last && *first == '+') ++first;
  double days = 0;
  const auto [end, ec] = std::from_chars(first, last, days);
  if (ec != std::errc() || end != last || first == last) {
    throw RunError(err::TypeMismatch, "DaystoIgnore \"" + text + "\"");
  }
  return days;
}

bool ShowPrivate(const Settings& st, Side side, Kind kind) {
  const bool left = side == kLeft;
  switch (kind) {
    case Kind::Dates:
      return left ? st.User1ShowPrivateDates : st.User2ShowPrivateDates;
    case Kind::Contacts:
      return left ? st.User1ShowPrivateContacts : st.User2ShowPrivateContacts;
    case Kind::ToDos:
      return left ? st.User1ShowPrivateToDos : st.User2ShowPrivateToDos;
    case Kind::Memos:
      return left ? st.User1ShowPrivateMemos : st.User2ShowPrivateMemos;
    case Kind::Custom:
      break;
  }
  return true;
}

Judgement JudgeDate(const UserStore& store, const Settings& st, Side side, const DateRecord& r,
                    const DateWindow& w) {
  const bool live = r.Status <= 3;
  const bool beforeHide = r.StartTime.value < w.hideDate;
  if (!live || !beforeHide) return {Verdict::Uncounted};
  const bool inWindow = NotBeforeCutoff(r.StartTime.value, side, w) ||
                        (r.Repeat->Hash != 0 && NotBeforeCutoff(r.Repeat->EndDate.value, side, w));
  if (!inWindow) return {Verdict::Skipped, DateReason::Date};
  const bool privateHidden = r.Private && !ShowPrivate(st, side, Kind::Dates);
  const bool categoryHidden = !CategoryShown(store.datesHeader, DateCategoryIndex(r, st));
  // The left pass tests the private flag first, so its log names that
  // reason; the right pass tests the category first and logs nothing.
  if (side == kLeft && privateHidden) return {Verdict::Ignored, DateReason::Private};
  if (categoryHidden) return {Verdict::Ignored, DateReason::HiddenCategory};
  if (privateHidden) return {Verdict::Ignored, DateReason::Private};
  const std::string& filter = side == kLeft ? st.FilterUser1 : st.FilterUser2;
  if (!MatchesFilter(TextOf(r.Description), filter, st.DBCS)) return {Verdict::Ignored, DateReason::Pattern};
  return {Verdict::Candidate};
}

// Contacts, To Dos and memos: hidden category or private record.
Verdict JudgeShown(const UserStore& store, const Settings& st, Side side, Kind kind, const CommonFields& r) {
  if (!CategoryShown(store.Header(kind), r.Category)) return Verdict::Ignored;
  if (r.Private && !ShowPrivate(st, side, kind)) return Verdict::Ignored;
  return Verdict::Candidate;
}

Verdict JudgeTodo(const UserStore& store, const Settings& st, Side side, const TodoRecord& r) {
  // Odd statuses and 0, 2 and 10 are live To Dos; 128 and up are archived.
  const bool liveStatus = (r.Status & 1) != 0 || r.Status == 0 || r.Status == 2 || r.Status == 10;
  const bool accepted = liveStatus && r.Status < 128 && (!r.Completed || st.ShowCompletedToDos);
  // A completed To Do stays in the total even when it is not shown.
  if (!accepted) return r.Completed ? Verdict::Skipped : Verdict::Uncounted;
  return JudgeShown(store, st, side, Kind::ToDos, r);
}

}  // namespace

DateWindow MakeDateWindow(const Settings& settings, double now) {
  DateWindow w;
  // The default "dd/mm/yyyy" is no date: nothing is hidden before 2031.
  w.hideDate = ParseDayMonthYear(settings.HideAfter).value_or(MakeDate(2031, 1, 1));
  const double cutoff = now - DaysToIgnore(settings.DaystoIgnore);
  for (Side side : kSides) {
    w.cutoff[side] = FormatDate(cutoff, WindowPicture(side));
    w.cutoffDay[side] = DayNumber(cutoff, side);
  }
  return w;
}

Judgement Judge(const UserStore& store, const Settings& st, Side side, Kind kind, int32_t index,
                const DateWindow& window) {
  const size_t k = static_cast<size_t>(index);
  switch (kind) {
    case Kind::Dates:
      return JudgeDate(store, st, side, store.dates[k], window);
    case Kind::Contacts:
      if (store.contacts[k].Status >= 4) return {Verdict::Uncounted};
      return {JudgeShown(store, st, side, kind, store.contacts[k])};
    case Kind::ToDos:
      return {JudgeTodo(store, st, side, store.todos[k])};
    case Kind::Memos:
      if (store.memos[k].Status >= 4) return {Verdict::Uncounted};
      return {JudgeShown(store, st, side, kind, store.memos[k])};
    case Kind::Custom:
      break;
  }
  // Deleted custom records are not listed but stay in the total.
  return {store.custom[k].Deleted ? Verdict::Skipped : Verdict::Candidate};
}

}  // namespace mirrin
