#include "records/twins.h"

#include <gtest/gtest.h>

#include <functional>

#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

// What a case may change besides the two records.
struct Env {
  Settings st;
  DatFileHeader left, right;
};

// Each case starts from one record held equally by both sides, with
// default settings, changes what it names, and says whether they are twins.
template <class Record>
struct Case {
  const char* what;
  bool twin;
  std::function<void(Env&, Record& l, Record& r)> change;
};

template <class Record, class Twin>
void Check(const Record& base, const std::vector<Case<Record>>& cases, Twin twin) {
  for (const Case<Record>& c : cases) {
    Env e;
    Record l = base, r = base;
    c.change(e, l, r);
    EXPECT_EQ(twin(l, r, TwinContext{e.st, "#AN\r\n", e.left, e.right}), c.twin) << c.what;
  }
}

void Category(DatFileHeader& h, int32_t index, const std::string& name) {
  CategoryEntry e;
  e.Index = index;
  e.LongName = name;
  h.Categories.push_back(e);
}

double Day(int y, int m, int d) { return MakeDate(y, m, d); }

void Weekly(DateRecord& r) {
  r.Repeat.Hash = 65535;
  r.Repeat.Brand = 2;
  r.Repeat.Interval = 1;
  r.Repeat.DaysMask = 4;
  r.Repeat.EndDate = PalmDate::Local(Day(2024, 12, 31) + MakeTime(10, 0, 0));
  r.ExceptionCount = 2;
  r.Exceptions = {100, 200};
}

using D = DateRecord;
using C = ContactRecord;
using T = TodoRecord;

