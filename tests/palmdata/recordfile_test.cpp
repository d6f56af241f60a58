#include "palmdata/recordfile.h"

#include <gtest/gtest.h>

#include "palmdata/addressfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"
#include "support/filebuilder.h"
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

DatFileHeader Header(const char* letters, bool extended, size_t fields, int records) {
  test::HeaderLayout layout{letters, extended, {}, std::vector<int>(fields, 1), records};
  test::FileBuilder b;
  test::AppendHeader(b, layout);
  DataContext ctx;
  ByteReader in(b.Data());
  return ReadHeader(in, ctx);
}

// A header may declare more fields than a layout reads: records as small as
// the layout allows (every text empty) must still read back.
template <class Record, class Parse, class Build>
void SmallestRecordsReadBack(const char* letters, Parse parse, Build build) {
  Record r;
  const PalmDate start1970 = PalmDate::FromStored(0, SecondsToDate(0, TimeZoneInfo{}));
  if constexpr (std::is_same_v<Record, DateRecord>) r.StartTime = r.EndTime = start1970;
  if constexpr (std::is_same_v<Record, TodoRecord>) r.DueDate = r.ExtDate1 = r.ExtDate2 = r.ExtDate3 = start1970;
  for (bool extended : {false, true}) {
    std::vector<Record> records(3, r), reread;
    DataContext ctx;
    DatFileHeader again;
    EXPECT_NO_THROW(parse(build(Header(letters, extended, 40, 3), records, ctx), "f", again, reread, ctx))
        << letters << extended;
  }
}

TEST(RecordFile, RecordCountIsBoundByTheLayoutsSmallestRecord) {
  SmallestRecordsReadBack<MemoRecord>("MP", ParseMemoFile, BuildMemoFile);
  SmallestRecordsReadBack<DateRecord>("DB", ParseDatebookFile, BuildDatebookFile);
  SmallestRecordsReadBack<TodoRecord>("DT", ParseTodoFile, BuildTodoFile);
  SmallestRecordsReadBack<ContactRecord>("BA", ParseAddressFile, BuildAddressFile);

  // A count that cannot fit is refused before anything is allocated for it.
  test::FileBuilder b;
  test::AppendHeader(b, test::HeaderLayout{"BA", false, {}, {1}, 12000});
  DataContext ctx;
  DatFileHeader header;
  std::vector<ContactRecord> contacts;
  try {
    ParseAddressFile(b.Data() + Bytes(100000, '\0'), "address.dat", header, contacts, ctx);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.what(), std::string("Input past end of file (ReadAddressFile address.dat,0: record count 12000 "
                                    "does not fit the 100000 bytes left)"));
  }
}

TEST(RecordFile, AFileThatWouldNotReadBackIsNotWritten) {
  test::TempDir dir;
  const std::string path = dir.File("memopad.dat");
  test::WriteFileBytes(path, "old");
  // Raw bytes in place of the fourth text end at an empty string field;
  // with a first string that is not empty, the end cannot be found again.
  std::vector<MemoRecord> memos(1);
  memos[0].ExtLength[3] = 1;
  memos[0].ExtBlob = "ab";
  memos[0].ExtString1 = "x";
  DataContext ctx;
  EXPECT_THROW(WriteMemoFile(1, path, Header("MP", true, 14, 1), memos, ctx), RunError);
  EXPECT_EQ(test::ReadFileBytes(path), "old");
}

}  // namespace
}  // namespace mirrin
