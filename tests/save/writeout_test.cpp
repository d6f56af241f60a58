#include "save/writeout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "mainwindow/loaduser.h"
#include "two_users.h"

namespace mirrin {
namespace {

class WriteoutTest : public test::TwoUsers {};

// Loading a user and saving each fill the status row from empty to its end.
TEST_F(WriteoutTest, LoadAndSaveFillTheStatusRow) {
  std::vector<size_t> lengths;
  s().controls.progress.onChange = [&] { lengths.push_back(s().controls.progress.Text().size()); };
  LoadUser(s(), kLeft);
  ChangeDate(kRight, 1, "y");
  Writeout(s());
  ASSERT_FALSE(lengths.empty());
  const auto save = std::find(lengths.begin() + 1, lengths.end(), 0u);
  EXPECT_TRUE(lengths.front() == 0 && save != lengths.end() && save[-1] == 74 && lengths.back() == 74);
  EXPECT_TRUE(std::is_sorted(lengths.begin(), save) && std::is_sorted(save, lengths.end()));
  EXPECT_FALSE(s().controls.progress.Visible());
}

}  // namespace
}  // namespace mirrin
