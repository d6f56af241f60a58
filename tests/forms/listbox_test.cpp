#include "forms/listbox.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"

namespace mirrin::forms {
namespace {

std::vector<std::string> Texts(const ItemList& l) {
  std::vector<std::string> v;
  for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
  return v;
}

std::vector<int32_t> Data(const ItemList& l) {
  std::vector<int32_t> v;
  for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.ItemData(i));
  return v;
}

TEST(ListBoxTest, SortedInsertIgnoresCaseAndKeepsEqualTextsInAddingOrder) {
  ListBox l;
  l.AddItem("beta", 1);
  l.AddItem("Alpha", 2);
  EXPECT_EQ(l.AddItem("alpha", 3), 1);
  EXPECT_EQ(l.NewIndex(), 1);
  l.AddItem("BETA", 4);
  l.AddItem("\xe9t\xe9", 5);  // a code-page byte above 127 sorts after the letters
  l.AddItem("(240101) a", 6);
  EXPECT_EQ(Texts(l),
            (std::vector<std::string>{"(240101) a", "Alpha", "alpha", "beta", "BETA", "\xe9t\xe9"}));
  EXPECT_EQ(Data(l), (std::vector<int32_t>{6, 2, 3, 1, 4, 5}));
}

TEST(ListBoxTest, BulkFillOrdersRowsLikeOneByOneInsertion) {
  const std::vector<std::pair<std::string, int32_t>> items = {
      {"m", 1}, {"B", 2}, {"b", 3}, {"a", 4}, {"M", 5}, {"b", 6}, {"", 7}, {"z", 8}, {"B", 9},
      // Long rows: alike for 16 bytes and more, differing in case, one the start of another.
      {"(240101) Meeting with Bob", 10}, {"(240101) meeting with al", 11}, {"(240101) Lunch with everyone", 12},
      {"(240101) Meeting", 13}, {"(240101) MEETING", 14}, {"(240101) Meeting with Bob", 15}, {"\xe9t\xe9", 16}};
  ListBox one, bulk;
  for (const auto& [t, d] : std::vector<std::pair<std::string, int32_t>>{{"b", 100}, {"n", 101}}) {
    one.AddItem(t, d);
    bulk.AddItem(t, d);
  }
  for (const auto& [t, d] : items) one.AddItem(t, d);
  bulk.AddItems(items);
  EXPECT_EQ(Texts(bulk), Texts(one));
  EXPECT_EQ(Data(bulk), Data(one));

  ListBox unsorted(false);
  unsorted.AddItems({{"z", 1}, {"a", 2}});
  EXPECT_EQ(Texts(unsorted), (std::vector<std::string>{"z", "a"}));
  // The selected row stays selected.
  one.SetListIndex(one.ListCount() - 3);  // "n"
  one.AddItems({{"a", 20}, {"z", 30}});
  EXPECT_EQ(one.ItemData(one.ListIndex()), 101);
}

TEST(ListBoxTest, SettingListIndexRunsClickOnlyOnChangeButUserClickAlways) {
  ListBox l;
  l.AddItems({{"a", 1}, {"b", 2}, {"c", 3}});
  std::vector<int> seen;
  l.onClick = [&] { seen.push_back(l.ListIndex()); };
  l.SetListIndex(1);
  EXPECT_EQ(seen, (std::vector<int>{1}));  // the handler sees the new state
  l.SetListIndex(1);
  EXPECT_EQ(seen.size(), 1u);
  l.SetSelected(2, true);
  l.SetSelected(0, false);  // not selected: nothing happens
  l.SetSelected(2, false);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, -1}));
  EXPECT_EQ(l.SelCount(), 0);
  EXPECT_THROW(l.SetListIndex(3), RunError);
  EXPECT_THROW(l.SetListIndex(-2), RunError);
  // The operator's click runs Click even on the row already selected.
  l.UserClick(0);
  l.UserClick(0);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, -1, 0, 0}));
}

TEST(ListBoxTest, RemovingRowsMovesOrDropsTheSelectionWithoutClick) {
  ListBox l;
  l.AddItems({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
  l.SetListIndex(2);
  l.SetTopIndex(3);
  int clicks = 0;
  l.onClick = [&] { ++clicks; };
  l.RemoveItem(0);
  EXPECT_EQ(l.ListIndex(), 1);
  EXPECT_EQ(l.Text(), "c");
  l.RemoveItem(1);
  EXPECT_EQ(l.ListIndex(), -1);
  EXPECT_EQ(l.TopIndex(), 1) << "clamped to the last row";
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(l.NewIndex(), -1);
  l.Clear();
  EXPECT_EQ(l.ListCount(), 0);
  EXPECT_EQ(l.TopIndex(), 0);
  EXPECT_THROW(l.RemoveItem(0), RunError);
  EXPECT_THROW(static_cast<void>(l.ItemData(0)), RunError);
}

TEST(ListBoxTest, MultipleSelection) {
  ListBox l(true, true);
  l.AddItems({{"a", 1}, {"b", 2}, {"c", 3}});
  int clicks = 0;
  l.onClick = [&] { ++clicks; };
  l.SetSelected(0, true);
  l.SetSelected(2, true);
  l.SetSelected(2, true);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(l.SelCount(), 2);
  l.SetListIndex(1);  // focus there and selected; others stay
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(l.SelCount(), 3);
  EXPECT_EQ(l.ListIndex(), 1);
  l.SetSelected(1, false);
  EXPECT_EQ(l.ListIndex(), 1) << "the focus row need not be selected";
  EXPECT_FALSE(l.Selected(1));

  l.UserClick(0);  // a plain click selects only that row
  EXPECT_EQ(l.SelCount(), 1);
  l.UserClick(2, true);  // control-click adds
  l.UserClick(0, true);  // and removes
  EXPECT_FALSE(l.Selected(0));
  EXPECT_TRUE(l.Selected(2));
  EXPECT_EQ(l.SelCount(), 1);
}

}  // namespace
}  // namespace mirrin::forms
