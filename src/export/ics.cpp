#include "export/ics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "export/contentline.h"

namespace mirrin {

namespace {

constexpr const char* kWeekdays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

struct Lines {
  std::string text;
  void Add(const std::string& line) { AppendLine(text, line); }
  void AddText(const std::string& name, const Bytes& value) {
    if (!value.empty()) Add(name + ":" + EscapeValue(value));
  }
};

std::string Uid(Kind kind, const ExportRecord& r, int32_t recordId) {
  return std::string(kind == Kind::Dates ? "date" : "todo") + "-" + std::to_string(UserNumber(r.side)) + "-" +
         std::to_string(r.index) + "-" + std::to_string(recordId) + "@mirrin";
}

// Local date-times as "YYYYMMDDTHHMMSS".
std::string LocalStamp(double local) {
  const CivilDateTime t = SplitDate(local);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buf;
}

// A timed property in local time, named by the zone so that a repeat keeps
// its wall-clock time across clock changes; floating when no zone is known.
std::string TimedProperty(const std::string& name, double local, const std::string& zone) {
  return name + (zone.empty() ? "" : ";TZID=" + zone) + ":" + LocalStamp(local);
}

// An occurrence's day at the start's time of day.
double Occurrence(double day, double start) { return LocalDay(day) + (start - LocalDay(start)); }

std::string RepeatRuleText(const RepeatRule& rule, bool allDay, const ExportContext& c) {
  std::string text;
  switch (rule.Brand) {
    case kRepeatDaily:
      text = "FREQ=DAILY";
      break;
    case kRepeatWeekly:
      text = "FREQ=WEEKLY";
      break;
    case kRepeatMonthlyByWeekday:
    case kRepeatMonthlyByDate:
      text = "FREQ=MONTHLY";
      break;
    case kRepeatYearly:
      text = "FREQ=YEARLY";
      break;
    default:
      return "";  // no rule this export can name
  }
  if (rule.Interval > 1) text += ";INTERVAL=" + std::to_string(rule.Interval);
  const double end = rule.EndDate.value;
  if (end > 0 && end <= RepeatForeverAfter()) {
    // The last day of the repeat is included whole. With a zone the end
    // must be given in UTC; floating times keep it floating.
    const double last = LocalDay(end) + MakeTime(23, 59, 59);
    text += ";UNTIL=" + (allDay               ? DayText(end)
                         : c.zoneName.empty() ? LocalStamp(last)
                                              : UtcStampText(DateToSeconds(last, c.timeZone)));
  }
  if (rule.Brand == kRepeatWeekly) {
    std::string days;
    for (int d = 0; d < 7; ++d) {
      if (rule.DaysMask & (1 << d)) days += std::string(days.empty() ? "" : ",") + kWeekdays[d];
    }
    if (!days.empty()) text += ";BYDAY=" + days;
    if (rule.Interval > 1 && rule.FirstDayOfWeek >= 0 && rule.FirstDayOfWeek < 7) {
      text += std::string(";WKST=") + kWeekdays[rule.FirstDayOfWeek];
    }
  }
  // Monthly by weekday: week 0 to 3 is the first to the fourth, 4 the last.
  if (rule.Brand == kRepeatMonthlyByWeekday && rule.DayIndex >= 0 && rule.DayIndex < 7) {
    const int week = rule.WeekIndex >= 4 ? -1 : rule.WeekIndex + 1;
    text += ";BYDAY=" + std::to_string(week) + kWeekdays[rule.DayIndex];
  }
  // Monthly by date and yearly take the day (and month) from the start.
  return text;
}

void AddRepeat(Lines& out, const RepeatRule& rule, const std::vector<int32_t>& exceptions, int32_t count,
               double start, bool allDay, const ExportContext& c) {
  if (rule.Hash == 0) return;
  const std::string rrule = RepeatRuleText(rule, allDay, c);
  if (rrule.empty()) return;
  out.Add("RRULE:" + rrule);
  const auto n = std::min<size_t>(static_cast<size_t>(std::max(count, 0)), exceptions.size());
  for (size_t i = 0; i < n; ++i) {
    // Exceptions name the skipped day; the occurrence there starts at the start's time.
    const double day = SecondsToDate(static_cast<uint32_t>(exceptions[i]), c.timeZone);
    out.Add(allDay ? "EXDATE;VALUE=DATE:" + DayText(day)
                   : TimedProperty("EXDATE", Occurrence(day, start), c.zoneName));
  }
}

std::string TriggerText(int32_t advance, int32_t unit) {
  if (unit == kAlarmHours) return "-PT" + std::to_string(advance) + "H";
  if (unit == kAlarmDays) return "-P" + std::to_string(advance) + "D";
  return "-PT" + std::to_string(advance) + "M";
}

void AddCommon(Lines& out, const ExportContext& c, Kind kind, const ExportRecord& r, const CommonFields& f) {
  out.Add("UID:" + Uid(kind, r, f.RecordId));
  out.Add("DTSTAMP:" + UtcStampText(c.stamp));
  const std::string category = ExportCategory(c, kind, r);
  if (!category.empty()) out.Add("CATEGORIES:" + EscapeValue(category));
  if (f.Private) out.Add("CLASS:PRIVATE");
}

void AddAlarm(Lines& out, const Bytes& description, const std::string& trigger) {
  out.Add("BEGIN:VALARM");
  out.Add("ACTION:DISPLAY");
  out.Add("DESCRIPTION:" + (description.empty() ? std::string("Reminder") : EscapeValue(description)));
  out.Add("TRIGGER" + trigger);
  out.Add("END:VALARM");
}

void AddEvent(Lines& out, const ExportContext& c, const ExportRecord& r) {
  const DateRecord& d = c.Store(r.side).dates[static_cast<size_t>(r.index)];
  const double start = d.StartTime.value;
  out.Add("BEGIN:VEVENT");
  AddCommon(out, c, Kind::Dates, r, d);
  if (d.Untimed) {
    out.Add("DTSTART;VALUE=DATE:" + DayText(start));
    out.Add("DTEND;VALUE=DATE:" + DayText(LocalDay(start) + 1));
  } else {
    out.Add(TimedProperty("DTSTART", start, c.zoneName));
    // An end before the start would make the event invalid.
    out.Add(TimedProperty("DTEND", std::max(d.EndTime.value, start), c.zoneName));
  }
  out.AddText("SUMMARY", d.Description);
  out.AddText("DESCRIPTION", d.Note);
  out.AddText("LOCATION", d.Location);
  AddRepeat(out, d.Repeat, d.Exceptions, d.ExceptionCount, start, d.Untimed, c);
  if (d.AlarmSet && d.AlarmAdvance >= 0)
    AddAlarm(out, d.Description, ":" + TriggerText(d.AlarmAdvance, d.AlarmUnit));
  out.Add("END:VEVENT");
}

// The zone's rule as the date conversions apply it to every year: from
// 1970, before any Palm time, each clock change repeats yearly on its n-th
// (or last) weekday of the month.
void AddTimeZone(Lines& out, const ExportContext& c) {
  const TimeZoneInfo& tz = c.timeZone;
  auto offset = [](int bias) {
    const int east = -bias;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%02d%02d", east < 0 ? '-' : '+', std::abs(east) / 60,
                  std::abs(east) % 60);
    return std::string(buf);
  };
  auto observance = [&](const char* name, const TransitionRule* rule, int fromBias, int toBias) {
    out.Add(std::string("BEGIN:") + name);
    out.Add("DTSTART:" + LocalStamp(rule ? TransitionDate(*rule, 1970) : MakeDate(1970, 1, 1)));
    out.Add("TZOFFSETFROM:" + offset(fromBias));
    out.Add("TZOFFSETTO:" + offset(toBias));
    if (rule && rule->year == 0) {
      const int week = rule->day >= 5 ? -1 : rule->day;
      out.Add("RRULE:FREQ=YEARLY;BYMONTH=" + std::to_string(rule->month) + ";BYDAY=" + std::to_string(week) +
              kWeekdays[rule->dayOfWeek % 7]);
    }
    out.Add(std::string("END:") + name);
  };
  out.Add("BEGIN:VTIMEZONE");
  out.Add("TZID:" + c.zoneName);
  const int standard = tz.bias + tz.standardBias;
  if (tz.standardDate.month == 0) {
    observance("STANDARD", nullptr, standard, standard);
  } else {
    const int daylight = tz.bias + tz.daylightBias;
    observance("DAYLIGHT", &tz.daylightDate, standard, daylight);
    observance("STANDARD", &tz.standardDate, daylight, standard);
  }
  out.Add("END:VTIMEZONE");
}

// Palm priorities run 1 (highest) to 5; the calendar's 1 (highest) to 9.
int CalendarPriority(int32_t palm) { return palm >= 1 && palm <= 5 ? 2 * palm - 1 : 0; }

void AddTodo(Lines& out, const ExportContext& c, const ExportRecord& r) {
  const TodoRecord& t = c.Store(r.side).todos[static_cast<size_t>(r.index)];
  out.Add("BEGIN:VTODO");
  AddCommon(out, c, Kind::ToDos, r, t);
  out.AddText("SUMMARY", t.Description);
  out.AddText("DESCRIPTION", t.Note);
  const bool due = t.DueDate.value < NoDueDateFrom();
  if (due) {
    // A repeat counts from a start; the task's is its due day.
    if (t.Repeat->Hash != 0) out.Add("DTSTART;VALUE=DATE:" + DayText(t.DueDate.value));
    out.Add("DUE;VALUE=DATE:" + DayText(t.DueDate.value));
    AddRepeat(out, t.Repeat, t.Exceptions, t.ExceptionCount, t.DueDate.value, true, c);
  }
  // A task's alarm rings ExtNumber days before the due day at the time of
  // day ExtDate2 holds (its date part is a dummy); without a due day there
  // is no day to ring on.
  if (due && t.AlarmSet) {
    const double timeOfDay = t.ExtDate2.value - LocalDay(t.ExtDate2.value);
    const double ring = LocalDay(t.DueDate.value) - std::max(t.ExtNumber, 0) + timeOfDay;
    AddAlarm(out, t.Description, ";VALUE=DATE-TIME:" + UtcStampText(DateToSeconds(ring, c.timeZone)));
  }
  if (const int priority = CalendarPriority(t.Priority)) out.Add("PRIORITY:" + std::to_string(priority));
  // The files keep no completion time, so the state is told by STATUS alone.
  out.Add(t.Completed ? "STATUS:COMPLETED" : "STATUS:NEEDS-ACTION");
  out.Add("END:VTODO");
}

}  // namespace

std::string CalendarText(const ExportContext& c, Kind kind, const std::vector<ExportRecord>& records) {
  if (kind != Kind::Dates && kind != Kind::ToDos) {
    throw std::invalid_argument("only Dates and To Dos make a calendar");
  }
  Lines out;
  out.Add("BEGIN:VCALENDAR");
  out.Add("VERSION:2.0");
  out.Add("PRODID:-//Mirrin//Palm Desktop export//EN");
  out.Add("CALSCALE:GREGORIAN");
  const auto timed = [&](const ExportRecord& r) {
    return !c.Store(r.side).dates[static_cast<size_t>(r.index)].Untimed;
  };
  if (kind == Kind::Dates && !c.zoneName.empty() && std::any_of(records.begin(), records.end(), timed)) {
    AddTimeZone(out, c);
  }
  for (const ExportRecord& r : records) {
    if (kind == Kind::Dates) {
      AddEvent(out, c, r);
    } else {
      AddTodo(out, c, r);
    }
  }
  out.Add("END:VCALENDAR");
  return out.text;
}

}  // namespace mirrin
