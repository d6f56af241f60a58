#include "records/twins.h"

#include <gtest/gtest.h>

#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

DateRecord Lunch() {
  DateRecord r;
  r.StartTime = PalmDate::Local(MakeDate(2024, 3, 5) + MakeTime(12, 30, 0));
  r.EndTime = PalmDate::Local(MakeDate(2024, 3, 5) + MakeTime(13, 30, 0));
  r.Description = "Lunch with Ann";
  r.Duration = 60;
  r.Note = "Table booked";
  return r;
}

DatFileHeader WithCategory(int32_t index, const std::string& name) {
  DatFileHeader h;
  CategoryEntry e;
  e.Index = index;
  e.LongName = name;
  h.Categories.push_back(e);
  return h;
}

class TwinRules : public ::testing::Test {
 protected:
  TwinContext Context() { return TwinContext{settings, "#AN\r\n", left, right}; }
  bool Dates(const DateRecord& l, const DateRecord& r) { return DatesTwin(l, r, Context()); }

  Settings settings;
  DatFileHeader left, right;
};

TEST_F(TwinRules, DatesNeedSameTimesDescriptionDurationAndNote) {
  const DateRecord l = Lunch();
  EXPECT_TRUE(Dates(l, Lunch()));
  DateRecord r = Lunch();
  r.Description = "Lunch with ann";
  EXPECT_FALSE(Dates(l, r)) << "descriptions are compared case-sensitively";
  r = Lunch();
  r.Description = "  Lunch with Ann ";
  EXPECT_TRUE(Dates(l, r)) << "descriptions are trimmed";
  r = Lunch();
  r.EndTime.value += 1.0 / 1440;
  EXPECT_FALSE(Dates(l, r));
  r = Lunch();
  r.StartTime.value += 1.0 / 86400;
  EXPECT_FALSE(Dates(l, r)) << "timed starts must be exactly equal";
  r = Lunch();
  r.Duration = 61;
  EXPECT_FALSE(Dates(l, r));
  r = Lunch();
  r.Note = "Table booked.";
  EXPECT_FALSE(Dates(l, r));
  r = Lunch();
  r.Location = "Cafe";
  EXPECT_FALSE(Dates(l, r));
}

TEST_F(TwinRules, UntimedDatesMatchByDayAndIgnoreTheirEnd) {
  DateRecord l = Lunch(), r = Lunch();
  l.Untimed = r.Untimed = true;
  r.StartTime.value = MakeDate(2024, 3, 5) + MakeTime(8, 0, 0);
  r.EndTime.value = MakeDate(2024, 3, 6);
  EXPECT_TRUE(Dates(l, r));
  r.StartTime.value = MakeDate(1924, 3, 5);
  EXPECT_TRUE(Dates(l, r)) << "the day is compared as DDMMYY text, so a century apart is the same day";
  r.StartTime.value = MakeDate(2024, 3, 6);
  EXPECT_FALSE(Dates(l, r));
  l = r = Lunch();
  r.Untimed = true;
  EXPECT_FALSE(Dates(l, r)) << "equal starts, but one untimed";
}

TEST_F(TwinRules, SuffixOfAnEarlierCopyStillMatches) {
  settings.SuffixUser1 = " (Ann)";
  settings.SuffixUser2 = " (Bob)";
  DateRecord l = Lunch(), r = Lunch();
  r.Description = "Lunch with Ann (Ann)";
  EXPECT_TRUE(Dates(l, r)) << "left copied to the right got SuffixUser1";
  EXPECT_FALSE(Dates(r, l)) << "the left record comes first: SuffixUser1 on the left is no copy";
  l.Description = "Lunch with Ann (Bob)";
  r.Description = "Lunch with Ann";
  EXPECT_TRUE(Dates(l, r)) << "right copied to the left got SuffixUser2";
  EXPECT_FALSE(Dates(r, l));
}

TEST_F(TwinRules, AgendusBracketAndNoteHeadersAreNotCompared) {
  settings.Agendus = true;
  settings.KeepCategories = true;
  DateRecord l = Lunch(), r = Lunch();
  l.Description = "Lunch [Ann Lee] with Ann";
  r.Description = "Lunch with Ann";
  EXPECT_FALSE(Dates(l, r)) << "the text around the bracket part keeps its blanks";
  l.Description = "Lunch with Ann[Ann Lee]";
  EXPECT_TRUE(Dates(l, r));
  l.Note = "##@@A@@@@l\r\nsecond header line\r\nTable booked";
  r.Note = "##@@A@@@@@\r\nTable booked";
  EXPECT_TRUE(Dates(l, r)) << "a tenth character l makes the second line part of the header";
  settings.KeepCategories = false;
  EXPECT_FALSE(Dates(l, r)) << "without KeepCategories the whole note is compared";
}

