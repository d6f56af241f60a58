#include "app/cli/demodata.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/cli/cli.h"
#include "palmdata/fileio.h"
#include "palmdata/users.h"
#include "records/selectkind.h"
#include "startup/config.h"
#include "support/session_fixture.h"

namespace mirrin {
namespace {

using ::testing::HasSubstr;

// The demo as the program meets it: the configuration read the way start-up
// reads it, then each user's files through the core's readers.
class DemoData : public ::testing::Test {
 protected:
  void SetUp() override {
    cli::WriteDemo(t.dir.Path() + "/palm", t.dir.Path(), today_, t.platform.timeZone);
    ReadIniFile(s().configLines, ConfigFilePath(t.dir.Path()), s().log, t.platform);
    ReadSettings(s().configLines, s().settings, t.dir.Path(), s().log, t.platform);
  }
  Session& s() { return t.s(); }
  const std::string& UserDir(Side side) { return side == kLeft ? s().settings.UserDir1 : s().settings.UserDir2; }

  void ReadUser(Side side) {
    UserStore& st = t.store(side);
    const std::string dir = UserDir(side);
    const int user = UserNumber(side);
    ReadDatebookFile(user, dir + "/datebook/datebook.dat", st.datesHeader, st.dates, s().data);
    ReadAddressFile(user, dir + "/address/address.dat", st.contactsHeader, st.contacts, s().data);
    ReadTodoFile(user, dir + "/todo/todo.dat", st.todosHeader, st.todos, s().data);
    ReadMemoFile(user, dir + "/memopad/memopad.dat", st.memosHeader, st.memos, s().data);
    st.loaded = true;
  }

  std::vector<std::string> Rows(Side side) {
    std::vector<std::string> rows;
    for (int i = 0; i < s().List(side).ListCount(); ++i) rows.push_back(s().List(side).List(i));
    return rows;
  }

  test::TestSession t;
  const double today_ = MakeDate(2024, 6, 1);  // the fixture's clock stands at noon that day
};

TEST_F(DemoData, ConfigurationNamesBothUsersOfTheUserList) {
  const Settings& set = s().settings;
  EXPECT_EQ(set.PalmDir1, t.dir.Path() + "/palm");
  EXPECT_EQ(set.PalmDir2, set.PalmDir1);
  EXPECT_TRUE(set.IncludeToDo);
  EXPECT_TRUE(set.IncludeMemo);
  EXPECT_EQ(set.LogFilePath, t.dir.Path());

  UserList users;
  ASSERT_TRUE(ReadUserFile(set.PalmDir1 + "/users.dat", users, [](const std::string& where, const RunError& e) {
    ADD_FAILURE() << where << ": " << e.what();
  }));
  ASSERT_EQ(users.UserCount, 2);
  EXPECT_EQ(users.Users[0].UserName, set.PalmUser1);
  EXPECT_EQ(users.Users[1].UserName, set.PalmUser2);
  EXPECT_EQ(set.PalmDir1 + "/" + users.Users[0].UserFolder, set.UserDir1);
  EXPECT_EQ(set.PalmDir2 + "/" + users.Users[1].UserFolder, set.UserDir2);
}

TEST_F(DemoData, OneClassicAndOneExtendedUserWhoseFilesReadAndRebuildExactly) {
  for (Side side : kSides) {
    ReadUser(side);
    const UserStore& st = t.store(side);
    for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos}) {
      EXPECT_EQ(st.Header(kind).IsExtended, side == kRight) << "side " << side;
      EXPECT_GT(st.Count(kind), 2u);
      EXPECT_GT(st.Header(kind).CategoryCount, 0);
    }
    // What the writers made, the builders make again byte for byte.
    UserStore copy = st;
    const std::string dir = UserDir(side);
    EXPECT_EQ(BuildDatebookFile(copy.datesHeader, copy.dates, s().data),
              ReadWholeFile(dir + "/datebook/datebook.dat"));
    EXPECT_EQ(BuildAddressFile(copy.contactsHeader, copy.contacts, s().data),
              ReadWholeFile(dir + "/address/address.dat"));
    EXPECT_EQ(BuildTodoFile(copy.todosHeader, copy.todos, s().data), ReadWholeFile(dir + "/todo/todo.dat"));
    EXPECT_EQ(BuildMemoFile(copy.memosHeader, copy.memos, s().data),
              ReadWholeFile(dir + "/memopad/memopad.dat"));
  }
  // The variety the demo promises: repeats, alarms, private records, notes.
  const auto& dates = t.store(kLeft).dates;
  auto any = [&](auto pred) { return std::any_of(dates.begin(), dates.end(), pred); };
  EXPECT_TRUE(any([](const DateRecord& r) { return r.Repeat.Hash != 0 && r.Repeat.Brand == 2; }));
  EXPECT_TRUE(any([](const DateRecord& r) { return r.AlarmSet; }));
  EXPECT_TRUE(any([](const DateRecord& r) { return r.Private; }));
  EXPECT_TRUE(any([](const DateRecord& r) { return !r.Note.empty(); }));
  EXPECT_EQ(t.store(kRight).dates[4].Location, "Garage Nord");
}

TEST_F(DemoData, DatesShowOneSidedAndNearRecordsAndHideTwins) {
  for (Side side : kSides) ReadUser(side);
  s().form.Combo1.SetListIndex(1);
  ASSERT_EQ(s().form.Combo1.Text(), "Dates");
  SelectKind(s());
  const std::vector<std::string> left = Rows(kLeft), right = Rows(kRight);
  ASSERT_FALSE(left.empty());
  ASSERT_FALSE(right.empty());
  auto listed = [](const std::vector<std::string>& rows, const std::string& text) {
    return std::any_of(rows.begin(), rows.end(), [&](const std::string& r) { return r.find(text) != std::string::npos; });
  };
  // Held identically by both: hidden on both sides.
  for (const char* twin : {"Dentist", "Yoga class"}) {
    EXPECT_FALSE(listed(left, twin)) << twin;
    EXPECT_FALSE(listed(right, twin)) << twin;
  }
  // Near twins on both sides; one-sided records on theirs; private ones hidden.
  EXPECT_TRUE(listed(left, "Team meeting") && listed(right, "Team meeting"));
  EXPECT_TRUE(listed(left, "Lunch with Carla"));
  EXPECT_TRUE(listed(right, "Flight to Lisbon"));
  EXPECT_FALSE(listed(left, "Doctor"));
  EXPECT_LT(left.size(), t.store(kLeft).dates.size());
}

TEST(DemoUsersFile, EntriesAfterTheFirstAreFoundThroughTheClassReference) {
  test::TempDir dir;
  const std::vector<cli::DemoUser> users{{"A", "a", false}, {"Bee", "bee folder", true}, {"C", "c", false}};
  WriteFileAtomic(dir.File("users.dat"), cli::BuildUsersFile(users));
  UserList list;
  ASSERT_TRUE(ReadUserFile(dir.File("users.dat"), list, nullptr));
  ASSERT_EQ(list.UserCount, 3);
  for (size_t i = 0; i < users.size(); ++i) {
    EXPECT_EQ(list.Users[i].UserName, users[i].name);
    EXPECT_EQ(list.Users[i].UserFolder, users[i].folder);
    EXPECT_EQ(list.Users[i].UserId, static_cast<int32_t>(i + 1));
  }
  EXPECT_THROW(cli::BuildUsersFile({{std::string(256, 'x'), "f", false}}), RunError);
}

}  // namespace
}  // namespace mirrin
