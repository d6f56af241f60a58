#include "mainwindow/rowtext.h"

#include <gtest/gtest.h>

#include "display_fixture.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::MakeDateRecord;

// The plain forms are pinned by the scenarios' list printouts; these are the
// settings those do not reach.
const std::string kSpaces(100, ' ');
const double kJan31 = MakeDate(2024, 1, 31) + MakeTime(9, 30, 0);

class RowTextTest : public ::testing::Test {
 protected:
  Session& s() { return t.s(); }
  UserStore& left() { return t.store(kLeft); }
  test::TestSession t;
};

TEST_F(RowTextTest, DatePrefixesAgendusAndNoteCode) {
  s().settings.DateFormat = "dd/mm/yy";
  AddCategory(left().datesHeader, 1, " Work ");
  AddCategory(left().datesHeader, 2, "Home");
  DateRecord r = MakeDateRecord(1234, "Dentist", kJan31);
  r.Category = 1;
  left().dates.push_back(r);
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(240131) Dentist - 31/01/24" + kSpaces + "1234");
  EXPECT_EQ(left().Display(Kind::Dates, 0).textStart, 10);
  s().settings.ShowDatebookCategories = true;
  s().settings.SortbyCategory = true;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0), "(Work)(240131) Dentist - 31/01/24" + kSpaces + "1234");
  EXPECT_EQ(left().Display(Kind::Dates, 0).textStart, 16);

  s().settings.SortbyCategory = false;
  s().settings.Agendus = true;
  left().dates[0].Description = "Lunch [Ann Lee] at noon ";
  left().dates[0].Note = "##@@B\r\nbody";  // the note's code names category 2, the record says 1
  EXPECT_EQ(RowText(s(), kLeft, Kind::Dates, 0),
            "(240131)(Home) Lunch  at noon  - 31/01/24" + kSpaces + "1234");
}

TEST_F(RowTextTest, ContactsWithoutNameOrCategory) {
  ContactRecord c;
  c.RecordId = 77;
  c.Company = " Acme ";
  left().contacts = {c, ContactRecord{}};
  s().settings.ShowCompany = true;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 1), "(Unfiled) " + kSpaces) << "no name: the empty company";
  s().settings.ShowCategories = false;
  s().settings.ShowCompany = false;
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 0), "Acme" + kSpaces + "77");
  EXPECT_EQ(left().Display(Kind::Contacts, 0).textStart, 1);
  EXPECT_EQ(RowText(s(), kLeft, Kind::Contacts, 1), ", " + kSpaces);
  // The text starts after the category's characters, not its bytes.
  s().settings.DBCS = s().settings.ShowCategories = true;
  AddCategory(left().contactsHeader, 1, "\x82\xA0\x82\xA2");
  left().contacts[1].Category = 1;
  RowText(s(), kLeft, Kind::Contacts, 1);
  EXPECT_EQ(left().Display(Kind::Contacts, 1).textStart, 5);
  EXPECT_THROW(RowText(s(), kLeft, Kind::Dates, 0), RunError) << "an index without a record";
}

TEST_F(RowTextTest, MemoTitleIsMatchedUntrimmed) {
  MemoRecord memo;
  memo.RecordId = 9;
  memo.Text = " Shopping \r\nmilk\r\neggs";
  left().memos.push_back(memo);
  EXPECT_EQ(RowText(s(), kLeft, Kind::Memos, 0), "(Unfiled) Shopping" + kSpaces + "9");
  EXPECT_EQ(left().Display(Kind::Memos, 0).pairText.Get(), " Shopping ");
}

}  // namespace
}  // namespace mirrin
