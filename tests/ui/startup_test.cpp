#include "ui/startupsequence.h"

#include <gtest/gtest.h>

#include "startup/errorreport.h"
#include "startup/log.h"
#include "startup/version.h"
#include "ui/startup_fixture.h"

namespace mirrin {
namespace {

using test::StartupFixture;

class StartupTest : public ::testing::Test, public StartupFixture {
 protected:
  // The Configure Users dialog, when start-up opens it, is answered by `operate`.
  void OnUsersPrompt(std::function<void(FrmConfigUser&)> operate) {
    FrmConfigUser& dialog = App().configUser;
    dialog.runModal = [this, &dialog, operate] {
      ++prompts;
      EXPECT_TRUE(s().window.DialogEventsEnabled);
      operate(dialog);
    };
  }
  void ExpectEndsInPrompt(const std::string& message) {
    OnUsersPrompt([](FrmConfigUser& d) { d.cmdCancel.Press(); });
    EXPECT_THROW(Start(), ProgramEnd);
    EXPECT_EQ(prompts, 1);
    ASSERT_FALSE(platform.boxes.empty());
    EXPECT_EQ(platform.boxes.back().text, message);
    EXPECT_EQ(platform.boxes.back().style, mb::Critical);
  }

  int prompts = 0;
};

TEST_F(StartupTest, ConfiguredUsersAreLoadedAndTheFirstKindShown) {
  WriteConfig();
  Start();
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(s().form.UserLeft.Text(), "Anna");
  EXPECT_EQ(s().form.UserRight.Text(), "Bob");
  EXPECT_TRUE(s().Store(kLeft).loaded && s().Store(kRight).loaded);
  EXPECT_EQ(s().settings.UserFolder1, "AnnaF");
  EXPECT_EQ(s().form.Combo1.Text(), "Dates");
  // Bob has Anna's first two dates: only her third one is listed.
  EXPECT_EQ(s().List(kLeft).ListCount(), 1) << s().List(kLeft).List(0);
  EXPECT_EQ(s().List(kRight).ListCount(), 0);
  EXPECT_FALSE(App().splash.window.Visible());
  EXPECT_EQ(App().splash.lblLoading.Caption(), "Loading ." + std::string(12, '.'))
      << "load, configuration, two user selections and two loads";
  EXPECT_EQ(App().configUser.Frame(kRight).userRecords.Caption(), "2");
}

TEST_F(StartupTest, NoConfigurationFileAsksForUsersAndCancelEnds) {
  ExpectEndsInPrompt("Configuration options not found\rPlease specify on the following screen...");
  EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
}

TEST_F(StartupTest, InvalidDirectoryAsksForUsers) {
  test::WriteFileBytes(ConfigPath(), "PalmDir1=" + prog.File("nothing") + "\r\n");
  ExpectEndsInPrompt("Invalid directory in CFG file : " + prog.File("nothing") +
                     "\rPalm Data could not be found in this Directory");
}

TEST_F(StartupTest, UserNamesAreCaseSensitive) {
  test::WriteFileBytes(ConfigPath(), "PalmDir1=" + palm.Path() + "\r\nUserDir1=" + AnnaDir() +
                                   "\r\nPalmUser1=anna\r\n");
  ExpectEndsInPrompt("Invalud User specified in CFG file : anna");
  EXPECT_EQ(platform.boxes.back().title, std::string(kProductName) + " " + VersionText());
}

TEST_F(StartupTest, MissingUserNameNamesTheConfigurationFile) {
  test::WriteFileBytes(ConfigPath(), "PalmDir1=" + palm.Path() + "\r\n");
  ExpectEndsInPrompt("Both users must be specified correctly in CFG file : " + prog.Path() +
                     "\\Mirrin.cfg");
}

TEST_F(StartupTest, StartwithNamingAnExcludedKindSelectsNothing) {
  WriteConfig({"Startwith=Memos", "IncludeMemo=N", "IncludeToDo=Y"});
  Start();
  EXPECT_EQ(s().form.Combo1.Text(), kChoose);
  std::vector<std::string> kinds;
  for (int i = 0; i < s().form.Combo1.ListCount(); ++i) kinds.push_back(s().form.Combo1.List(i));
  EXPECT_EQ(kinds, (std::vector<std::string>{kChoose, kDatesText, kContactsText, kToDosText}));
  EXPECT_EQ(App().configure.cmbStartwith.ListCount(), 4);
  EXPECT_EQ(s().List(kLeft).ListCount(), 0);
}

TEST_F(StartupTest, PalmDesktopRunningEndsTheProgram) {
  WriteConfig();
  platform.windowTitles = {"Inbox", "HotSync Progress"};
  EXPECT_THROW(Start(), ProgramEnd);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text,
            "HotSync Progress is running.  Mirrin should not be run at the same time as Palm "
            "Desktop or HotSync.  Please restart Mirrin when Palm Desktop and HotSync are closed.");
  EXPECT_FALSE(s().Store(kLeft).loaded);
}

TEST_F(StartupTest, RestoreItemsEnabledExactlyForExistingBackups) {
  WriteConfig();
  test::WriteFileBytes(AnnaDir() + "/datebook/Mirrin_backup_datebook.dat", "x");
  std::filesystem::create_directories(AnnaDir() + "/memopad");
  test::WriteFileBytes(AnnaDir() + "/memopad/Mirrin_backup_memopad.dat", "x");
  std::filesystem::create_directories(BobDir() + "/address");
  test::WriteFileBytes(BobDir() + "/address/Mirrin_backup_address.dat", "x");
  Start();
  MainForm& f = s().form;
  EXPECT_EQ(f.mnuDate1.Caption(), "Anna Dates...");
  EXPECT_EQ(f.mnuTodo2.Caption(), "Bob Todos...");
  std::vector<bool> enabled;
  for (Side side : kSides) {
    for (forms::MenuItem* item : f.RestoreItems(side)) enabled.push_back(item->Enabled());
  }
  // Dates, Contacts, To Dos, Memos of Anna, then of Bob.
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, true, false, true, false, false}));
}

