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

// Records with every text empty, as small as each layout allows.
template <class Record>
Record Smallest() {
  Record r;
  const PalmDate start1970 = PalmDate::FromStored(0, SecondsToDate(0, TimeZoneInfo{}));
  if constexpr (std::is_same_v<Record, DateRecord>) r.StartTime = r.EndTime = start1970;
  if constexpr (std::is_same_v<Record, TodoRecord>) r.DueDate = r.ExtDate1 = r.ExtDate2 = r.ExtDate3 = start1970;
  return r;
}

// A header may declare more fields than a layout reads; the smallest records
// still read, so whatever is built from them can be read again.
template <class Record, class Parse, class Build>
void SmallestRecordsReadWithAnyFieldCount(const char* letters, Parse parse, Build build) {
  for (bool extended : {false, true}) {
    test::HeaderLayout layout;
    layout.letters = letters;
    layout.extended = extended;
    layout.fieldTypes.assign(40, 1);
    layout.records = 3;
    test::FileBuilder b;
    test::AppendHeader(b, layout);
    DataContext ctx;
    ByteReader headerIn(b.Data());
    DatFileHeader header = ReadHeader(headerIn, ctx);
    std::vector<Record> records(3, Smallest<Record>());
    const Bytes built = build(header, records, ctx);
    DatFileHeader again;
    std::vector<Record> reread;
    try {
      parse(built, "f.dat", again, reread, ctx);
    } catch (const RunError& e) {
      ADD_FAILURE() << letters << extended << e.what();
    }
    EXPECT_EQ(reread.size(), 3u) << letters << extended;
  }
}

TEST(RecordFile, RecordCountIsBoundByTheLayoutsSmallestRecord) {
  SmallestRecordsReadWithAnyFieldCount<MemoRecord>("MP", ParseMemoFile, BuildMemoFile);
  SmallestRecordsReadWithAnyFieldCount<DateRecord>("DB", ParseDatebookFile, BuildDatebookFile);
  SmallestRecordsReadWithAnyFieldCount<TodoRecord>("DT", ParseTodoFile, BuildTodoFile);
  SmallestRecordsReadWithAnyFieldCount<ContactRecord>("BA", ParseAddressFile, BuildAddressFile);

  // A count that cannot fit is refused before anything is allocated for it.
  test::HeaderLayout layout;
  layout.letters = "BA";
  layout.fieldTypes = {1};
  layout.records = 12000;
  test::FileBuilder b;
  test::AppendHeader(b, layout);
  const Bytes hostile = b.Data() + Bytes(100000, '\0');
  DataContext ctx;
  DatFileHeader header;
  std::vector<ContactRecord> contacts;
  try {
    ParseAddressFile(hostile, "address.dat", header, contacts, ctx);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_NE(e.detail().find("record count 12000"), std::string::npos) << e.detail();
    EXPECT_EQ(e.where(), "ReadAddressFile address.dat,0");
  }
}

TEST(RecordFile, AFileThatWouldNotReadBackIsNotWritten) {
  test::TempDir dir;
  const std::string path = dir.File("memopad.dat");
  test::WriteFileBytes(path, "old");
  test::HeaderLayout layout;
  layout.letters = "MP";
  layout.extended = true;
  layout.fieldTypes.assign(14, 1);
  test::FileBuilder b;
  test::AppendHeader(b, layout);
  DataContext ctx;
  ByteReader in(b.Data());
  DatFileHeader header = ReadHeader(in, ctx);
  // Raw bytes in place of the fourth text end at an empty string field;
  // with a first string that is not empty, the end cannot be found again.
  std::vector<MemoRecord> memos(1);
  memos[0].ExtLength[3] = 1;
  memos[0].ExtBlob = "ab";
  memos[0].ExtString1 = "x";
  header.RecordCount = 1;
  try {
    WriteMemoFile(1, path, header, memos, ctx);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find("does not read back"), std::string::npos) << e.what();
  }
  EXPECT_EQ(test::ReadFileBytes(path), "old");
}

}  // namespace
}  // namespace mirrin
