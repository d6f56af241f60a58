#include <gtest/gtest.h>

#include "save/save.h"
#include "startup/catfilter.h"
#include "startup/version.h"
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
  void Configure(const std::function<void(FrmConfigure&)>& operate) {
    FrmConfigure& d = App().configure;
    d.runModal = [&d, operate] { operate(d); };
    s().form.mnuConfigure.Press();
  }
  std::string File() { return test::ReadFileBytes(ConfigPath()); }
};

TEST_F(DialogsTest, ConfigureOkRewritesTheFileCanonically) {
  StartWith({"  completedstring = Done", "IncludeMemo=Y", "IncludeMemo=N", "=N", "Custom9=kept"});
  Configure([](FrmConfigure& d) {
    EXPECT_EQ(d.chkMemo.Value(), forms::CheckBox::Checked);
    d.chkArchive.UserClick();
    d.txtGUI.UserSelect(2);
    d.cmdOK.Press();
  });
  const std::string file = File();
  const std::string header =
      "#\r\n#\r\n# This file contains initialisation settings for Mirrin\r\n#\r\n"
      "#This can be used to set the default Palm directory\r\n#\r\n#and default users \r\n";
  EXPECT_EQ(file.substr(0, header.size()), header);
  EXPECT_NE(file.find("\r\nCompletedString= Done\r\n"), std::string::npos)
      << "the key respelled, the leading blank of the value kept";
  EXPECT_NE(file.find("\r\nIncludeMemo=Y\r\nCustom9=kept\r\n"), std::string::npos)
      << "the duplicate and the \"=N\" line gone";
  EXPECT_NE(file.find("\r\nArchiveDeleted=Y\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nGUI=2\r\n"), std::string::npos);
  EXPECT_EQ(file.find("# test configuration"), std::string::npos);
  EXPECT_EQ(s().form.chkArchive.Value(), forms::CheckBox::Checked);
  EXPECT_TRUE(s().window.DialogOK);
  EXPECT_FALSE(s().window.DialogEventsEnabled);
  EXPECT_EQ(App().configUser.Frame(kLeft).userRecords.Caption(), "3");
}

TEST_F(DialogsTest, CancelChangesNothingAndOkRefusesABadNumberKeepingTheEdits) {
  StartWith();
  const std::string before = File();
  Configure([](FrmConfigure& d) {
    d.chkDates.UserClick();
    d.cmdCancel.Press();
  });
  EXPECT_TRUE(s().settings.IncludeDates);
  Configure([&](FrmConfigure& d) {
    d.chkDates.UserClick();
    d.txtDaystoIgnore.UserType("ten");
    d.txtFirstDuplicate.UserType("40000");
    d.cmdOK.Press();  // Enter in the form presses OK too
    EXPECT_EQ(d.refusedField, &d.txtDaystoIgnore);
    EXPECT_EQ(platform.beepCount, 1);
    d.txtDaystoIgnore.UserType("7");
    d.cmdOK.Press();
    EXPECT_EQ(d.refusedField, &d.txtFirstDuplicate);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_NE(platform.boxes[0].text.find("\"40000\" is not a whole number"), std::string::npos);
    EXPECT_TRUE(d.window.Visible());
    EXPECT_EQ(File(), before);
    EXPECT_TRUE(s().settings.IncludeDates);
    EXPECT_EQ(d.chkDates.Value(), forms::CheckBox::Unchecked) << "the edits stay";
    d.txtFirstDuplicate.UserType("30");
    d.cmdOK.Press();
  });
  EXPECT_FALSE(App().configure.window.Visible());
  EXPECT_FALSE(s().settings.IncludeDates);
  EXPECT_NE(File().find("\r\nDaystoIgnore=7\r\n"), std::string::npos);
  EXPECT_NE(File().find("\r\nFirstDuplicateChars=30\r\n"), std::string::npos);
}

