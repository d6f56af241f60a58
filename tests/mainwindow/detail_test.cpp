#include "mainwindow/detail.h"
#include "mainwindow/detailtext.h"
#include "mainwindow/editing.h"

#include <gtest/gtest.h>

#include "display_fixture.h"
#include "mainwindow/listdisplay.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::ListAll;
using test::MakeDateRecord;

const double kDay = MakeDate(2024, 5, 1);

// ---- The detail texts ----------------------------------------------------

class DetailTextTest : public ::testing::Test {
 protected:
  Settings settings;
  LabelTables labels;
  DetailContext ctx{settings, labels};
};

TEST_F(DetailTextTest, TimedRepeatingDateWithEverything) {
  settings.DateFormat = "dd/mm/yyyy";
  DateRecord r = MakeDateRecord(1, "x", MakeDate(2024, 3, 5) + MakeTime(9, 0, 0));
  r.EndTime = PalmDate::Local(MakeDate(2024, 3, 5) + MakeTime(10, 30, 0));
  r.AlarmSet = true;
  r.AlarmAdvance = 2;
  r.AlarmUnit = 1;
  r.Repeat.Mutable().Hash = 65535;
  r.Repeat.Mutable().Brand = 3;
  r.Repeat.Mutable().EndDate = PalmDate::Local(MakeDate(2024, 12, 31));
  r.ExceptionCount = 0;
  r.Location = "Room 4";
  EXPECT_EQ(DateDetailText(ctx, r, "bring notes", "[Ann Lee]"),
            "From: 05-Mar-24 09:00\r\nTo: 05-Mar-24 10:30\r\nAlarmed: 2 hours before\r\n"
            "Repeat Monthly by Weekday\r\nRepeat Until: 31/12/2024\r\n# of Exceptions: 0\r\n"
            "Location: Room 4\r\nNote: bring notes")
      << "the Agendus contact only with Agendus on";
}

TEST_F(DetailTextTest, ToDoRepeatLines) {
  const struct {
    int brand, interval, day;
    bool afterCompletion;
    const char* line;
  } cases[] = {
      {2, 1, 0, false, "Repeat every Week"},
      {2, 2, 0, false, "Repeat every 2 Weeks"},
      {4, 3, 22, false, "Repeat every 3 Months (on 22nd)"},
      {4, 1, 13, false, "Repeat every Month (on 13th)"},
      {1, 1, 13, true, "Repeat 1 Days after completion"},
  };
  for (const auto& c : cases) {
    TodoRecord r;
    r.Description = "Pay rent";
    r.Priority = 2;
    r.DueDate = PalmDate::Local(MakeDate(2024, 6, 1));
    r.Repeat.Mutable().Brand = c.brand;
    r.Repeat.Mutable().Interval = c.interval;
    r.Repeat.Mutable().DayNumber = c.day;
    r.RepeatAfterCompletion = c.afterCompletion;
    EXPECT_EQ(TodoDetailText(ctx, r, ""),
              std::string("Pay rent\r\nPriority: 2\r\nDue: 01-Jun-24\r\n") + c.line);
  }
}

TEST_F(DetailTextTest, ToDoWithoutDueDateCompletedAndRepeatingForever) {
  TodoRecord r;
  r.Description = "  ";
  r.Completed = true;
  r.AlarmSet = true;
  r.DueDate = PalmDate::Local(MakeDate(2031, 12, 31) + MakeTime(21, 0, 0));
  r.Repeat.Mutable().Hash = 65535;
  r.Repeat.Mutable().Brand = 5;
  r.Repeat.Mutable().Interval = 1;
  r.Repeat.Mutable().EndDate = PalmDate::Local(MakeDate(2031, 12, 31));
  r.ExceptionCount = 3;
  EXPECT_EQ(TodoDetailText(ctx, r, "call first"),
            "*Completed*\r\nPriority: 0\r\nNo Due Date\r\nAlarmed\r\nRepeat every Year\r\nRepeat Forever\r\n"
            "# of Exceptions: 3\r\nNote: call first");
}

