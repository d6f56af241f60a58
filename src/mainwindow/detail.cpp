#include "mainwindow/detail.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "palmdata/palmtime.h"
#include "mainwindow/format.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kNoUser = "Please choose User";
constexpr const char* kMultiple = "Multiple Items Selected";
constexpr uint32_t kWindowBackground = 0x80000005;    // system colour 5
constexpr uint32_t kReadOnlyBackground = 0x8000000B;  // system colour 11

// Repeat end dates after this never end; To Do due dates from the given
// moment on mean "no due date".
const double kRepeatForever = MakeDate(2031, 12, 30);
const double kNoDueDate = MakeDate(2031, 12, 31) + MakeTime(21, 0, 0);

// Sets a flag for a scope and puts back what it was.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = was_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

bool Blank(const std::string& text, bool dbcs) { return Trim(text, dbcs).empty(); }

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

// The row of the side's current record when it is the only selected row.
int CurrentRow(Session& s, Side side) {
  const int row = SelectedRow(s.List(side));
  return row >= 0 && s.List(side).ItemData(row) == s.window.currentIndex[side] ? row : -1;
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

template <size_t N>
std::string LabelName(const std::array<std::string, N>& names, int32_t label) {
  return label >= 0 && static_cast<size_t>(label) < N ? names[static_cast<size_t>(label)] : std::string();
}

// What the pane shows as a note: with KeepCategories or Agendus only its
// body, without the header and trailer other programs keep in it.
bool ShowsNoteBody(const Settings& st) { return st.KeepCategories || st.Agendus; }

std::string ShownNote(Session& s, const Bytes& note) {
  if (!ShowsNoteBody(s.settings)) return TextOf(note);
  return NoteSplit(TextOf(note), s.settings, s.labels.AgendusMarker).body;
}

// The note after the operator edited what ShownNote showed: a body edit
// keeps the header and trailer around it.
Bytes EditedNote(Session& s, const Bytes& note, const std::string& shown) {
  if (!ShowsNoteBody(s.settings)) return BytesOf(shown);
  const NoteParts parts = NoteSplit(TextOf(note), s.settings, s.labels.AgendusMarker);
  return BytesOf(parts.header + shown + parts.trailer);
}

std::string RepeatEndLine(Session& s, const PalmDate& endDate) {
  if (endDate.value > kRepeatForever) return std::string(kCrLf) + "Repeat Forever";
  if (endDate.value > 0) return std::string(kCrLf) + "Repeat Until: " + FormatDate(endDate.value, s.settings.DateFormat);
  return {};
}

// The entries view's pane for the current record.
void ShowRecord(Session& s, Side side, Kind kind, int32_t index) {
  UserStore& store = s.Store(side);
  forms::TextBox& line = s.form.Line(side);
  const bool notes = s.window.notesMode;
  switch (kind) {
    case Kind::Dates: {
      const DateRecord& r = RowRecord(store.dates, index);
      // Always written, so the box never shows another record's description.
      s.form.Desc(side).SetText(StripAgendus(TextOf(r.Description), s.settings).rest);
      if (notes) {
        line.SetText(ShownNote(s, r.Note));
        return;
      }
      s.form.Desc(side).SetLocked(false);
      line.SetText(EntryDetailText(s, r));
      return;
    }
    case Kind::Memos:
      line.SetText(EntryDetailText(s, RowRecord(store.memos, index)));
      return;
    case Kind::ToDos: {
      const TodoRecord& r = RowRecord(store.todos, index);
      line.SetText(notes ? ShownNote(s, r.Note) : EntryDetailText(s, r));
      return;
    }
    case Kind::Contacts: {
      const ContactRecord& r = RowRecord(store.contacts, index);
      line.SetText(notes ? ShownNote(s, r.Note) : EntryDetailText(s, r));
      return;
    }
    case Kind::Custom: {
      const CustomRecord& r = RowRecord(store.custom, index);
      line.SetText(notes ? r.Fields[7] : EntryDetailText(s, r));
      return;
    }
  }
}

// The categories view's pane: the category's name and show flag.
void ShowCategory(Session& s, Side side, Kind kind, int32_t position) {
  const CategoryEntry& entry = RowRecord(s.Store(side).Header(kind).Categories, position);
  s.form.Desc(side).SetText(entry.LongName);
  s.form.ShowThisCategory(side).SetValue(entry.Show ? forms::CheckBox::Checked : forms::CheckBox::Unchecked);
  s.form.ShowThisCategory(side).SetEnabled(true);
  // "Unfiled" (id 0) keeps its name.
  s.form.Desc(side).SetLocked(entry.Id == 0);
}

// Renames the category at the side's current index (categories view).
void RenameCategory(Session& s, Side side, Kind kind, const std::string& name) {
  std::vector<CategoryEntry>& table = s.Store(side).Header(kind).Categories;
  const int32_t position = s.window.currentIndex[side];
  if (static_cast<size_t>(position) >= table.size()) return;
  CategoryEntry& entry = table[static_cast<size_t>(position)];
  if (entry.Id == 0) return;  // "Unfiled" cannot be renamed
  entry.LongName = name;
  entry.ShortName = LeftChars(name, 8, s.settings.DBCS);
  // The custom kind's categories are its records' first fields, not a stored table.
  if (kind != Kind::Custom) s.Store(side).Changed(kind) = true;
  s.form.mnuSave.SetEnabled(true);
  const int row = CurrentRow(s, side);
  if (row >= 0) s.List(side).SetList(row, CategoryRowText(entry, s.settings.DBCS));
}

// After a date's description changed: drop a pair that no longer matches,
// then pair the row with the first row of the other list that matches and
// is free, or is held by a row starting at another time than its record
// while that record starts when the edited one does.
void RepairDate(Session& s, Side side, int row, const DateRecord& edited) {
  const Side o = Other(side);
  forms::ListBox& other = s.List(o);
  TransferButtons theirs = s.form.Towards(o);
  TransferButtons mine = s.form.Towards(side);
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
  s.form.mnuSave.SetEnabled(true);
  RepairDate(s, side, row, r);
}

}  // namespace

