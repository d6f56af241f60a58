#include "palmdata/datebookfile.h"

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {

// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kDateSmallest{122, 223};

constexpr int32_t kFullClassEntry = 0xFFFF;
constexpr const char* kReadRoutine = "ReadDatebookFile";

// A repeat's end is a plain long, not a date field: every value is a time
// (top byte FF included, far in the future), so it is written back as read
// while unchanged.
uint32_t RepeatEndTime(const PalmDate& d, const TimeZoneInfo& tz) {
  if (d.hasStored && SecondsToDate(d.stored, tz) == d.value) return d.stored;
  return static_cast<uint32_t>(DateToSeconds(d.value, tz));
}

bool HasDayIndex(int32_t brand) { return brand >= kRepeatDaily && brand <= kRepeatMonthlyByWeekday; }

struct DateLayout {
  static constexpr bool kReportsProgress = false;
  template <class Io, class R>
  static void Classic(Io& io, R& r) {
    io.Int("RecordId", r.RecordId);
    io.Int("Status", r.Status);
    io.Int("Position", r.Position);
    io.Date("StartTime", r.StartTime);
    io.TimeAsInt("EndTime", r.EndTime);
    io.Text("Description", r.Description);
    io.Int("Duration", r.Duration);
    io.Text("Note", r.Note);
    io.Bool("Untimed", r.Untimed);
    io.Bool("Private", r.Private);
    io.Int("Category", r.Category);
    io.Bool("AlarmSet", r.AlarmSet);
    io.Int("AlarmAdvance", r.AlarmAdvance);
    io.Int("AlarmUnit", r.AlarmUnit);
    io.Repeat(r);
  }
  template <class Io, class R>
  static void Extended(Io& io, R& r) {
    io.Date("StartTime", r.StartTime);
    io.Date("EndTime", r.EndTime);
    io.Text("Description", r.Description);
    io.Int("Duration", r.Duration);
    io.Text("Note", r.Note);
    io.Bool("Untimed", r.Untimed);
    io.Bool("AlarmSet", r.AlarmSet);
    io.Int("AlarmAdvance", r.AlarmAdvance);
    io.Int("AlarmUnit", r.AlarmUnit);
    io.Repeat(r);
    io.Text("Location", r.Location);
    io.Int("ExtNumber", r.ExtNumber);
    io.Text("ExtString3", r.ExtString3);
    io.Text("ExtString4", r.ExtString4);
  }
};

}  // namespace

std::string_view RepeatTypeName(int32_t brand) {
  static constexpr std::string_view kNames[] = {
      "", "CDayName", "CWeekly", "CDayOfMonth", "CDateOfMonth", "CDateOfYear"};
  if (brand < kNoRepeat || brand > kRepeatYearly) return {};
  return kNames[brand];
}

bool IsEmpty(const RepeatRule& r) {
  const PalmDate& end = r.EndDate;
  return r.Hash == 0 && r.SchemaNo == 0 && r.ClassNameLength == 0 && r.ClassName.empty() &&
         r.Brand == kNoRepeat && r.Interval == 0 && end.value == 0 && end.stored == 0 && !end.hasStored &&
         r.FirstDayOfWeek == 0 && r.DayIndex == 0 && r.DaysMask == 0 && r.WeekIndex == 0 &&
         r.DayNumber == 0 && r.MonthIndex == 0;
}

RepeatRule ReadRepeatEvent(ByteReader& in, const TimeZoneInfo& tz) {
  RepeatRule r;
  r.Hash = in.ReadShort();
  if (r.Hash == kFullClassEntry) {
    r.SchemaNo = in.ReadShort();
    r.ClassNameLength = in.ReadShort();
    r.ClassName = in.ReadChars(static_cast<size_t>(r.ClassNameLength));
  }
  if (r.Hash == 0) return r;
  r.Brand = in.ReadLong();
  r.Interval = in.ReadLong();
  const uint32_t end = static_cast<uint32_t>(in.ReadLong());
  r.EndDate = PalmDate::FromStored(end, SecondsToDate(end, tz));
  r.FirstDayOfWeek = in.ReadLong();
  // A reference to a class named earlier becomes the full entry, so every
  // record can be written on its own. Types without a name keep what was read.
  r.SchemaNo = 1;
  if (r.Brand >= kNoRepeat && r.Brand <= kRepeatYearly) {
    r.ClassName = std::string(RepeatTypeName(r.Brand));
    r.ClassNameLength = static_cast<int32_t>(r.ClassName.size());
  }
  r.Hash = kFullClassEntry;
  if (HasDayIndex(r.Brand)) {
    r.DayIndex = in.ReadLong();
    if (r.Brand == kRepeatWeekly) r.DaysMask = in.ReadByte();
    if (r.Brand == kRepeatMonthlyByWeekday) r.WeekIndex = in.ReadLong();
  } else {
    r.DayNumber = in.ReadLong();
    if (r.Brand == kRepeatYearly) r.MonthIndex = in.ReadLong();
  }
  return r;
}

