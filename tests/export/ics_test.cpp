#include "export/ics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "export/contentline.h"
#include "export_fixture.h"
#include "startup/config.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::ExportFixture;

std::string Crlf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

class CalendarTest : public ::testing::Test, protected ExportFixture {
 protected:
  void SetUp() override {
    test::AddCategory(stores[kLeft].datesHeader, 1, "Health");
    // A daily stand-up in March, skipped on the 6th and the 8th; the last
    // day is the one daylight time begins.
    DateRecord& standup = AddDate(kLeft, 101, "Standup", MakeDate(2024, 3, 4) + MakeTime(9, 0, 0),
                                  MakeDate(2024, 3, 4) + MakeTime(10, 0, 0));
    Repeat(standup, 1, MakeDate(2024, 3, 31));
    for (int day : {6, 8}) {
      standup.Exceptions.Mutable().push_back(static_cast<int32_t>(DateToSeconds(MakeDate(2024, 3, day), tz)));
    }
    standup.ExceptionCount = 2;
    DateRecord& birthday = AddDate(kLeft, 104, "Birthday Anna", MakeDate(2024, 5, 17), MakeDate(2024, 5, 17));
    birthday.Untimed = true;
    Repeat(birthday, 5, MakeDate(2031, 12, 31));
    DateRecord& holiday = AddDate(kLeft, 105, std::string("Holiday, day 1; C:\\temp\x1B\0", 26),
                                  MakeDate(2024, 8, 5), MakeDate(2024, 8, 5));
    holiday.Untimed = true;
    holiday.Note = "Caf\xE9 at noon\r\nBring\ttowels\x7F";
    holiday.Location = "Strand";
    DateRecord& dentist = AddDate(kLeft, 106, "Dentist", MakeDate(2024, 2, 12) + MakeTime(14, 0, 0),
                                  MakeDate(2024, 2, 12) + MakeTime(14, 30, 0));
    dentist.Category = 1;
    dentist.AlarmSet = true;
    dentist.AlarmAdvance = 10;
    AddDate(kLeft, 107, "Secret", MakeDate(2024, 2, 13), MakeDate(2024, 2, 13) + 0.1).Private = true;
    AddDate(kLeft, 108, "Gone", MakeDate(2024, 2, 14), MakeDate(2024, 2, 14) + 0.1).Status = 4;
  }
  std::string Calendar(bool includePrivate = false) {
    const ExportContext c = Context();
    return CalendarText(c, Kind::Dates, ChooseRecords(c, Kind::Dates, false, includePrivate));
  }
};

TEST_F(CalendarTest, LocalTimesWithTheirZoneAsCheckedByHand) {
  // clang-format off
  const std::string expected = Crlf({
      "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Mirrin//Palm Desktop export//EN", "CALSCALE:GREGORIAN",
      "BEGIN:VTIMEZONE", "TZID:Europe/Berlin",
      "BEGIN:DAYLIGHT", "DTSTART:19700329T020000", "TZOFFSETFROM:+0100", "TZOFFSETTO:+0200",
      "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", "END:DAYLIGHT",
      "BEGIN:STANDARD", "DTSTART:19701025T030000", "TZOFFSETFROM:+0200", "TZOFFSETTO:+0100",
      "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", "END:STANDARD", "END:VTIMEZONE",
      "BEGIN:VEVENT", "UID:date-1-0-101@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART;TZID=Europe/Berlin:20240304T090000", "DTEND;TZID=Europe/Berlin:20240304T100000", "SUMMARY:Standup",
      "RRULE:FREQ=DAILY;UNTIL=20240331T215959Z", "EXDATE;TZID=Europe/Berlin:20240306T090000",
      "EXDATE;TZID=Europe/Berlin:20240308T090000", "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-1-104@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART;VALUE=DATE:20240517", "DTEND;VALUE=DATE:20240518", "SUMMARY:Birthday Anna", "RRULE:FREQ=YEARLY",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-2-105@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART;VALUE=DATE:20240805", "DTEND;VALUE=DATE:20240806", "SUMMARY:Holiday\\, day 1\\; C:\\\\temp",
      "DESCRIPTION:Caf\xC3\xA9 at noon\\nBring\ttowels", "LOCATION:Strand", "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-3-106@mirrin", "DTSTAMP:20240601T120000Z", "CATEGORIES:Health",
      "DTSTART;TZID=Europe/Berlin:20240212T140000", "DTEND;TZID=Europe/Berlin:20240212T143000", "SUMMARY:Dentist",
      "BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Dentist", "TRIGGER:-PT10M", "END:VALARM", "END:VEVENT",
      "END:VCALENDAR"});
  // clang-format on
  EXPECT_EQ(Calendar(), expected);
}

