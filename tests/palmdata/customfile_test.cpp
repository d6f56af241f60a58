// The custom kind's CSV beyond its golden sample: line ends, values the
// writer must quote, and files that cannot be read or written.
#include "palmdata/customfile.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using Fields = std::array<std::string, kCustomFieldCount>;

struct Custom {
  DatFileHeader header;
  std::vector<CustomRecord> records;
};

Custom Parsed(const std::string& text) {
  Custom c;
  ParseCustomText(text, c.header, c.records);
  return c;
}

TEST(CustomFile, LineEndsCountOneRecordPerLine) {
  // Other line ends are in the golden sample.
  const std::pair<std::string, size_t> cases[] = {{"", 0}, {"\r\n", 1}, {"a\r\nb\r", 2}, {"a\nb\n", 2}};
  for (const auto& [text, count] : cases) {
    const Custom c = Parsed(text);
    ASSERT_EQ(c.records.size(), count) << text;
    EXPECT_EQ(c.header.RecordCount, static_cast<int32_t>(count));
    if (count == 2) {
      EXPECT_EQ(c.records[1].Fields, Fields{"b"}) << text;
    }
  }
}

TEST(CustomFile, EditedLinesAreQuotedWhereNeededAndOthersKeptAsRead) {
  test::TempDir dir;
  const std::string path = dir.File("export.csv");
  const std::string text = "Banking,Card\nWeb,Mail,x,y,,,,a,9th,\"10,th\"\r\n,,\"open\nlast";
  Custom c = Parsed(text);
  c.records[0].Deleted = true;
  c.records[1].Fields[7] = "call back Monday, then \"send\"";
  CustomRecord added;
  added.Fields = {"New", "a\nb"};
  c.records.push_back(added);
  DataContext ctx;
  WriteCustomFile(1, "SplashID", path, c.records, ctx);
  // A quote that pairs with nothing is kept as a value and written quoted.
  EXPECT_EQ(test::ReadFileBytes(path),
            "Web,Mail,x,y,,,,\"call back Monday, then \"\"send\"\"\",9th,\"10,th\"\r\n,,\"\"\"open\",,,,,\r\n"
            "last\r\nNew,\"a\nb\",,,,,,\r\n");
  const Custom back = Parsed(test::ReadFileBytes(path));
  ASSERT_EQ(back.records.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(back.records[i].Fields, c.records[i + 1].Fields) << i;
    EXPECT_EQ(back.records[i].Extra, c.records[i + 1].Extra) << i;
  }
}

TEST(CustomFile, RereadingOrAMissingFileLeavesNothingOfTheFileBefore) {
  test::TempDir dir;
  const std::string path = dir.File("export.csv");
  test::WriteFileBytes(path, "Old,One\r\nOlder,Two\r\n");
  Custom c;
  ReadCustomFile(path, c.header, c.records);
  test::WriteFileBytes(path, "New,Three\r\n");
  ReadCustomFile(path, c.header, c.records);
  ASSERT_EQ(c.header.Categories.size(), 2u);
  EXPECT_EQ(c.header.Categories[1].LongName, "New");
  EXPECT_EQ(c.header.CategoryCount, 1);
  EXPECT_EQ(c.records.size(), 1u);
  ReadCustomFile(dir.File("missing.csv"), c.header, c.records);
  EXPECT_TRUE(c.records.empty());
  EXPECT_EQ(c.header.CategoryCount, 0);
  EXPECT_EQ(c.header.RecordCount, 0);
}

TEST(CustomFile, TooManyLinesAndUnwritableFilesAreErrors) {
  Custom c;
  c.records.resize(1);
  EXPECT_THROW(ParseCustomText(std::string(kMostCustomRecords + 1, '\n'), c.header, c.records), RunError);
  EXPECT_EQ(c.records.size(), 1u);
  ParseCustomText(std::string(kMostCustomRecords, '\n'), c.header, c.records);
  EXPECT_EQ(c.records.size(), kMostCustomRecords);

  test::TempDir dir;
  DataContext ctx;
  const std::string path = dir.File("no-such-folder/export.csv");
  EXPECT_THROW(WriteCustomFile(1, "SplashID", path, {CustomRecord{}}, ctx), RunError);
  EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace mirrin
