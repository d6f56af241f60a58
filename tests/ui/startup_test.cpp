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
  void ExpectEndsInPrompt(const std::string& message) {
    UsersDialogModel& dialog = App().configUser;
    dialog.runModal = [this, &dialog] {
      ++prompts;
      dialog.cmdCancel.Press();
    };
    EXPECT_THROW(Start(), ProgramEnd);
    EXPECT_EQ(prompts, 1);
    ASSERT_FALSE(platform.boxes.empty());
    EXPECT_EQ(platform.boxes.back().text, message);
    EXPECT_EQ(platform.boxes.back().style, mb::Critical);
  }

  int prompts = 0;
};

// Each configuration start-up cannot use asks for the users once, telling
// why; Cancel ends the program and writes no file.
TEST_F(StartupTest, UnusableConfigurationsAskForUsersAndCancelEnds) {
  const struct {
    std::string file, message;
  } cases[] = {
      {"", "Configuration options not found\rPlease specify on the following screen..."},
      {"PalmDir1=" + prog.File("nothing") + "\r\n",
       "Invalid directory in CFG file : " + prog.File("nothing") +
           "\rPalm Data could not be found in this Directory"},
      {"PalmDir1=" + palm.Path() + "\r\nUserDir1=" + AnnaDir() + "\r\nPalmUser1=anna\r\n",
       "Invalud User specified in CFG file : anna"},
      {"PalmDir1=" + palm.Path() + "\r\n",
       "Both users must be specified correctly in CFG file : " + prog.Path() + "\\Mirrin.cfg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::filesystem::remove(ConfigPath());
    if (!c.file.empty()) test::WriteFileBytes(ConfigPath(), c.file);
    app.reset();
    platform.boxes.clear();
    prompts = 0;
    ExpectEndsInPrompt(c.message);
    EXPECT_EQ(c.file, std::filesystem::exists(ConfigPath()) ? test::ReadFileBytes(ConfigPath()) : "")
        << "Cancel writes no file";
  }
}

// Only exact titles count, and the first found is named.
TEST_F(StartupTest, PalmDesktopRunningEndsTheProgram) {
  WriteConfig();
  platform.windowTitles = {
      "Palm Desktop - Address", "palm desktop", "HotSync Progress ", " Palm Desktop", "HotSync", "", "Inbox",
      "HotSync Progress",       "Palm Desktop"};
  EXPECT_THROW(Start(), ProgramEnd);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text,
            "HotSync Progress is running.  Mirrin should not be run at the same time as Palm "
            "Desktop or HotSync.  Please restart Mirrin when Palm Desktop and HotSync are closed.");
  EXPECT_FALSE(s().Store(kLeft).loaded);
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
  for (int age : {5, 37})
    EXPECT_TRUE(std::filesystem::exists(prog.File("Mirrin" + DateDigits(now - age) + ".log")));
  for (int age : {6, 20, 36})
    EXPECT_FALSE(std::filesystem::exists(prog.File("Mirrin" + DateDigits(now - age) + ".log")));
  const std::string today = test::ReadFileBytes(prog.File("Mirrin" + DateDigits(now) + ".log"));
  EXPECT_NE(today.find("Logging set at Debug level"), std::string::npos);
  EXPECT_NE(today.find("Development Environment - not safe"), std::string::npos);
  EXPECT_NE(today.find("Mirrin Version " + VersionText() + " started"), std::string::npos);
}

// Cancel in Configure Users reads the file again and undoes a pick, so the
// left side never shows one user's data under another's folder.
TEST_F(StartupTest, CancelInConfigureUsersUndoesAPick) {
  WriteConfig();
  Start();
  UsersDialogModel& d = App().configUser;
  d.runModal = [&] {
    d.Frame(kLeft).users.UserSelect(2);  // Bob on the left
    EXPECT_EQ(s().settings.UserDir1, palm.Path() + "\\BobF");
    d.cmdCancel.Press();
  };
  s().controls.configureUsersItem.Press();
  EXPECT_EQ(s().controls.panes[kLeft].userName.Text(), "Anna");
  EXPECT_EQ(s().settings.UserDir1, AnnaDir());
  EXPECT_EQ(s().Store(kLeft).dates.size(), 3u) << "Anna's dates loaded again";
}

}  // namespace
}  // namespace mirrin
