#include "palmdata/users.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;
using test::TempDir;

FileBuilder& Entry(FileBuilder& b, int32_t id, std::string_view name, std::string_view folder,
                   uint16_t word2 = 0, std::string_view word2Text = {}) {
  b.Long(id).Byte(static_cast<uint8_t>(name.size())).Raw(name);
  b.Byte(static_cast<uint8_t>(folder.size())).Raw(folder);
  return b.Short(7).Short(word2).Short(9).Raw(word2Text);
}

FileBuilder ClassHeader(uint16_t users) {
  FileBuilder b;
  b.Short(users).Hex("FF FF").Short(1).Short(8).Raw("CPUsers ");
  return b;
}

struct Reported {
  std::vector<std::string> where;
  std::vector<int> numbers;
  std::vector<std::string> details;
  UserFileReport Sink() {
    return [this](const std::string& w, const RunError& e) {
      where.push_back(w);
      numbers.push_back(e.number());
      details.push_back(e.detail());
    };
  }
};

struct ReadResult {
  bool opened = false;
  UserList list;
  Reported reported;
};

ReadResult ReadBytes(const TempDir& dir, const std::string& bytes) {
  const std::string path = dir.File("users.dat");
  test::WriteFileBytes(path, bytes);
  ReadResult r;
  r.opened = ReadUserFile(path, r.list, r.reported.Sink());
  return r;
}

TEST(UserFile, EntriesAreFoundThroughTheSkipRule) {
  FileBuilder b = ClassHeader(3);
  Entry(b, 11, "Anna", "AnnaF");
  // Rest of Anna's data: ordinary words, then the next user's marker.
  b.Hex("12 34 00 00 01 80");
  // Bob's entry: UserWord2 = 5 texts hide a marker the skip must not see.
  Entry(b, 22, "Bob", "BobF", 5, "x\x01\x80yz");
  // A class definition; ScanMarker then drops four bytes (holding a marker
  // word that is not to count) and finds the marker in the next pairs.
  b.Hex("FF FF 02 00 03 00").Raw("Cls").Hex("00 00 01 80  34 12  01 80");
  Entry(b, 33, "Cleo", "CleoF");
  // An object marker, a stray 80xx word that starts another scan, and no
  // further user: the last user's data runs to the end of the file.
  b.Hex("03 80 AA BB CC DD  02 80  01 02 03 04  DE AD BE");

  TempDir dir;
  ReadResult r = ReadBytes(dir, b.Data());
  EXPECT_TRUE(r.opened);
  EXPECT_TRUE(r.reported.where.empty()) << (r.reported.details.empty() ? "" : r.reported.details[0]);
  ASSERT_EQ(r.list.UserCount, 3);
  ASSERT_EQ(r.list.Users.size(), 4u);
  EXPECT_EQ(r.list.Users[0].UserName, "Anna");
  EXPECT_EQ(r.list.Users[0].UserFolder, "AnnaF");
  EXPECT_EQ(r.list.Users[0].UserId, 11);
  EXPECT_EQ(r.list.Users[1].UserName, "Bob");
  EXPECT_EQ(r.list.Users[1].UserWord2, 5);
  EXPECT_EQ(r.list.Users[2].UserName, "Cleo");
  EXPECT_EQ(r.list.Users[2].UserFolder, "CleoF");
  EXPECT_EQ(r.list.Users[2].NameLength, 4);
  EXPECT_EQ(r.list.Users[2].UserWord3, 9);
  EXPECT_EQ(r.list.ClassHeader.Tag, 0xFFFF);
  EXPECT_EQ(r.list.ClassHeader.Name, "CPUsers ");
}

TEST(UserFile, WithoutClassDefinitionTheFirstEntryFollowsTheTag) {
  FileBuilder b;
  b.Short(1).Short(0x8001);
  Entry(b, 5, "Solo", "SoloF");
  TempDir dir;
  ReadResult r = ReadBytes(dir, b.Data());
  ASSERT_EQ(r.list.UserCount, 1);
  EXPECT_EQ(r.list.Users[0].UserFolder, "SoloF");
  EXPECT_TRUE(r.list.ClassHeader.Name.empty());
}

TEST(UserFile, TruncatedEntryIsReportedAndEarlierEntriesStand) {
  FileBuilder b = ClassHeader(3);
  Entry(b, 1, "Anna", "AnnaF").Hex("01 80");
  Entry(b, 2, "Bob", "BobF").Hex("01 80");
  b.Long(3).Byte(20).Raw("Cut");  // name announced as 20 bytes, 3 there
  TempDir dir;
  ReadResult r = ReadBytes(dir, b.Data());
  EXPECT_TRUE(r.opened);
  ASSERT_EQ(r.reported.where.size(), 1u);
  EXPECT_EQ(r.reported.where[0], "ReadUserFile " + dir.File("users.dat"));
  EXPECT_EQ(r.reported.numbers[0], err::InputPastEnd);
  EXPECT_NE(r.reported.details[0].find("user 3 name"), std::string::npos) << r.reported.details[0];
  ASSERT_EQ(r.list.UserCount, 3);
  ASSERT_EQ(r.list.Users.size(), 4u);
  EXPECT_EQ(r.list.Users[1].UserName, "Bob");
  EXPECT_TRUE(r.list.Users[2].UserName.empty());
}

