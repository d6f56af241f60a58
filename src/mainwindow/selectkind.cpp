#include "mainwindow/selectkind.h"

#include <string>
#include <utility>
#include <vector>

#include "palmdata/errors.h"
#include "mainwindow/detail.h"
#include "mainwindow/format.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/progress.h"
#include "mainwindow/recordfilter.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "startup/errorreport.h"
#include "startup/version.h"

namespace mirrin {

namespace {

constexpr int kRecordLogLevel = 99;

using Rows = std::vector<std::pair<std::string, int32_t>>;

// Per-record diagnostics of the Dates pass. The right pass writes none; the
// text is only built when the log takes the level.
template <typename Text>
void LogRecord(Session& s, Side side, int32_t index, Text text) {
  if (side != kLeft || s.settings.LogLevel < kRecordLogLevel) return;
  s.WriteLog("Record " + std::to_string(index) + " " + text(), kRecordLogLevel);
}

void LogDateReason(Session& s, Side side, int32_t index, DateReason reason) {
  LogRecord(s, side, index, [&] {
    const DateRecord& r = s.Store(side).dates[static_cast<size_t>(index)];
    switch (reason) {
      case DateReason::Date:
        return "ignored on the basis of date " + GeneralDateText(r.StartTime.value);
      case DateReason::Private:
        return std::string("ignored as its private");
      case DateReason::HiddenCategory:
        return "ignored as its a hidden category " + std::to_string(DateCategoryIndex(r, s.settings));
      case DateReason::Pattern:
        return "ignored on the basis of filter " +
               (side == kLeft ? s.settings.FilterUser1 : s.settings.FilterUser2);
      case DateReason::None:
        break;
    }
    return std::string();
  });
}

// The records of one side that are listed: no twin on the other side.
void RunPass(Session& s, Side side, Kind kind, const DateWindow& window, TwinFinder& twins,
             StatusProgress& progress, std::vector<int32_t>& listed) {
  UserStore& store = s.Store(side);
  const int32_t count = static_cast<int32_t>(store.Count(kind));
  for (int32_t i = 0; i < count; ++i) {
    progress.Step();
    const Judgement judgement = Judge(store, s.settings, side, kind, i, window);
    const Verdict verdict = judgement.verdict;
    if (judgement.reason != DateReason::None) LogDateReason(s, side, i, judgement.reason);
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
    listed.push_back(i);
  }
}

// Made once the twin search has let go of its memory, which the rows of
// tens of thousands of records can then take instead of more.
void MakeRows(Session& s, Kind kind, const std::array<std::vector<int32_t>, 2>& listed,
              std::array<Rows, 2>& rows) {
  for (Side side : kSides) {
    rows[side].reserve(listed[side].size());
    for (int32_t i : listed[side]) rows[side].emplace_back(RowText(s, side, kind, i), i);
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
    for (Side side : kSides) s.controls.panes[side].description.SetVisible(true);
    window = MakeDateWindow(s.settings, s.platform.Now());
  }
  if (kind == Kind::Custom) {
    // Custom records have no private flag.
    s.controls.panes[kLeft].priv.SetVisible(false);
    s.controls.panes[kRight].priv.SetVisible(false);
  }
  StatusProgress progress(s, records);
  std::array<std::vector<int32_t>, 2> listed;
  try {
    TwinFinder twins(s.stores, kind, s.settings, s.labels.AgendusMarker, search);
    for (Side side : kSides) RunPass(s, side, kind, window, twins, progress, listed[side]);
  } catch (...) {
    // An error keeps the rows found so far.
    MakeRows(s, kind, listed, rows);
    throw;
  }
  MakeRows(s, kind, listed, rows);
}

void ShowBusy(Session& s) {
  MainWindowControls& f = s.controls;
  f.busyNotice.SetCaption("\r\nReading, Matching, Sorting Records");
  f.busyNotice.SetVisible(true);
  s.platform.DoEvents();
  s.platform.DoEvents();
  s.platform.SetBusy(true);
  for (Side side : kSides) s.controls.panes[side].description.SetVisible(false);
  f.panes[kLeft].priv.SetVisible(true);
  f.panes[kRight].priv.SetVisible(true);
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
    s.platform.MsgBox(
        s.controls.panes[side].userName.Text() + "'s " + s.KindText(kind) +
            " hold more categories than a handheld can (at most " + std::to_string(kMostCategories) +
            ", numbered 1 to " + std::to_string(kMostCategories) +
            "). They are kept as read, but the handheld cannot take this table at the next HotSync.",
        mb::OKOnly | mb::Exclamation, ProductTitleWithVersion());
  }
}

// pair: false after an error, when the lists are left as far as they got.
void Finish(Session& s, bool pair) {
  s.ResetMaps();
  WriteCountLabels(s);
  if (pair) UpdateLists(s);
  s.controls.progress.SetVisible(false);
  s.controls.busyNotice.SetVisible(false);
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
    if (s.controls.kindSelector.Text() == kChoose) {
      for (Side side : kSides) {
        s.List(side).Clear();
        s.controls.panes[side].recordCount.SetCaption("");
      }
      // No row is left for the maps or the transfer buttons to refer to.
      s.ResetMaps();
      DisableTransferButtons(s);
      return;
    }
    const std::optional<Kind> kind = s.ShownKind();
    if (kind) TellBeyondHandheld(s, *kind);
    ShowBusy(s);
    if (s.window.categoriesView) {
      s.controls.panes[kLeft].priv.SetVisible(false);
      s.controls.panes[kRight].priv.SetVisible(false);
      DisplayCategories(s);
      return;
    }
    // An unknown kind text leaves the lists as they are.
    if (kind) RunKind(s, *kind, search, rows);
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
