#include "support/fake_platform.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "ui/forms/listbox.h"

namespace mirrin::test {
namespace {

TEST(FakePlatformTest, AnswersFromTheScriptAndRecordsEveryBox) {
  FakePlatform p;
  p.ScriptAnswers({mb::No, mb::Yes});
  EXPECT_EQ(p.MsgBox("Save Data Changes before Exit?", 51, "Mirrin"), mb::No);
  EXPECT_EQ(p.MsgBox("Again?", mb::YesNo, "Mirrin"), mb::Yes);
  EXPECT_EQ(p.MsgBox("Done", mb::Information, "Mirrin"), mb::OK);
  ASSERT_EQ(p.boxes.size(), 3u);
  EXPECT_EQ(p.boxes[0].style, mb::YesNoCancel | mb::Exclamation);
  EXPECT_EQ(p.boxes[2].text, "Done");
}

TEST(FakePlatformTest, UnscriptedQuestionFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        FakePlatform p;
        EXPECT_EQ(p.MsgBox("Sure?", mb::YesNo | mb::Question, "Mirrin"), mb::Cancel);
      },
      "unscripted message box");
}

TEST(ItemListTest, RowTextCanBeRewrittenInPlace) {
  forms::ListBox l;
  l.AddItems({{"Business\tYes", 1}, {"Personal\tYes", 2}});
  l.SetListIndex(1);
  l.SetList(l.ListIndex(), "Personal\tNo");
  EXPECT_EQ(l.Text(), "Personal\tNo");
  EXPECT_EQ(l.ItemData(1), 2);
}

}  // namespace
}  // namespace mirrin::test
