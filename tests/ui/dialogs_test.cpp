#include <gtest/gtest.h>

#include "startup/version.h"
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

TEST_F(DialogsTest, ConfigureCancelAndBadNumbersChangeNothing) {
  StartWith();
  const std::string before = File();
  Configure([](FrmConfigure& d) {
    d.chkDates.UserClick();
    d.cmdCancel.Press();
  });
  EXPECT_TRUE(s().settings.IncludeDates);
  Configure([](FrmConfigure& d) {
    d.chkDates.UserClick();
    d.txtFirstDuplicate.UserType("40000");
    d.cmdOK.Press();
  });
  EXPECT_TRUE(s().settings.IncludeDates) << "the bad number stops the copy before anything changes";
  EXPECT_EQ(s().settings.FirstDuplicateChars, 20);
  EXPECT_EQ(File(), before);
  EXPECT_FALSE(App().configure.window.Visible());
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

TEST_F(DialogsTest, AUserWhoseFolderLeavesThePalmDirectoryIsListedButNotTaken) {
  StartWith();
  FrmConfigUser& d = App().configUser;
  test::TempDir other;
  test::WriteFileBytes(other.File("users.dat"), test::UsersFile({{"Anna", "AnnaF"}, {"Eve", "..\\..\\victim"}}));
  s().settings.PalmDir2 = other.Path();
  d.FillSelectors(kRight);
  const std::string dirBefore = s().settings.UserDir2;
  s().window.DialogEventsEnabled = true;
  d.Frame(kRight).users.UserSelect(2);
  EXPECT_EQ(platform.boxes.back().text,
            "The folder \"..\\..\\victim\" in users.dat cannot be used: it leads out of the Palm directory (\"..\").");
  EXPECT_EQ(s().settings.UserDir2, dirBefore);
  EXPECT_EQ(s().settings.PalmUser2, "Bob");
  d.Frame(kRight).cmbUserDir.UserSelect(2);
  EXPECT_EQ(s().settings.UserDir2, dirBefore);
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
