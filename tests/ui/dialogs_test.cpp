#include <gtest/gtest.h>

#include "save/save.h"
#include "startup/catfilter.h"
#include "support/as_nobody.h"
#include "ui/startup_fixture.h"

namespace mirrin {
namespace {

using test::StartupFixture;

class DialogsTest : public ::testing::Test, public StartupFixture {
 protected:
  void StartWith(const std::vector<std::string>& extra = {}) {
    WriteConfig(extra);
    Start();
  }
  // Opens the Configure dialog from the menu; `operate` plays the operator.
  void Configure(const std::function<void(ConfigureDialogModel&)>& operate) {
    ConfigureDialogModel& d = App().configure;
    d.runModal = [&d, operate] { operate(d); };
    s().controls.configureItem.Press();
  }
  std::string File() { return test::ReadFileBytes(ConfigPath()); }
};

TEST_F(DialogsTest, CancelChangesNothingAndOkRefusesABadNumberKeepingTheEdits) {
  StartWith();
  const std::string before = File();
  Configure([](ConfigureDialogModel& d) {
    d.chkDates.UserClick();
    d.cmdCancel.Press();
  });
  EXPECT_TRUE(s().settings.IncludeDates);
  Configure([&](ConfigureDialogModel& d) {
    d.chkDates.UserClick();
    d.txtDaystoIgnore.UserType("ten");
    d.txtFirstDuplicate.UserType("40000");
    d.cmdOK.Press();  // Enter in the form presses OK too
    EXPECT_EQ(d.refusedField, &d.txtDaystoIgnore);
    EXPECT_EQ(platform.beepCount, 1);
    d.txtDaystoIgnore.UserType("7");
    d.cmdOK.Press();
    EXPECT_EQ(d.refusedField, &d.txtFirstDuplicate);
    EXPECT_NE(BoxTexts().at(0).find("\"40000\" is not a whole number"), std::string::npos);
    EXPECT_EQ(File(), before);
    d.txtFirstDuplicate.UserType("30");
    d.cmdOK.Press();
  });
  EXPECT_FALSE(s().settings.IncludeDates) << "the edits were kept";
  EXPECT_NE(File().find("\r\nDaystoIgnore=7\r\n"), std::string::npos);
  EXPECT_NE(File().find("\r\nFirstDuplicateChars=30\r\n"), std::string::npos);
}

// A file as the program writes it, with a byte-order mark, a line it cannot
// read, a key and a line of its own: a run that opens both dialogs (and
// "..." and Cancel in between) and presses OK gives it back byte for byte.
TEST_F(DialogsTest, OkWithoutChangesKeepsTheFileByteForByte) {
  StartWith({"ShowCompany=maybe", "Custom9=kept", "no equals sign", "SuffixUser1="});
  Configure([](ConfigureDialogModel& d) { d.cmdOK.Press(); });
  test::WriteFileBytes(ConfigPath(), "\xEF\xBB\xBF" + File());
  const std::string before = File();
  ASSERT_NE(before.find("\r\nUserDir1=" + AnnaDir() + "\r\nPalmUser1=Anna\r\n"), std::string::npos);

  app.reset();
  Start();
  UsersDialogModel& users = App().configUser;
  users.runModal = [&] { users.cmdCancel.Press(); };
  for (int i = 0; i < 3; ++i) s().controls.configureUsersItem.Press();
  users.runModal = [&] {
    platform.folderAnswers.push_back(palm.Path());
    users.Frame(kRight).cmdDir.Press();
    EXPECT_TRUE(s().Store(kRight).loaded) << "\"...\" unloads nobody";
    users.cmdOK.Press();
  };
  s().controls.configureUsersItem.Press();
  EXPECT_EQ(File(), before);
  Configure([](ConfigureDialogModel& d) { d.cmdOK.Press(); });
  EXPECT_EQ(File(), before);
}

// Names with "=" or a trailing blank are kept whole; one the file cannot
// give back is refused when chosen.
TEST_F(DialogsTest, UserNamesSurviveTheFile) {
  test::WriteFileBytes(palm.File("users.dat"),
                       test::UsersFile({{"Anna=B", "AnnaF"}, {"Bob ", "BobF"}, {"Y", "BobF"}}));
  test::WriteFileBytes(ConfigPath(), "PalmDir1=" + palm.Path() + "\r\nUserDir1=" + AnnaDir() +
                                         "\r\nPalmUser1=Anna=B\r\nPalmDir2=" + palm.Path() +
                                         "\r\nUserDir2=" + BobDir() + "\r\nPalmUser2=Bob \r\n");
  Start();
  UsersDialogModel& d = App().configUser;
  d.runModal = [&] {
    d.Frame(kRight).users.UserSelect(3);
    d.cmdOK.Press();
  };
  s().controls.configureUsersItem.Press();
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{
                "The user name \"Y\" cannot be kept in the configuration file; choose another user."});
  EXPECT_EQ(s().controls.panes[kRight].userName.Text(), "Bob ");
  EXPECT_NE(File().find("\r\nPalmUser1=Anna=B\r\nPalmDir2=" + palm.Path() + "\r\nUserDir2=" + BobDir() +
                        "\r\nPalmUser2=Bob \r\n"),
            std::string::npos);
}

// Hidden categories of a user switched away from, of a kind not loaded and
// of other users are written back (trimmed) after the loaded users' own; a
// category the user no longer has is dropped; the user switched to again
// gets them back.
TEST_F(DialogsTest, HiddenCategoriesOutliveAUserSwitchAndAnIncludeFlag) {
  test::WriteFileBytes(palm.File("users.dat"),
                       test::UsersFile({{"Anna", "AnnaF"}, {"Bob", "BobF"}, {"Carl", "BobF"}}));
  const std::string path = prog.File("MirrinCategoriestoExclude.cfg");
  test::WriteFileBytes(
      path,
      "Bob|Dates|Unfiled\r\nAnna|Dates|Gone\r\n Zed|Dates|X \r\nBob|Memos|Work\r\nAnna|Dates|Unfiled\r\n");
  StartWith();
  auto pickRight = [&](int entry) {
    UsersDialogModel& d = App().configUser;
    d.runModal = [&d, entry] {
      d.Frame(kRight).users.UserSelect(entry);
      d.cmdOK.Press();
    };
    s().controls.configureUsersItem.Press();
    return s().Store(kRight).datesHeader.Shown(0);
  };
  auto toggleDates = [&] {
    Configure([](ConfigureDialogModel& d) { d.chkDates.UserClick(), d.cmdOK.Press(); });
  };
  EXPECT_TRUE(pickRight(3)) << "Carl has nothing hidden";
  toggleDates();
  s().filters.changed = true;
  WriteCatExcludeFile(path, CategoryFilterUsers(s()), "", s().filters, s().log);
  const std::string written = test::ReadFileBytes(path);
  EXPECT_EQ(written.substr(written.find("Anna|")),
            "Anna|Dates|Unfiled\r\nZed|Dates|X\r\nBob|Memos|Work\r\nBob|Dates|Unfiled\r\n");
  toggleDates();
  EXPECT_FALSE(pickRight(2)) << "Bob's hidden category is back";
}

#ifndef _WIN32
// A first start asks once for the users and writes the file. When the file
// cannot be written, or could not be read (as a user who may not read it),
// OK says which file and why and leaves it as it is; the users chosen load
// all the same.
TEST_F(DialogsTest, FirstStartWritesTheFileOrSaysWhyItCannot) {
  auto start = [this] {
    app.reset();
    App().configUser.runModal = [this] {
      UsersDialogModel& d = App().configUser;
      for (Side side : kSides) {
        platform.folderAnswers.push_back(palm.Path());
        d.Frame(side).cmdDir.Press();
        d.Frame(side).users.UserSelect(side == kLeft ? 1 : 2);
      }
      d.cmdOK.Press();
    };
    platform.boxes.clear();
    Start();
    EXPECT_EQ(s().controls.panes[kRight].userName.Text(), "Bob");
    return platform.boxes.back().text;
  };
  const std::string notSaved = "The settings could not be saved to " + ConfigPath() + "\r";
  std::filesystem::create_directory(ConfigPath());  // not a missing file: an error, and left as it is
  EXPECT_EQ(start().rfind(notSaved + "it could not be read", 0), 0u);
  std::filesystem::remove(ConfigPath());
  start();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            "Configuration options not found\rPlease specify on the following screen..."});
  EXPECT_NE(File().find("\r\nUserDir2=" + palm.Path() + "\\BobF\r\nPalmUser2=Bob\r\n"), std::string::npos);

  test::OpenToAll(prog.Path());
  test::OpenToAll(palm.Path());
  std::filesystem::permissions(ConfigPath(), std::filesystem::perms(0600));
  const std::string before = File();
  EXPECT_TRUE(test::AsNobody([&] {
    EXPECT_EQ(start().rfind(notSaved + "it could not be read", 0), 0u);
    EXPECT_EQ(BoxTexts()[0].rfind("ReadIniFile has caused an error. 70 Permission denied\r\ncannot open ", 0),
              0u);
  }));
  EXPECT_EQ(File(), before);
}
#endif

TEST_F(DialogsTest, AUserWhoseFolderLeavesThePalmDirectoryIsListedButNotTaken) {
  StartWith();
  UsersDialogModel& d = App().configUser;
  test::TempDir other;
  test::WriteFileBytes(other.File("users.dat"),
                       test::UsersFile({{"Anna", "AnnaF"}, {"Eve", "..\\..\\victim"}}));
  s().settings.PalmDir2 = other.Path();
  d.FillSelectors(kRight);
  const std::string dirBefore = s().settings.UserDir2;
  d.DrawValues();  // the selectors act from here on
  d.Frame(kRight).users.UserSelect(2);
  EXPECT_EQ(platform.boxes.back().text,
            "The folder \"..\\..\\victim\" in users.dat cannot be used: it leads out of the Palm directory "
            "(\"..\").");
  EXPECT_EQ(s().settings.UserDir2, dirBefore);
  EXPECT_EQ(s().settings.PalmUser2, "Bob");
  d.Frame(kRight).cmbUserDir.UserSelect(2);
  EXPECT_EQ(s().settings.UserDir2, dirBefore);
}

}  // namespace
}  // namespace mirrin
