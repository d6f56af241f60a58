// Every To Do sample written by another program is read and written back.
// Classic files must come back byte for byte; extended files with only their
// rows renumbered, as every write does. The samples live beside the checkout
// (../shared/corpus); without them these tests are skipped, saying so.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/todofile.h"

namespace mirrin {
namespace {

const std::string kTodoDir = std::string(MIRRIN_CORPUS_DIR) + "/todo";

#define SKIP_WITHOUT_CORPUS() \
  if (!std::filesystem::is_directory(kTodoDir)) GTEST_SKIP() << "no sample folder " << kTodoDir

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kTodoDir, ec)) {
    if (entry.path().extension() == ".dat") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// An extended wrapper around a classic body: read as extended, it runs past
// the end of the file. The reader refuses it.
const std::string kUnreadable = "Palm-minimal-SGv1.dat";

size_t FirstDifference(const Bytes& a, const Bytes& b) {
  return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

// The original with each extended row renumbered (ExtRowId 4096 + r,
// ExtFieldBase r * FieldCount): the values of the second and fourth fields.
Bytes ExpectedExtendedRewrite(const Bytes& original) {
  DataContext ctx;
  ByteReader in(original);
  const DatFileHeader header = ReadHeader(in, ctx);
  Bytes expected = original;
  for (int32_t r = 0; r < header.RecordCount; ++r) {
    const size_t start = in.Position();
    TodoRecord record;
    ReadTodoEntry(in, header, record, ctx.timeZone);
    for (auto [at, v] : {std::pair{start + 12, 4096 + r}, std::pair{start + 28, r * header.FieldCount}}) {
      for (size_t i = 0; i < 4; ++i)
        expected.at(at + i) = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    }
  }
  return expected;
}

class TodoCorpus : public ::testing::TestWithParam<std::string> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TodoCorpus);

TEST_P(TodoCorpus, ComesBackAsWritingPrescribes) {
  const std::string path = kTodoDir + "/" + GetParam();
  const Bytes original = ReadWholeFile(path);
  DataContext ctx;
  DatFileHeader header;
  std::vector<TodoRecord> records;
  // Version 2 files (00 02) read and write back, but are flagged so that nothing is saved.
  const bool version2 = original.compare(0, 2, std::string("\x00\x02", 2)) == 0;
  if (GetParam() == kUnreadable) {
    try {
      ParseTodoFile(original, path, header, records, ctx);
      FAIL() << "expected a read error";
    } catch (const RunError& e) {
      EXPECT_EQ(e.number(), err::InputPastEnd) << e.detail();
      EXPECT_EQ(e.where(), "ReadTodoFile " + path + ",0");
    }
    EXPECT_EQ(ctx.unsupportedVersion, version2);
    return;
  }
  ParseTodoFile(original, path, header, records, ctx);
  EXPECT_EQ(ctx.unsupportedVersion, version2);
  const Bytes written = BuildTodoFile(header, records, ctx);
  const Bytes expected = header.IsExtended ? ExpectedExtendedRewrite(original) : original;
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected) << "first difference at offset " << FirstDifference(written, expected);

  DatFileHeader again;
  std::vector<TodoRecord> reread;
  ParseTodoFile(written, path, again, reread, ctx);
  const Bytes second = BuildTodoFile(again, reread, ctx);
  EXPECT_TRUE(second == written) << "second write differs at offset " << FirstDifference(second, written);
}

INSTANTIATE_TEST_SUITE_P(Samples, TodoCorpus, ::testing::ValuesIn(CorpusFiles()), [](const auto& info) {
  std::string name = info.param.substr(0, info.param.rfind('.'));
  std::replace_if(
      name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return name;
});

// A new To Do file, classic or extended, gets the schema Palm Desktop's files of that layout have.
TEST(TodoCorpusList, NewFilesGetTheHeaderOfRealOnes) {
  SKIP_WITHOUT_CORPUS();
  for (const auto& [name, extended] :
       {std::pair{"Palm-empty-v1.dat", false}, std::pair{"Palm-minimal-SGv2.dat", true}}) {
    DataContext ctx;
    DatFileHeader fresh, sample;
    std::vector<TodoRecord> records;
    SetDefaultTodoHeader(fresh, "new.dat", extended);
    ReadTodoFile(1, kTodoDir + "/" + name, sample, records, ctx);
    EXPECT_EQ(fresh.VersionTag, sample.VersionTag) << name;
    EXPECT_EQ(fresh.ResourceId, sample.ResourceId) << name;
    EXPECT_EQ(fresh.FieldTypes, sample.FieldTypes) << name;
  }
}

}  // namespace
}  // namespace mirrin
