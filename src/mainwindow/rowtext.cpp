#include "mainwindow/rowtext.h"

#include <charconv>
#include <utility>

#include "mainwindow/format.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

// Rows end with the record id far to the right: invisible in the list, but
// it orders rows whose visible text is equal.
constexpr size_t kTailBlanks = 100;

// The id as the picture "##########" writes it: no digit for 0.
struct IdDigits {
  explicit IdDigits(int32_t recordId)
      : size(recordId == 0
                 ? 0
                 : static_cast<size_t>(std::to_chars(text, text + sizeof text, recordId).ptr - text)) {}
  std::string_view View() const { return {text, size}; }
  char text[16];
  size_t size;
};

std::string AppendTail(std::string& row, int32_t recordId) {
  row.append(kTailBlanks, ' ');
  row += IdDigits(recordId).View();
  return std::move(row);
}

size_t TailSize(int32_t recordId) { return kTailBlanks + IdDigits(recordId).size; }

// "(cat) " in front of the record's own text; the list text start is the
// position of the space after the parenthesis.
std::string CategoryPrefix(const std::string& cat) { return "(" + cat + ") "; }

int32_t CategoryStart(const std::string& cat, bool dbcs) {
  return static_cast<int32_t>(CharCount(cat, dbcs)) + 3;
}

std::string DateRow(Session& s, Side side, int32_t index) {
  const Settings& st = s.settings;
  UserStore& store = s.Store(side);
  const DateRecord& r = RowRecord(store.dates, index);
  // Split once: the row writes the start twice.
  const CivilDateTime start = SplitDate(r.StartTime.value);
  // The pieces first, so that the row is allocated once, at its size: tens
  // of thousands of rows are kept. One string then grows to the whole row,
  // piece by piece ("(" + string + ")" also trips a false -Wrestrict in GCC
  // 12 at -O3).
  const std::string cat = st.ShowDatebookCategories
                              ? Trim(DateCategoryName(TextOf(r.Note), r, store.datesHeader, st), st.DBCS)
                              : std::string();
  const std::string agendusCut = st.Agendus ? StripAgendus(r.Description, st).rest : std::string();
  const std::string_view description =
      st.Agendus ? std::string_view(agendusCut) : std::string_view(r.Description);
  std::string date;
  AppendDate(date, start, st.DateFormat);
  std::string row;
  // "(yymmdd)(" and ") ", or "(yymmdd) "; " - " before the date.
  row.reserve((st.ShowDatebookCategories ? 11 + cat.size() : 9) + description.size() + 3 + date.size() +
              TailSize(r.RecordId));
  if (st.ShowDatebookCategories) {
    if (st.SortbyCategory)
      row += "(";
    else
      AppendDate(row, start, "(yymmdd)(");
    row += cat;
    if (st.SortbyCategory)
      AppendDate(row, start, ")(yymmdd) ");
    else
      row += ") ";
  } else {
    AppendDate(row, start, "(yymmdd) ");
  }
  store.Display(Kind::Dates, static_cast<size_t>(index)).textStart =
      static_cast<int32_t>(CharCount(row, st.DBCS)) + 1;
  row += description;
  row += " - ";
  row += date;
  return AppendTail(row, r.RecordId);
}

std::string ContactRow(Session& s, Side side, int32_t index, const std::string* category) {
  const Settings& st = s.settings;
  UserStore& store = s.Store(side);
  const ContactRecord& r = RowRecord(store.contacts, index);
  int32_t& textStart = store.Display(Kind::Contacts, static_cast<size_t>(index)).textStart;
  const bool dbcs = st.DBCS;
  const bool hasName = !r.LastName.empty() || !r.FirstName.empty();
  bool byName = hasName && (r.Company.empty() || !st.ShowCompany);
  // One string grows to the whole row: a row is built for every listed contact.
  std::string row;
  row.reserve(r.LastName.size() + r.FirstName.size() + r.Company.size() + 140);
  textStart = 1;
  if (st.ShowCategories) {
    const std::string cat = category ? *category : CategoryName(store.contactsHeader, r.Category);
    textStart = CategoryStart(cat, dbcs);
    row += '(';
    row += cat;
    row += ") ";
  } else {
    byName = r.Company.empty() || (!st.ShowCompany && hasName);
  }
  if (byName) {
    row += Trim(TextOf(r.LastName), dbcs);
    row += ", ";
    row += Trim(TextOf(r.FirstName), dbcs);
  } else {
    row += Trim(TextOf(r.Company), dbcs);
  }
  return AppendTail(row, r.RecordId);
}

// To Dos and memos: an optional category, then one trimmed text.
std::string TitledRow(const std::string& title, bool showCategory, const std::string& cat, int32_t recordId,
                      bool dbcs) {
  if (!showCategory) {
    std::string row = Trim(title, dbcs);
    return AppendTail(row, recordId);
  }
  std::string row = CategoryPrefix(cat) + Trim(title, dbcs);
  return AppendTail(row, recordId);
}

}  // namespace

std::string RowText(Session& s, Side side, Kind kind, int32_t index, const std::string* category) {
  const Settings& st = s.settings;
  UserStore& store = s.Store(side);
  switch (kind) {
    case Kind::Dates:
      return DateRow(s, side, index);
    case Kind::Contacts:
      return ContactRow(s, side, index, category);
    case Kind::ToDos: {
      const TodoRecord& r = RowRecord(store.todos, index);
      const std::string cat = category ? *category : CategoryName(store.todosHeader, r.Category);
      return TitledRow(TextOf(r.Description), st.ShowToDoCategories, cat, r.RecordId, st.DBCS);
    }
    case Kind::Memos: {
      const MemoRecord& r = RowRecord(store.memos, index);
      HeldText& title = store.Display(Kind::Memos, static_cast<size_t>(index)).pairText;
      // The pairing of memo rows compares titles.
      title = MemoTitle(TextOf(r.Text), st);
      const std::string cat = category ? *category : CategoryName(store.memosHeader, r.Category);
      return TitledRow(title, st.ShowMemoCategories, cat, r.RecordId, st.DBCS);
    }
    case Kind::Custom: {
      const CustomRecord& r = RowRecord(store.custom, index);
      return CategoryPrefix(r.Fields[0]) + Trim(r.Fields[1], st.DBCS);
    }
  }
  return {};
}

std::string ShownRowText(const std::string& row) { return std::string(ShownRowView(row)); }

std::string_view ShownRowView(std::string_view row) {
  size_t end = row.size();
  while (end > 0 && row[end - 1] >= '0' && row[end - 1] <= '9') --end;
  static const std::string kBlankRun(kTailBlanks, ' ');
  if (end < kTailBlanks || row.substr(end - kTailBlanks, kTailBlanks) != kBlankRun) return row;
  return row.substr(0, end - kTailBlanks);
}

std::string CategoryRowText(const KindHeader& header, size_t position, bool dbcs) {
  return PadChars(header.Categories[position].LongName, 16, dbcs) + "\t" +
         (header.Shown(position) ? "Yes" : "No");
}

}  // namespace mirrin