TEST_F(TwinRules, CategoryNamesOnlyWhenShown) {
  left = WithCategory(3, "Work");
  right = WithCategory(5, "Work");
  DateRecord l = Lunch(), r = Lunch();
  l.Category = 3;
  r.Category = 5;
  settings.ShowDatebookCategories = true;
  EXPECT_TRUE(Dates(l, r)) << "compared by name, not index";
  right.Categories.back().LongName = "Work ";
  EXPECT_TRUE(Dates(l, r)) << "names are trimmed";
  r.Category = 0;
  EXPECT_FALSE(Dates(l, r));
  settings.ShowDatebookCategories = false;
  EXPECT_TRUE(Dates(l, r));
}

TEST_F(TwinRules, AlarmsOnlyWhenCopied) {
  DateRecord l = Lunch(), r = Lunch();
  l.AlarmSet = r.AlarmSet = true;
  l.AlarmAdvance = 5;
  r.AlarmAdvance = 10;
  EXPECT_FALSE(Dates(l, r));
  l.AlarmSet = r.AlarmSet = false;
  EXPECT_TRUE(Dates(l, r)) << "advance not compared without an alarm";
  r.AlarmSet = true;
  EXPECT_FALSE(Dates(l, r));
  settings.CopyAlarms = false;
  EXPECT_TRUE(Dates(l, r));
}

TEST_F(TwinRules, RepeatRules) {
  DateRecord l = Lunch();
  l.Repeat.Hash = 65535;
  l.Repeat.Brand = 2;
  l.Repeat.Interval = 1;
  l.Repeat.DaysMask = 4;
  l.Repeat.EndDate = PalmDate::Local(MakeDate(2024, 12, 31) + MakeTime(10, 0, 0));
  l.ExceptionCount = 2;
  l.Exceptions = {100, 200};
  DateRecord r = l;
  r.Exceptions = {200, 100};
  r.Repeat.EndDate.value = MakeDate(2024, 12, 31) + MakeTime(23, 0, 0);
  r.Repeat.DayNumber = 9;
  r.Repeat.FirstDayOfWeek = 1;
  EXPECT_TRUE(Dates(l, r)) << "exceptions in any order, end dates to the day";
  r.Exceptions = {200, 300};
  EXPECT_FALSE(Dates(l, r));
  r = l;
  r.Repeat.DaysMask = 8;
  EXPECT_FALSE(Dates(l, r));
  r = l;
  r.Repeat.EndDate.value = MakeDate(2025, 1, 1);
  EXPECT_FALSE(Dates(l, r));
  l.Repeat.EndDate.value = MakeDate(2031, 12, 31);
  r.Repeat.EndDate.value = MakeDate(2040, 1, 1);
  EXPECT_TRUE(Dates(l, r)) << "both never end";
  l.Repeat.EndDate.value = MakeDate(2031, 12, 30);
  r.Repeat.EndDate.value = MakeDate(2031, 12, 30) + MakeTime(0, 5, 0);
  EXPECT_TRUE(Dates(l, r)) << "only one never ends, but the day is the same";
}

ContactRecord Ann() {
  ContactRecord c;
  c.LastName = "Lee";
  c.FirstName = "Ann";
  c.Company = "Acme";
  c.Phones[0] = {0, "555 1234"};
  c.Phones[1] = {4, "ann@example.org"};
  c.Addresses[1] = {1, "1 High St", "Leeds", "", "LS1", "UK"};
  c.Note = "met 2003";
  return c;
}

TEST_F(TwinRules, ContactsComparePhonesAsSets) {
  const TwinContext c = Context();
  const ContactRecord l = Ann();
  ContactRecord r = Ann();
  EXPECT_TRUE(ContactsEqual(l, r, c));
  std::swap(r.Phones[0], r.Phones[6]);
  EXPECT_TRUE(ContactsEqual(l, r, c)) << "same phones in another order";
  r.Phones[6].Label = 1;
  EXPECT_FALSE(ContactsEqual(l, r, c)) << "only a label differs";
  r = Ann();
  r.Phones[3] = {2, "555 9999"};
  EXPECT_FALSE(ContactsEqual(l, r, c)) << "an extra phone on the right";
  r = Ann();
  r.Phones[3] = {2, ""};
  EXPECT_TRUE(ContactsEqual(l, r, c)) << "empty phones do not count";
}

