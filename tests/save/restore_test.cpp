#include "save/restore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "palmdata/fileio.h"
#include "save/wiring.h"
#include "support/filebuilder.h"
#include "support/session_fixture.h"

namespace mirrin {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

// Restore works on the files alone, so plain bytes stand in for data files.
class RestoreTest : public ::testing::Test {
 protected:
  RestoreTest() {
    s().settings.UserDir1 = t.dir.File("Ann");
    s().settings.UserDir2 = t.dir.File("Bob");
    s().form.UserLeft.SetText("Ann");
    s().form.UserRight.SetText("Bob");
    for (const char* user : {"Ann", "Bob"}) {
      for (const char* folder : {"datebook", "address", "todo", "memopad"}) {
        std::filesystem::create_directories(t.dir.File(user) + "/" + folder);
      }
    }
    WireSaveMenus(s());
  }
  Session& s() { return t.s(); }
  test::FakePlatform& p() { return t.platform; }
  std::string F(const std::string& rel) { return t.dir.File(rel); }

  test::TestSession t;
};

TEST_F(RestoreTest, YesPutsTheBackupBackAndKeepsTheReplacedFile) {
  WriteFileBytes(F("Bob/memopad/memopad.dat"), "current");
  WriteFileBytes(F("Bob/memopad/Mirrin_backup_memopad.dat"), "backup");
  s().Store(kRight).Changed(Kind::Memos) = true;
  p().ScriptAnswers({mb::Yes});

  s().form.mnuMemo2.Press();

  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_EQ(p().boxes[0].text, "Restore Memos from Backup files for Bob?");
  EXPECT_EQ(p().boxes[0].style, 52);
  EXPECT_EQ(p().boxes[1].text, "Restore is complete. Please exit Mirrin without saving");
  EXPECT_EQ(p().boxes[1].style, 64);
  EXPECT_EQ(ReadFileBytes(F("Bob/memopad/memopad.dat")), "backup");
  EXPECT_EQ(ReadFileBytes(F("Bob/memopad/Mirrin_preRestore_memopad.dat")), "current");
  EXPECT_TRUE(s().Store(kRight).Changed(Kind::Memos));  // memory is not touched

  // A second restore keeps only the file it replaced.
  p().ScriptAnswers({mb::Yes});
  s().form.mnuMemo2.Press();
  EXPECT_EQ(ReadFileBytes(F("Bob/memopad/Mirrin_preRestore_memopad.dat")), "backup");
}

TEST_F(RestoreTest, EachItemActsOnItsOwnUserAndKind) {
  MainForm& f = s().form;
  forms::MenuItem* const items[2][4] = {{&f.mnuDate1, &f.mnuCont1, &f.mnuTodo1, &f.mnuMemo1},
                                        {&f.mnuDate2, &f.mnuCont2, &f.mnuTodo2, &f.mnuMemo2}};
  const char* const files[] = {"datebook/datebook", "address/address", "todo/todo", "memopad/memopad"};
  const char* const words[] = {"Dates", "Contacts", "Todos", "Memos"};
  for (Side side : kSides) {
    const std::string user = side == kLeft ? "Ann" : "Bob";
    for (size_t k = 0; k < 4; ++k) {
      const std::string data = F(user + "/" + files[k] + ".dat");
      const std::string folder = data.substr(0, data.rfind('/') + 1);
      const std::string name = data.substr(data.rfind('/') + 1);
      WriteFileBytes(data, "now");
      WriteFileBytes(folder + "Mirrin_backup_" + name, std::string("was ") + files[k]);
      p().boxes.clear();
      p().ScriptAnswers({mb::Yes});
      items[side][k]->Press();
      ASSERT_FALSE(p().boxes.empty());
      EXPECT_EQ(p().boxes[0].text, "Restore " + std::string(words[k]) + " from Backup files for " + user + "?");
      EXPECT_EQ(ReadFileBytes(data), std::string("was ") + files[k]);
      EXPECT_EQ(ReadFileBytes(folder + "Mirrin_preRestore_" + name), "now");
    }
  }
  const std::string log = ReadWholeFile(s().log.FileName(p().Now()));
  EXPECT_NE(log.find(" - Restoring Todos for Bob\r\n"), std::string::npos);
}

TEST_F(RestoreTest, NoLeavesEveryFileAlone) {
  WriteFileBytes(F("Ann/address/address.dat"), "current");
  WriteFileBytes(F("Ann/address/Mirrin_backup_address.dat"), "backup");
  p().ScriptAnswers({mb::No});
  Restore(s(), kLeft, Kind::Contacts);
  EXPECT_EQ(p().boxes.size(), 1u);
  EXPECT_EQ(ReadFileBytes(F("Ann/address/address.dat")), "current");
  EXPECT_FALSE(std::filesystem::exists(F("Ann/address/Mirrin_preRestore_address.dat")));
}

TEST_F(RestoreTest, AMissingFileIsNamedAndNothingIsCopied) {
  WriteFileBytes(F("Ann/todo/todo.dat"), "current");
  p().ScriptAnswers({mb::Yes});
  Restore(s(), kLeft, Kind::ToDos);
  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_NE(p().boxes[1].text.find(s().settings.UserDir1 + "\\todo\\Mirrin_backup_todo.dat"),
            std::string::npos);
  EXPECT_EQ(p().boxes[1].style, mb::OKOnly | mb::Critical);
  EXPECT_FALSE(std::filesystem::exists(F("Ann/todo/Mirrin_preRestore_todo.dat")));
  EXPECT_EQ(ReadFileBytes(F("Ann/todo/todo.dat")), "current");

  WriteFileBytes(F("Bob/datebook/Mirrin_backup_datebook.dat"), "backup");
  p().ScriptAnswers({mb::Yes});
  Restore(s(), kRight, Kind::Dates);
  ASSERT_EQ(p().boxes.size(), 4u);
  EXPECT_NE(p().boxes[3].text.find(s().settings.UserDir2 + "\\datebook\\datebook.dat does not exist"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(F("Bob/datebook/datebook.dat")));
}

TEST_F(RestoreTest, AFailedCopyIsToldAndTheDataFileStaysWhole) {
  WriteFileBytes(F("Bob/address/address.dat"), "current");
  WriteFileBytes(F("Bob/address/Mirrin_backup_address.dat"), "backup");
  // A folder in the way of the pre-restore copy.
  std::filesystem::create_directories(F("Bob/address/Mirrin_preRestore_address.dat"));
  p().ScriptAnswers({mb::Yes});
  Restore(s(), kRight, Kind::Contacts);
  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_EQ(p().boxes[1].text.rfind("Restore failed: " + s().settings.UserDir2 +
                                        "\\address\\address.dat could not be copied to ",
                                    0),
            0u);
  EXPECT_NE(p().boxes[1].text.find("address.dat was not changed."), std::string::npos);
  EXPECT_EQ(ReadFileBytes(F("Bob/address/address.dat")), "current");
}

TEST_F(RestoreTest, TheCustomKindHasNoRestore) {
  Restore(s(), kLeft, Kind::Custom);
  EXPECT_TRUE(p().boxes.empty());
}

}  // namespace
}  // namespace mirrin
