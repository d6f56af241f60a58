// users.dat files the golden sample does not show: cut or lying files, the
// skip rule at every kind of end, and folders that leave the Palm directory.
#include "palmdata/users.h"

#include <gtest/gtest.h>

#include "support/usersfile.h"

namespace mirrin {
namespace {

// `file` with `bytes` written over it at `at`, for counts and lengths that lie.
std::string Patched(std::string file, size_t at, std::string_view bytes) {
  return file.replace(at, bytes.size(), bytes);
}

TEST(UserFile, CutAndLyingFilesReportOnceAndKeepWhatWasRead) {
  struct Case {
    const char* what;
    std::string bytes;
    int32_t count;
    std::string firstName;  // of the users read
    const char* error;      // in the detail; "" for none
  };
  const std::string three = test::UsersFile({{"Anna", "AnnaF"}, {"Bob", "BobF"}, {"Cut", "CutF"}});
  const std::string one = test::UsersFile({{"Anna", "AnnaF"}});
  const size_t header = 16, afterFolder = one.find("AnnaF") + 5;
  const std::vector<Case> cases = {
      {"third name cut", three.substr(0, three.find("Cut") + 1), 3, "Anna", "user 3 name"},
      {"no class definition", test::HexBytes("01 00 01 80") + one.substr(header), 1, "Anna", ""},
      {"more users than bytes", Patched(one, 0, "\x60\xEA"), 0, "", "users announced"},
      {"class name past the end", test::HexBytes("01 00 FF FF 01 00 FF FF 41"), 0, "", "class"},
      {"further text past the end", Patched(one, afterFolder + 2, "\x40\x9C"), 1, "", "bytes"},
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
      {"12", 0},  // odd byte where a word should be
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
      {"AnnaF", true},
      {"sub\\Anna", true},
      {"a..b", true},
      {"..\\..\\victim", false},
      {"a/../../b", false},
      {"..", false},
      {"\\Windows", false},
      {"/etc", false},
      {"C:\\Palm\\x", false},
      {"D:x", false},
      {std::string("a\0/..", 5), false},
  };
  for (const auto& [folder, usable] : cases)
    EXPECT_EQ(UnsafeUserFolderReason(folder).empty(), usable) << folder;
}

}  // namespace
}  // namespace mirrin
