#include "export/ics.h"

#include <gtest/gtest.h>

#include "export/contentline.h"
#include "export_fixture.h"
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
      standup.Exceptions.push_back(static_cast<int32_t>(DateToSeconds(MakeDate(2024, 3, day), tz)));
    }
    standup.ExceptionCount = 2;
    // Mondays and Thursdays for ever, in summer time.
    DateRecord& choir = AddDate(kLeft, 102, "Choir", MakeDate(2024, 7, 1) + MakeTime(18, 30, 0),
                                MakeDate(2024, 7, 1) + MakeTime(19, 30, 0));
    Repeat(choir, 2, MakeDate(2031, 12, 31));
    choir.Repeat.DaysMask = 2 | 16;
    // The last Friday of every month.
    DateRecord& drinks = AddDate(kLeft, 103, "Drinks", MakeDate(2024, 1, 26) + MakeTime(17, 0, 0),
                                 MakeDate(2024, 1, 26) + MakeTime(18, 0, 0));
    Repeat(drinks, 3, MakeDate(2031, 12, 31));
    drinks.Repeat.DayIndex = 5;
    drinks.Repeat.WeekIndex = 4;
    DateRecord& birthday = AddDate(kLeft, 104, "Birthday Anna", MakeDate(2024, 5, 17), MakeDate(2024, 5, 17));
    birthday.Untimed = true;
    Repeat(birthday, 5, MakeDate(2031, 12, 31));
    DateRecord& holiday = AddDate(kLeft, 105, "Holiday, day 1; C:\\temp", MakeDate(2024, 8, 5), MakeDate(2024, 8, 5));
    holiday.Untimed = true;
    holiday.Note = "Caf\xE9 at noon\r\nBring towels";
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

TEST_F(CalendarTest, RepeatsExceptionsUntimedDatesAndAlarmsAsCheckedByHand) {
  const std::string expected = Crlf({
      "BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Mirrin//Palm Desktop export//EN", "CALSCALE:GREGORIAN",
      "BEGIN:VEVENT", "UID:date-1-0-101@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART:20240304T080000Z", "DTEND:20240304T090000Z", "SUMMARY:Standup",
      "RRULE:FREQ=DAILY;UNTIL=20240331T215959Z", "EXDATE:20240306T080000Z", "EXDATE:20240308T080000Z",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-1-102@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART:20240701T163000Z", "DTEND:20240701T173000Z", "SUMMARY:Choir", "RRULE:FREQ=WEEKLY;BYDAY=MO,TH",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-2-103@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART:20240126T160000Z", "DTEND:20240126T170000Z", "SUMMARY:Drinks", "RRULE:FREQ=MONTHLY;BYDAY=-1FR",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-3-104@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART;VALUE=DATE:20240517", "DTEND;VALUE=DATE:20240518", "SUMMARY:Birthday Anna", "RRULE:FREQ=YEARLY",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-4-105@mirrin", "DTSTAMP:20240601T120000Z",
      "DTSTART;VALUE=DATE:20240805", "DTEND;VALUE=DATE:20240806", "SUMMARY:Holiday\\, day 1\\; C:\\\\temp",
      "DESCRIPTION:Caf\xC3\xA9 at noon\\nBring towels", "LOCATION:Strand",
      "END:VEVENT",
      "BEGIN:VEVENT", "UID:date-1-5-106@mirrin", "DTSTAMP:20240601T120000Z", "CATEGORIES:Health",
      "DTSTART:20240212T130000Z", "DTEND:20240212T133000Z", "SUMMARY:Dentist",
      "BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Dentist", "TRIGGER:-PT10M", "END:VALARM",
      "END:VEVENT",
      "END:VCALENDAR"});
  EXPECT_EQ(Calendar(), expected);
}

TEST_F(CalendarTest, PrivateDatesOnlyWhenAskedAndMarkedSo) {
  EXPECT_EQ(Calendar().find("Secret"), std::string::npos);
  const std::string all = Calendar(true);
  EXPECT_NE(all.find("CLASS:PRIVATE\r\nDTSTART:20240212T230000Z\r\n"), std::string::npos) << all;
  EXPECT_EQ(all.find("Gone"), std::string::npos) << "deleted records are never exported";
}