std::string EntryDetailText(Session& s, const DateRecord& r) {
  return DateDetailText(s, r, ShownNote(s, r.Note), StripAgendus(TextOf(r.Description), s.settings).bracket);
}

std::string EntryDetailText(Session& s, const MemoRecord& r) {
  const std::string text = TextOf(r.Text);
  return Blank(text, s.settings.DBCS) ? std::string() : text;
}

std::string EntryDetailText(Session& s, const TodoRecord& r) { return TodoDetailText(s, r, ShownNote(s, r.Note)); }

std::string EntryDetailText(Session& s, const ContactRecord& r) {
  return ContactDetailText(s, r, ShownNote(s, r.Note));
}

std::string EntryDetailText(Session& s, const CustomRecord& r) {
  const bool dbcs = s.settings.DBCS;
  std::string text;
  for (size_t k = 1; k <= 6; ++k) {
    if (!Blank(r.Fields[k], dbcs)) text += r.Fields[k] + kCrLf;
  }
  if (!r.Fields[7].empty()) text += "Note: " + r.Fields[7];
  return text;
}

void ClearDetail(Session& s, Side side) {
  FlagScope busy(s.window.busy);
  s.form.Line(side).SetText("");
  s.form.Desc(side).SetText("");
  s.form.Desc(side).SetLocked(true);
  s.form.ShowThisCategory(side).SetValue(forms::CheckBox::Unchecked);
  s.form.ShowThisCategory(side).SetEnabled(false);
  s.form.Line(side).SetLocked(true);
}

