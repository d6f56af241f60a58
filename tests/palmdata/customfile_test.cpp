#include "palmdata/customfile.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/layout_testing.h"

namespace mirrin {
namespace {

using test::TempDir;
using test::RecordingLog;

struct CustomStore {
  DatFileHeader header;
  std::vector<CustomRecord> records;
};

CustomStore ReadText(const TempDir& dir, const std::string& text) {
  const std::string path = dir.File("export.csv");
  test::WriteFileBytes(path, text);
  CustomStore s;
  ReadCustomFile(path, s.header, s.records);
  return s;
}

std::vector<std::string> CategoryNames(const DatFileHeader& h) {
  std::vector<std::string> names;
  for (const CategoryEntry& c : h.Categories) names.push_back(c.LongName);
  return names;
}

TEST(CustomFile, LinesBecomeEightFieldsAndCategoriesInOrderOfFirstUse) {
  TempDir dir;
  CustomStore s = ReadText(dir,
                           "Banking,Card,1234\r\n"
                           "Web,Mail,a,b,c,d,e,note,x,,z\r\n"
                           "Banking,Safe\r\n"
                           "Unfiled,Loose\r\n"
                           "Web,Tom, Jones,pw\r\n"
                           "Web,\"Ann, Lee\",\"say \"\"hi\"\"\r\nbye\",\"half\"open,\"x\r\n");
  ASSERT_EQ(s.header.RecordCount, 6);
  const std::array<std::string, 8> first{"Banking", "Card", "1234", "", "", "", "", ""};
  EXPECT_EQ(s.records[0].Fields, first);
  EXPECT_EQ(s.records[1].Fields[7], "note");
  EXPECT_EQ(s.records[1].Extra, (std::vector<std::string>{"x", "", "z"}));  // kept aside
  EXPECT_EQ(s.records[4].Fields[2], " Jones");  // an unquoted comma splits
  const std::array<std::string, 8> quoted{"Web", "Ann, Lee", "say \"hi\"\r\nbye", "\"half\"open", "\"x"};
  EXPECT_EQ(s.records[5].Fields, quoted);  // a quote that does not close a value is kept
  EXPECT_EQ(CategoryNames(s.header), (std::vector<std::string>{"Unfiled", "Banking", "Web"}));
  EXPECT_EQ(s.header.CategoryCount, 2);
  EXPECT_EQ(s.header.Categories[2].Id, 2);
}

TEST(CustomFile, LineEndsCountOneRecordPerLine) {
  TempDir dir;
  struct Case {
    std::string text;
    size_t records;
  };
  const Case cases[] = {
      {"", 0},
      {"a\r\nb\r\n", 2},
      {"a\nb\n", 2},
      {"a\r\nb", 2},    // last line without its end
      {"a\r\nb\r", 2},  // last line ending in a bare CR
      {"\r\n", 1},      // one blank line
      {"a\r\n\r\nb\r\n", 3},
  };
  for (const Case& c : cases) {
    CustomStore s = ReadText(dir, c.text);
    ASSERT_EQ(s.records.size(), c.records) << c.text;
    EXPECT_EQ(s.header.RecordCount, static_cast<int32_t>(c.records));
    if (c.records == 2) {
      EXPECT_EQ(s.records[0].Fields[0], "a") << c.text;
      EXPECT_EQ(s.records[1].Fields, (std::array<std::string, 8>{"b"})) << c.text;
    }
  }
  // A blank line in the middle is a record of empty fields with an unnamed category.
  CustomStore s = ReadText(dir, "a\r\n\r\nb\r\n");
  EXPECT_EQ(s.records[1].Fields, (std::array<std::string, 8>{}));
  EXPECT_EQ(CategoryNames(s.header), (std::vector<std::string>{"Unfiled", "a", "", "b"}));
}

TEST(CustomFile, UnchangedLinesComeBackByteForByteAndEditsSurvive) {
  TempDir dir;
  const std::string path = dir.File("export.csv");
  const std::string text =
      "Banking,Card,1234\nWeb,Mail,x,y,,,,a\rb,9th,\"10,th\"\r\n\"multi\r\nline\",\"q\"\"\"\r\n,,\"open\n"
      "last";
  CustomStore s = ReadText(dir, text);
  ASSERT_EQ(s.records.size(), 5u);
  EXPECT_EQ(s.records[1].Fields[7], "a\rb");  // a bare CR is no line end
  RecordingLog log;
  DataContext ctx;
  ctx.log = &log;
  WriteCustomFile(2, "SplashID", path, s.records, ctx);
  // Only the line whose quote pairs with nothing is written afresh, quoted.
  std::string expected = text;
  expected.replace(expected.find(",,\"open\n"), 8, ",,\"\"\"open\",,,,,\r\n");
  EXPECT_EQ(test::ReadFileBytes(path), expected);
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0].first, "Write SplashID for 2 to " + path);