TEST_F(DetailTextTest, ContactLines) {
  ContactRecord c;
  c.LastName = "Lee";
  c.FirstName = "Ann";
  c.Title = "Dr";
  c.Company = " ";
  c.Phones[0] = {0, "555 1234"};
  c.Phones[2] = {7, "0170 99"};
  c.Phones[3] = {42, "odd label"};
  c.Addresses[1].Label = 1;
  c.Addresses[1].Street = "1 High St";
  c.Addresses[1].City = "Leeds";
  c.Addresses[2].Country = "UK";  // no street: no label line
  c.CustomFields[4] = "Birthday 1 May";
  c.InstantMessage2 = "ann99";
  c.IMLabel2 = 1;
  c.Website = "example.org";
  EXPECT_EQ(
      ContactDetailText(ctx, c, "met at fair"),
      "Dr\r\n1)Work: 555 1234\r\n3)Mobile: 0170 99\r\n4)odd label\r\nHome:\r\n1 High St\r\nLeeds\r\nUK\r\n"
      "Birthday 1 May\r\nAIM:ann99\r\nWebsite:example.org\r\nNote: met at fair\r\n");
}

// ---- Selection, editing ---------------------------------------------------

class SelectionTest : public ::testing::Test {
 protected:
  Session& s() { return t.s(); }
  UserStore& store(Side side) { return t.store(side); }
  forms::ListBox& list(Side side) { return s().List(side); }
  MainWindowControls& f() { return s().controls; }

  // Wires the handlers as the window does, counting each list's clicks.
  void Wire() {
    for (Side side : kSides) {
      for (forms::ListBox* l : {&f().panes[side].list, &f().panes[side].multiList}) {
        l->onClick = [this, side] {
          ++clicks[side];
          ListSelectionChanged(s(), side);
        };
      }
      f().panes[side].details.onChange = [this, side] { LineChanged(s(), side); };
      f().panes[side].description.onChange = [this, side] { DescChanged(s(), side); };
    }
  }

  // Left: Team meeting (day 0), Dentist (day 1); right: Team meeting (day 0), Gym (day 2).
  void ListDates(const std::string& dentist = "Dentist") {
    s().controls.kindSelector.SetText(kDatesText);
    store(kLeft).dates = {MakeDateRecord(1, "Team meeting", kDay), MakeDateRecord(2, dentist, kDay + 1)};
    store(kRight).dates = {MakeDateRecord(11, "Team meeting", kDay), MakeDateRecord(12, "Gym", kDay + 2)};
    ListAll(s(), kLeft, Kind::Dates);
    ListAll(s(), kRight, Kind::Dates);
    UpdateLists(s());
    Wire();
  }

  std::vector<std::string> EnabledButtons() {
    std::vector<std::string> on;
    for (forms::Button* b : f().AllTransferButtons()) {
      if (b->Enabled()) on.push_back(b->Caption());
    }
    return on;
  }

  test::TestSession t;
  std::array<int, 2> clicks{};
};

TEST_F(SelectionTest, PartnerIsSelectedWithoutEchoAndDeselectedWithout) {
  for (bool multi : {false, true}) {
    SCOPED_TRACE(multi ? "multiple selection" : "single selection");
    t.session = std::make_unique<Session>(t.platform);
    t.session->controls.kindSelector.AddItem(kDatesText, static_cast<int32_t>(Kind::Dates));
    clicks = {};
    if (multi) {
      s().settings.EnableMultiSelect = true;
      s().window.currentList = {&f().panes[kLeft].multiList, &f().panes[kRight].multiList};
    }
    ListDates();
    DisableTransferButtons(s());
    list(kLeft).UserClick(0);
    EXPECT_EQ(clicks[kLeft], 1) << "the right handler did not select back";
    EXPECT_EQ(clicks[kRight], 1);
    EXPECT_TRUE(list(kRight).Selected(0));
    EXPECT_EQ(EnabledButtons().size(), 10u) << "a row and its partner: every transfer";
    EXPECT_EQ(f().panes[kRight].description.Text(), "Team meeting");
    if (multi) continue;
    // A row without partner: nothing may stay selected on the right for a transfer or deletion to act on.
    list(kLeft).UserClick(1);
    EXPECT_EQ(list(kRight).ListIndex(), -1);
    EXPECT_EQ(s().window.currentIndex[kRight], -1);
    EXPECT_EQ(f().panes[kRight].details.Text(), "");
    EXPECT_EQ(EnabledButtons(),
              (std::vector<std::string>{"<---- &Private", "A&dd ---->", "<---- D&elete", "M&ove ---->"}));
  }
}

