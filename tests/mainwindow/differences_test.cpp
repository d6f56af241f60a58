#include "mainwindow/differences.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "display_fixture.h"
#include "mainwindow/detail.h"
#include "mainwindow/listdisplay.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::MakeDateRecord;

constexpr std::array<Kind, 5> kAllKinds{Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos, Kind::Custom};

// One record of every kind on each side, equal field for field; the left
// files "Work" at category 1, the right at category 2.
void FillEqualRecords(test::TestSession& t) {
  Settings& set = t.s().settings;
  set.ShowDatebookCategories = set.ShowCategories = set.ShowToDoCategories = set.ShowMemoCategories = true;
  set.SuffixUser1 = " (A)";
  for (Side side : kSides) {
    UserStore& st = t.store(side);
    for (Kind kind : kAllKinds) {
      AddCategory(st.Header(kind), 0, "Unfiled");
      if (side == kRight) AddCategory(st.Header(kind), 1, "Home");
      AddCategory(st.Header(kind), side == kLeft ? 1 : 2, "Work");
    }
    const int32_t work = side == kLeft ? 1 : 2;
    st.dates.push_back(MakeDateRecord(1, "Lunch", MakeDate(2024, 5, 1) + MakeTime(12, 0, 0)));
    st.contacts.emplace_back().LastName = "Lee";
    st.todos.emplace_back().Description = "Call";
    st.memos.emplace_back().Text = "Shopping";
    st.custom.emplace_back().Fields = {"Work", "Card", "1234", "", "", "", "", ""};
    st.dates[0].Category = st.contacts[0].Category = st.todos[0].Category = st.memos[0].Category = work;
  }
}

class DifferencesTest : public ::testing::Test {
 protected:
  DifferencesTest() { FillEqualRecords(t); }
  Session& s() { return t.s(); }
  UserStore& right() { return t.store(kRight); }
  test::TestSession t;
};

TEST(DifferingFieldsTest, OnlyTheFieldsTheTwinRulesFindDifferentAreNamed) {
  struct Case {
    Kind kind;
    std::function<void(UserStore&)> change;
    std::vector<std::string> differs;
  };
  const std::vector<Case> cases{
      {Kind::Dates, [](UserStore&) {}, {}},
      {Kind::Dates,
       [](UserStore& r) { r.dates[0].AlarmSet = true, r.dates[0].Location = "Canteen"; },
       {"Alarm", "Location"}},
      // A copy made earlier carries the left user's suffix: still the same.
      {Kind::Dates, [](UserStore& r) { r.dates[0].Description = "Lunch (A)"; }, {}},
      {Kind::Dates, [](UserStore& r) { r.dates[0].Description = "Supper"; }, {"Description"}},
      // Categories compare by name: index 1 is "Home" on the right.
      {Kind::Dates, [](UserStore& r) { r.dates[0].Category = 1; }, {"Category"}},
      {Kind::Contacts, [](UserStore& r) { r.contacts[0].Phones[2].Value = "555 0100"; }, {"Phones"}},
      {Kind::ToDos, [](UserStore& r) { r.todos[0].Priority = 3; }, {"Priority"}},
      {Kind::ToDos, [](UserStore& r) { r.todos[0].Category = 1; }, {"Category"}},
      {Kind::Memos, [](UserStore& r) { r.memos[0].Text = "Shopping\r\nmilk"; }, {"Text"}},
      {Kind::Custom, [](UserStore& r) { r.custom[0].Fields[3] = "x"; }, {"Field 3"}},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    test::TestSession fresh;  // each case from equal records
    FillEqualRecords(fresh);
    cases[i].change(fresh.store(kRight));
    EXPECT_EQ(DifferingFields(fresh.s(), cases[i].kind, 0, 0), cases[i].differs) << "case " << i;
  }
}

std::vector<std::string> MarkedLines(const forms::TextBox& box) {
  std::vector<std::string> all, marked;
  std::istringstream in(box.Text());
  for (std::string line; std::getline(in, line);) all.push_back(line.substr(0, line.find('\r')));
  for (int i : box.MarkedLines()) marked.push_back(all.at(static_cast<size_t>(i)));
  return marked;
}

TEST_F(DifferencesTest, PanesMarkTheLinesOfDifferingFieldsOnly) {
  right().dates[0].AlarmSet = true;
  right().dates[0].AlarmAdvance = 5;
  right().dates[0].Note = "bring cake";
  s().controls.kindSelector.SetText(kDatesText);
  for (Side side : kSides) {
    s().window.currentList[side] = &s().controls.panes[side].list;
    test::ListAll(s(), side, Kind::Dates);
    s().List(side).SetSelected(0, true);
    s().window.currentIndex[side] = 0;
    Detail(s(), side);
  }
  MarkDifferences(s());
  // The left record has neither line; its time lines are the same on both sides.
  EXPECT_TRUE(s().controls.panes[kLeft].details.MarkedLines().empty());
  EXPECT_EQ(MarkedLines(s().controls.panes[kRight].details),
            (std::vector<std::string>{"Alarmed: 5 minutes before", "Note: bring cake"}));
  EXPECT_TRUE(s().controls.panes[kRight].description.MarkedLines().empty());
  SetPartner(s(), kRight, 0, 0);
  EXPECT_EQ(RowDifferences(s(), kRight, 0), "Alarm, Note");
  // A new text drops the marks.
  s().controls.panes[kRight].details.SetText("other");
  EXPECT_TRUE(s().controls.panes[kRight].details.MarkedLines().empty());
}

}  // namespace
}  // namespace mirrin
