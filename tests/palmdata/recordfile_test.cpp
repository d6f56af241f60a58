// What every record file must do beyond reading its golden samples: refuse
// hostile and cut files, renumber extended rows, start empty when the file is
// missing, and never write a file that would not read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/kinds_testing.h"
#include "support/filebuilder.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::ForEachKind;

Bytes Sample(const std::string& start, const char* layout) {
  return ReadWholeFile(test::DataFile(start + "-" + layout + ".dat"));
}

// Where the header ends, so that a test can change its entry count.
size_t HeaderSize(const Bytes& data) {
  ByteReader in(data);
  DataContext ctx;
  ReadHeader(in, ctx);
  return in.Position();
}

TEST(RecordFile, CutFilesFailNamingTheRecordAndLeaveTheStore) {
  ForEachKind([](auto kind, const std::string& start, const std::string& reader, const char*) {
    using K = decltype(kind);
    for (const char* layout : {"classic", "extended"}) {
      const Bytes data = Sample(start, layout);
      DataContext ctx;
      const size_t end = data.size() - K::Parsed(data, ctx).header.TrailingBytes.size();
      for (size_t n = 0; n < end; n += 1 + end / 400) {
        typename K::Store s;
        s.records.resize(2);
        try {
          K::ParseInto(data.substr(0, n), s, ctx);
          ADD_FAILURE() << start << "-" << layout << " cut at " << n << " was read";
        } catch (const RunError& e) {
          if (n > HeaderSize(data)) {
            // "<reader> f,<digits>"; spelled out, as the Windows regex knows no brackets.
            const std::string where = e.where(), prefix = reader + " f,";
            EXPECT_TRUE(where.starts_with(prefix) && where.size() > prefix.size() &&
                        where.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
                << where << " at " << n;
          }
        }
        EXPECT_EQ(s.records.size(), 2u) << "a failed read leaves the store as it was";
      }
    }
  });
}

TEST(RecordFile, CountsThatCannotFitAreRefusedBeforeAllocating) {
  ForEachKind([](auto kind, const std::string& start, const std::string& reader, const char*) {
    using K = decltype(kind);
    for (int32_t entries : {1000000 * 30, -3000, 0x7FFFFFFF}) {
      Bytes data = Sample(start, "classic");
      data.replace(HeaderSize(data) - 4, 4, test::FileBuilder().Long(entries).Data());
      DataContext ctx;
      try {
        K::Parsed(data, ctx);
        ADD_FAILURE() << start << " " << entries;
      } catch (const RunError& e) {
        EXPECT_EQ(e.where(), reader + " f,0") << start << " " << entries;
      }
    }
  });
  // A header may declare more fields than a layout reads: records as small
  // as the layout allows (every text empty) must still read back.
  ForEachKind([](auto kind, const std::string& start, const char*, const char* letters) {
    using K = decltype(kind);
    for (bool extended : {false, true}) {
      test::FileBuilder b;
      test::AppendHeader(b, test::HeaderLayout{letters, extended, {}, std::vector<int>(40, 1), 0});
      DataContext ctx;
      typename K::Store s = K::Parsed(b.Data(), ctx);
      s.records.assign(3, test::Writable<typename K::Record>());
      s.header.RecordCount = 3;
      EXPECT_NO_THROW(K::Parsed(K::Build(s), ctx)) << start << extended;
    }
  });
}

TEST(RecordFile, ExtendedRowsAreNumberedInFileOrderOnWriting) {
  ForEachKind([](auto kind, const std::string& start, const char*, const char*) {
    using K = decltype(kind);
    const Bytes data = Sample(start, "extended");
    DataContext ctx;
    typename K::Store s = K::Parsed(data, ctx);
    for (auto& r : s.records) r.ExtRowId = r.ExtFieldBase = 9;
    EXPECT_EQ(K::Build(s), data) << start;
  });
}

TEST(RecordFile, MissingFileEmptiesTheStoreAndWhatIsWrittenReadsBack) {
  ForEachKind([](auto kind, const std::string& start, const char*, const char* letters) {
    using K = decltype(kind);
    test::TempDir dir;
    DataContext ctx;
    typename K::Store s = K::Parsed(Sample(start, "extended"), ctx);
    const std::string path = dir.File(start + ".dat");
    K::Read(path, s, ctx);
    EXPECT_TRUE(s.records.empty()) << start;
    EXPECT_FALSE(s.header.IsExtended) << start;
    EXPECT_EQ(s.header.VersionTag, std::string("\x00\x01", 2) + letters);
    EXPECT_EQ(s.header.Categories.size(), 1u) << start << ": only Unfiled";
    s.records.assign(1, test::Writable<typename K::Record>());
    s.records[0].RecordId = 42;
    s.header.RecordCount = 1;
    K::Write(path, s, ctx);
    typename K::Store back;
    K::Read(path, back, ctx);
    ASSERT_EQ(back.records.size(), 1u) << start;
    EXPECT_EQ(back.records[0].RecordId, 42);
    EXPECT_EQ(back.header.FieldTypes, s.header.FieldTypes);
  });
}

TEST(RecordFile, AFileThatWouldNotReadBackIsNotWritten) {
  struct Case {
    const char* what;
    std::function<void(test::Memos::Store&)> spoil;
  };
  const std::vector<Case> cases = {
      {"more records than the header counts", [](auto& s) { s.records.push_back(s.records[0]); }},
      {"text length disagreeing with the text", [](auto& s) { s.records[0].ExtLength[1] = 50; }},
      // Raw bytes for the fourth text end at an empty first string; with a
      // first string that is not empty, the end cannot be found again.
      {"raw bytes before a string that is not empty", [](auto& s) { s.records[1].Ext.Mutable().String1 = "x"; }},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const std::string path = dir.File("memopad.dat");
    test::WriteFileBytes(path, "old");
    DataContext ctx;
    test::Memos::Store s = test::Memos::Parsed(Sample("memo", "extended"), ctx);
    c.spoil(s);
    EXPECT_THROW(test::Memos::Write(path, s, ctx), RunError) << c.what;
    EXPECT_EQ(test::ReadFileBytes(path), "old") << c.what;
  }
  // A repeat's exception count beyond its list.
  test::TempDir dir;
  const std::string path = dir.File("datebook.dat");
  const Bytes file = Sample("datebook", "classic");
  test::WriteFileBytes(path, file);
  DataContext ctx;
  test::Dates::Store d;
  test::Dates::Read(path, d, ctx);
  d.records[0].ExceptionCount = 3;
  EXPECT_THROW(test::Dates::Write(path, d, ctx), RunError);
  EXPECT_EQ(test::ReadFileBytes(path), file);
}

TEST(RecordFile, RecordsAddedLaterGoBeforeTheBytesNoRecordClaims) {
  DataContext ctx;
  test::Memos::Store s = test::Memos::Parsed(Sample("memo", "classic"), ctx);
  ASSERT_FALSE(s.header.TrailingBytes.empty());
  s.records.push_back(s.records[0]);
  s.header.RecordCount = 3;
  const test::Memos::Store again = test::Memos::Parsed(test::Memos::Build(s), ctx);
  EXPECT_EQ(again.records.size(), 3u);
  EXPECT_EQ(again.header.TrailingBytes, s.header.TrailingBytes);
}

}  // namespace
}  // namespace mirrin