void Detail(Session& s, Side side) {
  FlagScope busy(s.window.busy);
  s.form.Line(side).SetItalic(false);
  const int32_t index = s.window.currentIndex[side];
  Kind kind;
  const bool known = s.ShownKind(kind);
  const size_t count =
      !known ? 0 : s.window.categoriesView ? s.Store(side).Header(kind).Categories.size() : s.Store(side).Count(kind);
  // Nothing selected, or an index that names nothing: the pane shows nothing.
  if (s.List(side).SelCount() == 0 || index < 0 || static_cast<size_t>(index) >= count) {
    ClearDetail(s, side);
    return;
  }
  if (s.window.notesMode) s.form.Line(side).SetLocked(false);
  if (s.window.categoriesView) ShowCategory(s, side, kind, index);
  else ShowRecord(s, side, kind, index);
}

void ListSelectionChanged(Session& s, Side side) {
  const Side o = Other(side);
  forms::ListBox& list = s.List(side);
  forms::ListBox& other = s.List(o);
  WindowState& w = s.window;
  TransferButtons mine = s.form.Towards(side);
  TransferButtons theirs = s.form.Towards(o);
  s.platform.DoEvents();
  s.platform.DoEvents();

  const int selected = list.SelCount();
  if (selected == 1) {
    const int row = SelectedRow(list);
    w.currentIndex[side] = static_cast<int16_t>(list.ItemData(row));
    if (other.SelCount() == 1 && w.pairing) {
      // Ctrl+click: the two selected rows are to be changed into each other.
      for (forms::Button* b : s.form.AllTransferButtons()) b->SetEnabled(false);
      mine.change.SetEnabled(true);
      theirs.change.SetEnabled(true);
      Detail(s, side);
      w.pairing = false;
      return;
    }
    Detail(s, side);
    if (s.form.UserField(o).Text() != kNoUser) {
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
    s.form.Line(side).SetItalic(true);
    s.form.Line(side).SetText(kMultiple);
  }
  DeselectAll(other);
  theirs.change.SetEnabled(false);
  theirs.del.SetEnabled(false);
  theirs.priv.SetEnabled(false);
}

void ListKeyDown(Session& s, Side side, int keyCode) {
  WindowState& w = s.window;
  switch (keyCode) {
    case 65:  // A
      // Only where the multiple-selection list is the one shown (not in the categories view).
      if (s.settings.EnableMultiSelect && s.List(side).MultiSelect()) SelectAllRows(s.List(side));
      break;
    case 17:  // Ctrl: the next click pairs, once per press
      if (!w.held) w.pairing = true;
      w.held = true;
      break;
    case 32:  // space
      // As a click on the box: only while it is enabled, that is while a
      // category (not a record) is selected.
      if (s.settings.ShowCategories) s.form.ShowThisCategory(side).UserClick();
      break;
    default: break;
  }
}

void ListKeyUp(Session& s, Side) {
  s.window.pairing = false;
  s.window.held = false;
}

void ToggleNotesMode(Session& s) {
  WindowState& w = s.window;
  MainForm& f = s.form;
  if (w.notesMode) {
    f.cmdSwitch.SetVisible(true);
    w.notesMode = false;
    f.cmdNotes.SetCaption("Edit &Notes");
    for (Side side : kSides) {
      f.Line(side).SetBackColor(kReadOnlyBackground);
      f.Line(side).SetLocked(true);
    }
  } else {
    for (Side side : kSides) f.Line(side).SetBackColor(kWindowBackground);
    f.cmdSwitch.SetVisible(false);
    w.notesMode = true;
    f.cmdNotes.SetCaption("Sho&w Details");
  }
  for (Side side : kSides) {
    if (s.List(side).SelCount() == 0) continue;
    ListSelectionChanged(s, side);
    // Editable only while it shows one record's note.
    if (w.notesMode && CurrentRow(s, side) >= 0) f.Line(side).SetLocked(false);
  }
}

void LineChanged(Session& s, Side side) {
  const WindowState& w = s.window;
  const int32_t index = w.currentIndex[side];
  if (w.busy || index < 0 || !w.notesMode || w.categoriesView) return;
  Kind kind;
  if (!s.ShownKind(kind) || static_cast<size_t>(index) >= s.Store(side).Count(kind)) return;
  // The line holds one record's note only while that record's row is the one selected.
  if (CurrentRow(s, side) < 0) return;
  const std::string& text = s.form.Line(side).Text();
  UserStore& store = s.Store(side);
  switch (kind) {
    case Kind::Dates: {
      DateRecord& r = RowRecord(store.dates, index);
      r.Note = EditedNote(s, r.Note, text);
      break;
    }
    case Kind::ToDos: {
      TodoRecord& r = RowRecord(store.todos, index);
      r.Note = EditedNote(s, r.Note, text);
      break;
    }
    case Kind::Contacts: {
      ContactRecord& r = RowRecord(store.contacts, index);
      r.Note = EditedNote(s, r.Note, text);
      break;
    }
    case Kind::Memos: RowRecord(store.memos, index).Text = BytesOf(text); break;
    case Kind::Custom: RowRecord(store.custom, index).Fields[7] = text; break;
  }
  store.Changed(kind) = true;
  s.form.mnuSave.SetEnabled(true);
}

void DescChanged(Session& s, Side side) {
  const int32_t index = s.window.currentIndex[side];
  if (s.window.busy || index < 0) return;
  Kind kind;
  if (!s.ShownKind(kind)) return;
  const std::string text = s.form.Desc(side).Text();
  if (s.window.categoriesView) {
    RenameCategory(s, side, kind, text);
    return;
  }
  if (kind != Kind::Dates || static_cast<size_t>(index) >= s.Store(side).dates.size()) return;
  ChangeDateDescription(s, side, index, text);
}

std::string DateDetailText(Session& s, const DateRecord& r, const std::string& note,
                           const std::string& agendusContact) {
  const Settings& st = s.settings;
  const std::string crlf = kCrLf;
  std::string text;
  const double start = r.StartTime.value;
  if (r.Untimed) {
    if (start != 0) text += "Date: " + FormatDate(start, st.DateFormat);
    text += crlf + "Untimed";
  } else {
    if (start != 0) text += "From: " + FormatDate(start, st.DateTimeFormat) + crlf;
    if (r.EndTime.value != 0) text += "To: " + FormatDate(r.EndTime.value, st.DateTimeFormat);
  }
  if (r.AlarmSet) {
    const char* unit = r.AlarmUnit == 1 ? " hours before" : r.AlarmUnit == 2 ? " days before" : " minutes before";
    text += crlf + "Alarmed: " + std::to_string(r.AlarmAdvance) + unit;
  }
  static const std::array<const char*, 5> kRepeats{"Repeat Daily", "Repeat Weekly", "Repeat Monthly by Weekday",
                                                   "Repeat Monthly by Date", "Repeat Annually"};
  if (r.Repeat.Brand >= 1 && r.Repeat.Brand <= 5) text += crlf + kRepeats[static_cast<size_t>(r.Repeat.Brand - 1)];
  if (r.Repeat.Hash != 0) {
    text += RepeatEndLine(s, r.Repeat.EndDate);
    text += crlf + "# of Exceptions: " + FormatNumber(r.ExceptionCount, "##0");
  }
  const std::string location = TextOf(r.Location);
  if (!location.empty()) text += crlf + "Location: " + location;
  if (!agendusContact.empty() && st.Agendus) text += crlf + "Agendus Contact: " + agendusContact;
  if (!note.empty()) text += crlf + "Note: " + note;
  return text;
}

std::string TodoDetailText(Session& s, const TodoRecord& r, const std::string& note) {
  const Settings& st = s.settings;
  const std::string crlf = kCrLf;
  std::string text;
  const std::string description = TextOf(r.Description);
  if (!Blank(description, st.DBCS)) text += description + crlf;
  if (r.Completed) text += st.CompletedString + crlf;
  text += "Priority: " + std::to_string(r.Priority) + crlf;
  text += r.DueDate.value < kNoDueDate ? "Due: " + FormatDate(r.DueDate.value, st.DateFormat) : "No Due Date";
  if (r.AlarmSet) text += crlf + "Alarmed";

  const RepeatRule& rule = r.Repeat;
  std::string singular, plural;
  switch (rule.Brand) {
    case 1: singular = " Day", plural = " Days"; break;
    case 2: singular = " Week", plural = " Weeks"; break;
    case 3: singular = " Month", plural = " Months"; break;
    case 4: {
      const int d = rule.DayNumber;
      const char* suffix = (d == 1 || d == 21 || d == 31) ? "st" : (d == 2 || d == 22) ? "nd" : (d == 3 || d == 23) ? "rd" : "th";
      const std::string on = " (on " + std::to_string(d) + suffix + ")";
      singular = " Month" + on;
      plural = " Months" + on;
      break;
    }
    case 5: singular = " Year", plural = " Years"; break;
    default: break;
  }
  std::string repeat = (r.RepeatAfterCompletion ? "Repeat " : "Repeat every ") + std::to_string(rule.Interval);
  if (r.RepeatAfterCompletion) repeat += plural + " after completion";
  else if (rule.Interval != 1) repeat += plural;
  else repeat = "Repeat every" + singular;
  if (rule.Brand != 0) text += crlf + repeat;

  if (rule.Hash != 0) {
    text += RepeatEndLine(s, rule.EndDate);
    if (r.ExceptionCount != 0) text += crlf + "# of Exceptions: " + FormatNumber(r.ExceptionCount, "##0");
  }
  if (!note.empty()) text += crlf + "Note: " + note;
  return text;
}

std::string ContactDetailText(Session& s, const ContactRecord& r, const std::string& note) {
  const bool dbcs = s.settings.DBCS;
  const std::string crlf = kCrLf;
  const LabelTables& labels = s.labels;
  std::string text;
  auto line = [&](const Bytes& field) {
    const std::string value = TextOf(field);
    if (!Blank(value, dbcs)) text += value + crlf;
  };
  if (s.settings.ShowCompany) {
    if (!Blank(TextOf(r.LastName), dbcs)) text += TextOf(r.LastName);
    if (!Blank(TextOf(r.FirstName), dbcs)) text += ", " + TextOf(r.FirstName);
    text += crlf;
  }
  line(r.Title);
  line(r.Company);
  for (size_t k = 0; k < r.Phones.size(); ++k) {
    const PhoneEntry& phone = r.Phones[k];
    if (phone.Value.empty()) continue;
    text += std::to_string(k + 1) + ")" + LabelName(labels.PhoneLabelNames, phone.Label) + TextOf(phone.Value) + crlf;
  }
  for (const PostalAddress& a : r.Addresses) {
    if (!Blank(TextOf(a.Street), dbcs)) {
      text += LabelName(labels.AddressLabelNames, a.Label) + ":" + crlf;
      text += TextOf(a.Street) + crlf;
    }
    for (const Bytes* part : {&a.City, &a.State, &a.Zip, &a.Country}) line(*part);
  }
  for (const Bytes& field : r.CustomFields) line(field);
  if (!Blank(TextOf(r.InstantMessage1), dbcs)) {
    text += LabelName(labels.IMLabelNames, r.IMLabel1) + ":" + TextOf(r.InstantMessage1) + crlf;
  }
  if (!Blank(TextOf(r.InstantMessage2), dbcs)) {
    text += LabelName(labels.IMLabelNames, r.IMLabel2) + ":" + TextOf(r.InstantMessage2) + crlf;
  }
  if (!Blank(TextOf(r.Website), dbcs)) text += "Website:" + TextOf(r.Website) + crlf;
  if (!note.empty()) text += "Note: " + note + crlf;
  return text;
}

}  // namespace mirrin
