#include "save/restore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "palmdata/fileio.h"
#include "save/wiring.h"
#include "two_users.h"

namespace mirrin {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;
namespace fs = std::filesystem;

// The four kinds' files as the Restore items list them.
constexpr const char* kFiles[] = {"datebook/datebook", "address/address", "todo/todo", "memopad/memopad"};
constexpr Kind kKinds[] = {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos};

// Real files: the restored kind is read back into memory. Each user's data
// files hold two records of each kind, the backups one.
class RestoreTest : public ::testing::Test {
 protected:
  RestoreTest() {
    s().settings.UserDir1 = F("Ann");
    s().settings.UserDir2 = F("Bob");
    s().form.UserLeft.SetText("Ann");
    s().form.UserRight.SetText("Bob");
    for (const char* user : {"Ann", "Bob"}) {
      const std::string older = F(std::string(user) + "-older");
      test::WriteUserFolder(older, {.dates = 1, .contacts = 1, .todos = 1});
      test::WriteMemoFolder(older, 1);
      test::WriteUserFolder(F(user), {.dates = 2, .contacts = 2, .todos = 2});
      test::WriteMemoFolder(F(user), 2);
      for (size_t k = 0; k < 4; ++k) fs::copy_file(older + "/" + kFiles[k] + ".dat", Backup(user, k));
    }
    WireSaveMenus(s());
  }
  Session& s() { return t.s(); }
  test::FakePlatform& p() { return t.platform; }
  std::string F(const std::string& rel) { return t.dir.File(rel); }
  std::string Data(const std::string& user, size_t k) { return F(user + "/" + kFiles[k] + ".dat"); }
  std::string Sibling(const std::string& user, size_t k, const char* prefix) {
    const std::string data = Data(user, k);
    const size_t slash = data.rfind('/') + 1;
    return data.substr(0, slash) + prefix + data.substr(slash);
  }
  std::string Backup(const std::string& user, size_t k) { return Sibling(user, k, "Mirrin_backup_"); }
  std::string PreRestore(const std::string& user, size_t k) { return Sibling(user, k, "Mirrin_preRestore_"); }

  test::TestSession t;
};

TEST_F(RestoreTest, EachItemPutsItsBackupBackAndReadsItIntoMemory) {
  MainForm& f = s().form;
  const char* const words[] = {"Dates", "Contacts", "Todos", "Memos"};
  for (Side side : kSides) {
    const std::string user = side == kLeft ? "Ann" : "Bob";
    const std::array<forms::MenuItem*, 4> items = f.RestoreItems(side);
    for (size_t k = 0; k < 4; ++k) {
      const std::string before = ReadFileBytes(Data(user, k));
      s().Store(side).Changed(kKinds[k]) = true;
      p().boxes.clear();
      p().ScriptAnswers({mb::Yes});
      items[k]->Press();
      ASSERT_EQ(p().boxes.size(), 2u);
      EXPECT_EQ(p().boxes[0].text, "Restore " + std::string(words[k]) + " from Backup files for " + user + "?");
      EXPECT_EQ(p().boxes[1].style, 64);
      EXPECT_EQ(ReadFileBytes(Data(user, k)), ReadFileBytes(Backup(user, k)));
      EXPECT_EQ(ReadFileBytes(PreRestore(user, k)), before);
      // Memory holds the restored file, so a save cannot undo the restore.
      EXPECT_EQ(s().Store(side).Count(kKinds[k]), 1u) << user << " " << words[k];
      EXPECT_FALSE(s().Store(side).Changed(kKinds[k]));
      if (side == kLeft) {
        EXPECT_EQ(s().Store(kRight).Count(kKinds[k]), 0u);
      }
    }
  }
  const std::string log = ReadWholeFile(s().log.FileName(p().Now()));
  EXPECT_NE(log.find(" - Restoring Todos for Bob\r\n"), std::string::npos);
}

TEST_F(RestoreTest, NoLeavesEveryFileAlone) {
  const std::string before = ReadFileBytes(Data("Ann", 1));
  p().ScriptAnswers({mb::No});
  Restore(s(), kLeft, Kind::Contacts);
  EXPECT_EQ(p().boxes.size(), 1u);
  EXPECT_EQ(ReadFileBytes(Data("Ann", 1)), before);
  EXPECT_FALSE(fs::exists(PreRestore("Ann", 1)));
}

TEST_F(RestoreTest, AMissingOrUnreadableBackupIsNamedAndNothingChanges) {
  const std::string before = ReadFileBytes(Data("Ann", 2));
  fs::remove(Backup("Ann", 2));
  WriteFileBytes(Backup("Bob", 0), std::string("\x00\x01\x42\x44\x05", 5));  // cut short
  for (auto [side, k, said] : {std::tuple{kLeft, size_t{2}, "\\todo\\Mirrin_backup_todo.dat does not exist"},
                               std::tuple{kRight, size_t{0}, "\\datebook\\Mirrin_backup_datebook.dat cannot be read"}}) {
    p().boxes.clear();
    p().ScriptAnswers({mb::Yes});
    Restore(s(), side, kKinds[k]);
    ASSERT_EQ(p().boxes.size(), 2u);
    EXPECT_NE(p().boxes[1].text.find(said), std::string::npos) << p().boxes[1].text;
    EXPECT_EQ(p().boxes[1].style, mb::OKOnly | mb::Critical);
    EXPECT_FALSE(fs::exists(PreRestore(side == kLeft ? "Ann" : "Bob", k)));
  }
  EXPECT_EQ(ReadFileBytes(Data("Ann", 2)), before);
}

TEST_F(RestoreTest, AFailedCopyIsToldAndTheDataFileStaysWhole) {
  const std::string before = ReadFileBytes(Data("Bob", 1));
  // A folder in the way of the pre-restore copy.
  fs::create_directories(PreRestore("Bob", 1));
  p().ScriptAnswers({mb::Yes});
  Restore(s(), kRight, Kind::Contacts);
  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_EQ(p().boxes[1].text.rfind("Restore failed: " + s().settings.UserDir2 +
                                        "\\address\\address.dat could not be copied to ",
                                    0),
            0u);
  EXPECT_NE(p().boxes[1].text.find("address.dat was not changed."), std::string::npos);
  EXPECT_EQ(ReadFileBytes(Data("Bob", 1)), before);
  EXPECT_EQ(s().Store(kRight).Count(Kind::Contacts), 0u);
}

TEST_F(RestoreTest, TheCustomKindHasNoRestore) {
  Restore(s(), kLeft, Kind::Custom);
  EXPECT_TRUE(p().boxes.empty());
}

}  // namespace
}  // namespace mirrin