TEST_F(CalendarTest, PrivateDatesOnlyWhenAskedAndAlarmUnits) {
  EXPECT_EQ(Calendar().find("Secret"), std::string::npos);
  const std::string all = Calendar(true);
  EXPECT_NE(all.find("CLASS:PRIVATE\r\nDTSTART;TZID=Europe/Berlin:20240213T000000\r\n"), std::string::npos)
      << all;
  EXPECT_EQ(all.find("Gone"), std::string::npos) << "deleted records are never exported";
  DateRecord& d = stores[kLeft].dates[3];
  for (auto [unit, trigger] :
       {std::pair{1, "TRIGGER:-PT10H\r\n"}, {2, "TRIGGER:-P10D\r\n"}, {7, "TRIGGER:-PT10M\r\n"}}) {
    d.AlarmUnit = unit;
    EXPECT_NE(Calendar().find(trigger), std::string::npos) << trigger;
  }
}

TEST(CalendarTodos, DueDatePriorityStateAndAlarm) {
  ExportFixture f;
  TodoRecord rent;
  rent.RecordId = 201;
  rent.Description = "Pay rent";
  rent.DueDate = PalmDate::Local(MakeDate(2024, 6, 30));
  rent.Priority = 2;
  rent.Completed = true;
  rent.AlarmSet = true;
  rent.ExtDate2 = PalmDate::Local(MakeDate(1971, 1, 1) + MakeTime(8, 0, 0));  // the day before at 08:00
  rent.ExtNumber = 1;
  TodoRecord someday;
  someday.RecordId = 202;
  someday.Description = "Someday";
  someday.DueDate = PalmDate::Local(MakeDate(2031, 12, 31) + MakeTime(21, 0, 0));
  someday.Priority = 1;
  someday.AlarmSet = true;  // but no due day: nothing can ring
  f.stores[kLeft].todos = {rent, someday};
  const ExportContext c = f.Context();
  // clang-format off
  EXPECT_EQ(CalendarText(c, Kind::ToDos, ChooseRecords(c, Kind::ToDos, false, false)),
            Crlf({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Mirrin//Palm Desktop export//EN",
                  "CALSCALE:GREGORIAN", "BEGIN:VTODO", "UID:todo-1-0-201@mirrin", "DTSTAMP:20240601T120000Z",
                  "SUMMARY:Pay rent", "DUE;VALUE=DATE:20240630", "BEGIN:VALARM", "ACTION:DISPLAY",
                  "DESCRIPTION:Pay rent", "TRIGGER;VALUE=DATE-TIME:20240629T060000Z", "END:VALARM", "PRIORITY:3",
                  "STATUS:COMPLETED", "END:VTODO", "BEGIN:VTODO", "UID:todo-1-1-202@mirrin",
                  "DTSTAMP:20240601T120000Z", "SUMMARY:Someday", "PRIORITY:1", "STATUS:NEEDS-ACTION", "END:VTODO",
                  "END:VCALENDAR"}));
  // clang-format on
  EXPECT_THROW(CalendarText(c, Kind::Memos, {}), std::invalid_argument);
}

TEST(ContentLines, FoldAt75OctetsNeverInsideACharacter) {
  std::string out;
  AppendLine(out, std::string(200, 'a'));
  EXPECT_EQ(out,
            std::string(75, 'a') + "\r\n " + std::string(74, 'a') + "\r\n " + std::string(51, 'a') + "\r\n");
  out.clear();
  AppendLine(out, std::string(74, 'b') + "\xC3\xA9" + "c");  // the e-acute would straddle octet 75
  EXPECT_EQ(out, std::string(74, 'b') +
                     "\r\n \xC3\xA9"
                     "c\r\n");
  out.clear();
  AppendLine(out, std::string(75, 'd'));
  EXPECT_EQ(out, std::string(75, 'd') + "\r\n");
  EXPECT_EQ(EscapeValue("a\rb\nc\r\nd\\;,\x80\x01\x1B\x7F\te"), "a\\nb\\nc\\nd\\\\\\;\\,\xE2\x82\xAC\te");
}

