#include "mainwindow/editing.h"

#include "mainwindow/detail.h"
#include "mainwindow/detailtext.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

// Renames the category at the side's current index (categories view).
void RenameCategory(Session& s, Side side, Kind kind, const std::string& name) {
  KindHeader& header = s.Store(side).Header(kind);
  const auto position = static_cast<size_t>(s.window.currentIndex[side]);
  if (position >= header.Categories.size()) return;
  CategoryEntry& entry = header.Categories[position];
  if (entry.Id == 0) return;  // "Unfiled" cannot be renamed
  entry.LongName = name;
  entry.ShortName = LeftChars(name, 8, s.settings.DBCS);
  // The custom kind's categories are its records' first fields, not a stored table.
  if (kind != Kind::Custom) s.Store(side).Changed(kind) = true;
  s.controls.saveItem.SetEnabled(true);
  const int row = CurrentRow(s, side);
  if (row >= 0) s.List(side).SetList(row, CategoryRowText(header, position, s.settings.DBCS));
}

// After a date's description changed: drop a pair that no longer matches,
// then pair the row with the first row of the other list that matches and
// is free, or is held by a row starting at another time than its record
// while that record starts when the edited one does.
void RepairDate(Session& s, Side side, int row, const DateRecord& edited) {
  const Side o = Other(side);
  forms::ListBox& other = s.List(o);
  SidePane& theirs = s.controls.panes[o];
  SidePane& mine = s.controls.panes[side];
  const std::string description = TextOf(edited.Description);
  auto dateOf = [&](Side of, int r) -> const DateRecord& {
    return RowRecord(s.Store(of).dates, s.List(of).ItemData(r));
  };

  int partner = Partner(s, side, row);
  if (partner >= 0 && !SameDescription(description, TextOf(dateOf(o, partner).Description), s.settings)) {
    SetPartner(s, side, row, -1);
    SetPartner(s, o, partner, -1);
    partner = -1;
    DeselectAll(other);
    theirs.change.SetEnabled(false);
    theirs.del.SetEnabled(false);
    theirs.priv.SetEnabled(false);
  }

  for (int q = 0; q < other.ListCount(); ++q) {
    const DateRecord& candidate = dateOf(o, q);
    if (!SameDescription(description, TextOf(candidate.Description), s.settings)) continue;
    const int holder = Partner(s, o, q);
    // A row already paired with the edited one stays its pair, so typing
    // does not move the pair back and forth.
    const bool free = holder < 0 || holder == row;
    const bool takeOver = !free && dateOf(side, holder).StartTime.value != candidate.StartTime.value &&
                          candidate.StartTime.value == edited.StartTime.value;
    if (!free && !takeOver) continue;
    if (takeOver) SetPartner(s, side, holder, -1);
    if (partner >= 0 && partner != q) SetPartner(s, o, partner, -1);
    SetPartner(s, side, row, q);
    SetPartner(s, o, q, row);
    {
      FlagScope selecting(s.window.partnerSelecting);
      SelectOnly(other, q);
    }
    // What the other list's handler enables for a row with a partner.
    mine.change.SetEnabled(true);
    theirs.change.SetEnabled(true);
    mine.del.SetEnabled(true);
    mine.priv.SetEnabled(true);
    return;
  }
}

// The box holds the description of the record whose row is the one selected.
void ChangeDateDescription(Session& s, Side side, int32_t index, const std::string& text) {
  const int row = CurrentRow(s, side);
  if (row < 0) return;
  DateRecord& r = RowRecord(s.Store(side).dates, index);
  const AgendusParts old = StripAgendus(TextOf(r.Description), s.settings);
  const bool dbcs = s.settings.DBCS;
  const int32_t textStart = s.Store(side).Display(Kind::Dates, static_cast<size_t>(index)).textStart;
  if (textStart > 0) {
    forms::ListBox& list = s.List(side);
    const std::string& rowText = list.List(row);
    const size_t start = static_cast<size_t>(textStart);
    list.SetList(row, LeftChars(rowText, start - 1, dbcs) + text +
                          MidChars(rowText, start + CharCount(old.rest, dbcs), std::string::npos, dbcs));
  }
  r.Description = BytesOf(text + old.bracket);
  s.Store(side).Changed(Kind::Dates) = true;
  s.controls.saveItem.SetEnabled(true);
  RepairDate(s, side, row, r);
}

}  // namespace

void LineChanged(Session& s, Side side) {
  const WindowState& w = s.window;
  const int32_t index = w.currentIndex[side];
  if (w.busy || index < 0 || !w.notesMode || w.categoriesView) return;
  const std::optional<Kind> kind = s.ShownKind();
  if (!kind || static_cast<size_t>(index) >= s.Store(side).Count(*kind)) return;
  // The line holds one record's note only while that record's row is the one selected.
  if (CurrentRow(s, side) < 0) return;
  const std::string& text = s.controls.panes[side].details.Text();
  UserStore& store = s.Store(side);
  switch (*kind) {
    case Kind::Dates: {
      DateRecord& r = RowRecord(store.dates, index);
      r.Note = EditedNote({s.settings, s.labels}, r.Note, text);
      break;
    }
    case Kind::ToDos: {
      TodoRecord& r = RowRecord(store.todos, index);
      r.Note = EditedNote({s.settings, s.labels}, r.Note, text);
      break;
    }
    case Kind::Contacts: {
      ContactRecord& r = RowRecord(store.contacts, index);
      r.Note = EditedNote({s.settings, s.labels}, r.Note, text);
      break;
    }
    case Kind::Memos:
      RowRecord(store.memos, index).Text = BytesOf(text);
      break;
    case Kind::Custom:
      RowRecord(store.custom, index).Fields[7] = text;
      break;
  }
  store.Changed(*kind) = true;
  s.controls.saveItem.SetEnabled(true);
}

void DescChanged(Session& s, Side side) {
  const int32_t index = s.window.currentIndex[side];
  if (s.window.busy || index < 0) return;
  const std::optional<Kind> kind = s.ShownKind();
  if (!kind) return;
  const std::string text = s.controls.panes[side].description.Text();
  if (s.window.categoriesView) {
    RenameCategory(s, side, *kind, text);
    return;
  }
  if (*kind != Kind::Dates || static_cast<size_t>(index) >= s.Store(side).dates.size()) return;
  ChangeDateDescription(s, side, index, text);
}

}  // namespace mirrin
