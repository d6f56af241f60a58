#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/layout_testing.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"
#include "support/headerbuilder.h"

namespace mirrin {
namespace {

using test::FileBuilder;
using test::HeaderLayout;

const std::vector<int> kTodoTypes{1, 1, 1, 5, 3, 6, 1, 6, 1, 5};
const std::vector<int> kTodoExtTypes{1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 67, 5, 5, 5, 3, 6, 1, 5, 6, 3, 6, 3, 1, 3, 8};
const std::vector<int> kMemoTypes{1, 1, 1, 5, 6, 1};
const std::vector<int> kMemoExtTypes{1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 67, 5, 5, 5};
const uint32_t kDue = test::PalmTimeUtc(2022, 5, 20, 0, 0);

Bytes WithHeader(const char* letters, bool extended, const std::vector<int>& types, int records,
                 const Bytes& body) {
  FileBuilder b;
  HeaderLayout layout;
  layout.letters = letters;
  layout.extended = extended;
  layout.fieldTypes = types;
  layout.records = records;
  layout.categories = {{1, 9, "Home"}};
  test::AppendHeader(b, layout);
  return b.Raw(body).Data();
}

template <class Record>
struct Store {
  DatFileHeader header;
  std::vector<Record> records;
};

Store<TodoRecord> ParseTodo(const Bytes& data, DataContext& ctx) {
  Store<TodoRecord> s;
  ParseTodoFile(data, "todo.dat", s.header, s.records, ctx);
  return s;
}

Store<MemoRecord> ParseMemo(const Bytes& data, DataContext& ctx) {
  Store<MemoRecord> s;
  ParseMemoFile(data, "memopad.dat", s.header, s.records, ctx);
  return s;
}

TEST(TodoClassic, TenTypedFieldsDecodedAndWrittenBack) {
  FileBuilder body;
  body.IntField(33).IntField(1).IntField(4).CStringField("Pay rent").DateField(kDue).BoolField(true);
  body.IntField(3).BoolField(false).IntField(1).CStringField("");
  const Bytes file = WithHeader("DT", false, kTodoTypes, 1, body.Data());
  DataContext ctx;
  Store<TodoRecord> s = ParseTodo(file, ctx);
  ASSERT_EQ(s.records.size(), 1u);
  const TodoRecord& r = s.records[0];
  EXPECT_EQ(r.RecordId, 33);
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Description, "Pay rent");
  EXPECT_NEAR(r.DueDate.value, MakeDate(2022, 5, 20), 1e-6);
  EXPECT_TRUE(r.Completed);
  EXPECT_EQ(r.Priority, 3);
  EXPECT_EQ(r.Category, 1);
  EXPECT_TRUE(r.Note.empty());
  EXPECT_EQ(BuildTodoFile(s.header, s.records, ctx), file);
}

// The fields of an extended To Do after the prefix.
FileBuilder& AppendTodoExtBody(FileBuilder& b, uint32_t due, const Bytes& repeatField) {
  b.CStringField("Water plants").DateField(due).BoolField(false).IntField(2).CStringField("balcony");
  b.BoolField(true).DateField(0xFFFFFFFFu).BoolField(true).DateField(kDue).IntField(15).DateField(0);
  return b.Long(8).Raw(repeatField);
}

TEST(TodoExtended, MonthlyRepeatByReferenceGetsFullEntryAndKeepsExceptions) {
  FileBuilder monthly;
  monthly.Long(4).Long(1).ULong(test::PalmTimeUtc(2030, 1, 1, 0, 0)).Long(0).Long(20);
  const std::vector<uint32_t> exceptions{test::PalmTimeUtc(2022, 6, 20, 0, 0), 0xFFFFFFFFu, 7};
  auto file = [&](const std::string& classEntry, int row0, int row1) {
    FileBuilder b;
    test::AppendExtPrefix(b, 71, 0, 1, true, row0, row0 == 4096 ? 0 : 50);
    AppendTodoExtBody(b, kDue, test::RepeatField({}, test::kNoRepeat));
    test::AppendExtPrefix(b, 72, 0, 0, false, row1, row1 == 4097 ? 25 : 50);
    AppendTodoExtBody(b, 0xFFFFFFFFu, test::RepeatField(exceptions, classEntry + monthly.Data()));
    return WithHeader("DT", true, kTodoExtTypes, 2, b.Data());
  };
  const Bytes original = file(test::HexBytes("02 80"), 1, 1);
  DataContext ctx;
  Store<TodoRecord> s = ParseTodo(original, ctx);
  const TodoRecord& r = s.records[1];
  EXPECT_TRUE(r.RepeatAfterCompletion);
  EXPECT_TRUE(r.AlarmSet);
  EXPECT_EQ(r.ExtNumber, 15);
  EXPECT_EQ(r.ExtDate1.stored, 0xFFFFFFFFu);
  EXPECT_EQ(r.Repeat.ClassName, "CDateOfMonth");
  EXPECT_EQ(r.Repeat.DayNumber, 20);
  ASSERT_EQ(r.ExceptionCount, 3);
  EXPECT_EQ(r.Exceptions[2], 7);
  EXPECT_TRUE(s.records[0].Private);

  const Bytes expected = file(test::FullClassEntry("CDateOfMonth"), 4096, 4097);
  EXPECT_EQ(BuildTodoFile(s.header, s.records, ctx), expected);
  EXPECT_EQ(s.records[1].ExtRowId, 4097);
  EXPECT_EQ(s.records[1].ExtFieldBase, 25);
}

TEST(Memo, ClassicLongTextRoundTrips) {
  const std::string text(300, 'm');
  FileBuilder body;
  body.IntField(5).IntField(0).IntField(1).CStringField(text).BoolField(true).IntField(1);
  const Bytes file = WithHeader("MP", false, kMemoTypes, 1, body.Data());
  DataContext ctx;
  Store<MemoRecord> s = ParseMemo(file, ctx);
  ASSERT_EQ(s.records.size(), 1u);
  EXPECT_EQ(s.records[0].Text, text);
  EXPECT_TRUE(s.records[0].Private);
  EXPECT_EQ(BuildMemoFile(s.header, s.records, ctx), file);
}

TEST(Memo, ExtendedRowsAreNumberedInFileOrder) {
  auto file = [](bool renumbered) {
    FileBuilder b;
    for (int i = 0; i < 3; ++i) {
      test::AppendExtPrefix(b, 100 + i, 0, 0, false, renumbered ? 4096 + i : 4096, renumbered ? i * 14 : 0);
      b.CStringField("memo " + std::to_string(i));
    }
    return WithHeader("MP", true, kMemoExtTypes, 3, b.Data());
  };
  DataContext ctx;
  Store<MemoRecord> s = ParseMemo(file(false), ctx);
  EXPECT_EQ(s.records[2].Text, "memo 2");
  EXPECT_EQ(BuildMemoFile(s.header, s.records, ctx), file(true));
  EXPECT_EQ(s.records[2].ExtRowId, 4098);
}

TEST(TodoMemoFiles, MissingFilesEmptyTheStoreWithTheKindsClassicHeader) {
  test::TempDir dir;
  test::RecordingLog log;
  DataContext ctx;
  ctx.log = &log;
  // What a previous user left in the store must not survive a missing file.
  Store<TodoRecord> todos;
  todos.header.RecordCount = 1;
  todos.header.IsExtended = true;
  todos.records.resize(1);
  ReadTodoFile(1, dir.File("todo.dat"), todos.header, todos.records, ctx);
  EXPECT_TRUE(todos.records.empty());
  // The schema of an empty classic To Do file that Palm Desktop wrote.
  Store<TodoRecord> sample;
  DataContext quiet;
  ReadTodoFile(1, std::string(MIRRIN_CORPUS_DIR) + "/todo/Palm-empty-v1.dat", sample.header, sample.records, quiet);
  EXPECT_EQ(todos.header.VersionTag, sample.header.VersionTag);
  EXPECT_EQ(todos.header.ResourceId, sample.header.ResourceId);
  EXPECT_EQ(todos.header.FieldTypes, sample.header.FieldTypes);
  Store<MemoRecord> memos;
  memos.records.resize(2);
  memos.header.RecordCount = 2;
  ReadMemoFile(2, dir.File("memopad.dat"), memos.header, memos.records, ctx);
  EXPECT_TRUE(memos.records.empty());
  EXPECT_EQ(memos.header.RecordCount, 0);
  EXPECT_TRUE(log.lines.empty());

  // Written from those headers, each file reads back as its kind.
  memos.records.resize(1);
  memos.records[0].Text = "first";
  memos.header.RecordCount = 1;
  WriteMemoFile(2, dir.File("memopad.dat"), memos.header, memos.records, ctx);
  EXPECT_EQ(log.lines.back(), std::make_pair("Write Memos for 2 to " + dir.File("memopad.dat"), 4));
  Store<MemoRecord> again;
  ReadMemoFile(2, dir.File("memopad.dat"), again.header, again.records, ctx);
  EXPECT_EQ(again.records.at(0).Text, "first");
  EXPECT_EQ(again.header.FieldTypes, memos.header.FieldTypes);

  todos.records.resize(1);
  todos.records[0].Description = "kept";
  todos.records[0].DueDate = PalmDate::Local(MakeDate(2022, 1, 1));
  todos.header.RecordCount = 1;
  WriteTodoFile(1, dir.File("todo.dat"), todos.header, todos.records, ctx);
  EXPECT_EQ(log.lines.back(), std::make_pair("Write ToDos for 1 to " + dir.File("todo.dat"), 4));
  Store<TodoRecord> todosAgain;
  ReadTodoFile(1, dir.File("todo.dat"), todosAgain.header, todosAgain.records, ctx);
  EXPECT_EQ(todosAgain.records.at(0).Description, "kept");
}

TEST(TodoErrors, RepeatWithoutItsRuleNamesRoutineFileAndRecord) {
  DataContext ctx;
  FileBuilder todoBody;
  test::AppendExtPrefix(todoBody, 71, 0, 1, false);
  AppendTodoExtBody(todoBody, kDue, test::RepeatField({1, 2}, test::FullClassEntry("CDateOfYear")));
  const Bytes todo = WithHeader("DT", true, kTodoExtTypes, 1, todoBody.Data());  // repeat payload missing
  Store<TodoRecord> t;
  try {
    ParseTodoFile(todo, "todo.dat", t.header, t.records, ctx);
    ADD_FAILURE() << "a repeat without its rule was read";
  } catch (const RunError& e) {
    EXPECT_EQ(e.number(), err::InputPastEnd);
    EXPECT_EQ(e.where(), "ReadTodoFile todo.dat,0");
  }
}

}  // namespace
}  // namespace mirrin