void WriteRepeatEvent(ByteWriter& out, const RepeatRule& r, const TimeZoneInfo& tz) {
  if (r.Hash == kFullClassEntry && (r.ClassNameLength < 0 || r.ClassNameLength > 0xFFFF ||
                                    static_cast<size_t>(r.ClassNameLength) != r.ClassName.size())) {
    throw RunError(err::Overflow, "repeat class name of " + std::to_string(r.ClassName.size()) +
                                      " bytes declared as " + std::to_string(r.ClassNameLength));
  }
  const uint32_t end = r.Hash != 0 ? RepeatEndTime(r.EndDate, tz) : 0;
  out.WriteShort(static_cast<uint32_t>(r.Hash));
  if (r.Hash == kFullClassEntry) {
    out.WriteShort(static_cast<uint32_t>(r.SchemaNo));
    out.WriteShort(static_cast<uint32_t>(r.ClassNameLength));
    out.WriteChars(r.ClassName);
  }
  if (r.Hash == 0) return;
  out.WriteLong(r.Brand);
  out.WriteLong(r.Interval);
  out.WriteULong(end);
  out.WriteLong(r.FirstDayOfWeek);
  if (HasDayIndex(r.Brand)) {
    out.WriteLong(r.DayIndex);
    if (r.Brand == kRepeatWeekly) out.WriteByte(r.DaysMask);
    if (r.Brand == kRepeatMonthlyByWeekday) out.WriteLong(r.WeekIndex);
  } else {
    out.WriteLong(r.DayNumber);
    if (r.Brand == kRepeatYearly) out.WriteLong(r.MonthIndex);
  }
}

void ReadRepeatField(ByteReader& in, int32_t& exceptionCount, std::vector<int32_t>& exceptions,
                     RepeatRule& rule, const TimeZoneInfo& tz) {
  in.ReadLong();  // tag
  const uint16_t count = in.ReadShort();
  in.Need(static_cast<size_t>(count) * 4);
  exceptionCount = count;
  exceptions.clear();
  exceptions.reserve(count);
  for (uint16_t i = 0; i < count; ++i) exceptions.push_back(in.ReadLong());
  // Unlike the classic reader, a damaged repeat is an error of the file:
  // reading on from the middle of it would misplace every later field.
  rule = ReadRepeatEvent(in, tz);
}

void WriteRepeatField(ByteWriter& out, int32_t exceptionCount, const std::vector<int32_t>& exceptions,
                      const RepeatRule& rule, const TimeZoneInfo& tz) {
  if (exceptionCount < 0 || exceptionCount > 0xFFFF ||
      static_cast<size_t>(exceptionCount) > exceptions.size()) {
    throw RunError(err::SubscriptOutOfRange, std::to_string(exceptionCount) + " exceptions declared, " +
                                                 std::to_string(exceptions.size()) + " held");
  }
  out.WriteLong(kTagRepeat);
  out.WriteShort(static_cast<uint32_t>(exceptionCount));
  for (int32_t i = 0; i < exceptionCount; ++i) out.WriteLong(exceptions[static_cast<size_t>(i)]);
  WriteRepeatEvent(out, rule, tz);
}

void DescribeRepeat(int32_t exceptionCount, const std::vector<int32_t>& exceptions, const RepeatRule& r,
                    FieldVisitor& v) {
  v.Begin("Repeat");
  v.Int("Hash", r.Hash);
  v.Int("SchemaNo", r.SchemaNo);
  v.Int("ClassNameLength", r.ClassNameLength);
  v.Text("ClassName", r.ClassName);
  v.Int("Brand", r.Brand);
  v.Int("Interval", r.Interval);
  v.Date("EndDate", r.EndDate);
  v.Int("FirstDayOfWeek", r.FirstDayOfWeek);
  v.Int("DayIndex", r.DayIndex);
  v.Int("DaysMask", r.DaysMask);
  v.Int("WeekIndex", r.WeekIndex);
  v.Int("DayNumber", r.DayNumber);
  v.Int("MonthIndex", r.MonthIndex);
  v.End();
  v.Int("ExceptionCount", exceptionCount);
  v.Begin("Exceptions");
  for (int32_t e : exceptions) v.Int("Exception", e);
  v.End();
}

void SetDefaultDatebookHeader(DatFileHeader& h, const std::string& path, bool extended) {
  // Nothing of a previously read file may be written into the new one.
  h = NewLayoutHeader<DateLayout, DateRecord>("BD", 54, extended, path);
}

void ParseDatebookFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                       std::vector<DateRecord>& records, DataContext& ctx) {
  ReadRecordFile<DateLayout>(kReadRoutine, path, data, header, records, ctx, kDateSmallest);
}

Bytes BuildDatebookFile(const DatFileHeader& header, const std::vector<DateRecord>& records,
                        const DataContext& ctx) {
  return BuildRecordFile<DateLayout>(header, records, ctx);
}

void ReadDatebookFile(int /*user*/, const std::string& path, DatFileHeader& header,
                      std::vector<DateRecord>& records, DataContext& ctx) {
  ctx.Log(std::string(kReadRoutine) + " " + path, 4);
  if (FileMissing(path)) {
    SetDefaultDatebookHeader(header, path);
    records.clear();  // the store holds exactly RecordCount records
    return;
  }
  Bytes data;
  try {
    data = ReadWholeFile(path);
  } catch (const RunError& e) {
    RethrowAt(e, std::string(kReadRoutine) + " " + path + ",0");
  }
  ParseDatebookFile(data, path, header, records, ctx);
}

void WriteDatebookFile(int user, const std::string& path, const DatFileHeader& header,
                       const std::vector<DateRecord>& records, DataContext& ctx) {
  ctx.Log(
      "Write " + std::to_string(header.RecordCount) + " Datebook for " + std::to_string(user) + " to " + path,
      4);
  const Bytes bytes = BuildDatebookFile(header, records, ctx);
  CheckReadsBack<DateRecord>(bytes, records.size(), path, ctx, ParseDatebookFile);
  WriteFileAtomic(path, bytes);
}

void Describe(const DateRecord& r, FieldVisitor& v) { DescribeEntry<DateLayout>(r, v); }

}  // namespace mirrin
