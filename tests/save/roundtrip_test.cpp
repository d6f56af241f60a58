// From pressing a transfer button to the file on disk: the records the
// buttons produce are what a save writes, and nothing else changes.
#include <gtest/gtest.h>

#include "palmdata/datebookfile.h"
#include "palmdata/memofile.h"
#include "records/detail.h"
#include "records/selectkind.h"
#include "save/wiring.h"
#include "transfer/wiring.h"
#include "two_users.h"

namespace mirrin {
namespace {

class RoundTripTest : public test::TwoUsers {
 protected:
  RoundTripTest() {
    // The left user has one appointment more than the right one.
    test::WriteUserFolder(Dir(kLeft), {.dates = 3, .contacts = 2, .todos = 2});
    s().form.UserLeft.SetText("UserA2");  // reload the left side
    s().form.UserLeft.SetText("UserA");
    s().settings.SuffixUser1 = " (A)";
    s().settings.DaystoIgnore = "1000";  // the appointments lie in the past
    MainForm& f = s().form;
    f.Combo1.onClick = [this] { SelectKind(s()); };
    for (Side side : kSides) f.SingleList(side).onClick = [this, side] { ListSelectionChanged(s(), side); };
    WireTransferButtons(s());
    WireSaveMenus(s());
  }

};

TEST_F(RoundTripTest, AnAddedDateAndADeletedMemoReachTheFiles) {
  const auto before = Snapshot();
  MainForm& f = s().form;
  f.Combo1.SetText("Dates");
  ASSERT_EQ(f.List1.ListCount(), 1);
  f.List1.UserClick(0);
  f.aright.Press();

  f.Combo1.SetText("Memos");
  ASSERT_EQ(f.List1.ListCount(), 0);  // both users hold the same memos
  store(kLeft).memos[1].Text = "only left";
  store(kLeft).Changed(Kind::Memos) = true;
  f.Combo1.SetText("Dates");
  f.Combo1.SetText("Memos");
  ASSERT_EQ(f.List1.ListCount(), 1);
  f.List1.UserClick(0);
  f.dleft.Press();
  ASSERT_TRUE(f.mnuSave.Enabled());

  f.mnuSave.Press();
  EXPECT_TRUE(p().boxes.empty());
  EXPECT_FALSE(f.mnuSave.Enabled());

  const auto dates = ReadBack<DateRecord>(kRight, "/datebook/datebook.dat", ReadDatebookFile);
  ASSERT_EQ(dates.size(), 3u);
  EXPECT_EQ(dates[2].Description, "Date 2 (A)");
  EXPECT_EQ(dates[2].Status, 1);
  EXPECT_EQ(dates[2].RecordId, 2147483647);
  const auto memos = ReadBack<MemoRecord>(kLeft, "/memopad/memopad.dat", ReadMemoFile);
  ASSERT_EQ(memos.size(), 2u);
  EXPECT_EQ(memos[1].Status, 4);

  // Backups hold the files as they were; every other file is as it was.
  const auto after = Snapshot();
  EXPECT_EQ(after.at("UserB/datebook/Mirrin_backup_datebook.dat"), before.at("UserB/datebook/datebook.dat"));
  EXPECT_EQ(after.at("UserA/memopad/Mirrin_backup_memopad.dat"), before.at("UserA/memopad/memopad.dat"));
  for (const char* same : {"UserA/datebook/datebook.dat", "UserA/address/address.dat",
                           "UserB/address/address.dat", "UserB/memopad/memopad.dat",
                           "UserA/todo/todo.dat", "UserB/todo/todo.dat"}) {
    EXPECT_EQ(after.at(same), before.at(same)) << same;
  }
}

}  // namespace
}  // namespace mirrin