// A file as the program writes it, with a byte-order mark, a line it cannot
// read, a key and a line of its own: a run that opens both dialogs (and
// "..." and Cancel in between) and presses OK gives it back byte for byte.
TEST_F(DialogsTest, OkWithoutChangesKeepsTheFileByteForByte) {
  StartWith({"ShowCompany=maybe", "Custom9=kept", "no equals sign", "SuffixUser1="});
  Configure([](FrmConfigure& d) { d.cmdOK.Press(); });
  test::WriteFileBytes(ConfigPath(), "\xEF\xBB\xBF" + File());
  const std::string before = File();
  ASSERT_NE(before.find("\r\nUserDir1=" + AnnaDir() + "\r\nPalmUser1=Anna\r\n"), std::string::npos);
  ASSERT_NE(before.find("\r\nShowCompany=maybe\r\n"), std::string::npos);

  app.reset();
  platform.boxes.clear();
  Start();
  EXPECT_EQ(BoxTexts().size(), 1u) << "ShowCompany told once";
  FrmConfigUser& users = App().configUser;
  users.runModal = [&] { users.cmdCancel.Press(); };
  for (int i = 0; i < 3; ++i) s().form.mnuConfigUser.Press();
  users.runModal = [&] {
    platform.folderAnswers.push_back(palm.Path());
    users.Frame(kRight).cmdDir.Press();
    EXPECT_EQ(s().form.UserRight.Text(), "Bob") << "\"...\" unloads nobody";
    EXPECT_TRUE(s().Store(kRight).loaded);
    users.cmdOK.Press();
  };
  s().form.mnuConfigUser.Press();
  EXPECT_EQ(File(), before);
  Configure([](FrmConfigure& d) { d.cmdOK.Press(); });
  EXPECT_EQ(File(), before);
  EXPECT_EQ(BoxTexts().size(), 1u);
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
  EXPECT_TRUE(platform.boxes.empty()) << BoxTexts()[0];
  EXPECT_EQ(s().form.UserRight.Text(), "Bob ");
  FrmConfigUser& d = App().configUser;
  d.runModal = [&] {
    d.Frame(kRight).users.UserSelect(3);
    EXPECT_EQ(d.Frame(kRight).users.Text(), "Bob ");
    d.cmdOK.Press();
  };
  s().form.mnuConfigUser.Press();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{
                            "The user name \"Y\" cannot be kept in the configuration file; choose another user."});
  EXPECT_EQ(s().form.UserRight.Text(), "Bob ");
  EXPECT_NE(File().find("\r\nPalmUser1=Anna=B\r\n"), std::string::npos);
  EXPECT_NE(File().find("\r\nPalmUser2=Bob \r\n"), std::string::npos);
}

// Hidden categories of a user switched away from, and of a kind no longer
// included, are written back; the user switched to again gets them back.
TEST_F(DialogsTest, HiddenCategoriesOutliveAUserSwitchAndAnIncludeFlag) {
  test::WriteFileBytes(palm.File("users.dat"),
                       test::UsersFile({{"Anna", "AnnaF"}, {"Bob", "BobF"}, {"Carl", "CarlF"}}));
  test::WriteUserFolder(palm.File("CarlF"), {.dates = 1});
  const std::string filterPath = prog.File("MirrinCategoriestoExclude.cfg");
  test::WriteFileBytes(filterPath, "Anna|Dates|Unfiled\r\nBob|Dates|Unfiled\r\nBob|Memos|Work\r\nZed|Dates|X\r\n");
  StartWith();
  auto shown = [&](Side side) { return s().Store(side).datesHeader.Categories[0].Show; };
  EXPECT_FALSE(shown(kRight));
  auto pickRight = [&](int entry) {
    FrmConfigUser& d = App().configUser;
    d.runModal = [&d, entry] {
      d.Frame(kRight).users.UserSelect(entry);
      d.cmdOK.Press();
    };
    s().form.mnuConfigUser.Press();
  };
  pickRight(3);
  EXPECT_TRUE(shown(kRight)) << "Carl has nothing hidden";
  Configure([](FrmConfigure& d) {
    d.chkDates.UserClick();
    d.cmdOK.Press();
  });
  s().filters.changed = true;
  WriteCatExcludeFile(filterPath, CategoryFilterUsers(s()), "", s().filters, s().log);
  const std::string written = test::ReadFileBytes(filterPath);
  EXPECT_EQ(written.substr(written.find("Anna|")),
            "Anna|Dates|Unfiled\r\nBob|Memos|Work\r\nZed|Dates|X\r\nBob|Dates|Unfiled\r\n");
  Configure([](FrmConfigure& d) {
    d.chkDates.UserClick();
    d.cmdOK.Press();
  });
  pickRight(2);
  EXPECT_FALSE(shown(kRight)) << "Bob's hidden category is back";
}

