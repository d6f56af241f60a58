// users.dat files the golden sample does not show: cut or lying files, the
// skip rule at every kind of end, and folders that leave the Palm directory.
#include "palmdata/users.h"

#include <gtest/gtest.h>

#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;

FileBuilder& Entry(FileBuilder& b, int32_t id, std::string_view name, uint16_t word2 = 0) {
  b.Long(id).Byte(static_cast<uint8_t>(name.size())).Raw(name);
  return b.Byte(static_cast<uint8_t>(name.size() + 1)).Raw(std::string(name) + "F").Short(7).Short(word2).Short(9);
}

FileBuilder Users(uint16_t count) {
  FileBuilder b;
  b.Short(count).Hex("FF FF 01 00 08 00").Raw("CPUsers ");
  return b;
}

TEST(UserFile, CutAndLyingFilesReportOnceAndKeepWhatWasRead) {
  struct Case {
    const char* what;
    std::string bytes;
    int32_t count;
    std::string firstName;  // of the users read
    const char* error;      // in the detail; "" for none
  };
  FileBuilder cut = Users(3);
  Entry(cut, 1, "Anna").Hex("01 80");
  Entry(cut, 2, "Bob").Hex("01 80").Long(3).Byte(20).Raw("Cut");
  FileBuilder plain;
  plain.Short(1).Short(0x8001);
  FileBuilder huge = Users(60000);
  FileBuilder longText = Users(1);
  const std::vector<Case> cases = {
      {"third name cut", cut.Data(), 3, "Anna", "user 3 name"},
      {"no class definition", Entry(plain, 5, "Solo").Data(), 1, "Solo", ""},
      {"more users than bytes", Entry(huge, 1, "Anna").Data(), 0, "", "users announced"},
      {"class name past the end", test::HexBytes("01 00 FF FF 01 00 FF FF 41"), 0, "", "class"},
      {"further text past the end", Entry(longText, 1, "Anna", 40000).Data(), 1, "", "bytes"},
      {"empty", "", 0, "", "user count"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("users.dat"), c.bytes);
    UserList list;
    std::vector<std::string> reported;
    EXPECT_TRUE(ReadUserFile(dir.File("users.dat"), list, [&](const std::string& where, const RunError& e) {
      EXPECT_EQ(where, "ReadUserFile " + dir.File("users.dat"));
      EXPECT_EQ(e.number(), err::InputPastEnd);
      reported.push_back(e.detail());
    })) << c.what;
    EXPECT_EQ(list.UserCount, c.count) << c.what;
    EXPECT_EQ(list.Users[0].UserName, c.firstName) << c.what;
    ASSERT_EQ(reported.size(), *c.error ? 1u : 0u) << c.what;
    if (*c.error) {
      EXPECT_NE(reported[0].find(c.error), std::string::npos) << c.what << ": " << reported[0];
    }
  }
}

TEST(UserFile, MissingFileOrAFolderLeavesTheListAlone) {
  test::TempDir dir;
  UserList list;
  list.UserCount = 1;
  list.Users = {UserEntry{0, 3, "Old", 1, "O", 0, 0, 0}, UserEntry{}};
  std::vector<std::string> reported;
  auto sink = [&](const std::string& where, const RunError&) { reported.push_back(where); };
  EXPECT_FALSE(ReadUserFile(dir.File("users.dat"), list, sink));
  EXPECT_TRUE(reported.empty()) << "a missing file is no error";
  EXPECT_FALSE(ReadUserFile(dir.Path(), list, sink));
  EXPECT_EQ(reported, std::vector<std::string>{"ReadUserFile " + dir.Path()});
  EXPECT_EQ(list.Users[0].UserName, "Old");
}

// The skip is defined to stop at the end of the data, never to raise an error.
TEST(SkipRule, StopsCleanlyAtEveryKindOfEnd) {
  const std::pair<const char*, uint16_t> cases[] = {
      {"", 0},
      {"12", 0},                            // odd byte where a word should be
      {"12 34 56 78 9A", 0},
      {"03 80", 0xFFFF},                    // object marker, nothing to scan
      {"03 80 01 02 03", 0xFFFF},           // fewer than the four dropped bytes
      {"03 80 01 02 03 04 05", 0xFFFF},     // half a pair after them
      {"03 80 01 02 03 04 05 81", 0xFFFF},  // pairs without a marker
      {"FF FF 01", 0},                      // class definition cut short
      {"FF FF 01 00 09 00 41 42", 0xFFFF},  // class name cut short
      // 0x8003, four dropped bytes, then a stray 0x8000 drops four more.
      {"00 00 03 80 01 80 01 80 00 80 01 80 77 66", kEndOfUserFile},
  };
  for (const auto& [hex, result] : cases) {
    const std::string data = test::HexBytes(hex);
    ByteReader in(data);
    EXPECT_EQ(SkipToNextUser(in), result) << hex;
    EXPECT_TRUE(in.AtEnd()) << hex;
  }
  const std::string scanned = test::HexBytes("AA AA 02 80  01 00  02 80  99 99 01 80  01 80  44");
  ByteReader in(scanned);
  EXPECT_EQ(ScanMarker(in), 0x8002);
  EXPECT_EQ(in.Position(), 8u);
  EXPECT_EQ(ScanMarker(in), kUserMarker);
  EXPECT_EQ(in.Position(), 14u);
}

TEST(UserFile, FoldersOutsideThePalmDirectoryAreRefused) {
  const std::pair<std::string, bool> cases[] = {
      {"AnnaF", true},          {"sub\\Anna", true},     {"a..b", true},
      {"..\\..\\victim", false}, {"a/../../b", false},   {"..", false},
      {"\\Windows", false},    {"/etc", false},          {"C:\\Palm\\x", false},
      {"D:x", false},           {std::string("a\0/..", 5), false},
  };
  for (const auto& [folder, usable] : cases) EXPECT_EQ(UnsafeUserFolderReason(folder).empty(), usable) << folder;
}

}  // namespace
}  // namespace mirrin
