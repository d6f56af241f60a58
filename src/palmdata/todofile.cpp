#include "palmdata/todofile.h"

#include "palmdata/fileio.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {
// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kTodoSmallest{82, 204};

struct TodoLayout {
  static constexpr bool kReportsProgress = false;
  template <class Io, class R>
  static void Classic(Io& io, R& r) {
    io.Int("RecordId", r.RecordId);
    io.Int("Status", r.Status);
    io.Int("Position", r.Position);
    io.Text("Description", r.Description);
    io.Date("DueDate", r.DueDate);
    io.Bool("Completed", r.Completed);
    io.Int("Priority", r.Priority);
    io.Bool("Private", r.Private);
    io.Int("Category", r.Category);
    io.Text("Note", r.Note);
  }
  template <class Io, class R>
  static void Extended(Io& io, R& r) {
    io.Text("Description", r.Description);
    io.Date("DueDate", r.DueDate);
    io.Bool("Completed", r.Completed);
    io.Int("Priority", r.Priority);
    io.Text("Note", r.Note);
    io.Bool("RepeatAfterCompletion", r.RepeatAfterCompletion);
    io.Date("ExtDate1", r.ExtDate1);
    io.Bool("AlarmSet", r.AlarmSet);
    io.Date("ExtDate2", r.ExtDate2);
    io.Int("ExtNumber", r.ExtNumber);
    io.Date("ExtDate3", r.ExtDate3);
    io.Repeat(r);
  }
};
}  // namespace

void ReadTodoEntry(ByteReader& in, const DatFileHeader& h, TodoRecord& r, const TimeZoneInfo& tz) {
  ReadEntry<TodoLayout>(in, h, r, tz);
}

void ParseTodoFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                   std::vector<TodoRecord>& records, DataContext& ctx) {
  ReadRecordFile<TodoLayout>("ReadTodoFile", path, data, header, records, ctx, kTodoSmallest);
}

Bytes BuildTodoFile(const DatFileHeader& header, const std::vector<TodoRecord>& records,
                    const DataContext& ctx) {
  return BuildRecordFile<TodoLayout>(header, records, ctx);
}

void SetDefaultTodoHeader(DatFileHeader& header, const std::string& path, bool extended) {
  header = NewLayoutHeader<TodoLayout, TodoRecord>("DT", 44, extended, path);
}

void ReadTodoFile(int /*user*/, const std::string& path, DatFileHeader& header,
                  std::vector<TodoRecord>& records, DataContext& ctx) {
  if (FileMissing(path)) {
    SetDefaultTodoHeader(header, path);
    records.clear();
    return;
  }
  ParseTodoFile(ReadWholeFile(path), path, header, records, ctx);
}

void WriteTodoFile(int user, const std::string& path, const DatFileHeader& header,
                   const std::vector<TodoRecord>& records, DataContext& ctx) {
  ctx.Log("Write ToDos for " + std::to_string(user) + " to " + path, 4);
  const Bytes bytes = BuildTodoFile(header, records, ctx);
  CheckReadsBack<TodoRecord>(bytes, records.size(), path, ctx, ParseTodoFile);
  WriteFileAtomic(path, bytes);
}

void Describe(const TodoRecord& r, FieldVisitor& v) { DescribeEntry<TodoLayout>(r, v); }

}  // namespace mirrin
