#include "mainwindow/differences.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <type_traits>

#include "mainwindow/detailtext.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/twins.h"

namespace mirrin {

namespace {

// A group of fields the operator knows by one name, and how to copy it from
// one record to another.
template <typename Record>
struct FieldGroup {
  const char* name;
  std::function<void(Record& to, const Record& from)> take;
  // The category index means something only with its own side's header.
  bool category = false;
};

template <typename Record, typename... Members>
FieldGroup<Record> Group(const char* name, Members Record::*... members) {
  return {name, [=](Record& to, const Record& from) { ((to.*members = from.*members), ...); }};
}

template <typename Record>
FieldGroup<Record> CategoryGroup() {
  return {"Category", [](Record& to, const Record& from) { to.Category = from.Category; }, true};
}

// The fields in the order the panes show them.
const std::vector<FieldGroup<DateRecord>>& Fields(const DateRecord*) {
  using R = DateRecord;
  static const std::vector<FieldGroup<R>> groups{
      Group("Description", &R::Description),
      Group("Start", &R::StartTime),
      Group("End", &R::EndTime, &R::Duration),
      Group("Untimed", &R::Untimed),
      Group("Alarm", &R::AlarmSet, &R::AlarmUnit, &R::AlarmAdvance),
      Group("Repeat", &R::Repeat, &R::ExceptionCount, &R::Exceptions),
      Group("Location", &R::Location),
      Group("Note", &R::Note),
      CategoryGroup<R>(),
  };
  return groups;
}

const std::vector<FieldGroup<ContactRecord>>& Fields(const ContactRecord*) {
  using R = ContactRecord;
  static const std::vector<FieldGroup<R>> groups{
      Group("Name", &R::LastName, &R::FirstName),
      Group("Title", &R::Title),
      Group("Company", &R::Company),
      Group("Phones", &R::Phones),
      Group("Addresses", &R::Addresses),
      Group("Custom fields", &R::CustomFields),
      Group("Instant messages", &R::InstantMessage1, &R::IMLabel1, &R::InstantMessage2, &R::IMLabel2),
      Group("Website", &R::Website),
      Group("Note", &R::Note),
      CategoryGroup<R>(),
      // Kept by the extended format and compared, but never shown.
      Group("Hidden fields", &R::ExtPair1, &R::ExtPair2, &R::ExtFlag, &R::ExtNumber1),
  };
  return groups;
}

const std::vector<FieldGroup<TodoRecord>>& Fields(const TodoRecord*) {
  using R = TodoRecord;
  static const std::vector<FieldGroup<R>> groups{
      Group("Description", &R::Description),
      Group("Completed", &R::Completed),
      Group("Priority", &R::Priority),
      Group("Due", &R::DueDate),
      Group("Alarm", &R::AlarmSet, &R::ExtDate2, &R::ExtNumber),
      Group("Repeat", &R::Repeat, &R::ExceptionCount, &R::Exceptions, &R::RepeatAfterCompletion),
      Group("Note", &R::Note),
      CategoryGroup<R>(),
  };
  return groups;
}

const std::vector<FieldGroup<MemoRecord>>& Fields(const MemoRecord*) {
  static const std::vector<FieldGroup<MemoRecord>> groups{Group("Text", &MemoRecord::Text),
                                                          CategoryGroup<MemoRecord>()};
  return groups;
}

const std::vector<FieldGroup<CustomRecord>>& Fields(const CustomRecord*) {
  static const std::vector<FieldGroup<CustomRecord>> groups = [] {
    std::vector<FieldGroup<CustomRecord>> g;
    for (size_t k = 0; k < kCustomFieldCount; ++k) {
      static const char* const names[kCustomFieldCount] = {"Category", "Field 1", "Field 2", "Field 3",
                                                           "Field 4",  "Field 5", "Field 6", "Note"};
      g.push_back(
          {names[k], [k](CustomRecord& to, const CustomRecord& from) { to.Fields[k] = from.Fields[k]; }});
    }
    return g;
  }();
  return groups;
}

bool Twins(const DateRecord& l, const DateRecord& r, const TwinContext& c) { return DatesTwin(l, r, c); }
bool Twins(const ContactRecord& l, const ContactRecord& r, const TwinContext& c) {
  return ContactsEqual(l, r, c);
}
bool Twins(const TodoRecord& l, const TodoRecord& r, const TwinContext& c) { return TodosEqual(l, r, c); }
bool Twins(const MemoRecord& l, const MemoRecord& r, const TwinContext& c) { return MemosTwin(l, r, c); }
bool Twins(const CustomRecord& l, const CustomRecord& r, const TwinContext&) { return CustomTwin(l, r); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// One side's record against its partner. A field differs when the record,
// given only that field of the partner, is no longer its own twin: so the
// twin rules alone decide, field by field.
template <typename Record>
struct Comparison {
  Session& s;
  Side side;
  const Record& own;
  const Record& partner;

  // The twin tests take the left record first (the suffix rule of dates
  // looks one way), so the mixed record stands on the partner's side.
  bool StillTwin(const Record& mixed, bool category) const {
    const KindHeader& ownHeader = s.Store(side).Header(KindOf());
    // The mixed record holds the partner's category index only when the
    // category is the field in question.
    const KindHeader& mixedHeader = category ? s.Store(Other(side)).Header(KindOf()) : ownHeader;
    if (side == kLeft) return Twins(own, mixed, {s.settings, s.labels.AgendusMarker, ownHeader, mixedHeader});
    return Twins(mixed, own, {s.settings, s.labels.AgendusMarker, mixedHeader, ownHeader});
  }
  static Kind KindOf() {
    if constexpr (std::is_same_v<Record, DateRecord>)
      return Kind::Dates;
    else if constexpr (std::is_same_v<Record, ContactRecord>)
      return Kind::Contacts;
    else if constexpr (std::is_same_v<Record, TodoRecord>)
      return Kind::ToDos;
    else if constexpr (std::is_same_v<Record, MemoRecord>)
      return Kind::Memos;
    else
      return Kind::Custom;
  }

  // The record with one field group of the partner; nullopt when the twin
  // rules find that group equal.
  std::optional<Record> Mixed(const FieldGroup<Record>& g) const {
    Record mixed = own;
    g.take(mixed, partner);
    if (StillTwin(mixed, g.category)) return std::nullopt;
    return mixed;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& g : Fields(&own)) {
      if (Mixed(g)) names.push_back(g.name);
    }
    return names;
  }

  // The own pane's lines that change when a differing field takes the
  // partner's value, and whether the description is one of those fields.
  void Mark(forms::TextBox& line, forms::TextBox& desc) const {
    const std::vector<std::string> shown = Lines(EntryDetailText({s.settings, s.labels}, own));
    std::vector<int> marked;
    bool description = false;
    for (const auto& g : Fields(&own)) {
      const std::optional<Record> mixed = Mixed(g);
      if (!mixed) continue;
      if (std::string_view(g.name) == "Description") description = true;
      const std::vector<std::string> other = Lines(EntryDetailText({s.settings, s.labels}, *mixed));
      for (size_t i = 0; i < shown.size(); ++i) {
        if (std::find(other.begin(), other.end(), shown[i]) == other.end())
          marked.push_back(static_cast<int>(i));
      }
    }
    std::sort(marked.begin(), marked.end());
    marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
    line.SetMarkedLines(std::move(marked));
    if (KindOf() == Kind::Dates) desc.SetMarkedLines(description ? std::vector<int>{0} : std::vector<int>{});
  }
};

template <typename Record, typename Action>
auto WithPair(Session& s, Side side, std::vector<Record>& own, std::vector<Record>& partner, int32_t ownIndex,
              int32_t partnerIndex, Action action) {
  return action(Comparison<Record>{s, side, RowRecord(own, ownIndex), RowRecord(partner, partnerIndex)});
}

// Runs action on the comparison of a side's record with the other side's.
template <typename Action>
auto Compare(Session& s, Kind kind, Side side, int32_t ownIndex, int32_t partnerIndex, Action action) {
  UserStore& own = s.Store(side);
  UserStore& partner = s.Store(Other(side));
  switch (kind) {
    case Kind::Dates:
      return WithPair(s, side, own.dates, partner.dates, ownIndex, partnerIndex, action);
    case Kind::Contacts:
      return WithPair(s, side, own.contacts, partner.contacts, ownIndex, partnerIndex, action);
    case Kind::ToDos:
      return WithPair(s, side, own.todos, partner.todos, ownIndex, partnerIndex, action);
    case Kind::Memos:
      return WithPair(s, side, own.memos, partner.memos, ownIndex, partnerIndex, action);
    case Kind::Custom:
      break;
  }
  return WithPair(s, side, own.custom, partner.custom, ownIndex, partnerIndex, action);
}

int OnlySelectedRow(const forms::ListBox& list) {
  if (list.SelCount() != 1) return -1;
  for (int r = 0; r < list.ListCount(); ++r) {
    if (list.Selected(r)) return r;
  }
  return -1;
}

}  // namespace

std::vector<std::string> DifferingFields(Session& s, Kind kind, int32_t leftIndex, int32_t rightIndex) {
  return Compare(s, kind, kLeft, leftIndex, rightIndex, [](const auto& c) { return c.Names(); });
}

std::string RowDifferences(Session& s, Side side, int row) {
  const std::optional<Kind> kind = s.ShownKind();
  const int partner = Partner(s, side, row);
  if (s.window.categoriesView || !kind || partner < 0) return {};
  const int32_t own = s.List(side).ItemData(row);
  const int32_t other = s.List(Other(side)).ItemData(partner);
  std::string text;
  for (const std::string& name :
       DifferingFields(s, *kind, side == kLeft ? own : other, side == kLeft ? other : own)) {
    text += (text.empty() ? "" : ", ") + name;
  }
  return text;
}

void MarkDifferences(Session& s) {
  for (Side side : kSides) {
    s.controls.panes[side].details.SetMarkedLines({});
    s.controls.panes[side].description.SetMarkedLines({});
  }
  const std::optional<Kind> kind = s.ShownKind();
  if (s.window.categoriesView || s.window.notesMode || !kind) return;
  std::array<int32_t, 2> index{};
  for (Side side : kSides) {
    const int row = OnlySelectedRow(s.List(side));
    if (row < 0) return;
    index[side] = s.List(side).ItemData(row);
  }
  for (Side side : kSides) {
    Compare(s, *kind, side, index[side], index[Other(side)], [&](const auto& c) {
      c.Mark(s.controls.panes[side].details, s.controls.panes[side].description);
    });
  }
}

}  // namespace mirrin