TEST(UserFile, CountsThatCannotFitAreErrorsNotAllocations) {
  TempDir dir;
  {
    FileBuilder b = ClassHeader(60000);
    Entry(b, 1, "Anna", "AnnaF");
    ReadResult r = ReadBytes(dir, b.Data());
    EXPECT_TRUE(r.opened);
    ASSERT_EQ(r.reported.numbers, std::vector<int>{err::InputPastEnd});
    EXPECT_EQ(r.list.UserCount, 0);
    EXPECT_EQ(r.list.Users.size(), 1u);
  }
  {
    FileBuilder b;
    b.Short(1).Hex("FF FF 01 00 FF FF").Raw("short");  // class name length 65535
    ReadResult r = ReadBytes(dir, b.Data());
    EXPECT_EQ(r.reported.numbers, std::vector<int>{err::InputPastEnd});
    EXPECT_EQ(r.list.UserCount, 0);
  }
  {
    FileBuilder b = ClassHeader(1);
    Entry(b, 1, "Anna", "AnnaF", 40000);  // further text longer than the file
    ReadResult r = ReadBytes(dir, b.Data());
    EXPECT_EQ(r.reported.numbers, std::vector<int>{err::InputPastEnd});
    EXPECT_TRUE(r.list.Users[0].UserName.empty());
  }
}

TEST(UserFile, MissingFileLeavesTheListAlone) {
  TempDir dir;
  UserList list;
  list.UserCount = 1;
  list.Users = {UserEntry{0, 3, "Old", 1, "O", 0, 0, 0}, UserEntry{}};
  Reported reported;
  EXPECT_FALSE(ReadUserFile(dir.File("users.dat"), list, reported.Sink()));
  EXPECT_TRUE(reported.where.empty());
  // A folder is no file, and not a missing one either: it is reported.
  EXPECT_FALSE(ReadUserFile(dir.Path(), list, reported.Sink()));
  EXPECT_EQ(list.Users[0].UserName, "Old");
  EXPECT_EQ(reported.where, std::vector<std::string>{"ReadUserFile " + dir.Path()});
}

TEST(UserFile, EmptyFileOpensAndReportsTheMissingCount) {
  TempDir dir;
  ReadResult r = ReadBytes(dir, "");
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(r.reported.numbers, std::vector<int>{err::InputPastEnd});
  EXPECT_NE(r.reported.details[0].find("user count"), std::string::npos);
  EXPECT_EQ(r.list.UserCount, 0);
}

// The skip and the scan are defined to stop at the end of the data; none of
// these may raise "input past end".
TEST(SkipRule, StopsCleanlyAtEveryKindOfEnd) {
  struct Case {
    const char* hex;
    uint16_t result;
  };
  const Case cases[] = {
      {"", 0},
      {"12", 0},                            // odd byte where a word should be
      {"12 34 56 78 9A", 0},
      {"03 80", 0xFFFF},                    // object marker, nothing to scan
      {"03 80 01 02 03", 0xFFFF},           // fewer than the four dropped bytes
      {"03 80 01 02 03 04 05", 0xFFFF},     // half a pair after them
      {"03 80 01 02 03 04 05 81", 0xFFFF},  // pairs without a marker
      {"FF FF 01", 0},                      // class definition cut short
      {"FF FF 01 00 09 00 41 42", 0xFFFF},  // class name cut short
  };
  for (const Case& c : cases) {
    const std::string data = test::HexBytes(c.hex);
    ByteReader in(data);
    EXPECT_EQ(SkipToNextUser(in), c.result) << c.hex;
    EXPECT_TRUE(in.AtEnd()) << c.hex;
  }
}

TEST(SkipRule, StopsRightAfterTheUserMarker) {
  const std::string data = test::HexBytes("00 00 03 80 01 80 01 80 00 80 01 80 77 66");
  ByteReader in(data);
  // 0x8003, then four dropped bytes (01 80 01 80), the stray 0x8000 makes
  // the scan drop four more (01 80 77 66)... so nothing is found.
  EXPECT_EQ(SkipToNextUser(in), kEndOfUserFile);

  const std::string plain = test::HexBytes("00 00 01 80 55");
  ByteReader in2(plain);
  EXPECT_EQ(SkipToNextUser(in2), kUserMarker);
  EXPECT_EQ(in2.Position(), 4u);

  const std::string scanned = test::HexBytes("AA AA 02 80  01 00  02 80  99 99 01 80  01 80  44");
  ByteReader in3(scanned);
  EXPECT_EQ(ScanMarker(in3), 0x8002);
  EXPECT_EQ(in3.Position(), 8u);
  EXPECT_EQ(ScanMarker(in3), kUserMarker);
  EXPECT_EQ(in3.Position(), 14u);
}

TEST(UserFile, FoldersOutsideThePalmDirectoryAreRefused) {
  const struct {
    std::string folder;
    bool usable;
  } cases[] = {
      {"AnnaF", true},          {"sub\\Anna", true},     {"a..b", true},
      {"..\\..\\victim", false}, {"a/../../b", false},   {"..", false},
      {"\\Windows", false},    {"/etc", false},          {"C:\\Palm\\x", false},
      {"D:x", false},           {std::string("a\0/..", 5), false},
  };
  for (const auto& c : cases) EXPECT_EQ(UnsafeUserFolderReason(c.folder).empty(), c.usable) << c.folder;
}

}  // namespace
}  // namespace mirrin