TEST_F(StartupTest, CommandLineAndOldLogs) {
  WriteConfig({"LogLevel=0"});
  const double now = platform.Now();
  for (int age : {0, 5, 6, 20, 36, 37}) {
    test::WriteFileBytes(prog.File("Mirrin" + DateDigits(now - age) + ".log"), "old\r\n");
  }
  Start({"-d", "-dev"});
  EXPECT_TRUE(s().data.developmentMode);
  EXPECT_EQ(s().settings.LogLevel, 0) << "the file's level replaces the debug level";
  for (int age : {5, 37}) EXPECT_TRUE(std::filesystem::exists(prog.File("Mirrin" + DateDigits(now - age) + ".log")));
  for (int age : {6, 20, 36}) EXPECT_FALSE(std::filesystem::exists(prog.File("Mirrin" + DateDigits(now - age) + ".log")));
  const std::string today = test::ReadFileBytes(prog.File("Mirrin" + DateDigits(now) + ".log"));
  EXPECT_NE(today.find("Logging set at Debug level"), std::string::npos);
  EXPECT_NE(today.find("Development Environment - not safe"), std::string::npos);
  EXPECT_NE(today.find("Mirrin Version " + VersionText() + " started"), std::string::npos);
}

TEST_F(StartupTest, DevOnlyAsSecondWord) {
  WriteConfig();
  Start({"-dev"});
  EXPECT_FALSE(s().data.developmentMode);
  EXPECT_EQ(s().settings.LogLevel, 10);
}

TEST_F(StartupTest, ConfiguredLogDirectoryIsPrunedToo) {
  test::TempDir logs;
  WriteConfig({"LogFilePath=" + logs.Path()});
  const std::string old = logs.File("Mirrin" + DateDigits(platform.Now() - 10) + ".log");
  test::WriteFileBytes(old, "old\r\n");
  Start();
  EXPECT_FALSE(std::filesystem::exists(old));
}

// Each value that does not convert is told once, naming its line; the rest
// of the configuration applies, and the lines are written back as read.
// Cancel in Configure Users reads the file again and undoes a pick.
TEST_F(StartupTest, ValuesThatDoNotConvertAreToldOnceAndTheRestApplies) {
  WriteConfig({"IncludeMemo=maybe", "DaystoIgnore=ten", "HideAfter=31/02/2026", "ArchiveDeleted=Yes"});
  Start();
  std::vector<std::string> told;
  for (const char* line : {"IncludeMemo=maybe", "DaystoIgnore=ten", "HideAfter=31/02/2026"}) {
    told.push_back(ErrorReportText(13, "Type mismatch (" + std::string(line) + ")", "ProcessIniFile"));
  }
  EXPECT_EQ(BoxTexts(), told);
  EXPECT_TRUE(s().settings.ArchiveDeleted);
  EXPECT_EQ(s().List(kLeft).ListCount(), 1) << "the kind selection works with the defaults";

  FrmConfigUser& d = App().configUser;
  d.runModal = [&] {
    d.Frame(kLeft).users.UserSelect(2);  // Bob on the left
    EXPECT_EQ(s().settings.UserDir1, palm.Path() + "\\BobF");
    d.cmdCancel.Press();
  };
  s().form.mnuConfigUser.Press();
  EXPECT_EQ(s().form.UserLeft.Text(), "Anna");
  EXPECT_EQ(s().settings.UserDir1, AnnaDir());
  EXPECT_EQ(s().Store(kLeft).dates.size(), 3u) << "Anna's dates loaded again";
  d.runModal = [&] { d.cmdOK.Press(); };
  s().form.mnuConfigUser.Press();
  EXPECT_EQ(BoxTexts(), told);
  const std::string lines = "\r\nIncludeMemo=maybe\r\nDaystoIgnore=ten\r\nHideAfter=31/02/2026\r\nArchiveDeleted=Y\r\n";
  EXPECT_NE(test::ReadFileBytes(ConfigPath()).find(lines), std::string::npos);
  // Set by the operator, a key is written again.
  App().configure.runModal = [&] {
    App().configure.chkMemo.UserClick();
    App().configure.cmdOK.Press();
  };
  s().form.mnuConfigure.Press();
  EXPECT_NE(test::ReadFileBytes(ConfigPath()).find("\r\nIncludeMemo=Y\r\nDaystoIgnore=ten\r\n"), std::string::npos);
}

// A log that cannot be written never stops loading: one message names the
// log file and the reason, and both users are loaded.
TEST_F(StartupTest, AnUnwritableLogIsToldOnceAndLoadingGoesOn) {
  WriteConfig({"LogFilePath=" + prog.File("gone")});
  Start();
  const std::vector<std::string> boxes = BoxTexts();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("cannot open log " + prog.File("gone")), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("No such file or directory"), std::string::npos) << boxes[0];
  EXPECT_TRUE(s().Store(kLeft).loaded);
  EXPECT_TRUE(s().Store(kRight).loaded);
}

TEST_F(StartupTest, UsersDialogRefusedWhileDataIsChanged) {
  WriteConfig();
  Start();
  s().Store(kLeft).Changed(Kind::Dates) = true;
  bool shown = false;
  App().configUser.runModal = [&] { shown = true; };
  s().form.mnuConfigUser.Press();
  EXPECT_FALSE(shown);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text.rfind("Data has been changed for the current users.", 0), 0u);
}

}  // namespace
}  // namespace mirrin
