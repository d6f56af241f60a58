#include "startup/catfilter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/fake_platform.h"
#include "support/logsinks.h"
#include "support/filebuilder.h"

namespace mirrin {
namespace {

using test::FailingLog;
using test::FakePlatform;
using test::ReadFileBytes;
using test::RecordingLog;
using test::TempDir;
using test::WriteFileBytes;

const std::string kHeader =
    "#\r\n#\r\n# This file contains Category Filters for Mirrin\r\n#\r\n"
    "# (Modifying this file could affect the running of Mirrin)\r\n#\r\n";

KindHeader Table(std::initializer_list<const char*> names) {
  KindHeader t;
  for (const char* n : names) t.Categories.emplace_back().LongName = n;
  return t;
}

std::vector<bool> Shown(const KindHeader& t) {
  std::vector<bool> v;
  for (size_t i = 0; i < t.Categories.size(); ++i) v.push_back(t.Shown(i));
  return v;
}

class CatFilterTest : public ::testing::Test {
 protected:
  CatFilterTest() {
    users[0].name = "Ann";
    users[0].tables = {&annDates, &annContacts, &annMemos, &annTodos, &annCustom};
    users[1].name = "Bob";
    users[1].tables = {&bobDates, &bobContacts, nullptr, nullptr, nullptr};
  }
  void Read(const std::string& content) {
    WriteFileBytes(path, content);
    ReadCatExcludeFile(path, users, "Passwords", filters, log, platform);
  }

  TempDir dir;
  std::string path = dir.File("MirrinCategoriestoExclude.cfg");
  KindHeader annDates = Table({"Work", "Home"});
  KindHeader annContacts = Table({"Work", "Family"});
  KindHeader annMemos = Table({"Ideas"});
  KindHeader annTodos = Table({"Work"});
  KindHeader annCustom = Table({"Web"});
  KindHeader bobDates = Table({"Work"});
  KindHeader bobContacts = Table({"Golf"});
  std::array<FilterUser, 2> users;
  CategoryFilters filters;
  RecordingLog log;
  FakePlatform platform;
};

TEST_F(CatFilterTest, HidesNamedCategoriesOfLoadedUsers) {
  Read(
      "# comment\r\n   # also a comment here\r\n\r\n"
      "  Ann|Dates|Home  \r\n"
      "Ann|Contacts|Work|ignored\n"
      "Bob|Contacts|Golf\r\n"
      "Ann|To Dos\r\n"       // too few fields
      "ann|Memos|Ideas\r\n"  // user names are case-sensitive
      "Ann|Memos|ideas\r\n"  // so are category names
      "Ann|Passwords|Web\r\n");
  EXPECT_EQ(Shown(annDates), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(Shown(annContacts), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(Shown(bobContacts), (std::vector<bool>{true, false}));
  EXPECT_EQ(Shown(annMemos), (std::vector<bool>{true, true}));
  EXPECT_EQ(Shown(annCustom), (std::vector<bool>{true, false}));
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_FALSE(filters.changed);
}

TEST_F(CatFilterTest, WritesUsersThenKindsInOrderAndSkipsDeletedCategories) {
  annTodos.Flags(1).shown = false;
  annDates.Flags(2).shown = false;
  annDates.Flags(1).shown = false;
  annDates.Flags(1).deleted = true;
  annCustom.Flags(1).shown = false;
  bobDates.Flags(0).shown = false;
  annContacts.Flags(2).shown = false;
  WriteFileBytes(path, "old");
  WriteCatExcludeFile(path, users, "Passwords", filters, log);
  EXPECT_EQ(ReadFileBytes(path), "old") << "nothing is written unless changed";
  filters.changed = true;
  WriteCatExcludeFile(path, users, "Passwords", filters, log);
  EXPECT_EQ(ReadFileBytes(path), kHeader +
                                     "Ann|Dates|Home\r\n"
                                     "Ann|Contacts|Family\r\n"
                                     "Ann|To Dos|Work\r\n"
                                     "Ann|Passwords|Web\r\n"
                                     "Bob|Dates|Unfiled\r\n");
}

#ifndef _WIN32
TEST_F(CatFilterTest, FailedWriteIsSilentLoggedAndLeavesTheOldFile) {
  WriteFileBytes(path, "Ann|Dates|Home\r\n");
  // A file without write permission is never replaced.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  filters.changed = true;
  WriteCatExcludeFile(path, users, "", filters, log);
  EXPECT_EQ(ReadFileBytes(path), "Ann|Dates|Home\r\n");
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(log.lines.back().second, 0);
  EXPECT_EQ(log.lines.back().first.rfind("WriteCatExcludeFile failed: ", 0), 0u);
}
#endif

TEST_F(CatFilterTest, UnwritableLogDoesNotStopTheWrite) {
  annDates.Flags(1).shown = false;
  filters.changed = true;
  FailingLog failing;
  WriteCatExcludeFile(path, users, "", filters, failing);
  EXPECT_EQ(ReadFileBytes(path), kHeader + "Ann|Dates|Work\r\n");
}

#ifndef _WIN32
// A FIFO is not a missing file: reported, and never replaced by a write.
TEST_F(CatFilterTest, AFifoInItsPlaceIsReportedAndKept) {
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  ReadCatExcludeFile(path, users, "", filters, log, platform);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text.rfind("ReadCatExcludeFile has caused an error. 75", 0), 0u);
  filters.changed = true;
  WriteCatExcludeFile(path, users, "", filters, log);
  EXPECT_TRUE(std::filesystem::is_fifo(path));
}
#endif

}  // namespace
}  // namespace mirrin
