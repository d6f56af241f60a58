#include "ui/popupmenu.h"

#include <gtest/gtest.h>

#include "mainwindow/display_fixture.h"
#include "ui/mainwindowmodel.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::ListAll;

// Four memos of the left user listed in the multiple-selection list, with
// the category table Unfiled, Business, (deleted) Old, Ideas.
class PopupTest : public ::testing::Test {
 protected:
  PopupTest() {
    s().controls.kindSelector.SetText(kMemosText);
    s().window.currentList[kLeft] = &s().controls.panes[kLeft].multiList;
    KindHeader& header = store().memosHeader;
    header.Categories = {CategoryEntry::Unfiled()};
    AddCategory(header, 1, "Business");
    AddCategory(header, 2, "Old");
    header.Flags(2).deleted = true;
    AddCategory(header, 3, "Ideas");
    for (const char* text : {"Alpha", "Bravo", "Charlie", "Delta"}) {
      MemoRecord m;
      m.Text = text;
      store().memos.push_back(m);
    }
    ListAll(s(), kLeft, Kind::Memos);
  }

  Session& s() { return t.s(); }
  UserStore& store() { return t.store(kLeft); }
  forms::ListBox& list() { return s().List(kLeft); }
  int RowY(int row) { return row * kListRowTwips + kListRowTwips / 2; }

  test::TestSession t;
};

TEST_F(PopupTest, ChosenCategoryGoesToEverySelectedRow) {
  const std::string unselectedRow = list().List(2);
  list().UserClick(0);
  list().UserClick(1, true);
  list().UserClick(3, true);
  t.platform.popupAnswers.push_back(2);  // "Ideas": the deleted category is not offered
  ListRightClick(s(), kLeft, RowY(3));

  ASSERT_EQ(t.platform.popupsShown.size(), 1u);
  EXPECT_EQ(t.platform.popupsShown[0], (std::vector<std::string>{"Unfiled", "Business", "Ideas"}));
  std::vector<int32_t> categories;
  for (const MemoRecord& m : store().memos) categories.push_back(m.Category);
  EXPECT_EQ(categories, (std::vector<int32_t>{3, 3, 0, 3}));
  EXPECT_TRUE(store().Changed(Kind::Memos));
  EXPECT_EQ(list().List(1).substr(0, 14), "(Ideas) Bravo ") << "rows redrawn in place";
  EXPECT_EQ(list().List(2), unselectedRow);
}

// Dismissed, or a separator picked: nothing changes.
TEST_F(PopupTest, DismissedOrSeparatorChangesNothing) {
  list().UserClick(1);
  s().window.currentIndex[kLeft] = 1;
  store().memosHeader.Categories[1].LongName = " - ";
  t.platform.popupAnswers.push_back(std::nullopt);
  t.platform.popupAnswers.push_back(1);
  ListRightClick(s(), kLeft, RowY(1));
  ListRightClick(s(), kLeft, RowY(1));
  EXPECT_EQ(t.platform.popupsShown.size(), 2u);
  EXPECT_EQ(store().memos[1].Category, 0);
  EXPECT_FALSE(store().Changed(Kind::Memos));
}

TEST_F(PopupTest, ShowThisCategoryBoxHidesTheCategoryAndRewritesItsRow) {
  MainWindowModel window(s());
  store().loaded = true;
  store().read.fill(true);
  s().window.categoriesView = true;
  s().window.currentList[kLeft] = &s().controls.panes[kLeft].list;
  forms::ListBox& rows = s().controls.panes[kLeft].list;
  rows.AddItem("Ideas", 3);
  rows.SetListIndex(0);
  s().window.currentIndex[kLeft] = 3;  // the table position of "Ideas"
  s().controls.panes[kLeft].showThisCategory.SetValue(forms::CheckBox::Checked);
  s().controls.panes[kLeft].showThisCategory.UserClick();
  EXPECT_FALSE(store().memosHeader.Shown(3));
  EXPECT_EQ(rows.List(0), "Ideas" + std::string(11, ' ') + "\tNo");
  EXPECT_TRUE(s().filters.changed);
  EXPECT_TRUE(s().controls.saveItem.Enabled());
}

}  // namespace
}  // namespace mirrin