TEST_F(TwinRules, ContactAddressesImAndExtendedFields) {
  const TwinContext c = Context();
  const ContactRecord l = Ann();
  ContactRecord r = Ann();
  std::swap(r.Addresses[1], r.Addresses[2]);
  EXPECT_TRUE(ContactsEqual(l, r, c));
  r.Addresses[2].Label = 0;
  EXPECT_FALSE(ContactsEqual(l, r, c));
  r = Ann();
  r.Addresses[0] = {2, "", "Paris", "", "", ""};
  EXPECT_TRUE(ContactsEqual(l, r, c)) << "only the left record's addresses are looked for";
  EXPECT_FALSE(ContactsEqual(r, l, c));
  r = Ann();
  r.IMLabel1 = 3;
  EXPECT_TRUE(ContactsEqual(l, r, c)) << "label of an empty IM";
  ContactRecord l2 = Ann();
  l2.InstantMessage1 = r.InstantMessage1 = "annlee";
  EXPECT_FALSE(ContactsEqual(l2, r, c));
  r = Ann();
  r.ExtPair2 = -1;
  EXPECT_TRUE(ContactsEqual(l, r, c)) << "a negative second pair value is not compared";
  r.ExtPair2 = 4;
  EXPECT_FALSE(ContactsEqual(l, r, c));
  r = Ann();
  r.CustomFields[8] = "x";
  EXPECT_FALSE(ContactsEqual(l, r, c));
}

TEST_F(TwinRules, ContactCategoriesByName) {
  left = WithCategory(1, "Family");
  right = WithCategory(7, "Family");
  const TwinContext c = Context();
  ContactRecord l = Ann(), r = Ann();
  l.Category = 1;
  r.Category = 7;
  EXPECT_TRUE(ContactsEqual(l, r, c));
  r.Category = 0;
  EXPECT_FALSE(ContactsEqual(l, r, c));
  settings.ShowCategories = false;
  EXPECT_TRUE(ContactsEqual(l, r, c));
}

TEST_F(TwinRules, TodosDueDatesAndAlarms) {
  const TwinContext c = Context();
  TodoRecord l;
  l.Description = "Pay rent";
  l.DueDate = PalmDate::Local(MakeDate(2032, 1, 1));
  TodoRecord r = l;
  r.DueDate.value = MakeDate(2040, 5, 5);
  EXPECT_TRUE(TodosEqual(l, r, c)) << "neither has a due date";
  r.DueDate.value = MakeDate(2024, 5, 5);
  EXPECT_FALSE(TodosEqual(l, r, c));
  r = l;
  r.Completed = true;
  EXPECT_FALSE(TodosEqual(l, r, c));
  r = l;
  r.ExtDate2 = PalmDate::Local(MakeDate(2024, 1, 1));
  EXPECT_TRUE(TodosEqual(l, r, c)) << "alarm date unused without an alarm";
  l.AlarmSet = r.AlarmSet = true;
  EXPECT_FALSE(TodosEqual(l, r, c));
  r = l;
  r.Priority = 2;
  EXPECT_FALSE(TodosEqual(l, r, c));
}

TEST_F(TwinRules, MemosAndCustomRecords) {
  left = WithCategory(1, "Ideas");
  MemoRecord l, r;
  l.Text = r.Text = "Shopping\r\nmilk";
  l.Category = 1;
  EXPECT_FALSE(MemosTwin(l, r, Context()));
  settings.ShowMemoCategories = false;
  EXPECT_TRUE(MemosTwin(l, r, Context()));
  r.Text = "Shopping\r\nMilk";
  EXPECT_FALSE(MemosTwin(l, r, Context()));

  CustomRecord a, b;
  a.Fields = b.Fields = {"Web", "bank", "u", "p", "", "", "", "x"};
  EXPECT_TRUE(CustomTwin(a, b));
  b.Fields[7] = "y";
  EXPECT_FALSE(CustomTwin(a, b));
}

}  // namespace
}  // namespace mirrin
