#include "startup/config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "support/fake_platform.h"
#include "support/logsinks.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::FakePlatform;
using test::ReadFileBytes;
using test::RecordingLog;
using test::TempDir;
using test::WriteFileBytes;

const std::string kHeader =
    "#\r\n#\r\n# This file contains initialisation settings for Mirrin\r\n#\r\n"
    "#This can be used to set the default Palm directory\r\n#\r\n#and default users \r\n";

class ConfigTest : public ::testing::Test {
 protected:
  ConfigLines Read(const std::string& content) {
    WriteFileBytes(path, content);
    ConfigLines lines;
    ReadIniFile(lines, path, log, platform);
    return lines;
  }
  Settings Load(ConfigLines& lines) {
    Settings s;
    ReadSettings(lines, s, "/prog", log, platform);
    return s;
  }

  TempDir dir;
  std::string path = dir.File("Mirrin.cfg");
  RecordingLog log;
  FakePlatform platform;
};

TEST_F(ConfigTest, KeepsSettingLinesVerbatimWhateverTheLineEnds) {
  const ConfigLines lines = Read("# comment\r\n   \r\n\r\n  # not a comment\r\nLogLevel=3  \r\n\tTabbed\r\n");
  EXPECT_EQ(lines, (ConfigLines{"  # not a comment", "LogLevel=3  ", "\tTabbed"}));
  EXPECT_EQ(Read("A=1\nB=2\n#c\nC=3"), (ConfigLines{"A=1", "B=2", "C=3"}));
  EXPECT_EQ(Read("\xEF\xBB\xBF"
                 "A=1\r\n"),
            (ConfigLines{"A=1"}))
      << "byte-order mark skipped";
  ConfigLines twice = Read("A=1\r\nB=2\nC=3\r\n");
  ReadIniFile(twice, path, log, platform);
  EXPECT_EQ(twice, (ConfigLines{"A=1", "B=2", "C=3", "A=1", "B=2", "C=3"})) << "a second read appends";
}

// Each lookup: the lines before, key, default, whether to add a missing key;
// the value found and the lines after (duplicates blanked, missing added).
TEST_F(ConfigTest, LookupRules) {
  const struct {
    ConfigLines before;
    const char *key, *fallback;
    bool add;
    const char* value;
    ConfigLines after;
  } cases[] = {
      {{"logfilepath = C:\\Logs  "}, "LogFilePath", "", false, " C:\\Logs  ", {"logfilepath = C:\\Logs  "}},
      {{"PalmUser1=Anna=B "}, "PalmUser1", "", true, "Anna=B ", {"PalmUser1=Anna=B "}},
      {{"IncludeMemo=Y", "Other=1", "includememo=N"},
       "IncludeMemo",
       "N",
       true,
       "True",
       {"IncludeMemo=Y", "Other=1", ""}},
      {{"SuffixUser1=", "SuffixUser1=-x"}, "SuffixUser1", "", true, "-x", {"SuffixUser1=", "SuffixUser1=-x"}},
      {{"GUI=", "GUI=2"}, "GUI", "0", true, "0", {"GUI=", ""}},
      {{}, "CopyAlarms", "Y", true, "True", {"CopyAlarms=Y"}},
      {{}, "Custom1", "", false, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    ConfigLines lines = c.before;
    EXPECT_EQ(ValueText(GetValueFromIni(lines, c.key, c.fallback, c.add, log, platform)), c.value);
    EXPECT_EQ(lines, c.after);
  }
}

#ifndef _WIN32
// Only a missing file is not found; a folder or FIFO in its place is an
// error that names it.
TEST_F(ConfigTest, OnlyAMissingFileIsNotFound) {
  ConfigLines lines;
  EXPECT_TRUE(ReadIniFile(lines, dir.File("none.cfg"), log, platform));
  EXPECT_EQ(log.lines[1], std::make_pair("ReadIniFile - File not found: " + dir.File("none.cfg"), 0));
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  for (const std::string& other : {dir.Path(), dir.File("fifo")}) {
    ASSERT_FALSE(ReadIniFile(lines, other, log, platform)) << other;
    EXPECT_NE(platform.boxes.back().text.find(other), std::string::npos) << platform.boxes.back().text;
  }
  EXPECT_TRUE(lines.empty());
}
#endif

TEST_F(ConfigTest, YAndNBecomeTrueAndFalseAndOtherValuesConvertTheGeneralWay) {
  ConfigLines lines{"Startwith=Y",    "SuffixUser2=N",     "ArchiveDeleted=True",     "IncludeDates=0",
                    "IncludeToDo=-1", "IncludeMemo=false", "ShowCompany=y",           "CopyAlarms=no",
                    "Agendus= Yes ",  "LogLevel=N",        "FirstDuplicateChars=12.5"};
  const Settings s = Load(lines);
  EXPECT_EQ(s.Startwith, "True");
  EXPECT_EQ(s.SuffixUser2, "False");
  EXPECT_TRUE(s.ArchiveDeleted);
  EXPECT_FALSE(s.IncludeDates);
  EXPECT_TRUE(s.IncludeToDo);
  EXPECT_FALSE(s.IncludeMemo);
  EXPECT_TRUE(s.ShowCompany);
  EXPECT_FALSE(s.CopyAlarms);
  EXPECT_TRUE(s.Agendus);
  EXPECT_EQ(s.LogLevel, 0);
  EXPECT_EQ(s.FirstDuplicateChars, 12);  // half to even
  EXPECT_TRUE(s.Unread.empty());
}

TEST_F(ConfigTest, RewriteCanonicalisesKnownKeysAndKeepsOthers) {
  ConfigLines lines = Read(
      "\xEF\xBB\xBFlogfilepath = C:\\Logs\n"
      "Custom1 = Passwords \n"
      "Unknown=keep=me\n"
      "IncludeMemo=Y\n"
      "IncludeMemo=Y\n"
      "FilterUser1=a=b\n"
      "=N\n"
      "LogLevel=5\n");
  Settings s = Load(lines);
  EXPECT_EQ(s.LogFilePath, " C:\\Logs");
  s.LogLevel = 11;
  s.FirstDuplicateChars = -3;
  WriteConfigFile(lines, s, path);

  const std::string text = ReadFileBytes(path);
  ASSERT_EQ(text.rfind("\xEF\xBB\xBF" + kHeader, 0), 0u) << "the byte-order mark kept";
  std::string body = text.substr(3 + kHeader.size());
  const std::string expectedStart =
      "LogFilePath= C:\\Logs\r\n"
      "Custom1 = Passwords \r\n"
      "Unknown=keep=me\r\n"
      "IncludeMemo=Y\r\n"
      "FilterUser1=a=b\r\n"
      "LogLevel=11\r\n"
      "ArchiveDeleted=N\r\n";
  EXPECT_EQ(body.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(body.find("FirstDuplicateChars=-3\r\n"), std::string::npos);
  EXPECT_EQ(body.find("=N\r\n=N"), std::string::npos);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "=N"), 1) << "kept in memory, never written";
  EXPECT_EQ(body.find('\n') - 1, body.find('\r')) << "CR LF line ends";
}

#ifndef _WIN32
TEST_F(ConfigTest, FailedRewriteLeavesTheOldFileWhole) {
  const std::string old = "LogLevel=3\r\nPalmUser1=Ann\r\n";
  ConfigLines lines = Read(old);
  Settings s = Load(lines);
  // A file without write permission is never replaced.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_THROW(WriteConfigFile(lines, s, path), RunError);
  EXPECT_EQ(ReadFileBytes(path), old);
}
#endif

}  // namespace
}  // namespace mirrin
