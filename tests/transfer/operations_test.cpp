// What the transfer scenario cannot reach: the list limit, full category
// tables and the paired Change, on the window's form model.
#include <gtest/gtest.h>

#include "palmdata/palmtime.h"
#include "mainwindow/detail.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/selectkind.h"
#include "support/palmrecords.h"
#include "support/session_fixture.h"
#include "transfer/copyrules.h"
#include "transfer/transfer.h"
#include "transfer/wiring.h"

namespace mirrin {
namespace {

DateRecord Date(int32_t id, const std::string& description, int day) {
  return test::MakeDateRecord(id, description, MakeDate(2025, 3, day) + MakeTime(12, 0, 0));
}

// The categories view's row of a category (its rows are sorted by name).
int CategoryRow(const forms::ListBox& list, const std::string& name) {
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.List(i).starts_with(name + " ")) return i;
  }
  ADD_FAILURE() << "no row " << name;
  return 0;
}

class TransferTest : public ::testing::Test {
 protected:
  TransferTest() {
    Session& session = s();
    session.controls.kindSelector.onClick = [&session] { SelectKind(session); };
    for (Side side : kSides) {
      for (forms::ListBox* list :
           {&session.controls.panes[side].list, &session.controls.panes[side].multiList}) {
        list->onClick = [&session, side] { ListSelectionChanged(session, side); };
      }
    }
    WireTransferButtons(session);
    session.settings.SuffixUser1 = " (A)";
    session.settings.SuffixUser2 = " (B)";
    session.settings.ShowCategories = false;
  }

  Session& s() { return t.s(); }
  UserStore& store(Side side) { return t.store(side); }
  forms::ListBox& list(Side side) { return s().List(side); }
  // Choosing the kind again rebuilds the lists, as the operator does.
  void Choose(const std::string& kind) {
    s().controls.kindSelector.SetListIndex(0);
    s().controls.kindSelector.SetText(kind);
  }
  void SetRecordCounts() {
    for (Side side : kSides) {
      for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos}) {
        store(side).Header(kind).RecordCount = static_cast<int32_t>(store(side).Count(kind));
      }
    }
  }

  test::TestSession t;
};

TEST_F(TransferTest, AddingPastTheListLimitIsRefusedAndChangesNothing) {
  store(kLeft).memos.resize(2);
  store(kLeft).memos[0].Text = "Adams";
  store(kLeft).memos[1].Text = "Baker";
  SetRecordCounts();
  s().settings.EnableMultiSelect = true;
  s().window.currentList = {&s().controls.panes[kLeft].multiList, &s().controls.panes[kRight].multiList};
  Choose("Memos");
  ASSERT_EQ(list(kLeft).ListCount(), 2);
  // Too many to list in a test: the full store is made after the selection.
  store(kRight).memos.resize(32766);
  store(kRight).memosHeader.RecordCount = 32766;
  for (int row : {0, 1}) list(kLeft).SetSelected(row, true);
  const std::string before = s().controls.panes[kLeft].recordCount.Caption();

  s().controls.panes[kRight].add.Press();
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_NE(t.platform.boxes[0].text.find("32767"), std::string::npos);
  EXPECT_EQ(store(kRight).memos.size(), 32766u);
  EXPECT_FALSE(store(kRight).Changed(Kind::Memos));
  EXPECT_EQ(list(kLeft).ListCount(), 2);
  EXPECT_EQ(s().controls.panes[kLeft].recordCount.Caption(), before);

  s().controls.panes[kRight].move.Press();
  EXPECT_EQ(t.platform.boxes.size(), 2u) << "Move deletes nothing it could not add";
  EXPECT_EQ(store(kLeft).memos[0].Status, kStatusUnchanged);

  list(kLeft).SetSelected(1, false);
  s().controls.panes[kRight].add.Press();
  EXPECT_EQ(store(kRight).memos.size(), 32767u) << "one more still fits";
  EXPECT_EQ(t.platform.boxes.size(), 2u);
}

