#include "palmdata/recordfile.h"

#include <gtest/gtest.h>

#include "palmdata/memofile.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

// A classic memo file of two records, followed by bytes no record claims.
Bytes MemoFileWithTail(const std::string& tail) {
  test::FileBuilder b;
  test::HeaderLayout layout;
  layout.letters = "MP";
  layout.fieldTypes = {1, 1, 1, 5, 6, 1};
  layout.records = 2;
  test::AppendHeader(b, layout);
  for (int i = 0; i < 2; ++i) {
    b.IntField(100 + i).IntField(0).IntField(i).CStringField("memo " + std::to_string(i));
    b.BoolField(false).IntField(0);
  }
  return b.Data() + tail;
}

TEST(RecordFile, BytesAfterTheLastRecordAreKept) {
  for (const std::string& tail : {std::string(), std::string("\x01\x02junk", 6)}) {
    const Bytes original = MemoFileWithTail(tail);
    DataContext ctx;
    DatFileHeader header;
    std::vector<MemoRecord> memos;
    ParseMemoFile(original, "memo.dat", header, memos, ctx);
    ASSERT_EQ(memos.size(), 2u);
    EXPECT_EQ(header.TrailingBytes, tail);
    EXPECT_EQ(BuildMemoFile(header, memos, ctx), original);

    // Records added later go before the kept bytes, so the file stays readable.
    memos.push_back(memos[0]);
    header.RecordCount = 3;
    const Bytes grown = BuildMemoFile(header, memos, ctx);
    DatFileHeader again;
    std::vector<MemoRecord> reread;
    ParseMemoFile(grown, "memo.dat", again, reread, ctx);
    EXPECT_EQ(reread.size(), 3u);
    EXPECT_EQ(again.TrailingBytes, tail);
  }
}

TEST(RecordFile, HeaderAndBodyMustAgreeBeforeAnythingIsWritten) {
  const Bytes original = MemoFileWithTail("");
  DataContext ctx;
  DatFileHeader header;
  std::vector<MemoRecord> memos;
  ParseMemoFile(original, "memo.dat", header, memos, ctx);
  memos.pop_back();
  EXPECT_THROW(BuildMemoFile(header, memos, ctx), RunError);
}

TEST(RecordFile, ReadErrorsNameTheRecord) {
  const Bytes original = MemoFileWithTail("");
  const Bytes cut = original.substr(0, original.size() - 3);
  DataContext ctx;
  DatFileHeader header;
  std::vector<MemoRecord> memos{MemoRecord{}};
  try {
    ParseMemoFile(cut, "C:\\Palm\\memo.dat", header, memos, ctx);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::InputPastEnd);
    EXPECT_NE(e.where().find("memo.dat,1"), std::string::npos) << e.where();
  }
  EXPECT_EQ(memos.size(), 1u) << "a failed read leaves the store as it was";
}

}  // namespace
}  // namespace mirrin