TEST(TwinRules, Dates) {
  DateRecord lunch;
  lunch.StartTime = PalmDate::Local(Day(2024, 3, 5) + MakeTime(12, 30, 0));
  lunch.EndTime = PalmDate::Local(Day(2024, 3, 5) + MakeTime(13, 30, 0));
  lunch.Description = "Lunch with Ann";
  lunch.Duration = 60;
  lunch.Note = "Table booked";
  auto untimed = [](D& l, D& r) { l.Untimed = r.Untimed = true; };
  Check<D>(
      lunch,
      {
          {"equal", true, [](Env&, D&, D&) {}},
          {"description case", false, [](Env&, D&, D& r) { r.Description = "Lunch with ann"; }},
          {"descriptions trimmed", true, [](Env&, D&, D& r) { r.Description = "  Lunch with Ann "; }},
          {"end", false, [](Env&, D&, D& r) { r.EndTime.value += 1.0 / 1440; }},
          {"start a second off", false, [](Env&, D&, D& r) { r.StartTime.value += 1.0 / 86400; }},
          {"duration", false, [](Env&, D&, D& r) { r.Duration = 61; }},
          {"note", false, [](Env&, D&, D& r) { r.Note = "Table booked."; }},
          {"location", false, [](Env&, D&, D& r) { r.Location = "Cafe"; }},
          {"untimed: same day, other hours and end", true,
           [&](Env&, D& l, D& r) {
             untimed(l, r), r.StartTime.value = Day(2024, 3, 5) + MakeTime(8, 0, 0), r.EndTime.value = Day(2024, 3, 6);
           }},
          // The day is compared as DDMMYY text.
          {"untimed: a century apart", true,
           [&](Env&, D& l, D& r) { untimed(l, r), r.StartTime.value = Day(1924, 3, 5); }},
          {"untimed: next day", false, [&](Env&, D& l, D& r) { untimed(l, r), r.StartTime.value = Day(2024, 3, 6); }},
          {"one untimed", false, [](Env&, D&, D& r) { r.Untimed = true; }},
          // A copy carries the suffix of the user it came from: left's on the
          // right, right's on the left.
          {"left copy on the right", true,
           [](Env& e, D&, D& r) { e.st.SuffixUser1 = " (Ann)", r.Description += " (Ann)"; }},
          {"SuffixUser1 on the left", false,
           [](Env& e, D& l, D&) { e.st.SuffixUser1 = " (Ann)", l.Description += " (Ann)"; }},
          {"right copy on the left", true,
           [](Env& e, D& l, D&) { e.st.SuffixUser2 = " (Bob)", l.Description += " (Bob)"; }},
          {"bracket part keeps the blanks around it", false,
           [](Env& e, D& l, D&) { e.st.Agendus = true, l.Description = "Lunch [Ann Lee] with Ann"; }},
          {"bracket part at the end", true,
           [](Env& e, D& l, D&) { e.st.Agendus = true, l.Description = "Lunch with Ann[Ann Lee]"; }},
          // A tenth character l makes the second line part of the header.
          {"note headers", true,
           [](Env& e, D& l, D& r) {
             e.st.KeepCategories = true;
             l.Note = "##@@A@@@@l\r\nsecond header line\r\nTable booked";
             r.Note = "##@@A@@@@@\r\nTable booked";
           }},
          {"note headers without KeepCategories", false,
           [](Env&, D& l, D& r) {
             l.Note = "##@@A@@@@l\r\nsecond header line\r\nTable booked";
             r.Note = "##@@A@@@@@\r\nTable booked";
           }},
          {"category names, not indexes, trimmed", true,
           [](Env& e, D& l, D& r) {
             e.st.ShowDatebookCategories = true;
             Category(e.left, 3, "Work"), Category(e.right, 5, "Work ");
             l.Category = 3, r.Category = 5;
           }},
          {"other category", false,
           [](Env& e, D& l, D&) { e.st.ShowDatebookCategories = true, Category(e.left, 3, "Work"), l.Category = 3; }},
          {"other category, not shown", true, [](Env& e, D& l, D&) { Category(e.left, 3, "Work"), l.Category = 3; }},
          {"alarm advance", false, [](Env&, D& l, D& r) { l.AlarmSet = r.AlarmSet = true, r.AlarmAdvance = 10; }},
          {"advance without alarm", true, [](Env&, D&, D& r) { r.AlarmAdvance = 10; }},
          {"one alarm", false, [](Env&, D&, D& r) { r.AlarmSet = true; }},
          {"one alarm, alarms not copied", true, [](Env& e, D&, D& r) { e.st.CopyAlarms = false, r.AlarmSet = true; }},
          {"repeat: exceptions in any order, end to the day", true,
           [](Env&, D& l, D& r) {
             Weekly(l), Weekly(r);
             r.Exceptions = {200, 100};
             r.Repeat.EndDate.value = Day(2024, 12, 31) + MakeTime(23, 0, 0);
             r.Repeat.DayNumber = 9;
             r.Repeat.FirstDayOfWeek = 1;
           }},
          {"repeat: other exception", false, [](Env&, D& l, D& r) { Weekly(l), Weekly(r), r.Exceptions = {200, 300}; }},
          {"repeat: days", false, [](Env&, D& l, D& r) { Weekly(l), Weekly(r), r.Repeat.DaysMask = 8; }},
          {"repeat: end", false,
           [](Env&, D& l, D& r) { Weekly(l), Weekly(r), r.Repeat.EndDate.value = Day(2025, 1, 1); }},
          {"repeat: both never end", true,
           [](Env&, D& l, D& r) {
             Weekly(l), Weekly(r), l.Repeat.EndDate.value = Day(2031, 12, 31), r.Repeat.EndDate.value = Day(2040, 1, 1);
           }},
          {"repeat: one never ends, same day", true,
           [](Env&, D& l, D& r) {
             Weekly(l), Weekly(r);
             l.Repeat.EndDate.value = Day(2031, 12, 30);
             r.Repeat.EndDate.value = Day(2031, 12, 30) + MakeTime(0, 5, 0);
           }},
      },
      DatesTwin);
}

