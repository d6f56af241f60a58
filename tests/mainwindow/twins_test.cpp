#include "mainwindow/twins.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

// The two records and what a case may change besides them.
template <class Record>
struct Pair {
  Settings st;
  KindHeader left, right;
  Record l, r;
};

// Each case starts from one record held equally by both sides, with
// default settings, changes what it names, and says whether they are twins.
template <class Record>
struct Case {
  const char* what;
  bool twin;
  std::function<void(Pair<Record>&)> change;
};

template <class Record, class Twin>
void Check(const Record& base, const std::vector<Case<Record>>& cases, Twin twin) {
  for (const Case<Record>& c : cases) {
    Pair<Record> p;
    p.l = p.r = base;
    c.change(p);
    EXPECT_EQ(twin(p.l, p.r, TwinContext{p.st, "#AN\r\n", p.left, p.right}), c.twin) << c.what;
  }
}

void Category(KindHeader& h, int32_t index, const std::string& name) {
  CategoryEntry e;
  e.Index = index;
  e.LongName = name;
  h.Categories.push_back(e);
}

double Day(int y, int m, int d) { return MakeDate(y, m, d); }

// Both records repeat weekly until the end of 2024, with two exceptions.
void Weekly(Pair<DateRecord>& p) {
  for (DateRecord* r : {&p.l, &p.r}) {
    r->Repeat.Mutable().Hash = 65535;
    r->Repeat.Mutable().Brand = 2;
    r->Repeat.Mutable().Interval = 1;
    r->Repeat.Mutable().DaysMask = 4;
    r->Repeat.Mutable().EndDate = PalmDate::Local(Day(2024, 12, 31) + MakeTime(10, 0, 0));
    r->ExceptionCount = 2;
    r->Exceptions = {100, 200};
  }
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
  auto untimed = [](Pair<D>& p) { p.l.Untimed = p.r.Untimed = true; };
  auto headers = [](Pair<D>& p) {
    p.l.Note = "##@@A@@@@l\r\nsecond header line\r\nTable booked";
    p.r.Note = "##@@A@@@@@\r\nTable booked";
  };
  Check<D>(
      lunch,
      {
          {"equal", true, [](auto&) {}},
          {"description case", false, [](auto& p) { p.r.Description = "Lunch with ann"; }},
          {"descriptions trimmed", true, [](auto& p) { p.r.Description = "  Lunch with Ann "; }},
          {"end", false, [](auto& p) { p.r.EndTime.value += 1.0 / 1440; }},
          {"start a second off", false, [](auto& p) { p.r.StartTime.value += 1.0 / 86400; }},
          {"duration", false, [](auto& p) { p.r.Duration = 61; }},
          {"note", false, [](auto& p) { p.r.Note = "Table booked."; }},
          {"location", false, [](auto& p) { p.r.Location = "Cafe"; }},
          {"untimed: same day, other hours and end", true,
           [&](auto& p) {
             untimed(p), p.r.StartTime.value -= MakeTime(4, 0, 0), p.r.EndTime.value = Day(2024, 3, 6);
           }},
          // The day is compared as DDMMYY text.
          {"untimed: a century apart", true,
           [&](auto& p) { untimed(p), p.r.StartTime.value = Day(1924, 3, 5); }},
          {"untimed: next day", false, [&](auto& p) { untimed(p), p.r.StartTime.value = Day(2024, 3, 6); }},
          {"one untimed", false, [](auto& p) { p.r.Untimed = true; }},
          // A copy carries the suffix of the user it came from: left's on the
          // right, right's on the left.
          {"left copy on the right", true,
           [](auto& p) { p.st.SuffixUser1 = " (Ann)", p.r.Description += " (Ann)"; }},
          {"SuffixUser1 on the left", false,
           [](auto& p) { p.st.SuffixUser1 = " (Ann)", p.l.Description += " (Ann)"; }},
          {"right copy on the left", true,
           [](auto& p) { p.st.SuffixUser2 = " (Bob)", p.l.Description += " (Bob)"; }},
          {"bracket part keeps the blanks around it", false,
           [](auto& p) { p.st.Agendus = true, p.l.Description = "Lunch [Ann Lee] with Ann"; }},
          {"bracket part at the end", true,
           [](auto& p) { p.st.Agendus = true, p.l.Description = "Lunch with Ann[Ann Lee]"; }},
          // A tenth character l makes the second line part of the header.
          {"note headers", true, [&](auto& p) { p.st.KeepCategories = true, headers(p); }},
          {"note headers without KeepCategories", false, [&](auto& p) { headers(p); }},
          {"category names, not indexes, trimmed", true,
           [](auto& p) {
             p.st.ShowDatebookCategories = true;
             Category(p.left, 3, "Work"), Category(p.right, 5, "Work ");
             p.l.Category = 3, p.r.Category = 5;
           }},
          {"other category", false,
           [](auto& p) {
             p.st.ShowDatebookCategories = true, Category(p.left, 3, "Work"), p.l.Category = 3;
           }},
          {"other category, not shown", true, [](auto& p) { Category(p.left, 3, "Work"), p.l.Category = 3; }},
          {"alarm advance", false,
           [](auto& p) { p.l.AlarmSet = p.r.AlarmSet = true, p.r.AlarmAdvance = 10; }},
          {"advance without alarm", true, [](auto& p) { p.r.AlarmAdvance = 10; }},
          {"one alarm", false, [](auto& p) { p.r.AlarmSet = true; }},
          {"one alarm, alarms not copied", true,
           [](auto& p) { p.st.CopyAlarms = false, p.r.AlarmSet = true; }},
          {"repeat: exceptions in any order, end to the day", true,
           [](auto& p) {
             Weekly(p);
             p.r.Exceptions = {200, 100};
             p.r.Repeat.Mutable().EndDate.value = Day(2024, 12, 31) + MakeTime(23, 0, 0);
             p.r.Repeat.Mutable().DayNumber = 9;
             p.r.Repeat.Mutable().FirstDayOfWeek = 1;
           }},
          {"repeat: other exception", false,
           [](auto& p) {
             Weekly(p), p.r.Exceptions = {200, 300};
           }},
          {"repeat: days", false, [](auto& p) { Weekly(p), p.r.Repeat.Mutable().DaysMask = 8; }},
          {"repeat: end", false,
           [](auto& p) { Weekly(p), p.r.Repeat.Mutable().EndDate.value = Day(2025, 1, 1); }},
          {"repeat: both never end", true,
           [](auto& p) {
             Weekly(p), p.l.Repeat.Mutable().EndDate.value = Day(2031, 12, 31),
                        p.r.Repeat.Mutable().EndDate.value = Day(2040, 1, 1);
           }},
          {"repeat: one never ends, same day", true,
           [](auto& p) {
             Weekly(p), p.l.Repeat.Mutable().EndDate.value = Day(2031, 12, 30);
             p.r.Repeat.Mutable().EndDate.value = Day(2031, 12, 30) + MakeTime(0, 5, 0);
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
  Check<C>(
      ann,
      {
          {"equal", true, [](auto&) {}},
          {"phones in another order", true, [](auto& p) { std::swap(p.r.Phones[0], p.r.Phones[6]); }},
          {"a phone's label", false,
           [](auto& p) { std::swap(p.r.Phones[0], p.r.Phones[6]), p.r.Phones[6].Label = 1; }},
          {"an extra phone", false,
           [](auto& p) {
             p.r.Phones[3] = {2, "555 9999"};
           }},
          {"an empty phone", true,
           [](auto& p) {
             p.r.Phones[3] = {2, ""};
           }},
          {"addresses in another order", true,
           [](auto& p) { std::swap(p.r.Addresses[1], p.r.Addresses[2]); }},
          {"an address's label", false,
           [](auto& p) { std::swap(p.r.Addresses[1], p.r.Addresses[2]), p.r.Addresses[2].Label = 0; }},
          // Only the left record's addresses are looked for.
          {"an extra address on the right", true,
           [](auto& p) { p.r.Addresses[0] = {2, "", "Paris", "", "", ""}; }},
          {"an extra address on the left", false,
           [](auto& p) { p.l.Addresses[0] = {2, "", "Paris", "", "", ""}; }},
          {"label of an empty IM", true, [](auto& p) { p.r.IMLabel1 = 3; }},
          {"label of an IM", false,
           [](auto& p) { p.l.InstantMessage1 = p.r.InstantMessage1 = "annlee", p.r.IMLabel1 = 3; }},
          {"negative second pair value", true, [](auto& p) { p.r.ExtPair2 = -1; }},
          {"second pair value", false, [](auto& p) { p.r.ExtPair2 = 4; }},
          {"custom field", false, [](auto& p) { p.r.CustomFields[8] = "x"; }},
          {"category by name", true,
           [](auto& p) {
             Category(p.left, 1, "Family"), Category(p.right, 7, "Family");
             p.l.Category = 1, p.r.Category = 7;
           }},
          {"other category", false, [](auto& p) { Category(p.left, 1, "Family"), p.l.Category = 1; }},
          {"other category, not shown", true,
           [](auto& p) { p.st.ShowCategories = false, Category(p.left, 1, "Family"), p.l.Category = 1; }},
      },
      ContactsEqual);
}

TEST(TwinRules, TodosMemosAndCustom) {
  TodoRecord rent;
  rent.Description = "Pay rent";
  rent.DueDate = PalmDate::Local(Day(2032, 1, 1));
  Check<T>(rent,
           {
               {"neither has a due date", true, [](auto& p) { p.r.DueDate.value = Day(2040, 5, 5); }},
               {"due date", false, [](auto& p) { p.r.DueDate.value = Day(2024, 5, 5); }},
               {"completed", false, [](auto& p) { p.r.Completed = true; }},
               {"alarm date without an alarm", true,
                [](auto& p) { p.r.ExtDate2 = PalmDate::Local(Day(2024, 1, 1)); }},
               {"alarm date", false,
                [](auto& p) {
                  p.l.AlarmSet = p.r.AlarmSet = true, p.r.ExtDate2 = PalmDate::Local(Day(2024, 1, 1));
                }},
               {"priority", false, [](auto& p) { p.r.Priority = 2; }},
           },
           TodosEqual);

  MemoRecord memo;
  memo.Text = "Shopping\r\nmilk";
  Check<MemoRecord>(
      memo,
      {
          {"category", false, [](auto& p) { Category(p.left, 1, "Ideas"), p.l.Category = 1; }},
          {"category not shown", true,
           [](auto& p) { p.st.ShowMemoCategories = false, Category(p.left, 1, "Ideas"), p.l.Category = 1; }},
          {"text case", false, [](auto& p) { p.r.Text = "Shopping\r\nMilk"; }},
      },
      MemosTwin);

  CustomRecord a, b;
  a.Fields = b.Fields = {"Web", "bank", "u", "p", "", "", "", "x"};
  EXPECT_TRUE(CustomTwin(a, b));
  b.Fields[7] = "y";
  EXPECT_FALSE(CustomTwin(a, b));
}

// Records that differ in one compared field only are never each other's
// candidates, so each lookup tests its own twin alone. An index key that
// leaves the field out finds the same twins but tests every earlier record
// too: minutes at 30,000 records sharing a text.
template <class Record>
void ExpectOneTestPerLookup(
    Kind kind, std::vector<Record> UserStore::*records, KindHeader UserStore::*header,
    const std::vector<std::pair<const char*, std::function<void(Record&, int)>>>& fields) {
  constexpr int kRecords = 60;
  for (const auto& [what, vary] : fields) {
    std::array<UserStore, 2> stores;
    for (UserStore& s : stores) {
      for (int32_t c = 1; c <= 15; ++c) Category(s.*header, c, "Category " + std::to_string(c));
      for (int i = 0; i < kRecords; ++i) vary((s.*records).emplace_back(), i);
    }
    const Settings settings;  // the finder keeps a reference
    TwinFinder finder(stores, kind, settings, "#AN\r\n", TwinSearch::Indexed);
    for (int i = 0; i < kRecords; ++i) ASSERT_GE(finder.FindTwin(kLeft, i), 0) << what;
    EXPECT_EQ(finder.TwinTests(), size_t{kRecords}) << what;
  }
}

TEST(TwinIndex, EveryComparedFieldSeparatesTheCandidates) {
  using TodoField = std::function<void(TodoRecord&, int)>;
  ExpectOneTestPerLookup<TodoRecord>(
      Kind::ToDos, &UserStore::todos, &UserStore::todosHeader,
      {{"description", [](TodoRecord& r, int i) { r.Description = std::to_string(i); }},
       {"due date", [](TodoRecord& r, int i) { r.DueDate = PalmDate::Local(Day(2024, 1, 1) + i); }},
       {"priority", [](TodoRecord& r, int i) { r.Priority = i; }},
       {"completed", [](TodoRecord& r, int i) { r.Completed = i % 2; }},
       {"note", [](TodoRecord& r, int i) { r.Note = std::to_string(i); }},
       {"category", [](TodoRecord& r, int i) { r.Category = i % 15 + 1; }},
       {"alarm", TodoField([](TodoRecord& r, int i) {
          r.AlarmSet = true, r.ExtDate2 = PalmDate::Local(Day(2024, 1, 1) + i);
        })}});
  ExpectOneTestPerLookup<MemoRecord>(Kind::Memos, &UserStore::memos, &UserStore::memosHeader,
                                     {{"text", [](MemoRecord& r, int i) { r.Text = std::to_string(i); }},
                                      {"category", [](MemoRecord& r, int i) { r.Category = i % 15 + 1; }}});
  ExpectOneTestPerLookup<DateRecord>(
      Kind::Dates, &UserStore::dates, &UserStore::datesHeader,
      {{"description", [](DateRecord& r, int i) { r.Description = std::to_string(i); }},
       {"start", [](DateRecord& r, int i) { r.StartTime = PalmDate::Local(Day(2024, 1, 1) + i); }},
       {"note", [](DateRecord& r, int i) { r.Note = std::to_string(i); }}});
}

}  // namespace
}  // namespace mirrin
