#include "mainwindow/detail.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "mainwindow/detailtext.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

constexpr const char* kNoUser = "Please choose User";
constexpr const char* kMultiple = "Multiple Items Selected";
constexpr uint32_t kWindowBackground = 0x80000005;    // system colour 5
constexpr uint32_t kReadOnlyBackground = 0x8000000B;  // system colour 11

// The only selected row; -1 when none or several are selected.
int SelectedRow(forms::ListBox& list) {
  if (!list.MultiSelect()) return list.ListIndex();
  int row = -1;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (!list.Selected(i)) continue;
    if (row >= 0) return -1;
    row = i;
  }
  return row;
}

// Changes the rows of a multiple-selection list with its Click silenced, then
// runs Click once if anything changed. One Click per row would let the
// handler act on every selection in between, such as a single row left
// over whose partner it would then select.
void ChangeQuietly(forms::ListBox& list, const std::function<bool()>& change) {
  const std::function<void()> handler = std::exchange(list.onClick, nullptr);
  bool changed = false;
  try {
    changed = change();
  } catch (...) {
    list.onClick = handler;
    throw;
  }
  list.onClick = handler;
  if (changed && handler) handler();
}

// Ctrl+A on a multiple-selection list: row by row until two are selected
// (so the single-row handling runs as for clicks), then the rest at once.
void SelectAllRows(forms::ListBox& list) {
  int i = 0;
  for (; i < list.ListCount() && list.SelCount() < 2; ++i) list.SetSelected(i, true);
  ChangeQuietly(list, [&] {
    bool any = false;
    for (; i < list.ListCount(); ++i) {
      if (list.Selected(i)) continue;
      list.SetSelected(i, true);
      any = true;
    }
    return any;
  });
}

// The entries view's pane for the current record.
void ShowRecord(Session& s, Side side, Kind kind, int32_t index) {
  const DetailContext c{s.settings, s.labels};
  UserStore& store = s.Store(side);
  forms::TextBox& line = s.controls.panes[side].details;
  const bool notes = s.window.notesMode;
  switch (kind) {
    case Kind::Dates: {
      const DateRecord& r = RowRecord(store.dates, index);
      // Always written, so the box never shows another record's description.
      s.controls.panes[side].description.SetText(StripAgendus(TextOf(r.Description), s.settings).rest);
      if (notes) {
        line.SetText(ShownNote(c, r.Note));
        return;
      }
      s.controls.panes[side].description.SetLocked(false);
      line.SetText(EntryDetailText(c, r));
      return;
    }
    case Kind::Memos:
      line.SetText(EntryDetailText(c, RowRecord(store.memos, index)));
      return;
    case Kind::ToDos: {
      const TodoRecord& r = RowRecord(store.todos, index);
      line.SetText(notes ? ShownNote(c, r.Note) : EntryDetailText(c, r));
      return;
    }
    case Kind::Contacts: {
      const ContactRecord& r = RowRecord(store.contacts, index);
      line.SetText(notes ? ShownNote(c, r.Note) : EntryDetailText(c, r));
      return;
    }
    case Kind::Custom: {
      const CustomRecord& r = RowRecord(store.custom, index);
      line.SetText(notes ? r.Fields[7] : EntryDetailText(c, r));
      return;
    }
  }
}

// The categories view's pane: the category's name and show flag.
void ShowCategory(Session& s, Side side, Kind kind, int32_t position) {
  KindHeader& header = s.Store(side).Header(kind);
  const CategoryEntry& entry = RowRecord(header.Categories, position);
  s.controls.panes[side].description.SetText(entry.LongName);
  s.controls.panes[side].showThisCategory.SetValue(
      header.Shown(static_cast<size_t>(position)) ? forms::CheckBox::Checked : forms::CheckBox::Unchecked);
  s.controls.panes[side].showThisCategory.SetEnabled(true);
  // "Unfiled" (id 0) keeps its name.
  s.controls.panes[side].description.SetLocked(entry.Id == 0);
}

}  // namespace

// The row of the side's current record when it is the only selected row.
int CurrentRow(Session& s, Side side) {
  const int row = SelectedRow(s.List(side));
  return row >= 0 && s.List(side).ItemData(row) == s.window.currentIndex[side] ? row : -1;
}

void DeselectAll(forms::ListBox& list) {
  if (!list.MultiSelect()) {
    list.SetListIndex(-1);
    return;
  }
  ChangeQuietly(list, [&] {
    bool any = false;
    for (int i = 0; i < list.ListCount(); ++i) {
      if (!list.Selected(i)) continue;
      list.SetSelected(i, false);
      any = true;
    }
    return any;
  });
}

void SelectOnly(forms::ListBox& list, int row) {
  if (list.MultiSelect()) {
    DeselectAll(list);
    list.SetSelected(row, true);
  } else {
    list.SetListIndex(row);
  }
}

void ClearDetail(Session& s, Side side) {
  FlagScope busy(s.window.busy);
  s.controls.panes[side].details.SetText("");
  s.controls.panes[side].description.SetText("");
  s.controls.panes[side].description.SetLocked(true);
  s.controls.panes[side].showThisCategory.SetValue(forms::CheckBox::Unchecked);
  s.controls.panes[side].showThisCategory.SetEnabled(false);
  s.controls.panes[side].details.SetLocked(true);
}

