#include "mainwindow/selectkind.h"

#include <charconv>
#include <string>
#include <utility>
#include <vector>

#include "palmdata/errors.h"
#include "mainwindow/detail.h"
#include "mainwindow/format.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/pattern.h"
#include "mainwindow/progress.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/textutil.h"
#include "startup/errorreport.h"
#include "startup/version.h"

namespace mirrin {

namespace {

constexpr int kRecordLogLevel = 99;

using Rows = std::vector<std::pair<std::string, int32_t>>;

// What a pass's filters decide about one record.
enum class Verdict {
  Uncounted,  // not live, or past HideAfter: leaves the side's total
  Skipped,    // passed over, still counted
  Ignored,    // filtered out (private, hidden category, pattern), still counted
  Candidate,  // listed unless the other side holds its twin
};

// The dates a pass keeps: before HideDate, and not ended before the cutoff.
struct DateWindow {
  double hideDate = 0;
  std::array<std::string, 2> cutoff;  // the cutoff as each side's pass writes it
};

// The right pass writes its window texts with two-digit years, so its
// window wraps at the century where the left one does not.
const char* WindowPicture(Side side) { return side == kLeft ? "yyyy/mm/dd" : "yy/mm/dd"; }

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

DateWindow MakeDateWindow(Session& s) {
  DateWindow w;
  // The default "dd/mm/yyyy" is no date: nothing is hidden before 2031.
  w.hideDate = ParseDayMonthYear(s.settings.HideAfter).value_or(MakeDate(2031, 1, 1));
  const double cutoff = s.platform.Now() - DaysToIgnore(s.settings.DaystoIgnore);
  for (Side side : kSides) w.cutoff[side] = FormatDate(cutoff, WindowPicture(side));
  return w;
}

bool ShowPrivate(const Settings& st, Side side, Kind kind) {
  const bool left = side == kLeft;
  switch (kind) {
    case Kind::Dates: return left ? st.User1ShowPrivateDates : st.User2ShowPrivateDates;
    case Kind::Contacts: return left ? st.User1ShowPrivateContacts : st.User2ShowPrivateContacts;
    case Kind::ToDos: return left ? st.User1ShowPrivateToDos : st.User2ShowPrivateToDos;
    case Kind::Memos: return left ? st.User1ShowPrivateMemos : st.User2ShowPrivateMemos;
    case Kind::Custom: break;
  }
  return true;
}

// Per-record diagnostics of the Dates pass. The right pass writes none; the
// text is only built when the log takes the level.
template <typename Text>
void LogRecord(Session& s, Side side, int32_t index, Text text) {
  if (side != kLeft || s.settings.LogLevel < kRecordLogLevel) return;
  s.WriteLog("Record " + std::to_string(index) + " " + text(), kRecordLogLevel);
}

Verdict JudgeDate(Session& s, Side side, int32_t i, const DateWindow& w) {
  const DateRecord& r = s.Store(side).dates[static_cast<size_t>(i)];
  const bool live = r.Status <= 3;
  const bool beforeHide = r.StartTime.value < w.hideDate;
  if (!live || !beforeHide) return Verdict::Uncounted;
  const char* picture = WindowPicture(side);
  const std::string& cutoff = w.cutoff[side];
  const bool inWindow = FormatDate(r.StartTime.value, picture) >= cutoff ||
                        (r.Repeat.Hash != 0 && FormatDate(r.Repeat.EndDate.value, picture) >= cutoff);
  if (!inWindow) {
    LogRecord(s, side, i, [&] { return "ignored on the basis of date " + GeneralDateText(r.StartTime.value); });
    return Verdict::Skipped;
  }
  const bool privateHidden = r.Private && !ShowPrivate(s.settings, side, Kind::Dates);
  const int32_t category = DateCategoryIndex(r, s.settings);
  const bool categoryHidden = !CategoryShown(s.Store(side).datesHeader, category);
  if (side == kLeft) {
    // The left pass tests the private flag first, so its log names that reason.
    if (privateHidden) {
      LogRecord(s, side, i, [] { return std::string("ignored as its private"); });
      return Verdict::Ignored;
    }
    if (categoryHidden) {
      LogRecord(s, side, i, [&] { return "ignored as its a hidden category " + std::to_string(category); });
      return Verdict::Ignored;
    }
  } else {
    // The right pass tests the category first; it logs nothing either way.
    if (categoryHidden || privateHidden) return Verdict::Ignored;
  }
  const std::string& filter = side == kLeft ? s.settings.FilterUser1 : s.settings.FilterUser2;
  if (!MatchesFilter(TextOf(r.Description), filter, s.settings.DBCS)) {
    LogRecord(s, side, i, [&] { return "ignored on the basis of filter " + filter; });
    return Verdict::Ignored;
  }
  return Verdict::Candidate;
}

// Contacts, To Dos and memos: hidden category or private record.
Verdict JudgeShown(Session& s, Side side, Kind kind, const CommonFields& r) {
  if (!CategoryShown(s.Store(side).Header(kind), r.Category)) return Verdict::Ignored;
  if (r.Private && !ShowPrivate(s.settings, side, kind)) return Verdict::Ignored;
  return Verdict::Candidate;
}

Verdict JudgeTodo(Session& s, Side side, const TodoRecord& r) {
  // Odd statuses and 0, 2 and 10 are live To Dos; 128 and up are archived.
  const bool liveStatus = (r.Status & 1) != 0 || r.Status == 0 || r.Status == 2 || r.Status == 10;
  const bool accepted = liveStatus && r.Status < 128 && (!r.Completed || s.settings.ShowCompletedToDos);
  // A completed To Do stays in the total even when it is not shown.
  if (!accepted) return r.Completed ? Verdict::Skipped : Verdict::Uncounted;
  return JudgeShown(s, side, Kind::ToDos, r);
}

Verdict Judge(Session& s, Side side, Kind kind, int32_t i, const DateWindow& w) {
  UserStore& store = s.Store(side);
  const size_t k = static_cast<size_t>(i);
  switch (kind) {
    case Kind::Dates: return JudgeDate(s, side, i, w);
    case Kind::Contacts:
      if (store.contacts[k].Status >= 4) return Verdict::Uncounted;
      return JudgeShown(s, side, kind, store.contacts[k]);
    case Kind::ToDos: return JudgeTodo(s, side, store.todos[k]);
    case Kind::Memos:
      if (store.memos[k].Status >= 4) return Verdict::Uncounted;
      return JudgeShown(s, side, kind, store.memos[k]);
    case Kind::Custom: break;
  }
  // Deleted custom records are not listed but stay in the total.
  return store.custom[k].Deleted ? Verdict::Skipped : Verdict::Candidate;
}

void RunPass(Session& s, Side side, Kind kind, const DateWindow& window, TwinFinder& twins, StatusProgress& progress,
             Rows& rows) {
  UserStore& store = s.Store(side);
  const int32_t count = static_cast<int32_t>(store.Count(kind));
  for (int32_t i = 0; i < count; ++i) {
    progress.Step();
    const Verdict verdict = Judge(s, side, kind, i, window);
    if (verdict == Verdict::Uncounted) --store.total;
    if (verdict == Verdict::Skipped || verdict == Verdict::Ignored) ++store.filtered;
    if (verdict != Verdict::Candidate) continue;
    const int32_t twin = twins.FindTwin(side, i);
    if (twin >= 0) {
      if (kind == Kind::Dates) {
        LogRecord(s, side, i, [&] { return "ignored as it matches record " + std::to_string(twin); });
      }
      continue;
    }
    rows.emplace_back(RowText(s, side, kind, i), i);
  }
}

void RunKind(Session& s, Kind kind, TwinSearch search, std::array<Rows, 2>& rows) {
  size_t records = 0;
  for (Side side : kSides) {
    s.Store(side).total = static_cast<int32_t>(s.Store(side).Count(kind));
    s.Store(side).filtered = 0;
    s.Store(side).rowDisplay[static_cast<size_t>(kind)].clear();
    records += s.Store(side).Count(kind);
    s.List(side).Clear();
  }
  DateWindow window;
  if (kind == Kind::Dates) {
    for (Side side : kSides) s.form.Desc(side).SetVisible(true);
    window = MakeDateWindow(s);
  }
  if (kind == Kind::Custom) {
    // Custom records have no private flag.
    s.form.pLeft.SetVisible(false);
    s.form.pright.SetVisible(false);
  }
  StatusProgress progress(s, records);
  TwinFinder twins(s.stores, kind, s.settings, s.labels.AgendusMarker, search);
  for (Side side : kSides) RunPass(s, side, kind, window, twins, progress, rows[side]);
}

void ShowBusy(Session& s) {
  MainForm& f = s.form;
  f.closeup.SetCaption("\r\nReading, Matching, Sorting Records");
  f.closeup.SetVisible(true);
  s.platform.DoEvents();
  s.platform.DoEvents();
  s.platform.SetBusy(true);
  for (Side side : kSides) s.form.Desc(side).SetVisible(false);
  f.pLeft.SetVisible(true);
  f.pright.SetVisible(true);
}

// The rows are built apart and added at once: the lists sort them once
// instead of on every insertion.
void FillLists(Session& s, std::array<Rows, 2>& rows) {
  for (Side side : kSides) {
    if (!rows[side].empty()) s.List(side).AddItems(std::move(rows[side]));
    rows[side].clear();
  }
}

// A table read with more than a handheld holds is kept as read, never
// renumbered; the operator learns it once per loaded file. The custom kind's
// categories are its records' first fields, not a handheld's table.
void TellBeyondHandheld(Session& s, Kind kind) {
  if (kind == Kind::Custom) return;
  for (Side side : kSides) {
    UserStore& store = s.Store(side);
    bool& told = store.toldBeyondHandheld[static_cast<size_t>(kind)];
    if (told || !BeyondHandheld(store.Header(kind))) continue;
    told = true;
    s.platform.MsgBox(s.form.UserField(side).Text() + "'s " + s.KindText(kind) +
                          " hold more categories than a handheld can (at most " + std::to_string(kMostCategories) +
                          ", numbered 1 to " + std::to_string(kMostCategories) +
                          "). They are kept as read, but the handheld cannot take this table at the next HotSync.",
                      mb::OKOnly | mb::Exclamation, std::string(kProgramName) + " " + VersionText());
  }
}

// pair: false after an error, when the lists are left as far as they got.
void Finish(Session& s, bool pair) {
  s.ResetMaps();
  WriteCountLabels(s);
  if (pair) UpdateLists(s);
  s.form.txtStatus.SetVisible(false);
  s.form.closeup.SetVisible(false);
  s.platform.SetBusy(false);
  DisableTransferButtons(s);
}

}  // namespace

void SelectKind(Session& s) { SelectKind(s, TwinSearch::Indexed); }

void SelectKind(Session& s, TwinSearch search) {
  std::array<Rows, 2> rows;
  const bool ok = TrapErrors(s.platform, "Combo1", [&] {
    for (Side side : kSides) ClearDetail(s, side);
    s.window.currentIndex = {-1, -2};
    if (s.form.Combo1.Text() == kChoose) {
      for (Side side : kSides) {
        s.List(side).Clear();
        s.form.NumRec(side).SetCaption("");
      }
      // No row is left for the maps or the transfer buttons to refer to.
      s.ResetMaps();
      DisableTransferButtons(s);
      return;
    }
    Kind kind;
    const bool known = s.ShownKind(kind);
    if (known) TellBeyondHandheld(s, kind);
    ShowBusy(s);
    if (s.window.categoriesView) {
      s.form.pLeft.SetVisible(false);
      s.form.pright.SetVisible(false);
      DisplayCategories(s);
      return;
    }
    // An unknown kind text leaves the lists as they are.
    if (known) RunKind(s, kind, search, rows);
    FillLists(s, rows);
    Finish(s, true);
  });
  if (ok) return;
  // Keep the rows made so far, but never leave the window busy or a map
  // pairing rows of the previous selection.
  FillLists(s, rows);
  Finish(s, false);
}

}  // namespace mirrin