TEST_F(CalendarTest, AlarmUnitsAndRepeatIntervals) {
  DateRecord& d = stores[kLeft].dates[5];
  d.AlarmUnit = 1;
  EXPECT_NE(Calendar().find("TRIGGER:-PT10H\r\n"), std::string::npos);
  d.AlarmUnit = 2;
  d.AlarmAdvance = 2;
  EXPECT_NE(Calendar().find("TRIGGER:-P2D\r\n"), std::string::npos);
  // Every other week, the week starting on Monday; the third Tuesday monthly.
  stores[kLeft].dates[1].Repeat.Interval = 2;
  stores[kLeft].dates[1].Repeat.FirstDayOfWeek = 1;
  stores[kLeft].dates[2].Repeat.WeekIndex = 2;
  stores[kLeft].dates[2].Repeat.DayIndex = 2;
  const std::string text = Calendar();
  EXPECT_NE(text.find("RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;WKST=MO\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("RRULE:FREQ=MONTHLY;BYDAY=3TU\r\n"), std::string::npos) << text;
}

TEST(CalendarTodos, DueDatePriorityAndState) {
  ExportFixture f;
  TodoRecord rent;
  rent.RecordId = 201;
  rent.Description = "Pay rent";
  rent.DueDate = PalmDate::Local(MakeDate(2024, 6, 30));
  rent.Priority = 2;
  rent.Completed = true;
  TodoRecord someday;
  someday.RecordId = 202;
  someday.Description = "Someday";
  someday.DueDate = PalmDate::Local(MakeDate(2031, 12, 31) + MakeTime(21, 0, 0));
  someday.Priority = 1;
  f.stores[kLeft].todos = {rent, someday};
  const ExportContext c = f.Context();
  EXPECT_EQ(CalendarText(c, Kind::ToDos, ChooseRecords(c, Kind::ToDos, false, false)),
            Crlf({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Mirrin//Palm Desktop export//EN",
                  "CALSCALE:GREGORIAN", "BEGIN:VTODO", "UID:todo-1-0-201@mirrin", "DTSTAMP:20240601T120000Z",
                  "SUMMARY:Pay rent", "DUE;VALUE=DATE:20240630", "PRIORITY:3", "STATUS:COMPLETED", "END:VTODO",
                  "BEGIN:VTODO", "UID:todo-1-1-202@mirrin", "DTSTAMP:20240601T120000Z", "SUMMARY:Someday",
                  "PRIORITY:1", "STATUS:NEEDS-ACTION", "END:VTODO", "END:VCALENDAR"}));
  EXPECT_THROW(CalendarText(c, Kind::Memos, {}), std::invalid_argument);
}

TEST(ContentLines, FoldAt75OctetsNeverInsideACharacter) {
  std::string out;
  AppendLine(out, std::string(200, 'a'));
  EXPECT_EQ(out, std::string(75, 'a') + "\r\n " + std::string(74, 'a') + "\r\n " + std::string(51, 'a') + "\r\n");
  out.clear();
  AppendLine(out, std::string(74, 'b') + "\xC3\xA9" + "c");  // the e-acute would straddle octet 75
  EXPECT_EQ(out, std::string(74, 'b') + "\r\n \xC3\xA9" "c\r\n");
  out.clear();
  AppendLine(out, std::string(75, 'd'));
  EXPECT_EQ(out, std::string(75, 'd') + "\r\n");
  EXPECT_EQ(EscapeValue("a\rb\nc\r\nd\\;,\x80"), "a\\nb\\nc\\nd\\\\\\;\\,\xE2\x82\xAC");
}

// The calendar as a real parser reads it.
TEST_F(CalendarTest, DebiansIcalendarParsesTheExport) {
  test::TempDir dir;
  const std::string path = dir.File("dates.ics");
  test::WriteFileBytes(path, Calendar());
  int status = 0;
  const std::string out = test::RunSystemPython(R"(import sys
try:
    import icalendar
except ImportError:
    print("NO MODULE"); sys.exit(0)
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
for ev in cal.walk('VEVENT'):
    ex = ev.get('EXDATE')
    ex = ex if isinstance(ex, list) else ([ex] if ex is not None else [])
    dates = [d.dt.isoformat() for e in ex for d in e.dts]
    rule = ev.get('RRULE')
    alarms = [str(a.get('TRIGGER').to_ical(), 'ascii') for a in ev.walk('VALARM')]
    print('|'.join([str(ev.get('SUMMARY')), ev.decoded('DTSTART').isoformat(),
                    rule.to_ical().decode() if rule else '', ' '.join(dates), ' '.join(alarms)]))
)", path, status);
  if (status != 0 && out.find("No such file") != std::string::npos) GTEST_SKIP() << "no /usr/bin/python3";
  if (out.find("NO MODULE") != std::string::npos) GTEST_SKIP() << "python3-icalendar is not installed";
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out,
            "Standup|2024-03-04T08:00:00+00:00|FREQ=DAILY;UNTIL=20240331T215959Z|"
            "2024-03-06T08:00:00+00:00 2024-03-08T08:00:00+00:00|\n"
            "Choir|2024-07-01T16:30:00+00:00|FREQ=WEEKLY;BYDAY=MO,TH||\n"
            "Drinks|2024-01-26T16:00:00+00:00|FREQ=MONTHLY;BYDAY=-1FR||\n"
            "Birthday Anna|2024-05-17|FREQ=YEARLY||\n"
            "Holiday, day 1; C:\\temp|2024-08-05|||\n"
            "Dentist|2024-02-12T13:00:00+00:00|||-PT10M\n");
}

}  // namespace
}  // namespace mirrin
