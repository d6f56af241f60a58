#include "save/save.h"

#include <gtest/gtest.h>

#include "palmdata/fileio.h"
#include "palmdata/memofile.h"
#include "save/wiring.h"
#include "startup/version.h"
#include "two_users.h"

namespace mirrin {
namespace {

using test::ReadFileBytes;

const char* const kRefusalTail =
    " is running.  Mirrin cannot save data while Palm Desktop or HotSync are running.  If you have "
    "been changing data in Mirrin and Palm Desktop then saving Mirrin data could result in losing "
    "changes made in Palm Desktop.";

class SaveTest : public test::TwoUsers {
 protected:
  SaveTest() { WireSaveMenus(s()); }

  std::string MemoText(Side side) {
    return ReadBack<MemoRecord>(side, "/memopad/memopad.dat", ReadMemoFile).at(0).Text;
  }
  // Runs the exit routine; true when it ended the program.
  bool Exit() {
    try {
      s().form.cmdExit.Press();
    } catch (const ProgramEnd&) {
      return true;
    }
    return false;
  }
  std::string LogText() {
    const std::string path = s().log.FileName(p().Now());
    return FileExists(path) ? ReadWholeFile(path) : std::string();
  }
};

TEST_F(SaveTest, AFailedSaveNamesTheFilesNotWrittenAndKeepsTheirChanges) {
  ChangeMemo(kLeft, 0, "written");
  ChangeDate(kRight, 0, "not written");
  ChangeMemo(kRight, 0, "not written either");
  BlockFolder(kRight, "/datebook");
  const std::string rightMemos = ReadFileBytes(File(kRight, "/memopad/memopad.dat"));

  s().form.mnuSave.Press();

  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_EQ(p().boxes[0].text.rfind("writeout 21 ", 0), 0u);
  const test::ShownBox& told = p().boxes[1];
  EXPECT_NE(told.text.find(s().settings.UserDir2 + "\\datebook\\datebook.dat\r\n"), std::string::npos);
  EXPECT_NE(told.text.find(s().settings.UserDir2 + "\\memopad\\memopad.dat\r\n"), std::string::npos);
  EXPECT_EQ(told.text.find("UserA"), std::string::npos) << "a written file is not named";
  EXPECT_EQ(told.title, "Mirrin");

  EXPECT_EQ(MemoText(kLeft), "written");
  EXPECT_EQ(ReadFileBytes(File(kRight, "/memopad/memopad.dat")), rightMemos);
  EXPECT_FALSE(store(kLeft).Changed(Kind::Memos));
  EXPECT_TRUE(store(kRight).Changed(Kind::Dates));
  EXPECT_TRUE(store(kRight).Changed(Kind::Memos));
  EXPECT_TRUE(s().form.mnuSave.Enabled());

  // Once the folder is back, the next save writes what was left.
  std::filesystem::remove(File(kRight, "/datebook"));
  std::filesystem::create_directories(File(kRight, "/datebook"));
  s().form.mnuSave.Press();
  EXPECT_EQ(MemoText(kRight), "not written either");
  EXPECT_EQ(ChangedWord(s().stores), 0);
  EXPECT_FALSE(s().form.mnuSave.Enabled());
  EXPECT_EQ(p().boxes.size(), 2u) << "a save that succeeds says nothing";
}

TEST_F(SaveTest, SaveIsRefusedWhilePalmDesktopOrHotSyncIsRunning) {
  for (const char* running : {"HotSync Progress", "Palm Desktop"}) {
    p().boxes.clear();
    p().windowTitles = {"Editor", running};
    ChangeMemo(kLeft, 0, "refused");
    const auto before = Snapshot();
    s().form.mnuSave.Press();
    ASSERT_EQ(p().boxes.size(), 1u);
    EXPECT_EQ(p().boxes[0].text, running + std::string(kRefusalTail));
    EXPECT_EQ(p().boxes[0].style, mb::OKOnly | mb::Critical);
    EXPECT_EQ(p().boxes[0].title, "Mirrin " + VersionText());
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(store(kLeft).Changed(Kind::Memos));
    EXPECT_TRUE(s().form.mnuSave.Enabled());
  }
}

TEST_F(SaveTest, WithNoChangesSaveOnlyDisablesItself) {
  s().form.mnuSave.SetEnabled(true);
  p().windowTitles = {"Palm Desktop"};  // not even looked at
  const auto before = Snapshot();
  s().form.mnuSave.Press();
  EXPECT_FALSE(s().form.mnuSave.Enabled());
  EXPECT_TRUE(p().boxes.empty());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SaveTest, AnUnsupportedVersionStopsEverySave) {
  s().data.unsupportedVersion = true;
  ChangeMemo(kLeft, 0, "never saved");
  const auto before = Snapshot();

  s().form.mnuSave.Press();
  ASSERT_EQ(p().boxes.size(), 1u);
  EXPECT_NE(p().boxes[0].text.find("No data file was written"), std::string::npos);
  EXPECT_EQ(ChangedWord(s().stores), 0);
  EXPECT_FALSE(s().form.mnuSave.Enabled());

  ChangeMemo(kLeft, 0, "nor at exit");
  EXPECT_TRUE(Exit());  // nothing asked: an unscripted question would fail the test
  EXPECT_EQ(p().boxes.size(), 1u);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SaveTest, ExitAsksAndYesSavesBeforeEnding) {
  ChangeMemo(kRight, 0, "saved at exit");
  p().ScriptAnswers({mb::Yes});
  EXPECT_TRUE(Exit());
  ASSERT_EQ(p().boxes.size(), 1u);
  EXPECT_EQ(p().boxes[0].text, "Save Data Changes before Exit?");
  EXPECT_EQ(p().boxes[0].style, 51);
  EXPECT_EQ(p().boxes[0].title, "Mirrin");
  EXPECT_EQ(MemoText(kRight), "saved at exit");
  EXPECT_NE(LogText().find(" - Mirrin Version " + VersionText() + " finished\r\n"), std::string::npos);
}

TEST_F(SaveTest, ExitNoDiscardsAndCancelStays) {
  const auto before = Snapshot();
  ChangeMemo(kRight, 0, "discarded");
  p().ScriptAnswers({mb::Cancel});
  EXPECT_FALSE(Exit());
  EXPECT_TRUE(store(kRight).Changed(Kind::Memos));
  EXPECT_EQ(LogText().find("finished"), std::string::npos);

  p().ScriptAnswers({mb::No});
  EXPECT_TRUE(Exit());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(p().boxes.size(), 2u);
}

TEST_F(SaveTest, ExitWithYesStaysWhenItCannotSave) {
  ChangeMemo(kLeft, 0, "kept in memory");
  const auto before = Snapshot();

  p().windowTitles = {"HotSync Progress"};
  p().ScriptAnswers({mb::Yes});
  EXPECT_FALSE(Exit());
  ASSERT_EQ(p().boxes.size(), 2u);
  EXPECT_EQ(p().boxes[1].text, "HotSync Progress" + std::string(kRefusalTail));
  EXPECT_EQ(Snapshot(), before);

  p().windowTitles.clear();
  BlockFolder(kLeft, "/memopad");
  p().ScriptAnswers({mb::Yes});
  EXPECT_FALSE(Exit());
  ASSERT_EQ(p().boxes.size(), 5u);  // question, error report, what was not saved
  EXPECT_EQ(p().boxes[3].text.rfind("writeout 13 ", 0), 0u);
  EXPECT_NE(p().boxes[4].text.find("memopad.dat"), std::string::npos);
  EXPECT_NE(p().boxes[4].text.find("has not been closed"), std::string::npos);
  EXPECT_TRUE(store(kLeft).Changed(Kind::Memos));
  EXPECT_EQ(store(kLeft).memos[0].Text, "kept in memory");
}

TEST_F(SaveTest, ExitWritesTheCategoryFilterFileOnlyWhenFiltersChanged) {
  const std::string path = t.dir.File("MirrinCategoriestoExclude.cfg");
  EXPECT_TRUE(Exit());  // nothing changed: no question
  EXPECT_FALSE(std::filesystem::exists(path));

  store(kRight).memosHeader.Categories[0].Show = false;
  s().filters.changed = true;
  EXPECT_TRUE(Exit());
  EXPECT_NE(ReadFileBytes(path).find("UserB|Memos|Unfiled\r\n"), std::string::npos);
  EXPECT_TRUE(p().boxes.empty());
}

TEST_F(SaveTest, TheUsersDialogWaitsForChangesToBeSavedOrAbandoned) {
  EXPECT_TRUE(ConfigUserGuard(s()));
  EXPECT_TRUE(p().boxes.empty());
  ChangeContact(kLeft, 0, "pending");
  EXPECT_FALSE(ConfigUserGuard(s()));
  ASSERT_EQ(p().boxes.size(), 1u);
  EXPECT_EQ(p().boxes[0].text,
            "Data has been changed for the current users.  Please exit Mirrin in order to save or "
            "abandon these changes before altering any user settings");
  EXPECT_EQ(p().boxes[0].style, mb::OKOnly);
  EXPECT_EQ(p().boxes[0].title, "Mirrin");
}

}  // namespace
}  // namespace mirrin