TEST_F(SelectionTest, NotesModeEditsOnlyTheBodyOfALinkedDateNote) {
  s().settings.Agendus = true;
  ListDates();
  DateRecord& r = store(kLeft).dates[1];
  r.Note = "Ann Lee\r\n#AN\r\nbring x-rays\r\n--Do Not Change 123";
  list(kLeft).UserClick(1);
  EXPECT_NE(f().panes[kLeft].details.Text().find("Note: bring x-rays"), std::string::npos);
  f().panes[kLeft].details.SetText("edited outside notes mode");
  EXPECT_EQ(r.Note, "Ann Lee\r\n#AN\r\nbring x-rays\r\n--Do Not Change 123");
  EXPECT_FALSE(store(kLeft).Changed(Kind::Dates));

  ToggleNotesMode(s());
  EXPECT_EQ(f().panes[kLeft].details.Text(), "bring x-rays");
  EXPECT_FALSE(f().panes[kLeft].details.Locked());
  f().panes[kLeft].details.UserType("bring x-rays and forms");
  EXPECT_EQ(r.Note, "Ann Lee\r\n#AN\r\nbring x-rays and forms\r\n--Do Not Change 123");
  EXPECT_TRUE(store(kLeft).Changed(Kind::Dates));

  // KeepCategories shows the body without the trailer, so an edit keeps it.
  s().settings.Agendus = false;
  s().settings.KeepCategories = true;
  r.Note = "plain\r\n--Do Not Change 9";
  list(kLeft).UserClick(1);
  EXPECT_EQ(f().panes[kLeft].details.Text(), "plain");
  f().panes[kLeft].details.UserType("plainer");
  EXPECT_EQ(r.Note, "plainer\r\n--Do Not Change 9");
}

TEST_F(SelectionTest, EditingADescriptionRewritesTheRowAndPairs) {
  s().settings.Agendus = true;
  ListDates("Dentist [Dr Who]");
  list(kLeft).UserClick(1);
  EXPECT_EQ(f().panes[kLeft].description.Text(), "Dentist ");
  EXPECT_FALSE(f().panes[kLeft].description.Locked());
  EXPECT_NE(f().panes[kLeft].details.Text().find("Agendus Contact: [Dr Who]"), std::string::npos);

  f().panes[kLeft].description.UserType("Gym");
  EXPECT_EQ(store(kLeft).dates[1].Description, "Gym[Dr Who]");
  EXPECT_EQ(list(kLeft).List(1).substr(0, 25), "(240502) Gym - 02-May-24 ");
  EXPECT_TRUE(store(kLeft).Changed(Kind::Dates));
  EXPECT_EQ(s().Map(kLeft)[1], 1);
  EXPECT_EQ(list(kRight).ListIndex(), 1);

  list(kLeft).UserClick(0);  // Team meeting, paired with right row 0
  ASSERT_EQ(list(kRight).ListIndex(), 0);
  f().panes[kLeft].description.UserType("Board");
  EXPECT_EQ(s().Map(kRight)[0], -1);
  EXPECT_EQ(list(kRight).ListIndex(), -1);
}

TEST_F(SelectionTest, RenamingCategoriesButNeverUnfiled) {
  s().controls.kindSelector.SetText(kToDosText);
  s().window.categoriesView = true;
  AddCategory(store(kLeft).todosHeader, 1, "Business", false);
  DisplayCategories(s());
  Wire();
  const int business = test::RowOf(s(), kLeft, 1);
  list(kLeft).UserClick(business);
  f().panes[kLeft].description.UserType("Clients of the firm");
  const CategoryEntry& entry = store(kLeft).todosHeader.Categories[1];
  EXPECT_EQ(entry.LongName, "Clients of the firm");
  EXPECT_EQ(entry.ShortName, "Clients ");
  EXPECT_EQ(list(kLeft).List(business), "Clients of the f\tNo");
  EXPECT_TRUE(store(kLeft).Changed(Kind::ToDos));

  list(kLeft).UserClick(test::RowOf(s(), kLeft, 0));
  f().panes[kLeft].description.SetText("Misc");  // even a change made by the program
  EXPECT_EQ(store(kLeft).todosHeader.Categories[0].LongName, "Unfiled");
}

}  // namespace
}  // namespace mirrin