// The file cannot be written (or could not be read): OK says which file and
// why, leaves it as it is, and the values chosen apply; a first start
// without a file asks once, not forever.
TEST_F(DialogsTest, AFileThatCannotBeWrittenIsToldAndKept) {
  std::filesystem::create_directory(ConfigPath());  // no file, and none can be made
  auto chooseBoth = [this] {
    FrmConfigUser& d = App().configUser;
    for (Side side : kSides) {
      platform.folderAnswers.push_back(palm.Path());
      d.Frame(side).cmdDir.Press();
      d.Frame(side).users.UserSelect(side == kLeft ? 1 : 2);
    }
    d.cmdOK.Press();
  };
  App().configUser.runModal = chooseBoth;
  Start();
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[1].text.rfind("The settings could not be saved to " + ConfigPath() + "\r", 0), 0u);
  EXPECT_EQ(s().form.UserRight.Text(), "Bob");
  EXPECT_TRUE(std::filesystem::is_directory(ConfigPath()));

  // As a user who may read the file but not write in its folder, and then
  // who may not even read it.
  namespace fs = std::filesystem;
  fs::remove(ConfigPath());
  WriteConfig({"LogFilePath=" + palm.Path()});
  test::OpenToAll(palm.Path());
  fs::permissions(prog.Path(), fs::perms(0755));
  fs::permissions(ConfigPath(), fs::perms(0644));
  const std::string before = File();
  EXPECT_TRUE(test::AsNobody([&] {
    app.reset();
    platform.boxes.clear();
    Start();
    Configure([](FrmConfigure& d) {
      d.chkArchive.UserClick();
      d.cmdOK.Press();
    });
    // (The early log lines cannot be written here either.)
    const std::string& told = platform.boxes.back().text;
    EXPECT_EQ(told.rfind("The settings could not be saved to " + ConfigPath() + "\r", 0), 0u) << told;
    EXPECT_NE(told.find("Permission denied"), std::string::npos) << told;
    EXPECT_TRUE(s().settings.ArchiveDeleted) << "kept in memory";
  }));
  EXPECT_EQ(File(), before);

  test::OpenToAll(prog.Path());
  fs::permissions(ConfigPath(), fs::perms(0600));
  EXPECT_TRUE(test::AsNobody([&] {
    app.reset();
    platform.boxes.clear();
    App().configUser.runModal = chooseBoth;
    Start();
    ASSERT_GE(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[0].text.rfind("ReadIniFile has caused an error. 70 Permission denied\r\n", 0), 0u);
    EXPECT_NE(platform.boxes[0].text.find("Mirrin.cfg: Permission denied"), std::string::npos)
        << "the detail names the file";
    EXPECT_NE(platform.boxes.back().text.find("could not be read"), std::string::npos);
    EXPECT_EQ(s().form.UserRight.Text(), "Bob");
  }));
  EXPECT_EQ(File(), before);
}

TEST_F(DialogsTest, StartwithOfAnExcludedKindBecomesChoose) {
  StartWith({"Startwith=Memos"});
  Configure([](FrmConfigure& d) {
    EXPECT_EQ(d.cmbStartwith.Text(), kChoose);
    d.cmdOK.Press();
  });
  EXPECT_EQ(s().settings.Startwith, kChoose);
  EXPECT_NE(File().find("\r\nStartwith=Choose...\r\n"), std::string::npos);
}