// Repeating dates of every repeat type, with exceptions and end dates,
// exported in four zones (and once without a zone name). Python expands
// each calendar with dateutil for 400 days and compares with occurrences
// it works out itself from the Palm rule: the rule's local day at the
// start's local wall-clock time. icalendar and vobject must read the files
// without a warning, and the VTIMEZONE must give the tz database's offset.
// name|repeat type|local start|interval|days mask|day index|week index|first day of week|end|exceptions
const char* const kRepeats[] = {
    "Weekly evening|2|2026-01-05T18:00|1|2|0|0|0||2026-04-06,2026-11-02",
    "Last Friday|3|2026-01-30T19:00|1|0|5|4|0|2026-12-31|2026-03-27,2026-10-30",
    "Every other morning|1|2026-03-01T07:30|2|0|0|0|0|2026-04-15|2026-03-29,2026-04-06",
    "Fortnightly|2|2026-01-06T08:15|2|20|0|0|0|2026-06-30|2026-03-19",
    "Third Tuesday|3|2026-01-20T12:00|1|0|2|2|0||2026-11-17",
    "Monthly 15th|4|2026-01-15T09:00|1|0|0|0|0||2026-10-15",
    "Yearly|5|2026-02-20T06:45|1|0|0|0|0||",
};

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM" as a local date.
double LocalDate(const std::string& text) {
  int y = 0, m = 0, d = 0, h = 0, mi = 0;
  std::sscanf(text.c_str(), "%d-%d-%dT%d:%d", &y, &m, &d, &h, &mi);
  return MakeDate(y, m, d) + MakeTime(h, mi, 0);
}

constexpr const char* kExpandScript = R"(import sys, os, re, warnings, datetime as dt
from zoneinfo import ZoneInfo
from dateutil import rrule
import icalendar, vobject
warnings.simplefilter('error')
folder = os.path.dirname(sys.argv[1])
def read(name):
    with open(os.path.join(folder, name), encoding='utf-8', newline='') as f: return f.read()
cases = {}
for line in read('cases.txt').splitlines():
    f = line.split('|')
    cases[f[0]] = dict(brand=int(f[1]), start=dt.datetime.fromisoformat(f[2]), interval=int(f[3]),
                       mask=int(f[4]), day=int(f[5]), week=int(f[6]), wkst=int(f[7]),
                       until=dt.date.fromisoformat(f[8]) if f[8] else None,
                       ex={dt.date.fromisoformat(d) for d in f[9].split(',') if d})

def palm_day(c, d):  # does the Palm rule repeat on day d?
    s = c['start'].date()
    months = (d.year - s.year) * 12 + d.month - s.month
    sun0 = lambda x: (x.weekday() + 1) % 7
    if c['brand'] == 1: return (d - s).days % c['interval'] == 0
    if c['brand'] == 2:
        week = lambda x: x - dt.timedelta((sun0(x) - c['wkst']) % 7)
        return c['mask'] >> sun0(d) & 1 and (week(d) - week(s)).days // 7 % c['interval'] == 0
    if c['brand'] == 3:
        last = (d + dt.timedelta(7)).month != d.month
        nth = last if c['week'] == 4 else (d.day - 1) // 7 == c['week']
        return months % c['interval'] == 0 and sun0(d) == c['day'] and nth
    if c['brand'] == 4: return months % c['interval'] == 0 and d.day == s.day
    return (d.month, d.day) == (s.month, s.day) and (d.year - s.year) % c['interval'] == 0

def expected(c, zone):
    s = c['start']
    days = [s.date() + dt.timedelta(n) for n in range(401)]
    return [dt.datetime.combine(d, s.time(), ZoneInfo(zone) if zone else None) for d in days
            if palm_day(c, d) and d not in c['ex'] and (c['until'] is None or d <= c['until'])]