// A handheld holds 15 categories of its own: adding across never makes a
// 16th nor an index above 15, and a date's "##" note code follows the
// category the record really got. The file built from the result is read
// back with the reader.
TEST_F(TransferTest, CategoryTablesStayWithinWhatAHandheldHolds) {
  s().settings.KeepCategories = true;
  s().settings.ShowDatebookCategories = true;
  s().controls.panes[kRight].userName.SetText("Ben");
  struct Case {
    int live;      // live categories of the target before the add
    int deleted;   // index of a deleted entry among them, 0 for none
    int expected;  // index "Golf" gets; 0: the table was full
  };
  for (const Case c : {Case{14, 0, 15}, Case{15, 0, 0}, Case{15, 7, 7}}) {
    for (const bool addCategories : {true, false}) {
      for (const bool categoriesView : {false, true}) {
        const std::string where = std::to_string(c.live) + "/" + std::to_string(c.deleted) + " add " +
                                  std::to_string(addCategories) + " view " + std::to_string(categoriesView);
        s().settings.AddCategories = addCategories;
        t.platform.boxes.clear();
        for (Side side : kSides) {
          store(side) = UserStore{};
          SetDefaultDatebookHeader(store(side).datesHeader, "datebook.dat");
        }
        test::AddCategory(store(kLeft).datesHeader, 1, "Golf");
        store(kLeft).dates = {Date(5, "Lesson", 10)};
        store(kLeft).dates[0].Note = "##@@A@@@@@\r\nbring clubs";
        KindHeader& target = store(kRight).datesHeader;
        for (int k = 1; k <= c.live; ++k) test::AddCategory(target, k, "Cat " + std::to_string(k));
        if (c.deleted) {
          target.Flags(static_cast<size_t>(c.deleted)).deleted = true;
          --target.CategoryCount;
        }
        SetRecordCounts();
        s().window.categoriesView = categoriesView;
        Choose("Dates");
        list(kLeft).UserClick(categoriesView ? CategoryRow(list(kLeft), "Golf") : 0);
        s().controls.panes[kRight].add.Press();

        // The categories view always adds; records take a new category only with AddCategories.
        const bool tried = categoriesView || addCategories;
        const int index = tried ? c.expected : 0;
        EXPECT_EQ(FindCategory(target, "Golf"), index > 0 ? index : -1) << where;
        if (tried && c.expected == 0) {
          ASSERT_EQ(t.platform.boxes.size(), 1u) << where;
          EXPECT_EQ(t.platform.boxes[0].text,
                    std::string("Ben's Dates already hold 15 categories: 'Golf' was not added") +
                        (categoriesView ? "" : "; those records are Unfiled"));
        } else {
          EXPECT_TRUE(t.platform.boxes.empty()) << where;
        }
        if (categoriesView) continue;

        std::vector<DateRecord> written = store(kRight).dates;
        ASSERT_EQ(written.size(), 1u) << where;
        EXPECT_EQ(written[0].Category, index) << where;
        EXPECT_EQ(written[0].Note,
                  std::string("##@@") + static_cast<char>('@' + index) + "@@@@@\r\nbring clubs")
            << where;
        DatFileHeader header;
        std::vector<DateRecord> back;
        DataContext ctx;
        ParseDatebookFile(BuildDatebookFile(target.Saved(), written, ctx), "datebook.dat", header, back, ctx);
        ASSERT_EQ(back.size(), 1u);
        EXPECT_LE(header.CategoryCount, 15) << where;
        for (const CategoryEntry& e : header.Categories) EXPECT_LE(e.Index, 15) << where;
        EXPECT_EQ(back[0].Note, written[0].Note) << where;
      }
    }
  }

  // A table read with more than the handheld holds is kept as read; the
  // operator is told the first time it is shown.
  test::AddCategory(store(kRight).datesHeader, 20, "Far");
  Choose("Dates");
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_NE(t.platform.boxes[0].text.find("Ben's Dates hold more categories than a handheld can"),
            std::string::npos);
  Choose("Dates");
  EXPECT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(FindCategory(store(kRight).datesHeader, "Far"), 20);
}

TEST_F(TransferTest, ChangeCopiesOntoThePairedRecordAndKeepsItsSuffix) {
  store(kLeft).dates = {Date(1, "Dinner at eight", 10), Date(2, "Zoo", 12)};
  store(kRight).dates = {Date(7, "Lunch (A)", 11), Date(8, "Zebra", 14)};
  store(kLeft).dates[0].Private = true;
  store(kRight).dates[0].Position = 4;
  s().settings.User1ShowPrivateDates = true;
  SetRecordCounts();
  Choose("Dates");
  // Ctrl+click pairs a row of each list.
  list(kLeft).UserClick(0);
  ListKeyDown(s(), kRight, forms::KeyCode::Ctrl);
  list(kRight).UserClick(0);
  ListKeyUp(s(), kRight);
  ASSERT_TRUE(s().controls.panes[kRight].change.Enabled());
  s().controls.panes[kRight].change.Press();

  const DateRecord& changed = store(kRight).dates[0];
  EXPECT_EQ(changed.Description, "Dinner at eight (A)");
  EXPECT_TRUE(changed.Private);
  EXPECT_EQ(changed.Status, kStatusModified);
  EXPECT_EQ(changed.RecordId, 7);
  EXPECT_EQ(changed.Position, 4);
  EXPECT_TRUE(store(kRight).Changed(Kind::Dates));
  EXPECT_FALSE(store(kLeft).Changed(Kind::Dates));
  EXPECT_EQ(list(kLeft).ListCount(), 1);
  EXPECT_EQ(list(kRight).ListCount(), 1);
  // The Ctrl+click leaves the left list as the one used last: it gets its selection back.
  EXPECT_TRUE(list(kLeft).Selected(0));
  EXPECT_EQ(list(kRight).SelCount(), 0);
}

}  // namespace
}  // namespace mirrin
