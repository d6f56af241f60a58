#include "mainwindow/detailtext.h"

#include <array>
#include <cstdint>

#include "palmdata/palmtime.h"
#include "mainwindow/format.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

constexpr const char* kCrLf = "\r\n";

// Repeat end dates after this never end; To Do due dates from the given
// moment on mean "no due date".

bool Blank(const std::string& text, bool dbcs) { return Trim(text, dbcs).empty(); }

template <size_t N>
std::string LabelName(const std::array<std::string, N>& names, int32_t label) {
  return label >= 0 && static_cast<size_t>(label) < N ? names[static_cast<size_t>(label)] : std::string();
}

bool ShowsNoteBody(const Settings& st) { return st.KeepCategories || st.Agendus; }

std::string RepeatEndLine(const DetailContext& c, const PalmDate& endDate) {
  if (endDate.value > LastRepeatDay()) return std::string(kCrLf) + "Repeat Forever";
  if (endDate.value > 0)
    return std::string(kCrLf) + "Repeat Until: " + FormatDate(endDate.value, c.settings.DateFormat);
  return {};
}

}  // namespace

std::string ShownNote(const DetailContext& c, const Bytes& note) {
  if (!ShowsNoteBody(c.settings)) return TextOf(note);
  return NoteSplit(TextOf(note), c.settings, c.labels.AgendusMarker).body;
}

Bytes EditedNote(const DetailContext& c, const Bytes& note, const std::string& shown) {
  if (!ShowsNoteBody(c.settings)) return BytesOf(shown);
  const NoteParts parts = NoteSplit(TextOf(note), c.settings, c.labels.AgendusMarker);
  return BytesOf(parts.header + shown + parts.trailer);
}

std::string EntryDetailText(const DetailContext& c, const DateRecord& r) {
  return DateDetailText(c, r, ShownNote(c, r.Note), StripAgendus(TextOf(r.Description), c.settings).bracket);
}

std::string EntryDetailText(const DetailContext& c, const MemoRecord& r) {
  const std::string text = TextOf(r.Text);
  return Blank(text, c.settings.DBCS) ? std::string() : text;
}

std::string EntryDetailText(const DetailContext& c, const TodoRecord& r) {
  return TodoDetailText(c, r, ShownNote(c, r.Note));
}

std::string EntryDetailText(const DetailContext& c, const ContactRecord& r) {
  return ContactDetailText(c, r, ShownNote(c, r.Note));
}

std::string EntryDetailText(const DetailContext& c, const CustomRecord& r) {
  const bool dbcs = c.settings.DBCS;
  std::string text;
  for (size_t k = 1; k <= 6; ++k) {
    if (!Blank(r.Fields[k], dbcs)) text += r.Fields[k] + kCrLf;
  }
  if (!r.Fields[7].empty()) text += "Note: " + r.Fields[7];
  return text;
}

std::string DateDetailText(const DetailContext& c, const DateRecord& r, const std::string& note,
                           const std::string& agendusContact) {
  const Settings& st = c.settings;
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
    const char* unit = r.AlarmUnit == kAlarmHours  ? " hours before"
                       : r.AlarmUnit == kAlarmDays ? " days before"
                                                   : " minutes before";
    text += crlf + "Alarmed: " + std::to_string(r.AlarmAdvance) + unit;
  }
  static const std::array<const char*, 5> kRepeats{"Repeat Daily", "Repeat Weekly",
                                                   "Repeat Monthly by Weekday", "Repeat Monthly by Date",
                                                   "Repeat Annually"};
  if (r.Repeat->Brand >= kRepeatDaily && r.Repeat->Brand <= kRepeatYearly) {
    text += crlf + kRepeats[static_cast<size_t>(r.Repeat->Brand - kRepeatDaily)];
  }
  if (r.Repeat->Hash != 0) {
    text += RepeatEndLine(c, r.Repeat->EndDate);
    text += crlf + "# of Exceptions: " + FormatNumber(r.ExceptionCount, "##0");
  }
  const std::string location = TextOf(r.Location);
  if (!location.empty()) text += crlf + "Location: " + location;
  if (!agendusContact.empty() && st.Agendus) text += crlf + "Agendus Contact: " + agendusContact;
  if (!note.empty()) text += crlf + "Note: " + note;
  return text;
}

std::string TodoDetailText(const DetailContext& c, const TodoRecord& r, const std::string& note) {
  const Settings& st = c.settings;
  const std::string crlf = kCrLf;
  std::string text;
  const std::string description = TextOf(r.Description);
  if (!Blank(description, st.DBCS)) text += description + crlf;
  if (r.Completed) text += st.CompletedString + crlf;
  text += "Priority: " + std::to_string(r.Priority) + crlf;
  text += r.DueDate.value < NoDueDateFrom() ? "Due: " + FormatDate(r.DueDate.value, st.DateFormat)
                                            : "No Due Date";
  if (r.AlarmSet) text += crlf + "Alarmed";

  const RepeatRule& rule = r.Repeat;
  std::string singular, plural;
  switch (rule.Brand) {
    case kRepeatDaily:
      singular = " Day", plural = " Days";
      break;
    case kRepeatWeekly:
      singular = " Week", plural = " Weeks";
      break;
    case kRepeatMonthlyByWeekday:
      singular = " Month", plural = " Months";
      break;
    case kRepeatMonthlyByDate: {
      const int d = rule.DayNumber;
      const char* suffix = (d == 1 || d == 21 || d == 31) ? "st"
                           : (d == 2 || d == 22)          ? "nd"
                           : (d == 3 || d == 23)          ? "rd"
                                                          : "th";
      const std::string on = " (on " + std::to_string(d) + suffix + ")";
      singular = " Month" + on;
      plural = " Months" + on;
      break;
    }
    case kRepeatYearly:
      singular = " Year", plural = " Years";
      break;
    default:
      break;
  }
  std::string repeat =
      (r.RepeatAfterCompletion ? "Repeat " : "Repeat every ") + std::to_string(rule.Interval);
  if (r.RepeatAfterCompletion)
    repeat += plural + " after completion";
  else if (rule.Interval != 1)
    repeat += plural;
  else
    repeat = "Repeat every" + singular;
  if (rule.Brand != kNoRepeat) text += crlf + repeat;

  if (rule.Hash != 0) {
    text += RepeatEndLine(c, rule.EndDate);
    if (r.ExceptionCount != 0) text += crlf + "# of Exceptions: " + FormatNumber(r.ExceptionCount, "##0");
  }
  if (!note.empty()) text += crlf + "Note: " + note;
  return text;
}

std::string ContactDetailText(const DetailContext& c, const ContactRecord& r, const std::string& note) {
  const bool dbcs = c.settings.DBCS;
  const std::string crlf = kCrLf;
  const LabelTables& labels = c.labels;
  std::string text;
  auto line = [&](const Bytes& field) {
    const std::string value = TextOf(field);
    if (!Blank(value, dbcs)) text += value + crlf;
  };
  if (c.settings.ShowCompany) {
    if (!Blank(TextOf(r.LastName), dbcs)) text += TextOf(r.LastName);
    if (!Blank(TextOf(r.FirstName), dbcs)) text += ", " + TextOf(r.FirstName);
    text += crlf;
  }
  line(r.Title);
  line(r.Company);
  for (size_t k = 0; k < r.Phones.size(); ++k) {
    const PhoneEntry& phone = r.Phones[k];
    if (phone.Value.empty()) continue;
    text += std::to_string(k + 1) + ")" + LabelName(labels.PhoneLabelNames, phone.Label) +
            TextOf(phone.Value) + crlf;
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
