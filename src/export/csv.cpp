#include "export/csv.h"

#include <cstdio>

#include "sysplatform/codepage.h"

namespace mirrin {

namespace {

using Row = std::vector<std::string>;

std::string YesNo(bool b) { return b ? "Y" : "N"; }

std::string LocalText(double date, bool dayOnly) {
  const CivilDateTime t = SplitDate(date);
  char buf[32];
  if (dayOnly) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
  } else {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  }
  return buf;
}

const char* RepeatName(const RepeatRule& r) {
  static const char* const kNames[6] = {"",      "Daily", "Weekly", "Monthly by weekday", "Monthly by date",
                                        "Yearly"};
  if (r.Hash == 0) return "";
  return r.Brand >= kNoRepeat && r.Brand <= kRepeatYearly ? kNames[r.Brand] : "Other";
}

std::string RepeatEnd(const RepeatRule& r) {
  if (r.Hash == 0 || r.EndDate.value <= 0 || r.EndDate.value > RepeatForeverAfter()) return "";
  return LocalText(r.EndDate.value, true);
}

// The weekdays of a weekly repeat, or the week and day of a monthly one.
std::string RepeatDays(const RepeatRule& r) {
  static const char* const kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kWeeks[5] = {"first", "second", "third", "fourth", "last"};
  std::string text;
  if (r.Hash != 0 && r.Brand == kRepeatWeekly) {
    for (int d = 0; d < 7; ++d) {
      if (r.DaysMask & (1 << d)) text += std::string(text.empty() ? "" : " ") + kDays[d];
    }
  }
  if (r.Hash != 0 && r.Brand == kRepeatMonthlyByWeekday && r.DayIndex >= 0 && r.DayIndex < 7 &&
      r.WeekIndex >= 0) {
    text = std::string(kWeeks[r.WeekIndex > 4 ? 4 : r.WeekIndex]) + " " + kDays[r.DayIndex];
  }
  return text;
}

std::string ExceptionDays(const std::vector<int32_t>& exceptions, int32_t count, const TimeZoneInfo& tz) {
  std::string text;
  for (int32_t i = 0; i < count && static_cast<size_t>(i) < exceptions.size(); ++i) {
    if (!text.empty()) text += " ";
    text += LocalText(SecondsToDate(static_cast<uint32_t>(exceptions[static_cast<size_t>(i)]), tz), true);
  }
  return text;
}

std::string Interval(const RepeatRule& r) { return r.Hash == 0 ? "" : std::to_string(r.Interval); }

Row Header(Kind kind) {
  Row h{"User"};
  if (kind == Kind::Custom) {
    for (int i = 1; i <= 8; ++i) h.push_back("Field " + std::to_string(i));
    return h;
  }
  h.insert(h.end(), {"Record ID", "Category", "Private"});
  switch (kind) {
    case Kind::Dates:
      h.insert(h.end(), {"Start", "End", "Untimed", "Description", "Duration", "Location", "Note", "Alarm",
                         "Alarm Advance", "Alarm Unit", "Repeat", "Interval", "Repeat End", "Repeat Days",
                         "Exceptions"});
      break;
    case Kind::Contacts:
      h.insert(h.end(), {"Last Name", "First Name", "Title", "Company"});
      for (int i = 1; i <= 7; ++i) {
        h.push_back("Phone " + std::to_string(i) + " Label");
        h.push_back("Phone " + std::to_string(i));
      }
      for (int i = 1; i <= 3; ++i) {
        const std::string a = "Address " + std::to_string(i);
        h.insert(h.end(),
                 {a + " Label", a + " Street", a + " City", a + " State", a + " Zip", a + " Country"});
      }
      for (int i = 1; i <= 9; ++i) h.push_back("Custom " + std::to_string(i));
      h.insert(h.end(), {"IM 1 Label", "IM 1", "IM 2 Label", "IM 2", "Website", "Note"});
      break;
    case Kind::ToDos:
      h.insert(h.end(),
               {"Description", "Due", "Completed", "Priority", "Note", "Repeat", "Interval", "Repeat End"});
      break;
    case Kind::Memos:
      h.push_back("Text");
      break;
    case Kind::Custom:
      break;
  }
  return h;
}

template <size_t N>
std::string Label(const std::array<std::string, N>& names, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= N) return std::to_string(index);
  std::string name = names[static_cast<size_t>(index)];
  // Phone labels end in ": " as shown in the detail pane.
  while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.pop_back();
  return name;
}

