#include "startup/log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "palmdata/errors.h"
#include "palmdata/palmtime.h"
#include "startup/errorreport.h"
#include "support/fake_platform.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::FakePlatform;
using test::ReadFileBytes;
using test::TempDir;

const std::string kHeaderLine = "Mirrin.exe Version: 3.0.26\r\n";

class LogTest : public ::testing::Test {
 protected:
  LogTest() {
    settings.LogFilePath = dir.Path();
    platform.programDir = dir.Path() + "/prog";
    std::filesystem::create_directory(platform.programDir);
    platform.SetNow(MakeDate(2024, 12, 31) + MakeTime(23, 59, 59));
  }
  std::string FileOf(const std::string& folder, const char* digits) {
    return ReadFileBytes(folder + "/Mirrin" + digits + ".log");
  }

  TempDir dir;
  FakePlatform platform;
  Settings settings;
  Log log{platform, settings};
};

// Each day's file starts with the header line; midnight starts the next one.
TEST_F(LogTest, FirstMessageOfTheDayGetsTheHeaderLine) {
  log.WriteLog("Mirrin Version 3.0.26 started", 0);
  platform.AdvanceSeconds(-59);
  log.WriteLog("second", 4);
  platform.AdvanceSeconds(61);
  log.WriteLog("after", 0);
  EXPECT_EQ(FileOf(dir.Path(), "20241231"), kHeaderLine +
                                                "31/12/2024 23:59:59 - Mirrin Version 3.0.26 started\r\n" +
                                                "31/12/2024 23:59:00 - second\r\n");
  EXPECT_EQ(FileOf(dir.Path(), "20250101"), kHeaderLine + "01/01/2025 00:00:01 - after\r\n");
}

// An empty path is the program folder; a backslashed one, in another case,
// names the folder as the original system would.
TEST_F(LogTest, EmptyOrBackslashedLogFilePath) {
  std::filesystem::create_directory(dir.File("Logs"));
  for (const auto& [setting, folder] :
       {std::pair{std::string(), platform.programDir}, std::pair{dir.Path() + "\\logs", dir.File("Logs")}}) {
    settings.LogFilePath = setting;
    log.WriteLog("hello", 0);
    EXPECT_EQ(FileOf(folder, "20241231"), kHeaderLine + "31/12/2024 23:59:59 - hello\r\n") << setting;
  }
}

TEST_F(LogTest, MissingLogFolderIsARunErrorOfTheCaller) {
  settings.LogFilePath = dir.File("absent");
  EXPECT_THROW(log.WriteLog("x", 0), RunError);
  // The caller's trap reports it.
  EXPECT_FALSE(TrapErrors(platform, "Combo1", [&] { log.WriteLog("x", 0); }));
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text.rfind("Combo1 has caused an error. 75 ", 0), 0u);
}

TEST(ErrorReportTest, TrapReportsRunErrorsAndLetsProgramEndThrough) {
  FakePlatform platform;
  EXPECT_TRUE(TrapErrors(platform, "X", [] {}));
  EXPECT_FALSE(TrapErrors(platform, "cmdSwitch", [] { throw RunError(err::DivisionByZero); }));
  EXPECT_EQ(platform.boxes.at(0).text.rfind("cmdSwitch has caused an error. 11 Division by zero", 0), 0u);
  EXPECT_THROW(TrapErrors(platform, "X", [] { throw ProgramEnd{}; }), ProgramEnd);
  EXPECT_EQ(platform.boxes.size(), 1u);
}

}  // namespace
}  // namespace mirrin