TEST(TwinRules, Contacts) {
  ContactRecord ann;
  ann.LastName = "Lee";
  ann.FirstName = "Ann";
  ann.Company = "Acme";
  ann.Phones[0] = {0, "555 1234"};
  ann.Phones[1] = {4, "ann@example.org"};
  ann.Addresses[1] = {1, "1 High St", "Leeds", "", "LS1", "UK"};
  ann.Note = "met 2003";
  Check<C>(ann,
           {
               {"equal", true, [](Env&, C&, C&) {}},
               {"phones in another order", true, [](Env&, C&, C& r) { std::swap(r.Phones[0], r.Phones[6]); }},
               {"a phone's label", false,
                [](Env&, C&, C& r) { std::swap(r.Phones[0], r.Phones[6]), r.Phones[6].Label = 1; }},
               {"an extra phone", false, [](Env&, C&, C& r) { r.Phones[3] = {2, "555 9999"}; }},
               {"an empty phone", true, [](Env&, C&, C& r) { r.Phones[3] = {2, ""}; }},
               {"addresses in another order", true, [](Env&, C&, C& r) { std::swap(r.Addresses[1], r.Addresses[2]); }},
               {"an address's label", false,
                [](Env&, C&, C& r) { std::swap(r.Addresses[1], r.Addresses[2]), r.Addresses[2].Label = 0; }},
               // Only the left record's addresses are looked for.
               {"an extra address on the right", true,
                [](Env&, C&, C& r) { r.Addresses[0] = {2, "", "Paris", "", "", ""}; }},
               {"an extra address on the left", false,
                [](Env&, C& l, C&) { l.Addresses[0] = {2, "", "Paris", "", "", ""}; }},
               {"label of an empty IM", true, [](Env&, C&, C& r) { r.IMLabel1 = 3; }},
               {"label of an IM", false,
                [](Env&, C& l, C& r) { l.InstantMessage1 = r.InstantMessage1 = "annlee", r.IMLabel1 = 3; }},
               {"negative second pair value", true, [](Env&, C&, C& r) { r.ExtPair2 = -1; }},
               {"second pair value", false, [](Env&, C&, C& r) { r.ExtPair2 = 4; }},
               {"custom field", false, [](Env&, C&, C& r) { r.CustomFields[8] = "x"; }},
               {"category by name", true,
                [](Env& e, C& l, C& r) {
                  Category(e.left, 1, "Family"), Category(e.right, 7, "Family");
                  l.Category = 1, r.Category = 7;
                }},
               {"other category", false, [](Env& e, C& l, C&) { Category(e.left, 1, "Family"), l.Category = 1; }},
               {"other category, not shown", true,
                [](Env& e, C& l, C&) { e.st.ShowCategories = false, Category(e.left, 1, "Family"), l.Category = 1; }},
           },
           ContactsEqual);
}

TEST(TwinRules, TodosMemosAndCustom) {
  TodoRecord rent;
  rent.Description = "Pay rent";
  rent.DueDate = PalmDate::Local(Day(2032, 1, 1));
  Check<T>(
      rent,
      {
          {"neither has a due date", true, [](Env&, T&, T& r) { r.DueDate.value = Day(2040, 5, 5); }},
          {"due date", false, [](Env&, T&, T& r) { r.DueDate.value = Day(2024, 5, 5); }},
          {"completed", false, [](Env&, T&, T& r) { r.Completed = true; }},
          {"alarm date without an alarm", true, [](Env&, T&, T& r) { r.ExtDate2 = PalmDate::Local(Day(2024, 1, 1)); }},
          {"alarm date", false,
           [](Env&, T& l, T& r) { l.AlarmSet = r.AlarmSet = true, r.ExtDate2 = PalmDate::Local(Day(2024, 1, 1)); }},
          {"priority", false, [](Env&, T&, T& r) { r.Priority = 2; }},
      },
      TodosEqual);

  MemoRecord memo;
  memo.Text = "Shopping\r\nmilk";
  Check<MemoRecord>(
      memo,
      {
          {"category", false, [](Env& e, MemoRecord& l, MemoRecord&) { Category(e.left, 1, "Ideas"), l.Category = 1; }},
          {"category not shown", true,
           [](Env& e, MemoRecord& l, MemoRecord&) {
             e.st.ShowMemoCategories = false, Category(e.left, 1, "Ideas"), l.Category = 1;
           }},
          {"text case", false, [](Env&, MemoRecord&, MemoRecord& r) { r.Text = "Shopping\r\nMilk"; }},
      },
      MemosTwin);

  CustomRecord a, b;
  a.Fields = b.Fields = {"Web", "bank", "u", "p", "", "", "", "x"};
  EXPECT_TRUE(CustomTwin(a, b));
  b.Fields[7] = "y";
  EXPECT_FALSE(CustomTwin(a, b));
}

}  // namespace
}  // namespace mirrin
