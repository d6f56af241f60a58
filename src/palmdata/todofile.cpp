#include "palmdata/todofile.h"

#include "palmdata/fileio.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {
// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kTodoSmallest{82, 204};
}  // namespace

void ReadTodoEntry(ByteReader& in, TodoRecord& r, const TimeZoneInfo& tz) {
  r.RecordId = in.ReadIntField();
  r.Status = in.ReadIntField();
  r.Position = in.ReadIntField();
  r.Description = in.ReadCStringField();
  r.DueDate = in.ReadDateField(tz);
  r.Completed = in.ReadBoolField();
  r.Priority = in.ReadIntField();
  r.Private = in.ReadBoolField();
  r.Category = in.ReadIntField();
  r.Note = in.ReadCStringField();
}

void WriteTodoEntry(ByteWriter& out, const TodoRecord& r, const TimeZoneInfo& tz) {
  out.WriteIntField(r.RecordId);
  out.WriteIntField(r.Status);
  out.WriteIntField(r.Position);
  out.WriteCStringField(r.Description);
  out.WriteDateField(r.DueDate, tz);
  out.WriteBoolField(r.Completed);
  out.WriteIntField(r.Priority);
  out.WriteBoolField(r.Private);
  out.WriteIntField(r.Category);
  out.WriteCStringField(r.Note);
}

void ReadTodoEntryExt(ByteReader& in, TodoRecord& r, const TimeZoneInfo& tz) {
  ReadExtPrefix(in, r);
  r.Description = in.ReadCStringField();
  r.DueDate = in.ReadDateField(tz);
  r.Completed = in.ReadBoolField();
  r.Priority = in.ReadIntField();
  r.Note = in.ReadCStringField();
  r.RepeatAfterCompletion = in.ReadBoolField();
  r.ExtDate1 = in.ReadDateField(tz);
  r.AlarmSet = in.ReadBoolField();
  r.ExtDate2 = in.ReadDateField(tz);
  r.ExtNumber = in.ReadIntField();
  r.ExtDate3 = in.ReadDateField(tz);
  ReadRepeatField(in, r.ExceptionCount, r.Exceptions, r.Repeat, tz);
}

void WriteTodoEntryExt(ByteWriter& out, const TodoRecord& r, const TimeZoneInfo& tz) {
  WriteExtPrefix(out, r);
  out.WriteCStringField(r.Description);
  out.WriteDateField(r.DueDate, tz);
  out.WriteBoolField(r.Completed);
  out.WriteIntField(r.Priority);
  out.WriteCStringField(r.Note);
  out.WriteBoolField(r.RepeatAfterCompletion);
  out.WriteDateField(r.ExtDate1, tz);
  out.WriteBoolField(r.AlarmSet);
  out.WriteDateField(r.ExtDate2, tz);
  out.WriteIntField(r.ExtNumber);
  out.WriteDateField(r.ExtDate3, tz);
  WriteRepeatField(out, r.ExceptionCount, r.Exceptions, r.Repeat, tz);
}

void ParseTodoFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                   std::vector<TodoRecord>& records, DataContext& ctx) {
  ReadRecordFile("ReadTodoFile", path, data, header, records, ctx, kTodoSmallest,
                 [&ctx](ByteReader& in, const DatFileHeader& h, TodoRecord& r) {
                   if (h.IsExtended) {
                     ReadTodoEntryExt(in, r, ctx.timeZone);
                   } else {
                     ReadTodoEntry(in, r, ctx.timeZone);
                   }
                 });
}

Bytes BuildTodoFile(const DatFileHeader& header, std::vector<TodoRecord>& records,
                    const DataContext& ctx) {
  return BuildRecordFile(header, records, [&ctx](ByteWriter& out, const DatFileHeader& h, const TodoRecord& r) {
    if (h.IsExtended) {
      WriteTodoEntryExt(out, r, ctx.timeZone);
    } else {
      WriteTodoEntry(out, r, ctx.timeZone);
    }
  });
}

void SetDefaultTodoHeader(DatFileHeader& header, const std::string& path) {
  header = ClassicHeader("DT", 44, {1, 1, 1, 5, 3, 6, 1, 6, 1, 5}, path);
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
                   std::vector<TodoRecord>& records, DataContext& ctx) {
  ctx.Log("Write ToDos for " + std::to_string(user) + " to " + path, 4);
  const Bytes bytes = BuildTodoFile(header, records, ctx);
  CheckReadsBack<TodoRecord>(bytes, records.size(), path, ctx, ParseTodoFile);
  WriteFileAtomic(path, bytes);
}

void Describe(const TodoRecord& r, FieldVisitor& v) {
  DescribeCommon(r, v);
  v.Text("Description", r.Description);
  v.Date("DueDate", r.DueDate);
  v.Bool("Completed", r.Completed);
  v.Int("Priority", r.Priority);
  v.Text("Note", r.Note);
  v.Bool("RepeatAfterCompletion", r.RepeatAfterCompletion);
  v.Date("ExtDate1", r.ExtDate1);
  v.Bool("AlarmSet", r.AlarmSet);
  v.Date("ExtDate2", r.ExtDate2);
  v.Int("ExtNumber", r.ExtNumber);
  v.Date("ExtDate3", r.ExtDate3);
  DescribeRepeat(r.ExceptionCount, r.Exceptions, r.Repeat, v);
}

}  // namespace mirrin