void Detail(Session& s, Side side) {
  FlagScope busy(s.window.busy);
  s.controls.panes[side].details.SetItalic(false);
  const int32_t index = s.window.currentIndex[side];
  const std::optional<Kind> kind = s.ShownKind();
  const size_t count = !kind                     ? 0
                       : s.window.categoriesView ? s.Store(side).Header(*kind).Categories.size()
                                                 : s.Store(side).Count(*kind);
  // Nothing selected, or an index that names nothing: the pane shows nothing.
  if (s.List(side).SelCount() == 0 || index < 0 || static_cast<size_t>(index) >= count) {
    ClearDetail(s, side);
    return;
  }
  if (s.window.notesMode) s.controls.panes[side].details.SetLocked(false);
  if (s.window.categoriesView)
    ShowCategory(s, side, *kind, index);
  else
    ShowRecord(s, side, *kind, index);
}

void ListSelectionChanged(Session& s, Side side) {
  const Side o = Other(side);
  forms::ListBox& list = s.List(side);
  forms::ListBox& other = s.List(o);
  WindowState& w = s.window;
  SidePane& mine = s.controls.panes[side];
  SidePane& theirs = s.controls.panes[o];
  s.platform.DoEvents();
  s.platform.DoEvents();

  const int selected = list.SelCount();
  if (selected == 1) {
    const int row = SelectedRow(list);
    w.currentIndex[side] = static_cast<int16_t>(list.ItemData(row));
    if (other.SelCount() == 1 && w.pairing) {
      // Ctrl+click: the two selected rows are to be changed into each other.
      for (forms::Button* b : s.controls.AllTransferButtons()) b->SetEnabled(false);
      mine.change.SetEnabled(true);
      theirs.change.SetEnabled(true);
      Detail(s, side);
      w.pairing = false;
      return;
    }
    Detail(s, side);
    if (s.controls.panes[o].userName.Text() != kNoUser) {
      theirs.add.SetEnabled(true);
      theirs.move.SetEnabled(true);
      mine.del.SetEnabled(true);
      mine.priv.SetEnabled(true);
    }
    const int partner = Partner(s, side, row);
    // The other list's handler, run by our selecting its partner row, does not select back.
    if (!w.partnerSelecting) {
      if (partner < 0) {
        DeselectAll(other);
        theirs.change.SetEnabled(false);
        theirs.del.SetEnabled(false);
        theirs.priv.SetEnabled(false);
      } else {
        {
          FlagScope selecting(w.partnerSelecting);
          SelectOnly(other, partner);
        }
        mine.change.SetEnabled(true);
        theirs.change.SetEnabled(true);
        theirs.del.SetEnabled(true);
        theirs.priv.SetEnabled(true);
      }
    }
    w.lastUsedLeft = side == kLeft;
    return;
  }

  if (selected == 0) {
    w.currentIndex[side] = -1;
    Detail(s, side);
    w.pairing = false;
    theirs.add.SetEnabled(false);
    theirs.move.SetEnabled(false);
    mine.priv.SetEnabled(false);
    mine.del.SetEnabled(false);
    theirs.change.SetEnabled(false);
    return;
  }

  ClearDetail(s, side);
  {
    FlagScope busy(w.busy);
    s.controls.panes[side].details.SetItalic(true);
    s.controls.panes[side].details.SetText(kMultiple);
  }
  DeselectAll(other);
  theirs.change.SetEnabled(false);
  theirs.del.SetEnabled(false);
  theirs.priv.SetEnabled(false);
}

void ListKeyDown(Session& s, Side side, forms::KeyCode key) {
  WindowState& w = s.window;
  switch (key) {
    case forms::KeyCode::A:
      // Only where the multiple-selection list is the one shown (not in the categories view).
      if (s.settings.EnableMultiSelect && s.List(side).MultiSelect()) SelectAllRows(s.List(side));
      break;
    case forms::KeyCode::Ctrl:  // the next click pairs, once per press
      if (!w.held) w.pairing = true;
      w.held = true;
      break;
    case forms::KeyCode::Space:
      // As a click on the box: only while it is enabled, that is while a
      // category (not a record) is selected.
      if (s.settings.ShowCategories) s.controls.panes[side].showThisCategory.UserClick();
      break;
    default:
      break;
  }
}

void ListKeyUp(Session& s, Side) {
  s.window.pairing = false;
  s.window.held = false;
}

void ToggleNotesMode(Session& s) {
  WindowState& w = s.window;
  MainWindowControls& f = s.controls;
  if (w.notesMode) {
    f.switchView.SetVisible(true);
    w.notesMode = false;
    f.editNotes.SetCaption("Edit &Notes");
    for (Side side : kSides) {
      f.panes[side].details.SetBackColor(kReadOnlyBackground);
      f.panes[side].details.SetLocked(true);
    }
  } else {
    for (Side side : kSides) f.panes[side].details.SetBackColor(kWindowBackground);
    f.switchView.SetVisible(false);
    w.notesMode = true;
    f.editNotes.SetCaption("Sho&w Details");
  }
  for (Side side : kSides) {
    if (s.List(side).SelCount() == 0) continue;
    ListSelectionChanged(s, side);
    // Editable only while it shows one record's note.
    if (w.notesMode && CurrentRow(s, side) >= 0) f.panes[side].details.SetLocked(false);
  }
}

}  // namespace mirrin
