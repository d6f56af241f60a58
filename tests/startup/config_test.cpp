#include "startup/config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "palmdata/errors.h"
#include "support/fake_platform.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::FakePlatform;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

struct RecordingLog : LogSink {
  std::vector<std::pair<std::string, int>> lines;
  void WriteLog(std::string_view message, int level) override {
    lines.emplace_back(std::string(message), level);
  }
};

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

TEST(SplitTest, KeepsInnerEmptyPiecesAndDropsOneTrailing) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Split("a=b", '='), (V{"a", "b"}));
  EXPECT_EQ(Split("a=", '='), (V{"a"}));
  EXPECT_EQ(Split("=b", '='), (V{"", "b"}));
  EXPECT_EQ(Split("a==b", '='), (V{"a", "", "b"}));
  EXPECT_EQ(Split("a==", '='), (V{"a", ""}));
  EXPECT_EQ(Split("", '='), (V{""}));
  EXPECT_EQ(Split("abc", '='), (V{"abc"}));
  EXPECT_EQ(Split("=", '='), (V{""}));
  EXPECT_EQ(Split("Bob|Dates|Work|x", '|'), (V{"Bob", "Dates", "Work", "x"}));
}

TEST_F(ConfigTest, KeepsSettingLinesVerbatimWhateverTheLineEnds) {
  const ConfigLines lines =
      Read("# comment\r\n   \r\n\r\n  # not a comment\r\nLogLevel=3  \r\n\tTabbed\r\n");
  EXPECT_EQ(lines, (ConfigLines{"  # not a comment", "LogLevel=3  ", "\tTabbed"}));
  EXPECT_EQ(Read("A=1\nB=2\n#c\nC=3"), (ConfigLines{"A=1", "B=2", "C=3"}));
  EXPECT_EQ(Read("\xEF\xBB\xBF" "A=1\r\n"), (ConfigLines{"A=1"})) << "byte-order mark skipped";
  ConfigLines twice = Read("A=1\r\nB=2\nC=3\r\n");
  ReadIniFile(twice, path, log, platform);
  EXPECT_EQ(twice, (ConfigLines{"A=1", "B=2", "C=3", "A=1", "B=2", "C=3"})) << "a second read appends";
}

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

struct FailingLog : LogSink {
  void WriteLog(std::string_view, int) override { throw RunError(err::PathFileAccess, "log"); }
};

TEST_F(ConfigTest, ErrorsInsideTheRoutinesAreReportedUnderTheirNames) {
  WriteFileBytes(path, "A=1\r\n");
  FailingLog failing;
  ConfigLines lines;
  ReadIniFile(lines, path, failing, platform);
  EXPECT_TRUE(lines.empty()) << "the routine is left at the error";
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text.rfind("ReadIniFile has caused an error. 75 Path/File access error", 0),
            0u);
  EXPECT_EQ(platform.boxes[0].style, 16);

  lines = {"GUI=2"};
  EXPECT_EQ(ValueText(GetValueFromIni(lines, "GUI", "0", true, failing, platform)), "2")
      << "the value is decided before the log line";
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[1].text.rfind("GetValueFromIni has caused an error. 75", 0), 0u);
}

TEST_F(ConfigTest, LookupTrimsKeyIgnoresCaseAndTheValueIsAllAfterTheFirstEquals) {
  ConfigLines lines{"logfilepath = C:\\Logs  ", "PalmUser1=Anna=B "};
  EXPECT_EQ(ValueText(GetValueFromIni(lines, "LogFilePath", "", false, log, platform)),
            " C:\\Logs  ");
  EXPECT_EQ(ValueText(GetValueFromIni(lines, "PalmUser1", "", true, log, platform)), "Anna=B ");
  EXPECT_EQ(log.lines.back(), std::make_pair(std::string("Got value for PalmUser1 = Anna=B "), 11));
}

TEST_F(ConfigTest, DuplicateKeysAreBlankedAfterTheFirstValue) {
  ConfigLines lines{"IncludeMemo=Y", "Other=1", "includememo=N"};
  EXPECT_EQ(GetValueFromIni(lines, "IncludeMemo", "N", true, log, platform), ConfigValue(true));
  EXPECT_EQ(lines, (ConfigLines{"IncludeMemo=Y", "Other=1", ""}));
}

TEST_F(ConfigTest, EmptyFirstValueGivesWayToALaterLineOnlyWithEmptyDefault) {
  ConfigLines lines{"SuffixUser1=", "SuffixUser1=-x"};
  EXPECT_EQ(ValueText(GetValueFromIni(lines, "SuffixUser1", "", true, log, platform)), "-x");
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "SuffixUser1=-x");

  ConfigLines withDefault{"GUI=", "GUI=2"};
  EXPECT_EQ(ValueText(GetValueFromIni(withDefault, "GUI", "0", true, log, platform)), "0");
  EXPECT_EQ(withDefault[1], "");
}

TEST_F(ConfigTest, MissingKeyIsAppendedOnlyWhenAsked) {
  ConfigLines lines;
  EXPECT_EQ(GetValueFromIni(lines, "CopyAlarms", "Y", true, log, platform), ConfigValue(true));
  EXPECT_EQ(ValueText(GetValueFromIni(lines, "Custom1", "", false, log, platform)), "");
  EXPECT_EQ(lines, (ConfigLines{"CopyAlarms=Y"}));
  EXPECT_EQ(log.lines.front().first, "Got value for CopyAlarms = True");
}

TEST_F(ConfigTest, YAndNBecomeTrueAndFalseAndOtherValuesConvertTheGeneralWay) {
  ConfigLines lines{"Startwith=Y", "SuffixUser2=N", "ArchiveDeleted=True", "IncludeDates=0", "IncludeToDo=-1",
                    "IncludeMemo=false", "ShowCompany=y", "CopyAlarms=no", "Agendus= Yes ", "LogLevel=N",
                    "FirstDuplicateChars=12.5"};
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

TEST_F(ConfigTest, LogFilePathDefaultsToTheProgramDirectoryAndACustomKindIsIncluded) {
  ConfigLines lines{"Custom1=Passwords"};
  const Settings s = Load(lines);
  EXPECT_EQ(s.LogFilePath, "/prog");
  EXPECT_TRUE(s.IncludeCustom);
  ConfigLines none;
  EXPECT_FALSE(Load(none).IncludeCustom);
}

TEST_F(ConfigTest, CommentOnlyFileRewritesToHeaderAndEveryAddedKeyInTableOrder) {
  ConfigLines lines = Read("# only\r\n\r\n#comments\r\n");
  Settings s = Load(lines);
  s.PalmUser1 = "Ann";
  WriteConfigFile(lines, s, path);

  std::string expected = kHeader;
  for (const SettingKey& k : SettingKeys()) {
    if (!k.addIfMissing) continue;
    std::string value = k.defaultText;
    if (std::string(k.key) == "PalmUser1") value = "Ann";
    expected += std::string(k.key) + "=" + value + "\r\n";
  }
  EXPECT_EQ(ReadFileBytes(path), expected);
  EXPECT_EQ(lines.front(), "LogLevel=10");
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

TEST_F(ConfigTest, FailedRewriteLeavesTheOldFileWhole) {
  const std::string old = "LogLevel=3\r\nPalmUser1=Ann\r\n";
  ConfigLines lines = Read(old);
  Settings s = Load(lines);
  // A file without write permission is never replaced.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_THROW(WriteConfigFile(lines, s, path), RunError);
  EXPECT_EQ(ReadFileBytes(path), old);
}

}  // namespace
}  // namespace mirrin
