#include "records/rowtext.h"

#include <gtest/gtest.h>

#include "display_fixture.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::MakeDateRecord;

const std::string kSpaces(100, ' ');
const double kJan31 = MakeDate(2024, 1, 31) + MakeTime(9, 30, 0);

class RowTextTest : public ::testing::Test {
 protected:
  Session& s() { return t.s(); }
  UserStore& left() { return t.store(kLeft); }
  test::TestSession t;
};

TEST_F(RowTextTest, DatePrefixFormsAndListTextStart) {
  s().settings.DateFormat = "dd/mm/yy";
  AddCategory(left().datesHeader, 1, " Work ");
  DateRecord r = MakeDateRecord(1234, "Dentist", kJan31);
  r.Category = 1;
  left().dates.push_back(r);

  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(240131) Dentist - 31/01/24" + kSpaces + "1234");
  EXPECT_EQ(ListTextStart(s(), kLeft, Kind::Dates, 0), 10);

  s().settings.ShowDatebookCategories = true;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(240131)(Work) Dentist - 31/01/24" + kSpaces + "1234");
  EXPECT_EQ(left().dates[0].DateWork, 16);

  s().settings.SortbyCategory = true;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(Work)(240131) Dentist - 31/01/24" + kSpaces + "1234");
  EXPECT_EQ(left().dates[0].DateWork, 16);
}

TEST_F(RowTextTest, DateDescriptionAgendusCategoryCodeAndEmptyParts) {
  AddCategory(left().datesHeader, 1, "Work");
  AddCategory(left().datesHeader, 2, "Home");
  DateRecord r = MakeDateRecord(0, "", kJan31);
  left().dates.push_back(r);
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(240131)  - 31-Jan-24" + kSpaces)
      << "empty description: prefix, then \" - \"; id 0 writes no digits";

  left().dates[0].Description = "Lunch [Ann Lee] at noon ";
  left().dates[0].Note = "##@@B\r\nbody";  // the note's code names category 2 even with the record in 0
  s().settings.Agendus = true;
  s().settings.ShowDatebookCategories = true;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(240131)(Home) Lunch  at noon  - 31-Jan-24" + kSpaces);
}

TEST_F(RowTextTest, ContactForms) {
  AddCategory(left().contactsHeader, 3, "Friends");
  ContactRecord c;
  c.RecordId = 77;
  c.Category = 3;
  c.LastName = " Lee ";
  c.FirstName = "Ann";
  c.Company = " Acme ";
  left().contacts.push_back(c);
  ContactRecord nobody;
  left().contacts.push_back(nobody);

  // Categories on: the name unless a company is shown.
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 0), "(Friends) Lee, Ann" + kSpaces + "77");
  EXPECT_EQ(ListTextStart(s(), kLeft, Kind::Contacts, 0), 10);
  s().settings.ShowCompany = true;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 0), "(Friends) Acme" + kSpaces + "77");
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 1), "(Unfiled) " + kSpaces) << "no name: the empty company";

  // Categories off: the company when shown or when there is no name.
  s().settings.ShowCategories = false;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 0), "Acme" + kSpaces + "77");
  EXPECT_EQ(ListTextStart(s(), kLeft, Kind::Contacts, 0), 1);
  s().settings.ShowCompany = false;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 0), "Lee, Ann" + kSpaces + "77");
  left().contacts[0].LastName.clear();
  left().contacts[0].FirstName.clear();
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 0), "Acme" + kSpaces + "77");
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 1), ", " + kSpaces);
}

TEST_F(RowTextTest, ToDoAndMemoForms) {
  AddCategory(t.store(kRight).todosHeader, 1, "Jobs");
  TodoRecord todo;
  todo.RecordId = 5;
  todo.Category = 1;
  todo.Description = "  Call bank ";
  t.store(kRight).todos.push_back(todo);
  EXPECT_EQ(RowText(s(), kRight, Kind::ToDos, 0), "(Jobs) Call bank" + kSpaces + "5");
  EXPECT_EQ(ListTextStart(s(), kRight, Kind::ToDos, 0), 7);
  s().settings.ShowToDoCategories = false;
  EXPECT_EQ(RowText(s(), kRight, Kind::ToDos, 0), "Call bank" + kSpaces + "5");
  EXPECT_EQ(ListTextStart(s(), kRight, Kind::ToDos, 0), 1);

  MemoRecord memo;
  memo.RecordId = 9;
  memo.Text = " Shopping \r\nmilk\r\neggs";
  left().memos.push_back(memo);
  memo.Text = "\r\nuntitled";
  left().memos.push_back(memo);
  EXPECT_EQ(RowText(s(), kLeft, Kind::Memos, 0), "(Unfiled) Shopping" + kSpaces + "9");
  EXPECT_EQ(left().memos[0].MatchText, " Shopping ") << "the pairing compares the untrimmed title";
  EXPECT_EQ(RowText(s(), kLeft, Kind::Memos, 1), "(Unfiled) " + kSpaces + "9");
  s().settings.ShowMemoCategories = false;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Memos, 1), kSpaces + "9");

}

TEST_F(RowTextTest, ListTextStartCountsDoubleByteCharacters) {
  s().settings.DBCS = true;
  AddCategory(left().todosHeader, 1, "\x82\xA0\x82\xA2");  // two characters
  TodoRecord todo;
  todo.Category = 1;
  left().todos.push_back(todo);
  RowText(s(), kLeft, Kind::ToDos, 0);
  EXPECT_EQ(left().todos[0].TodoWork, 5);
}

TEST_F(RowTextTest, AnIndexWithoutRecordIsSubscriptError) {
  try {
    RowText(s(), kLeft, Kind::Dates, 0);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::SubscriptOutOfRange);
  }
  EXPECT_THROW(ListTextStart(s(), kLeft, Kind::Memos, -1), RunError);
}

}  // namespace
}  // namespace mirrin
