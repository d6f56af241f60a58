#include "ui/listkeys.h"

#include <gtest/gtest.h>

namespace mirrin {
namespace {

using forms::KeyCode;

forms::ListBox Rows(int n, bool multi = false) {
  forms::ListBox list(false, multi);
  for (int i = 0; i < n; ++i) list.AddItem("row " + std::to_string(i), i);
  return list;
}

TEST(ListKeys, KeysMoveWithinTheRowsAndOthersMoveNothing) {
  forms::ListBox list = Rows(10);
  list.SetListIndex(8);
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::Down, 4), 9);
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::PageDown, 4), 9);  // not past the last row
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::PageUp, 4), 4);
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::Home, 4), 0);
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::A, 4), -1);
  list.SetListIndex(-1);
  // Nothing selected: Down and Page Down start from the top, Up stays there.
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::Down, 4), 0);
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::PageDown, 4), 4);
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::Up, 4), 0);
  // A window too small for one row still pages by one.
  EXPECT_EQ(ListNavigationTarget(list, KeyCode::PageDown, 0), 1);
  EXPECT_EQ(ListNavigationTarget(Rows(0), KeyCode::Down, 4), -1);
}

TEST(ListKeys, NavigatingClicksOnceAndSelectsOnlyTheRowReached) {
  forms::ListBox list = Rows(5, true);
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  list.UserClick(1);
  list.UserClick(3, true);
  clicks = 0;
  ListNavigate(list, KeyCode::Down, 4);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.SelCount(), 1);
  EXPECT_TRUE(list.Selected(4));
  // At the last row, alone selected: Down changes nothing and clicks nothing.
  ListNavigate(list, KeyCode::Down, 4);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace mirrin
