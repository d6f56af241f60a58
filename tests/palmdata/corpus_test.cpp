// Every To Do sample written by another project is read and written back.
// Classic files must come back byte for byte. Extended files come back with
// exactly the changes writing makes on purpose, stated here field by field;
// files that cannot be read at all are listed with the error they give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/todofile.h"

namespace mirrin {
namespace {

const std::string kTodoDir = std::string(MIRRIN_CORPUS_DIR) + "/todo";

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  // A missing folder lists nothing; HoldsTheSamplesItDescribes then fails.
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kTodoDir, ec)) {
    if (entry.path().extension() == ".dat") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct KnownReadError {
  int number;
  const char* why;
};

// Samples the reader refuses, and why.
const std::map<std::string, KnownReadError> kUnreadable = {
    // An extended wrapper around a classic body: the body is read as
    // extended and runs past the end of the file.
    {"Palm-minimal-SGv1.dat", {err::InputPastEnd, "bytes needed"}},
};

size_t FirstDifference(const Bytes& a, const Bytes& b) {
  const auto m = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return static_cast<size_t>(m.first - a.begin());
}

void PutLong(Bytes& data, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) data.at(at + i) = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
}

// What writing an extended file changes on purpose: each row is renumbered
// (ExtRowId 4096 + r, ExtFieldBase r * FieldCount).
Bytes ExpectedExtendedRewrite(const Bytes& original) {
  DataContext ctx;
  ByteReader in(original);
  const DatFileHeader header = ReadHeader(in, ctx);
  Bytes expected = original;
  for (int32_t r = 0; r < header.RecordCount; ++r) {
    const size_t start = in.Position();
    TodoRecord record;
    ReadTodoEntryExt(in, record, ctx.timeZone);
    PutLong(expected, start + 12, 4096 + r);                  // value of the second Integer field
    PutLong(expected, start + 28, r * header.FieldCount);     // value of the fourth
  }
  return expected;
}

class TodoCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(TodoCorpus, ComesBackAsWritingPrescribes) {
  const std::string path = kTodoDir + "/" + GetParam();
  const Bytes original = ReadWholeFile(path);
  DataContext ctx;
  DatFileHeader header;
  std::vector<TodoRecord> records;

  const auto unreadable = kUnreadable.find(GetParam());
  if (unreadable != kUnreadable.end()) {
    try {
      ParseTodoFile(original, path, header, records, ctx);
      FAIL() << "expected read error " << unreadable->second.number;
    } catch (const RunError& e) {
      EXPECT_EQ(e.number(), unreadable->second.number) << e.detail();
      EXPECT_NE(e.detail().find(unreadable->second.why), std::string::npos) << e.detail();
      EXPECT_EQ(e.where(), "ReadTodoFile " + path + ",0");
    }
    // The unknown tag is still flagged, so nothing could be saved.
    EXPECT_EQ(ctx.unsupportedVersion, original.compare(0, 2, std::string("\x00\x02", 2)) == 0);
    return;
  }

  ParseTodoFile(original, path, header, records, ctx);
  // Version 2 files (00 02) have the extended body without its wrapper; they
  // read and write back, but are flagged so that nothing is saved.
  EXPECT_EQ(ctx.unsupportedVersion, original.compare(0, 2, std::string("\x00\x02", 2)) == 0);
  const Bytes written = BuildTodoFile(header, records, ctx);
  const Bytes expected = header.IsExtended ? ExpectedExtendedRewrite(original) : original;
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected) << "first difference at offset " << FirstDifference(written, expected);

  // Writing what was written changes nothing more.
  DatFileHeader again;
  std::vector<TodoRecord> reread;
  ParseTodoFile(written, path, again, reread, ctx);
  const Bytes second = BuildTodoFile(again, reread, ctx);
  EXPECT_TRUE(second == written) << "second write differs at offset " << FirstDifference(second, written);
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(0, info.param.rfind('.'));
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Samples, TodoCorpus, ::testing::ValuesIn(CorpusFiles()), CaseName);

TEST(TodoCorpusList, HoldsTheSamplesItDescribes) {
  const auto files = CorpusFiles();
  EXPECT_GE(files.size(), 10u);
  for (const auto& [name, error] : kUnreadable) {
    EXPECT_NE(std::find(files.begin(), files.end(), name), files.end()) << name;
  }
}

}  // namespace
}  // namespace mirrin
