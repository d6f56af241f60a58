#pragma once
// The datebook file: appointments with their repeat rule and date exceptions,
// in the classic and the extended layout.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datacontext.h"
#include "palmdata/describe.h"
#include "palmdata/header.h"

namespace mirrin {

struct RepeatRule {
  int32_t Hash = 0;  // 0: no repeat; 65535 after any repeat was read
  int32_t SchemaNo = 0;
  int32_t ClassNameLength = 0;
  std::string ClassName;
  int32_t Brand = 0;  // 1 daily, 2 weekly, 3 monthly by weekday, 4 monthly by date, 5 annually
  int32_t Interval = 0;
  PalmDate EndDate;
  int32_t FirstDayOfWeek = 0;
  int32_t DayIndex = 0;   // brands 1, 2, 3
  uint8_t DaysMask = 0;   // brand 2
  int32_t WeekIndex = 0;  // brand 3
  int32_t DayNumber = 0;  // brands 4, 5 and above
  int32_t MonthIndex = 0; // brand 5
};

// The class name of a repeat type: index 0 is empty, 1 to 5 are named;
// other values have no name (empty).
std::string_view RepeatTypeName(int32_t brand);

struct DateRecord : CommonFields {
  PalmDate StartTime;
  PalmDate EndTime;
  Bytes Description;
  int32_t Duration = 0;
  Bytes Note;
  bool Untimed = false;
  bool AlarmSet = false;
  int32_t AlarmAdvance = 0;
  int32_t AlarmUnit = 0;  // 1 hours, 2 days, otherwise minutes
  RepeatRule Repeat;
  Bytes Location;  // extended only
  int32_t ExtNumber = 0;
  Bytes ExtString3;
  Bytes ExtString4;
  int32_t ExceptionCount = 0;
  std::vector<int32_t> Exceptions;  // raw Palm times, ExceptionCount of them
};

// The repeat event: a class entry (or a reference to an earlier one) and
// the rule. A reference is read as the full entry it stands for.
RepeatRule ReadRepeatEvent(ByteReader& in, const TimeZoneInfo& tz);
void WriteRepeatEvent(ByteWriter& out, const RepeatRule& rule, const TimeZoneInfo& tz);

// The tag-8 field shared by dates and extended To Dos: exceptions, then the repeat event.
void ReadRepeatField(ByteReader& in, int32_t& exceptionCount, std::vector<int32_t>& exceptions,
                     RepeatRule& rule, const TimeZoneInfo& tz);
void WriteRepeatField(ByteWriter& out, int32_t exceptionCount, const std::vector<int32_t>& exceptions,
                      const RepeatRule& rule, const TimeZoneInfo& tz);
void DescribeRepeat(int32_t exceptionCount, const std::vector<int32_t>& exceptions,
                    const RepeatRule& rule, FieldVisitor& v);

void ReadDateEntry(ByteReader& in, DateRecord& r, const TimeZoneInfo& tz);
void WriteDateEntry(ByteWriter& out, const DateRecord& r, const TimeZoneInfo& tz);
void ReadDateEntryExt(ByteReader& in, DateRecord& r, const TimeZoneInfo& tz);
void WriteDateEntryExt(ByteWriter& out, const DateRecord& r, const TimeZoneInfo& tz);

// The header a user gets when the datebook file does not exist yet.
void SetDefaultDatebookHeader(DatFileHeader& header, const std::string& path);

void ParseDatebookFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                       std::vector<DateRecord>& records, DataContext& ctx);
Bytes BuildDatebookFile(const DatFileHeader& header, std::vector<DateRecord>& records,
                        const DataContext& ctx);
void ReadDatebookFile(int user, const std::string& path, DatFileHeader& header,
                      std::vector<DateRecord>& records, DataContext& ctx);
void WriteDatebookFile(int user, const std::string& path, const DatFileHeader& header,
                       std::vector<DateRecord>& records, DataContext& ctx);

void Describe(const DateRecord& record, FieldVisitor& v);

}  // namespace mirrin