TEST_F(DialogsTest, DaystoIgnoreMustBeA16BitNumber) {
  FrmConfigure& d = App().configure;
  for (const char* ok : {"0", " 12", "-32768"}) {
    d.txtDaystoIgnore.SetText(ok);
    EXPECT_TRUE(d.ValidateDaystoIgnore()) << ok;
  }
  for (const char* bad : {"ten", "40000", ""}) {
    d.txtDaystoIgnore.SetText(bad);
    EXPECT_FALSE(d.ValidateDaystoIgnore()) << bad;
  }
  EXPECT_EQ(platform.beepCount, 3);
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(DialogsTest, UsersDialogShowsAndStoresTheSettings) {
  StartWith({"SuffixUser2=(B)", "User1ShowPrivateMemos=Y"});
  FrmConfigUser& d = App().configUser;
  d.runModal = [&] {
    EXPECT_EQ(d.Frame(kLeft).users.Text(), "Anna");
    EXPECT_EQ(d.Frame(kRight).cmbUserDir.Text(), palm.Path() + "\\BobF");
    EXPECT_EQ(d.Frame(kRight).txtSuffix.Text(), "(B)");
    EXPECT_EQ(d.Frame(kLeft).chkPrivateMemos.Value(), forms::CheckBox::Checked);
    d.Frame(kLeft).txtDateFilter.UserType("Lunch*");
    d.Frame(kRight).txtSuffix.UserType("");
    d.Frame(kRight).chkPrivateDates.UserClick();
    d.cmdOK.Press();
  };
  s().form.mnuConfigUser.Press();
  EXPECT_EQ(s().settings.FilterUser1, "Lunch*");
  EXPECT_EQ(s().settings.SuffixUser2, "");
  EXPECT_TRUE(s().settings.User2ShowPrivateDates);
  const std::string file = File();
  EXPECT_NE(file.find("\r\nFilterUser1=Lunch*\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nUser2ShowPrivateDates=Y\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nPalmUser2=Bob\r\n"), std::string::npos);
}

TEST_F(DialogsTest, BaseDirectoryBrowser) {
  StartWith();
  FrmConfigUser& d = App().configUser;
  d.runModal = [&] {
    platform.folderAnswers.push_back(std::nullopt);  // cancelled: nothing changes
    d.Frame(kRight).cmdDir.Press();
    EXPECT_EQ(s().settings.PalmDir2, palm.Path());
    platform.folderAnswers.push_back("C:\\");
    d.Frame(kRight).cmdDir.Press();
    d.cmdCancel.Press();
  };
  s().form.mnuConfigUser.Press();
  EXPECT_EQ(platform.folderPrompts, (std::vector<std::string>{"Please Choose Base Directory",
                                                              "Please Choose Base Directory"}));
  // The root is kept as "C:"; no users.dat there. Cancel then read the
  // configuration again and brought Bob back.
  ASSERT_GE(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "No Palm Information found in the directory C:\\users.dat");
  EXPECT_EQ(s().settings.PalmDir2, palm.Path());
  EXPECT_EQ(s().form.UserRight.Text(), "Bob");
}

TEST_F(DialogsTest, SelectorsOfOneInstallationShareItsUserList) {
  StartWith();
  FrmConfigUser& d = App().configUser;
  std::vector<std::string> folders;
  for (int i = 0; i < d.Frame(kRight).cmbUserDir.ListCount(); ++i) {
    folders.push_back(d.Frame(kRight).cmbUserDir.List(i));
  }
  EXPECT_EQ(folders, (std::vector<std::string>{" .", palm.Path() + "\\AnnaF", palm.Path() + "\\BobF"}));

  // Side 2 moves to another installation and back: the list read for the
  // other one must not be offered for the first.
  test::TempDir other;
  test::WriteFileBytes(other.File("users.dat"), test::UsersFile({{"Carl", "CarlF"}}));
  s().settings.PalmDir2 = other.Path();
  d.FillSelectors(kRight);
  EXPECT_EQ(s().form.user2.ListCount(), 2);
  s().settings.PalmDir2 = palm.Path();
  d.FillSelectors(kRight);
  ASSERT_EQ(s().form.user2.ListCount(), 3);
  EXPECT_EQ(s().form.user2.List(2), "Bob");

  // An installation without users.
  test::WriteFileBytes(other.File("users.dat"), test::UsersFile({}));
  s().settings.PalmDir2 = other.Path();
  d.FillSelectors(kRight);
  EXPECT_EQ(platform.boxes.back().text, "No users found in that directory!!");
  EXPECT_EQ(s().form.user2.Text(), "Please select a Pilot directory -->");
}

TEST_F(DialogsTest, SplashAndAbout) {
  FrmSplash& splash = App().splash;
  splash.Load();
  EXPECT_EQ(splash.lblVersion.Caption(), "Version " + VersionText());
  splash.Progress();
  EXPECT_EQ(splash.lblLoading.Caption(), "Loading ...");

  MainForm& f = s().form;
  f.about.Press();
  f.about.Press();
  const std::string text = f.txtAbout.Text();
  EXPECT_EQ(text.rfind("\r\nMirrin " + VersionText() + " (", 0), 0u) << text;
  EXPECT_EQ(text.find("Mirrin " + VersionText(), 3), std::string::npos) << "one product line";
  EXPECT_FALSE(f.filemenu.Enabled());
  EXPECT_FALSE(s().List(kLeft).Enabled());
  f.Command1.Press();
  EXPECT_TRUE(f.filemenu.Enabled());
  EXPECT_TRUE(s().List(kRight).Enabled());
  EXPECT_FALSE(f.txtAbout.Visible());
}

}  // namespace
}  // namespace mirrin