  // Edited and added records are quoted where needed and keep their extra
  // values; the lines around them stay as they were.
  s.records[0].Deleted = true;
  s.records[1].Fields[7] = "call back Monday, then send the invoice";
  s.records[2].Fields[2] = "say \"hi\"\r\nbye";
  CustomRecord added;
  added.Fields[0] = "New";
  added.Fields[1] = "a\nb";
  s.records.push_back(added);
  WriteCustomFile(1, "SplashID", path, s.records, ctx);
  const std::string written = test::ReadFileBytes(path);
  EXPECT_EQ(written.rfind("Web,Mail,x,y,,,,\"call back Monday, then send the invoice\",9th,\"10,th\"\r\n", 0), 0u)
      << written;
  EXPECT_NE(written.find(",,\"\"\"open\",,,,,\r\nlast\r\nNew,\"a\nb\",,,,,,\r\n"), std::string::npos) << written;
  CustomStore back = ReadText(dir, written);
  ASSERT_EQ(back.records.size(), 5u);
  for (size_t i = 0; i < back.records.size(); ++i) {
    EXPECT_EQ(back.records[i].Fields, s.records[i + 1].Fields) << i;
    EXPECT_EQ(back.records[i].Extra, s.records[i + 1].Extra) << i;
  }
}

TEST(CustomFile, MoreRecordsThanAListHoldsAreRefused) {
  DatFileHeader header;
  std::vector<CustomRecord> records(1);
  EXPECT_THROW(ParseCustomText(std::string(kMostCustomRecords + 1, '\n'), header, records), RunError);
  EXPECT_EQ(records.size(), 1u);
  ParseCustomText(std::string(kMostCustomRecords, '\n'), header, records);
  EXPECT_EQ(records.size(), kMostCustomRecords);
}

TEST(CustomFile, RereadingStartsTheCategoriesAfresh) {
  TempDir dir;
  const std::string path = dir.File("export.csv");
  test::WriteFileBytes(path, "Old,One\r\nOlder,Two\r\n");
  CustomStore s;
  ReadCustomFile(path, s.header, s.records);
  ASSERT_EQ(s.header.CategoryCount, 2);

  test::WriteFileBytes(path, "New,Three\r\n");
  ReadCustomFile(path, s.header, s.records);
  EXPECT_EQ(CategoryNames(s.header), (std::vector<std::string>{"Unfiled", "New"}));
  EXPECT_EQ(s.header.CategoryCount, 1);
  ASSERT_EQ(s.records.size(), 1u);
  EXPECT_EQ(s.header.RecordCount, 1);

  // A missing file is an empty kind: nothing of the file read before stays.
  ReadCustomFile(dir.File("missing.csv"), s.header, s.records);
  EXPECT_TRUE(s.records.empty());
  EXPECT_EQ(s.header.CategoryCount, 0);
  EXPECT_EQ(s.header.RecordCount, 0);
}

TEST(CustomFile, FailedWriteRaisesAndLeavesNoFile) {
  TempDir dir;
  DataContext ctx;
  const std::string path = dir.File("no-such-folder/export.csv");
  EXPECT_THROW(WriteCustomFile(1, "SplashID", path, {CustomRecord{}}, ctx), RunError);
  EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace mirrin
