#include "save/writeout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "palmdata/addressfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/memofile.h"
#include "records/loaduser.h"
#include "save/save.h"
#include "two_users.h"

namespace mirrin {
namespace {

using test::ReadFileBytes;

class WriteoutTest : public test::TwoUsers {
 protected:
  std::vector<MemoRecord> Memos(Side side) { return ReadBack<MemoRecord>(side, "/memopad/memopad.dat", ReadMemoFile); }
  std::vector<ContactRecord> Contacts(Side side) {
    return ReadBack<ContactRecord>(side, "/address/address.dat", ReadAddressFile);
  }
};

TEST_F(WriteoutTest, OnlyTheChangedKindIsBackedUpAndWritten) {
  const auto before = Snapshot();
  ChangeContact(kRight, 1, "Renamed");

  const WriteoutResult result = Writeout(s());

  ASSERT_TRUE(result.AllWritten());
  ASSERT_EQ(result.written.size(), 1u);
  EXPECT_EQ(result.written[0].side, kRight);
  EXPECT_EQ(result.written[0].kind, Kind::Contacts);
  EXPECT_TRUE(p().boxes.empty());

  const auto after = Snapshot();
  const std::string address = "UserB/address/address.dat";
  EXPECT_EQ(after.at("UserB/address/Mirrin_backup_address.dat"), before.at(address));
  const auto contacts = Contacts(kRight);
  ASSERT_EQ(contacts.size(), 2u);
  EXPECT_EQ(contacts[1].LastName, "Renamed");
  EXPECT_EQ(contacts[1].Status, 2);

  // Every other file that existed is untouched; the only new ones are the
  // backup and the pristine copies of both users' address, memo and To Do files.
  for (const auto& [path, bytes] : before) {
    if (path != address) {
      EXPECT_EQ(after.at(path), bytes) << path;
    }
  }
  std::set<std::string> added;
  for (const auto& [path, bytes] : after) {
    if (!before.count(path)) added.insert(path);
  }
  const std::set<std::string> expected{
      "UserA/address/address.dat.preMirrin22", "UserA/memopad/memopad.dat.preMirrin22",
      "UserA/todo/todo.dat.preMirrin22",       "UserB/address/address.dat.preMirrin22",
      "UserB/memopad/memopad.dat.preMirrin22", "UserB/todo/todo.dat.preMirrin22",
      "UserB/address/Mirrin_backup_address.dat"};
  EXPECT_EQ(added, expected);
  EXPECT_EQ(after.at("UserA/todo/todo.dat.preMirrin22"), before.at("UserA/todo/todo.dat"));
  EXPECT_EQ(after.at("UserB/address/address.dat.preMirrin22"), before.at(address));

  // writeout leaves the flags to its callers; the busy pointer and panel are back.
  EXPECT_TRUE(store(kRight).Changed(Kind::Contacts));
  EXPECT_EQ(p().busyHistory.back(), false);
  EXPECT_FALSE(s().form.closeup.Visible());
}

TEST_F(WriteoutTest, PristineCopiesAreMadeOnceAndBackupsFollowEachSave) {
  const std::string memopad = File(kLeft, "/memopad/memopad.dat");
  const std::string original = ReadFileBytes(memopad);
  s().settings.IncludeToDo = false;  // no To Do pristine copy then
  ChangeMemo(kLeft, 0, "First");
  ASSERT_TRUE(Writeout(s()).AllWritten());
  const std::string afterFirst = ReadFileBytes(memopad);
  EXPECT_FALSE(Exists(kLeft, "/todo/todo.dat.preMirrin22"));

  // The datebook's copy is made at loading; when that failed, saving makes it.
  const std::string datebook = File(kLeft, "/datebook/datebook.dat");
  std::filesystem::remove(datebook + ".preMirrin22");
  ChangeMemo(kLeft, 0, "Second");
  ASSERT_TRUE(Writeout(s()).AllWritten());
  EXPECT_EQ(ReadFileBytes(datebook + ".preMirrin22"), ReadFileBytes(datebook));

  EXPECT_EQ(ReadFileBytes(memopad + ".preMirrin22"), original);
  EXPECT_EQ(ReadFileBytes(File(kLeft, "/memopad/Mirrin_backup_memopad.dat")), afterFirst);
  EXPECT_EQ(Memos(kLeft).at(0).Text, "Second");
}

TEST_F(WriteoutTest, FilesAreWrittenInTheFixedOrderUser1First) {
  ChangeMemo(kRight, 0, "m");
  ChangeDate(kRight, 0, "d");
  ChangeContact(kLeft, 0, "c");
  store(kLeft).Changed(Kind::ToDos) = true;
  const WriteoutResult result = Writeout(s());
  std::vector<std::pair<Side, Kind>> order;
  for (const SavedFile& f : result.written) order.emplace_back(f.side, f.kind);
  const std::vector<std::pair<Side, Kind>> expected{
      {kLeft, Kind::Contacts}, {kLeft, Kind::ToDos}, {kRight, Kind::Dates}, {kRight, Kind::Memos}};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(result.written[2].path, s().settings.UserDir2 + "\\datebook\\datebook.dat");
}

TEST_F(WriteoutTest, AMissingUserFolderFailsAtUser2sStep) {
  ChangeMemo(kRight, 1, "lost?");
  std::filesystem::remove_all(Dir(kRight));
  const WriteoutResult result = Writeout(s());
  EXPECT_TRUE(result.written.empty());
  ASSERT_EQ(result.notWritten.size(), 1u);
  ASSERT_EQ(p().boxes.size(), 1u);
  EXPECT_EQ(p().boxes[0].text.rfind("writeout 23  has caused an error. ", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(Dir(kRight)));
}

TEST_F(WriteoutTest, AFailedPristineCopyIsReportedByStepTagAndWritingGoesOn) {
  // A folder where the copy should go cannot be replaced by a file.
  std::filesystem::create_directories(File(kLeft, "/todo/todo.dat.preMirrin22"));
  std::filesystem::create_directories(File(kRight, "/address/address.dat.preMirrin22"));
  ChangeMemo(kRight, 0, "still written");

  const WriteoutResult result = Writeout(s());

  EXPECT_TRUE(result.AllWritten());
  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_EQ(p().boxes[0].text.rfind("Writeout1 bb1 : Copying file has caused an error.", 0), 0u);
  EXPECT_EQ(p().boxes[1].text.rfind("Writeout2 cc2 : Copying file has caused an error.", 0), 0u);
  EXPECT_EQ(Memos(kRight).at(0).Text, "still written");
  // The other pristine copies were still made.
  EXPECT_TRUE(Exists(kLeft, "/address/address.dat.preMirrin22"));
  EXPECT_TRUE(Exists(kRight, "/todo/todo.dat.preMirrin22"));
}

TEST_F(WriteoutTest, TheCustomKindIsWrittenWithoutBackup) {
  s().settings.Custom1 = "SplashID";
  test::WriteFileBytes(File(kLeft, "/export.csv"), "Cat,a,b,c,d,e,f,g\r\n");
  s().settings.Custom1File = "\\export.csv";
  CustomRecord r;
  r.Fields = {"Web", "site", "", "", "", "", "", ""};
  store(kLeft).custom.push_back(r);
  store(kLeft).Changed(Kind::Custom) = true;

  ASSERT_TRUE(Writeout(s()).AllWritten());

  EXPECT_EQ(ReadFileBytes(File(kLeft, "/export.csv.preMirrin22")), "Cat,a,b,c,d,e,f,g\r\n");
  EXPECT_NE(ReadFileBytes(File(kLeft, "/export.csv")).find("Web"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir(kLeft)),
                          std::filesystem::directory_iterator()),
            6);  // four kind folders, the file and its pristine copy: no backup
}

TEST_F(WriteoutTest, NothingHappensWhileAUserFieldShowsItsInitialText) {
  ChangeMemo(kLeft, 0, "x");
  s().form.UserRight.onChange = nullptr;
  s().form.UserRight.SetText("UserRight");
  const auto before = Snapshot();
  const WriteoutResult result = Writeout(s());
  EXPECT_TRUE(result.written.empty());
  EXPECT_EQ(result.notWritten.size(), 1u);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(p().busyHistory.empty() || !p().busyHistory.back());
}

// Loading a user and saving each fill the status row from empty to its end.
TEST_F(WriteoutTest, LoadAndSaveFillTheStatusRow) {
  std::vector<size_t> lengths;
  s().form.txtStatus.onChange = [&] { lengths.push_back(s().form.txtStatus.Text().size()); };
  LoadUser(s(), kLeft);
  ChangeDate(kRight, 1, "y");
  Writeout(s());
  ASSERT_FALSE(lengths.empty());
  const auto save = std::find(lengths.begin() + 1, lengths.end(), 0u);
  EXPECT_TRUE(lengths.front() == 0 && save != lengths.end() && save[-1] == 74 && lengths.back() == 74);
  EXPECT_TRUE(std::is_sorted(lengths.begin(), save) && std::is_sorted(save, lengths.end()));
  EXPECT_FALSE(s().form.txtStatus.Visible());
}

}  // namespace
}  // namespace mirrin
