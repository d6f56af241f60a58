#include "mainwindow/loaduser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/session_fixture.h"
#include "support/userfolder.h"

namespace mirrin {
namespace {

using test::UserFiles;

class LoadUserTest : public ::testing::Test {
 protected:
  LoadUserTest() {
    // As the main window wires them: a user field's change loads that side.
    for (Side side : kSides) {
      s().controls.panes[side].userName.onChange = [this, side] { LoadUser(s(), side, hooks); };
    }
    s().controls.kindSelector.onClick = [this] {
      kindClicks.push_back(s().controls.kindSelector.ListIndex());
    };
  }

  Session& s() { return t.s(); }
  std::string Folder(const std::string& name) { return t.dir.File(name); }

  // Writes the user's folder and selects that user on a side.
  void Give(Side side, const std::string& name, const UserFiles& files) {
    test::WriteUserFolder(Folder(name), files);
    Select(side, name);
  }
  void Select(Side side, const std::string& name, const std::string& folder = {}) {
    (side == kLeft ? s().settings.UserDir1 : s().settings.UserDir2) = Folder(folder.empty() ? name : folder);
    s().controls.panes[side].userName.SetText(name);
  }

  test::TestSession t;
  LoadUserHooks hooks;
  std::vector<int> kindClicks;
};

TEST_F(LoadUserTest, EveryKindOfTheSideIsReplacedEvenWithoutAFile) {
  s().settings.IncludeToDo = true;
  Give(kLeft, "UserA", {.dates = 2, .contacts = 3, .todos = 5});
  ASSERT_EQ(t.store(kLeft).todos.size(), 5u);

  // UserC has no files, and To Dos are no longer included: nothing of
  // UserA may stay, and each kind has its own default header.
  s().settings.IncludeToDo = false;
  std::filesystem::create_directories(Folder("UserC"));
  Select(kLeft, "UserC");
  const UserStore& st = t.store(kLeft);
  EXPECT_TRUE(st.dates.empty());
  EXPECT_TRUE(st.contacts.empty());
  EXPECT_TRUE(st.todos.empty());
  EXPECT_TRUE(st.contactsHeader.IsAddressFile());
  EXPECT_FALSE(std::filesystem::exists(test::DatebookPath(Folder("UserC")) + kSafetyCopySuffix));
}

TEST_F(LoadUserTest, ReloadingEmptiesBothListsAndResetsTheKindSelector) {
  Give(kLeft, "UserA", {.dates = 2});
  Give(kRight, "UserB", {.dates = 1});
  forms::ComboBox& combo = s().controls.kindSelector;
  combo.SetListIndex(1);
  for (Side side : kSides) {
    s().List(side).AddItem("row", 0);
    s().controls.panes[side].recordCount.SetCaption("1 Records (of 2 in total)");
  }
  kindClicks.clear();
  Give(kLeft, "UserC", {.dates = 4});
  EXPECT_EQ(kindClicks, (std::vector<int>{0}));
  for (Side side : kSides) {
    EXPECT_EQ(s().List(side).ListCount(), 0) << "no row may point into the records that were replaced";
    EXPECT_EQ(s().controls.panes[side].recordCount.Caption(), "");
  }
}

TEST_F(LoadUserTest, SafetyCopyIsMadeOnceAndNeverRefreshed) {
  Give(kLeft, "UserA", {.dates = 2});
  const std::string datebook = test::DatebookPath(Folder("UserA"));
  const std::string original = test::ReadFileBytes(datebook);
  EXPECT_EQ(test::ReadFileBytes(datebook + kSafetyCopySuffix), original);

  test::WriteUserFolder(Folder("UserA"), {.dates = 5});
  Select(kLeft, "UserA again", "UserA");
  EXPECT_EQ(t.store(kLeft).dates.size(), 5u);
  EXPECT_EQ(test::ReadFileBytes(datebook + kSafetyCopySuffix), original);
}

#ifndef _WIN32
TEST_F(LoadUserTest, FailedSafetyCopyIsReportedAndLoadingGoesOn) {
  test::WriteUserFolder(Folder("UserA"), {.dates = 2});
  // The copy cannot be written: it would go through a link into a folder that is gone.
  std::filesystem::create_symlink(Folder("gone/copy"),
                                  test::DatebookPath(Folder("UserA")) + kSafetyCopySuffix);
  Select(kLeft, "UserA");
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(
      t.platform.boxes[0].text.rfind("Loading User 'UserA': Copying datebook file has caused an error. ", 0),
      0u)
      << t.platform.boxes[0].text;
  EXPECT_EQ(t.store(kLeft).dates.size(), 2u);
}
#endif

TEST_F(LoadUserTest, ReadErrorIsReportedAndEndsTheProgram) {
  std::filesystem::create_directories(Folder("UserA") + "/datebook");
  test::WriteFileBytes(test::DatebookPath(Folder("UserA")), std::string("\x00\x01\x42\x44\x05", 5));
  s().settings.UserDir1 = Folder("UserA");
  EXPECT_THROW(s().controls.panes[kLeft].userName.SetText("UserA"), ProgramEnd);
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(t.platform.boxes[0].text.rfind("Loading User 'UserA' has caused an error. 62 ", 0), 0u)
      << t.platform.boxes[0].text;
}

TEST_F(LoadUserTest, ListCapacityGrowsWithTheLongestListAndNeverShrinks) {
  int32_t& capacity = s().window.ListCapacity;
  ASSERT_EQ(capacity, 500);
  s().Map(kLeft)[3] = 7;
  Give(kLeft, "UserA", {.dates = 700});
  EXPECT_EQ(capacity, 800);
  ASSERT_EQ(s().Map(kRight).size(), 801u);
  EXPECT_EQ(s().Map(kLeft)[3], -1);
  // To Dos make list rows too, so they count as well.
  s().settings.IncludeToDo = true;
  Give(kRight, "UserD", {.dates = 0, .contacts = 0, .todos = 1200});
  EXPECT_EQ(capacity, 1300);
  Give(kRight, "UserE", {.dates = 1});
  EXPECT_EQ(capacity, 1300);
}

}  // namespace
}  // namespace mirrin
