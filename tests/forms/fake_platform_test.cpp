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

TEST(FakePlatformTest, ClockFolderAndPopupAnswers) {
  FakePlatform p;
  p.SetNow(MakeDate(2024, 12, 31) + MakeTime(23, 59, 59));
  p.AdvanceSeconds(2);
  const CivilDateTime c = SplitDate(p.Now());
  EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, 20250101);
  EXPECT_EQ(c.second, 1);

  p.folderAnswers = {std::string("/palm"), std::nullopt};
  EXPECT_EQ(p.BrowseForFolder("Pick"), "/palm");
  EXPECT_EQ(p.BrowseForFolder("Pick"), std::nullopt);
  EXPECT_EQ(p.BrowseForFolder("Pick"), std::nullopt);
  EXPECT_EQ(p.folderPrompts.size(), 3u);

  p.popupAnswers = {1};
  EXPECT_EQ(p.PopupMenu({"Unfiled", "Work"}), 1);
  EXPECT_EQ(p.PopupMenu({"Unfiled"}), std::nullopt);
  EXPECT_EQ(p.popupsShown.at(0), (std::vector<std::string>{"Unfiled", "Work"}));
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