// A spreadsheet takes a cell starting with one of these as a formula; the
// leading apostrophe makes it show the text instead.
std::string GuardFormula(std::string text) {
  if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos)
    text.insert(0, "'");
  return text;
}

Row RecordRow(const ExportContext& c, Kind kind, const ExportRecord& r, bool raw) {
  const UserStore& st = c.Store(r.side);
  const auto at = static_cast<size_t>(r.index);
  // Every text from the files or the user passes here.
  const auto u = [raw](std::string_view b) { return raw ? ToUtf8(b) : GuardFormula(ToUtf8(b)); };
  Row row{u(c.userNames[r.side])};
  if (kind == Kind::Custom) {
    for (const std::string& f : st.custom[at].Fields) row.push_back(u(f));
    return row;
  }
  auto common = [&](const CommonFields& f) {
    row.insert(row.end(), {std::to_string(f.RecordId), u(ExportCategory(c, kind, r)), YesNo(f.Private)});
  };
  switch (kind) {
    case Kind::Dates: {
      const DateRecord& d = st.dates[at];
      common(d);
      row.insert(row.end(),
                 {LocalText(d.StartTime.value, d.Untimed), d.Untimed ? "" : LocalText(d.EndTime.value, false),
                  YesNo(d.Untimed), u(d.Description), std::to_string(d.Duration), u(d.Location), u(d.Note),
                  YesNo(d.AlarmSet), d.AlarmSet ? std::to_string(d.AlarmAdvance) : "",
                  d.AlarmSet ? (d.AlarmUnit == kAlarmHours  ? "hours"
                                : d.AlarmUnit == kAlarmDays ? "days"
                                                            : "minutes")
                             : "",
                  RepeatName(d.Repeat), Interval(d.Repeat), RepeatEnd(d.Repeat), RepeatDays(d.Repeat),
                  d.Repeat->Hash == 0 ? "" : ExceptionDays(d.Exceptions, d.ExceptionCount, c.timeZone)});
      break;
    }
    case Kind::Contacts: {
      const ContactRecord& k = st.contacts[at];
      common(k);
      row.insert(row.end(), {u(k.LastName), u(k.FirstName), u(k.Title), u(k.Company)});
      for (const PhoneEntry& p : k.Phones) {
        row.push_back(u(Label(c.labels.PhoneLabelNames, p.Label)));
        row.push_back(u(p.Value));
      }
      for (const PostalAddress& a : k.Addresses) {
        row.insert(row.end(), {u(Label(c.labels.AddressLabelNames, a.Label)), u(a.Street), u(a.City),
                               u(a.State), u(a.Zip), u(a.Country)});
      }
      for (const Bytes& f : k.CustomFields) row.push_back(u(f));
      row.insert(row.end(), {u(Label(c.labels.IMLabelNames, k.IMLabel1)), u(k.InstantMessage1),
                             u(Label(c.labels.IMLabelNames, k.IMLabel2)), u(k.InstantMessage2), u(k.Website),
                             u(k.Note)});
      break;
    }
    case Kind::ToDos: {
      const TodoRecord& t = st.todos[at];
      common(t);
      row.insert(row.end(),
                 {u(t.Description), t.DueDate.value < NoDueDateFrom() ? LocalText(t.DueDate.value, true) : "",
                  YesNo(t.Completed), std::to_string(t.Priority), u(t.Note), RepeatName(t.Repeat),
                  Interval(t.Repeat), RepeatEnd(t.Repeat)});
      break;
    }
    case Kind::Memos:
      common(st.memos[at]);
      row.push_back(u(st.memos[at].Text));
      break;
    case Kind::Custom:
      break;
  }
  return row;
}

void AppendRow(std::string& out, const Row& row) {
  for (size_t i = 0; i < row.size(); ++i) {
    if (i > 0) out += ',';
    out += CsvField(row[i]);
  }
  out += "\r\n";
}

}  // namespace

std::string CsvField(const std::string& utf8) {
  const bool quote = utf8.find_first_of(",\"\r\n") != std::string::npos ||
                     (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
  if (!quote) return utf8;
  std::string q = "\"";
  for (char ch : utf8) {
    if (ch == '"') q += '"';
    q += ch;
  }
  return q + "\"";
}

std::string CsvText(const ExportContext& c, Kind kind, const std::vector<ExportRecord>& records, bool raw) {
  std::string out;
  AppendRow(out, Header(kind));
  for (const ExportRecord& r : records) AppendRow(out, RecordRow(c, kind, r, raw));
  return out;
}

}  // namespace mirrin