calendars = events = 0
for name in sorted(os.listdir(folder)):
    if not name.endswith('.ics'): continue
    zone = name[:-4].replace('+', '/') if name != 'floating.ics' else ''
    text = read(name)
    icalendar.Calendar.from_ical(text)
    vtz = vobject.readOne(text).vtimezone.gettzinfo() if zone else None
    calendars += 1
    for block in re.findall(r'BEGIN:VEVENT\r\n(.*?)END:VEVENT', text.replace('\r\n ', ''), re.S):
        props = dict(l.split(':', 1) for l in block.split('\r\n') if l.startswith('SUMMARY'))
        c = cases[props['SUMMARY']]
        rules = '\n'.join(l for l in block.split('\r\n') if re.match('(DTSTART|RRULE|EXDATE)[;:]', l))
        want = expected(c, zone)
        got = list(rrule.rrulestr(rules, forceset=True).between(want[0], want[0] + dt.timedelta(400), inc=True))
        key = lambda o: (o.replace(tzinfo=None), o.utcoffset())
        if list(map(key, got)) != list(map(key, want)):
            print(name, c, sorted(set(map(key, got)) ^ set(map(key, want))))
        for o in want if zone else []:
            if o.replace(tzinfo=vtz).utcoffset() != o.utcoffset(): print(name, 'VTIMEZONE offset at', o)
        events += 1
print('checked', calendars, 'calendars,', events, 'events')
)";

TEST(CalendarZones, RepeatsFallOnTheirLocalDayAndTimeInEveryZone) {
  test::TempDir dir;
  std::string cases;
  for (const char* line : kRepeats) cases += std::string(line) + "\n";
  test::WriteFileBytes(dir.File("cases.txt"), cases);

  for (const char* zone : {"America/Los_Angeles", "Europe/Berlin", "Australia/Sydney", "Asia/Kolkata", ""}) {
    ExportFixture f;
    f.zoneName = zone;
    f.tz = *LoadTimeZone(*zone ? zone : "Europe/Berlin");
    // As a reader gives them: Palm times converted with the zone's rules.
    auto read = [&](double local) {
      const auto stored = static_cast<uint32_t>(DateToSeconds(local, f.tz));
      return PalmDate::FromStored(stored, SecondsToDate(stored, f.tz));
    };
    int32_t id = 1;
    for (const char* line : kRepeats) {
      std::vector<std::string> field = Split(line, '|');
      field.resize(10);  // Split drops the empty piece after a trailing '|'
      const auto number = [&](size_t i) { return std::stoi(field[i]); };
      const double start = LocalDate(field[2]);
      DateRecord& d = f.AddDate(kLeft, id++, field[0], 0, 0);
      d.StartTime = read(start);
      d.EndTime = read(start + 1.0 / 24);
      ExportFixture::Repeat(d, number(1), field[8].empty() ? MakeDate(2031, 12, 31) : LocalDate(field[8]));
      d.Repeat.Mutable().EndDate = read(d.Repeat->EndDate.value);
      d.Repeat.Mutable().Interval = number(3);
      d.Repeat.Mutable().DaysMask = static_cast<uint8_t>(number(4));
      d.Repeat.Mutable().DayIndex = number(5);
      d.Repeat.Mutable().WeekIndex = number(6);
      d.Repeat.Mutable().FirstDayOfWeek = number(7);
      for (const std::string& day : Split(field[9], ',')) {
        if (!day.empty())
          d.Exceptions.Mutable().push_back(static_cast<int32_t>(DateToSeconds(LocalDate(day), f.tz)));
      }
      d.ExceptionCount = static_cast<int32_t>(d.Exceptions.Get().size());
    }
    std::string file = *zone ? zone : "floating";
    std::replace(file.begin(), file.end(), '/', '+');
    const ExportContext c = f.Context();
    test::WriteFileBytes(dir.File(file + ".ics"),
                         CalendarText(c, Kind::Dates, ChooseRecords(c, Kind::Dates, false, false)));
  }
  int status = 0;
  const std::string out = test::RunSystemPython(kExpandScript, dir.File("cases.txt"), status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "checked 5 calendars, 35 events\n");
}

}  // namespace
}  // namespace mirrin
